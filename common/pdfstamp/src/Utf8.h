// UTF-32 text (wchar_t is 32 bits here) to UTF-8 and UTF-16BE, for fontconfig and PDF strings.
#pragma once

#include <string>

namespace pdfstamp {

std::string ToUtf8(const std::wstring& text);
// Big-endian UTF-16 bytes, surrogate pairs above the BMP: a ToUnicode CMap's destination.
std::string ToUtf16BE(const std::wstring& text);

} // namespace pdfstamp
