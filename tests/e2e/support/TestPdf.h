// Small but complete PDF files for light files: one page, one line of text.
#pragma once

#include <string>

namespace e2e {

// A one-page A4 PDF whose page shows the ASCII text (it must not hold parentheses or backslashes).
std::string MakePdf(const std::string& text);

} // namespace e2e
