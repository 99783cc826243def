// Text conversions: the script is UTF-8; resource data holds UTF-16 code units.
#pragma once

#include <string>

namespace vizrc {

// Decodes UTF-8; returns false on a malformed sequence.
bool DecodeUtf8(const std::string& in, std::u32string& out);
std::u16string ToUtf16(const std::u32string& text);
std::string ToUtf8(const std::u32string& text);
std::u32string ToUpperAscii(std::u32string text);

} // namespace vizrc
