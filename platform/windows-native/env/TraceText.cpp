// UTF-8 of the trace and of the client's narrow texts: Windows' own conversion of UTF-16.
#include <windows.h>

#include <winenv/Trace.h>

namespace winenv {

std::string ToUtf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int cch = static_cast<int>(text.size());
    std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), cch, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), cch, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
    return out;
}

std::string ToUtf8(const wchar_t* text)
{
    return text ? ToUtf8(std::wstring(text)) : std::string();
}

void ToUtf8(std::wstring_view text, std::string& out)
{
    out.clear();
    if (text.empty())
        return;
    const int cch = static_cast<int>(text.size());
    out.resize(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), cch, nullptr, 0, nullptr, nullptr)));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), cch, &out[0], static_cast<int>(out.size()), nullptr, nullptr);
}

std::wstring FromUtf8(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int cb = static_cast<int>(text.size());
    std::wstring out(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, text.data(), cb, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), cb, &out[0], static_cast<int>(out.size()));
    return out;
}

} // namespace winenv
