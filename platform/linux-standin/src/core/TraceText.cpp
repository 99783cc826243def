// The trace's text conversions with the stand-in's codec: one code point per wchar_t.
#include "winenv/Trace.h"

#include <utf/Utf.h>

namespace winenv {

std::string ToUtf8(const std::wstring& text)
{
    return utf::ToUtf8(text);
}

std::string ToUtf8(const wchar_t* text)
{
    return text ? ToUtf8(std::wstring(text)) : std::string();
}

void ToUtf8(std::wstring_view text, std::string& out)
{
    utf::EncodeUtf8(text, out);
}

std::wstring FromUtf8(const std::string& text)
{
    std::wstring out;
    utf::DecodeUtf8(text, out);
    return out;
}

} // namespace winenv
