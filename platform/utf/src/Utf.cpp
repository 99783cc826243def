#include <utf/Utf.h>

#include <cstring>

namespace utf {
namespace {

bool IsScalarValue(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

template <typename String>
bool Decode(std::string_view text, String& out)
{
    out.clear();
    out.reserve(text.size());
    bool valid = true;
    while (!text.empty()) {
        if (static_cast<unsigned char>(text[0]) < 0x80) {
            out.push_back(static_cast<typename String::value_type>(text[0]));
            text.remove_prefix(1);
            continue;
        }
        const Decoded d = DecodeFirst(text);
        valid = valid && !d.illFormed;
        out.push_back(static_cast<typename String::value_type>(d.codePoint));
        text.remove_prefix(d.length);
    }
    return valid;
}

template <typename View>
bool Encode8(View text, std::string& out)
{
    // Sized first and then written through a pointer: every statement's text (a thousand
    // characters) is encoded on its way to the database. An ASCII text is narrowed in one pass,
    // sixteen units a step through local copies, which the compiler can vectorise (a store
    // through char* would otherwise be taken to change the text being read).
    out.resize(text.size());
    char32_t any = 0;
    char* narrow = out.data();
    size_t i = 0;
    for (; i + 16 <= text.size(); i += 16) {
        char32_t units[16];
        char bytes[16];
        for (size_t k = 0; k < 16; ++k)
            units[k] = static_cast<char32_t>(text[i + k]);
        for (size_t k = 0; k < 16; ++k) {
            any |= units[k];
            bytes[k] = static_cast<char>(units[k]);
        }
        std::memcpy(narrow + i, bytes, sizeof bytes);
    }
    for (; i < text.size(); ++i) {
        any |= static_cast<char32_t>(text[i]);
        narrow[i] = static_cast<char>(text[i]);
    }
    if (any < 0x80)
        return true;
    size_t cb = 0;
    bool valid = true;
    for (const auto unit : text) {
        const char32_t c = static_cast<char32_t>(unit);
        if (!IsScalarValue(c))
            cb += 3, valid = false; // U+FFFD
        else
            cb += c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    }
    out.resize(cb);
    char* p = out.data();
    for (const auto unit : text) {
        char32_t c = static_cast<char32_t>(unit);
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
            continue;
        }
        if (!IsScalarValue(c))
            c = kReplacement;
        const int extra = c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
        static const unsigned char lead[] = {0, 0xC0, 0xE0, 0xF0};
        *p++ = static_cast<char>(lead[extra] | (c >> (6 * extra)));
        for (int k = extra - 1; k >= 0; --k)
            *p++ = static_cast<char>(0x80 | ((c >> (6 * k)) & 0x3F));
    }
    return valid;
}

template <typename View>
bool Encode16(View text, std::u16string& out)
{
    out.clear();
    out.reserve(text.size());
    bool valid = true;
    for (const auto unit : text) {
        char32_t c = static_cast<char32_t>(unit);
        if (!IsScalarValue(c))
            valid = false;
        if (c > 0x10FFFF)
            c = kReplacement;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return valid;
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c < 0xDC00; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c < 0xE000; }

} // namespace

Decoded DecodeFirst(std::string_view text)
{
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char c = s[0];
    if (c < 0x80)
        return {c, 1, false, false};
    // The range of the second byte narrows after E0, ED, F0 and F4, which keeps out overlong
    // forms, surrogates and values above U+10FFFF by the first two bytes alone.
    size_t extra;
    char32_t cp;
    unsigned char low = 0x80, high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
        extra = 1, cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        extra = 2, cp = c & 0x0F;
        low = c == 0xE0 ? 0xA0 : 0x80, high = c == 0xED ? 0x9F : 0xBF;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3, cp = c & 0x07;
        low = c == 0xF0 ? 0x90 : 0x80, high = c == 0xF4 ? 0x8F : 0xBF;
    } else {
        return {kReplacement, 1, true, false};
    }
    for (size_t k = 1; k <= extra; ++k) {
        if (k == text.size())
            return {kReplacement, k, true, true};
        if (s[k] < low || s[k] > high)
            return {kReplacement, k, true, false};
        cp = (cp << 6) | (s[k] & 0x3F);
        low = 0x80, high = 0xBF;
    }
    return {cp, extra + 1, false, false};
}

bool DecodeUtf8(std::string_view text, std::wstring& out) { return Decode(text, out); }
bool DecodeUtf8(std::string_view text, std::u32string& out) { return Decode(text, out); }
bool EncodeUtf8(std::wstring_view text, std::string& out) { return Encode8(text, out); }
bool EncodeUtf8(std::u32string_view text, std::string& out) { return Encode8(text, out); }
bool DecodeUtf16(std::u16string_view text, std::wstring& out)
{
    out.clear();
    out.reserve(text.size());
    bool valid = true;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]))
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            valid = false;
        out.push_back(static_cast<wchar_t>(c));
    }
    return valid;
}

char32_t NextCodePoint(std::wstring_view text, size_t& i)
{
    const char32_t c = static_cast<char32_t>(text[i++]);
    if (IsHighSurrogate(c) && i < text.size() && IsLowSurrogate(static_cast<char32_t>(text[i])))
        return 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[i++]) - 0xDC00);
    return c;
}

std::u32string CodePoints(std::wstring_view text)
{
    std::u32string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();)
        out.push_back(NextCodePoint(text, i));
    return out;
}

bool EncodeUtf16(std::wstring_view text, std::u16string& out) { return Encode16(text, out); }
bool EncodeUtf16(std::u32string_view text, std::u16string& out) { return Encode16(text, out); }

} // namespace utf
