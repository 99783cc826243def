// Small but complete PDF files for light files: one page, one line of text.
#pragma once

#include <string>

namespace e2e {

// A one-page A4 PDF whose page shows the ASCII text (it must not hold parentheses or backslashes).
std::string MakePdf(const std::string& text);

// The text of a PDF as pdftotext extracts it (empty when the file cannot be read as a PDF).
std::string PdfText(const std::string& posixPath);

} // namespace e2e
