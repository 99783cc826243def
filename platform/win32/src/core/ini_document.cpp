#include "ini_document.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <win32crt.h>

#include "utf8_codec.h"

namespace win32core {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring Trim(const std::wstring& text)
{
    size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool SameName(const std::wstring& a, const std::wstring& b) { return _wcsicmp(a.c_str(), b.c_str()) == 0; }

// The name of a "[section]" line.
bool ParseHeader(const std::wstring& line, std::wstring& name)
{
    const std::wstring text = Trim(line);
    if (text.empty() || text[0] != L'[')
        return false;
    const size_t close = text.find(L']');
    name = Trim(text.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
    return true;
}

// The key and raw value of a "key=value" line; a line without '=' is a key without value.
bool ParseEntry(const std::wstring& line, std::wstring& key, std::wstring* value)
{
    const std::wstring text = Trim(line);
    if (text.empty() || text[0] == L';' || text[0] == L'[')
        return false;
    const size_t equals = text.find(L'=');
    key = Trim(text.substr(0, equals));
    if (value)
        *value = equals == std::wstring::npos ? std::wstring() : text.substr(equals + 1);
    return true;
}

std::wstring ValueAsRead(const std::wstring& raw)
{
    std::wstring value = Trim(raw);
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0])
        value = value.substr(1, value.size() - 2);
    return value;
}

} // namespace

bool IniDocument::Load(const std::string& posixPath)
{
    m_lines.clear();
    m_bom = false;
    m_crlf = true;
    std::ifstream in(posixPath, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    std::string text = bytes.str();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        m_bom = true;
        text.erase(0, 3);
    }
    m_crlf = text.find('\n') == std::string::npos || text.find("\r\n") != std::string::npos;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t lineEnd = end;
        if (lineEnd > start && text[lineEnd - 1] == '\r')
            --lineEnd;
        m_lines.push_back(DecodeUtf8(text.data() + start, lineEnd - start));
        start = end + 1;
    }
    return true;
}

bool IniDocument::Save(const std::string& posixPath) const
{
    std::string text = m_bom ? "\xEF\xBB\xBF" : "";
    for (const auto& line : m_lines) {
        text += EncodeUtf8(line.data(), line.size());
        text += m_crlf ? "\r\n" : "\n";
    }
    std::ofstream out(posixPath, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(out.flush());
}

size_t IniDocument::FindSection(const std::wstring& section) const
{
    std::wstring name;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (ParseHeader(m_lines[i], name) && SameName(name, Trim(section)))
            return i;
    return npos;
}

size_t IniDocument::SectionEnd(size_t header) const
{
    std::wstring name;
    for (size_t i = header + 1; i < m_lines.size(); ++i)
        if (ParseHeader(m_lines[i], name))
            return i;
    return m_lines.size();
}

size_t IniDocument::FindKey(size_t header, const std::wstring& key) const
{
    const size_t end = SectionEnd(header);
    std::wstring name;
    for (size_t i = header + 1; i < end; ++i)
        if (ParseEntry(m_lines[i], name, nullptr) && SameName(name, Trim(key)))
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
    std::wstring name, raw;
    ParseEntry(m_lines[line], name, &raw);
    value = ValueAsRead(raw);
    return true;
}

std::vector<std::wstring> IniDocument::SectionNames() const
{
    std::vector<std::wstring> names;
    std::wstring name;
    for (const auto& line : m_lines)
        if (ParseHeader(line, name))
            names.push_back(name);
    return names;
}

std::vector<std::wstring> IniDocument::KeyNames(const std::wstring& section) const
{
    std::vector<std::wstring> names;
    const size_t header = FindSection(section);
    if (header == npos)
        return names;
    const size_t end = SectionEnd(header);
    std::wstring name;
    for (size_t i = header + 1; i < end; ++i)
        if (ParseEntry(m_lines[i], name, nullptr))
            names.push_back(name);
    return names;
}

void IniDocument::SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    const size_t header = FindSection(section);
    if (header == npos) {
        m_lines.push_back(L"[" + section + L"]");
        m_lines.push_back(key + L"=" + value);
        return;
    }
    const size_t line = FindKey(header, key);
    if (line != npos) {
        // The key keeps its place (and its spelling); only the value changes.
        std::wstring name;
        ParseEntry(m_lines[line], name, nullptr);
        m_lines[line] = name + L"=" + value;
        return;
    }
    size_t insertAt = SectionEnd(header);
    while (insertAt > header + 1 && Trim(m_lines[insertAt - 1]).empty())
        --insertAt;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), key + L"=" + value);
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
