// UTF-8 and UTF-16 with the Windows rules for ill-formed text. Wide strings hold one code point
// per wchar_t, as on Linux. UTF-8: each maximal ill-formed subpart becomes one U+FFFD
// (MultiByteToWideChar(CP_UTF8) without MB_ERR_INVALID_CHARS), and a value that is no Unicode
// scalar value (a surrogate, above U+10FFFF) is written as U+FFFD (WideCharToMultiByte(CP_UTF8)
// with an unpaired surrogate). UTF-16 is what a Windows wide string holds: an unpaired surrogate
// stays the unit it is, only a value above U+10FFFF becomes U+FFFD.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace utf {

constexpr char32_t kReplacement = 0xFFFD;

// The sequence at the start of a non-empty text.
struct Decoded {
    char32_t codePoint; // kReplacement for an ill-formed subpart
    size_t length;      // bytes it takes
    bool illFormed;
    bool truncated; // the text ends inside a sequence that more bytes could complete
};
Decoded DecodeFirst(std::string_view text);

// Each returns false when anything was replaced.
bool DecodeUtf8(std::string_view text, std::wstring& out);
bool DecodeUtf8(std::string_view text, std::u32string& out);
bool EncodeUtf8(std::wstring_view text, std::string& out);
bool EncodeUtf8(std::u32string_view text, std::string& out);
bool DecodeUtf16(std::u16string_view text, std::wstring& out);
bool EncodeUtf16(std::wstring_view text, std::u16string& out);
bool EncodeUtf16(std::u32string_view text, std::u16string& out);

// The code point that starts at text[i] (i < text.size()), i moved past its units. A wide string is
// UTF-16 where wchar_t has 16 bits: a surrogate pair is one code point, an unpaired surrogate stays
// the unit it is. Where wchar_t has 32 bits each unit is one code point, and no text has surrogates.
char32_t NextCodePoint(std::wstring_view text, size_t& i);
std::u32string CodePoints(std::wstring_view text);

// The converted text alone, replacements included.
inline std::string ToUtf8(std::wstring_view text) { std::string out; EncodeUtf8(text, out); return out; }
inline std::string ToUtf8(std::u32string_view text) { std::string out; EncodeUtf8(text, out); return out; }
inline std::u16string ToUtf16(std::wstring_view text) { std::u16string out; EncodeUtf16(text, out); return out; }
inline std::u16string ToUtf16(std::u32string_view text) { std::u16string out; EncodeUtf16(text, out); return out; }

} // namespace utf
