#include "IniDocument.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include <win32crt.h>
#include <winnls.h>

#include <utf/Utf.h>

namespace win32core {

namespace {

// White space and ^Z (an old DOS end of file), as the system trims names and values: a lone CR
// left at the end of a file is no part of its last value.
bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

// Names and values are looked at in place: a lookup reads every line before its key, and copies
// of each would cost more than the comparisons.
std::wstring_view Trim(std::wstring_view text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Compared as the C strings they are: up to a first NUL, without regard to case.
bool SameName(std::wstring_view a, std::wstring_view b)
{
    a = a.substr(0, std::min(a.size(), a.find(L'\0')));
    b = b.substr(0, std::min(b.size(), b.find(L'\0')));
    return a.size() == b.size() && _wcsnicmp(a.data(), b.data(), a.size()) == 0;
}

// The name of a "[section]" line.
bool ParseHeader(std::wstring_view line, std::wstring_view& name)
{
    const std::wstring_view text = Trim(line);
    if (text.empty() || text[0] != L'[')
        return false;
    const size_t close = text.find(L']');
    name = Trim(text.substr(1, close == std::wstring_view::npos ? std::wstring_view::npos : close - 1));
    return true;
}

// The key and raw value of a "key=value" line; a line without '=' is a key without value.
bool ParseEntry(std::wstring_view line, std::wstring_view& key, std::wstring_view* value)
{
    const std::wstring_view text = Trim(line);
    if (text.empty() || text[0] == L';' || text[0] == L'[')
        return false;
    const size_t equals = text.find(L'=');
    key = Trim(text.substr(0, equals));
    if (value)
        *value = equals == std::wstring_view::npos ? std::wstring_view() : text.substr(equals + 1);
    return true;
}

std::wstring_view ValueAsRead(std::wstring_view raw)
{
    std::wstring_view value = Trim(raw);
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

std::wstring DecodeAnsi(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int count = static_cast<int>(bytes.size());
    std::wstring text(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), count, text.data(), static_cast<int>(text.size()));
    return text;
}

// A character the code page lacks is written as '?', as Windows writes it.
std::string EncodeAnsi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int count = static_cast<int>(text.size());
    std::string bytes(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, text.data(), count, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), count, bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr);
    return bytes;
}

std::wstring DecodeUtf16Le(const std::string& bytes)
{
    std::u16string units(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) | static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    std::wstring text;
    utf::DecodeUtf16(units, text);
    return text;
}

std::string EncodeUtf16Le(const std::wstring& text)
{
    std::u16string units;
    utf::EncodeUtf16(text, units);
    std::string bytes;
    bytes.reserve(2 * units.size());
    for (const char16_t unit : units) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

} // namespace

void IniDocument::Parse(std::string text)
{
    m_lines.clear();
    m_encoding = Encoding::Ansi;
    m_bom.clear();
    m_crlf = true;
    if (text.compare(0, 2, "\xFF\xFE") == 0) {
        m_encoding = Encoding::Utf16;
        m_bom = text.substr(0, 2);
    } else if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        m_encoding = Encoding::Utf8;
        m_bom = text.substr(0, 3);
    }
    text.erase(0, m_bom.size());
    // An odd last byte of a UTF-16 file is no character; kept, it would shift every line written
    // after it by one byte.
    if (m_encoding == Encoding::Utf16 && text.size() % 2 != 0)
        text.pop_back();
    SplitLines(text);
}

void IniDocument::SplitLines(const std::string& text)
{
    const size_t unit = m_encoding == Encoding::Utf16 ? 2 : 1;
    auto isUnit = [&text, unit](size_t at, char c) { return text[at] == c && (unit == 1 || text[at + 1] == 0); };
    bool anyLf = false, anyCrLf = false;
    size_t start = 0;
    for (size_t at = 0; at + unit <= text.size(); at += unit) {
        if (!isUnit(at, '\n'))
            continue;
        size_t contentEnd = at;
        if (contentEnd >= start + unit && isUnit(contentEnd - unit, '\r'))
            contentEnd -= unit;
        anyLf = true;
        anyCrLf = anyCrLf || contentEnd < at;
        Line line;
        line.bytes = text.substr(start, contentEnd - start);
        line.end = text.substr(contentEnd, at + unit - contentEnd);
        line.text = Decode(line.bytes);
        m_lines.push_back(std::move(line));
        start = at + unit;
    }
    if (start < text.size()) {
        Line line;
        line.bytes = text.substr(start);
        line.text = Decode(line.bytes);
        m_lines.push_back(std::move(line));
    }
    m_crlf = !anyLf || anyCrLf;
}

std::wstring IniDocument::Decode(const std::string& bytes) const
{
    if (m_encoding == Encoding::Utf8) {
        std::wstring text;
        utf::DecodeUtf8(bytes, text);
        return text;
    }
    if (m_encoding == Encoding::Utf16)
        return DecodeUtf16Le(bytes);
    return DecodeAnsi(bytes);
}

std::string IniDocument::Encode(const std::wstring& text) const
{
    if (m_encoding == Encoding::Utf8) {
        std::string bytes;
        utf::EncodeUtf8(text, bytes);
        return bytes;
    }
    if (m_encoding == Encoding::Utf16)
        return EncodeUtf16Le(text);
    return EncodeAnsi(text);
}

IniDocument::Line IniDocument::MakeLine(const std::wstring& text) const
{
    Line line;
    line.text = text;
    line.made = true;
    line.end = Encode(m_crlf ? L"\r\n" : L"\n");
    return line;
}

int IniDocument::Save(const std::function<int(const std::string&)>& write, std::string& bytes)
{
    bytes = m_bom;
    bool split = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        if (line.made) {
            line.bytes = Encode(line.text);
            split = split || line.text.find_first_of(L"\n") != std::wstring::npos;
        }
        bytes += line.bytes;
        // A line that had no end (the last one) gets one when a line now follows it.
        const bool needsEnd = line.end.empty() && i + 1 < m_lines.size();
        bytes += needsEnd ? Encode(m_crlf ? L"\r\n" : L"\n") : line.end;
    }
    const int err = write(bytes);
    if (err != 0)
        return err;
    // The document as the file reads back: a made line's text as the code page gives it back
    // ('?' for what it lacks). A line break inside a value splits its line in the file.
    if (split) {
        Parse(bytes);
        return 0;
    }
    for (size_t i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        if (line.made) {
            line.text = Decode(line.bytes);
            line.made = false;
        }
        if (line.end.empty() && i + 1 < m_lines.size())
            line.end = Encode(m_crlf ? L"\r\n" : L"\n");
    }
    return 0;
}

size_t IniDocument::FindSection(const std::wstring& section) const
{
    const std::wstring_view wanted = Trim(section);
    std::wstring_view name;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (ParseHeader(m_lines[i].text, name) && SameName(name, wanted))
            return i;
    return npos;
}

size_t IniDocument::SectionEnd(size_t header) const
{
    std::wstring_view name;
    for (size_t i = header + 1; i < m_lines.size(); ++i)
        if (ParseHeader(m_lines[i].text, name))
            return i;
    return m_lines.size();
}

size_t IniDocument::FindKey(size_t header, const std::wstring& key) const
{
    const size_t end = SectionEnd(header);
    const std::wstring_view wanted = Trim(key);
    std::wstring_view name;
    for (size_t i = header + 1; i < end; ++i)
        if (ParseEntry(m_lines[i].text, name, nullptr) && SameName(name, wanted))
            return i;
    return npos;
}

bool IniDocument::GetValue(const std::wstring& section, const std::wstring& key, std::wstring& value) const
{
    const size_t header = FindSection(section);
    if (header == npos)
        return false;
    const size_t line = FindKey(header, key);
    if (line == npos)
        return false;
    std::wstring_view name, raw;
    ParseEntry(m_lines[line].text, name, &raw);
    value = ValueAsRead(raw);
    return true;
}

std::vector<std::wstring> IniDocument::SectionNames() const
{
    std::vector<std::wstring> names;
    std::wstring_view name;
    for (const auto& line : m_lines)
        if (ParseHeader(line.text, name))
            names.emplace_back(name);
    return names;
}

std::vector<std::wstring> IniDocument::KeyNames(const std::wstring& section) const
{
    std::vector<std::wstring> names;
    const size_t header = FindSection(section);
    if (header == npos)
        return names;
    const size_t end = SectionEnd(header);
    std::wstring_view name;
    for (size_t i = header + 1; i < end; ++i)
        if (ParseEntry(m_lines[i].text, name, nullptr))
            names.emplace_back(name);
    return names;
}

void IniDocument::SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    const size_t header = FindSection(section);
    if (header == npos) {
        m_lines.push_back(MakeLine(L"[" + section + L"]"));
        m_lines.push_back(MakeLine(key + L"=" + value));
        return;
    }
    const size_t line = FindKey(header, key);
    if (line != npos) {
        // The key keeps its place (and its spelling); only the value changes.
        std::wstring_view name;
        ParseEntry(m_lines[line].text, name, nullptr);
        Line changed = MakeLine(std::wstring(name) + L"=" + value);
        if (!m_lines[line].end.empty())
            changed.end = m_lines[line].end;
        m_lines[line] = changed;
        return;
    }
    size_t insertAt = SectionEnd(header);
    while (insertAt > header + 1 && Trim(m_lines[insertAt - 1].text).empty())
        --insertAt;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), MakeLine(key + L"=" + value));
}

void IniDocument::DeleteKey(const std::wstring& section, const std::wstring& key)
{
    const size_t header = FindSection(section);
    if (header == npos)
        return;
    const size_t line = FindKey(header, key);
    if (line != npos)
        m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(line));
}

void IniDocument::DeleteSection(const std::wstring& section)
{
    const size_t header = FindSection(section);
    if (header == npos)
        return;
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(header),
        m_lines.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header)));
}

} // namespace win32core
