// Text conversions: the script is UTF-8; resource data holds UTF-16 code units.
#pragma once

#include <string>
#include <utf/Utf.h>

namespace vizrc {

// Decodes UTF-8; false on an ill-formed sequence.
inline bool DecodeUtf8(const std::string& in, std::u32string& out) { return utf::DecodeUtf8(in, out); }

inline std::u16string ToUtf16(const std::u32string& text)
{
    std::u16string out;
    utf::EncodeUtf16(text, out);
    return out;
}

inline std::string ToUtf8(const std::u32string& text)
{
    std::string out;
    utf::EncodeUtf8(text, out);
    return out;
}

inline std::u32string ToUpperAscii(std::u32string text)
{
    for (char32_t& c : text)
        if (c >= U'a' && c <= U'z')
            c -= U'a' - U'A';
    return text;
}

} // namespace vizrc
