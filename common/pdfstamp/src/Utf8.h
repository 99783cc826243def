// Wide text (wchar_t is 32 bits here) to UTF-8 and UTF-16BE, for fontconfig and PDF strings.
#pragma once

#include <string>
#include <utf/Utf.h>

namespace pdfstamp {

inline std::string ToUtf8(const std::wstring& text)
{
    std::string out;
    utf::EncodeUtf8(text, out);
    return out;
}

// Big-endian UTF-16 bytes, surrogate pairs above the BMP: a ToUnicode CMap's destination.
inline std::string ToUtf16BE(const std::wstring& text)
{
    std::u16string units;
    utf::EncodeUtf16(text, units);
    std::string out;
    for (const char16_t unit : units) {
        out += static_cast<char>(unit >> 8);
        out += static_cast<char>(unit & 0xFF);
    }
    return out;
}

} // namespace pdfstamp
