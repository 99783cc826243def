// pdfstamp's file names are UTF-8; Windows opens them by their wide form.
#pragma once

#include <string>

namespace pdfstamp {

std::wstring WideName(const std::string& utf8);
std::string Utf8Name(const std::wstring& wide);

} // namespace pdfstamp
