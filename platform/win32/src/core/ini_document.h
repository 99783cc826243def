// An INI file as lines, edited the way the Windows profile functions edit it: lines that are not
// touched stay as they were, a new key goes after the last line of its section, a new section at
// the end of the file.
#pragma once

#include <string>
#include <vector>

namespace win32core {

class IniDocument {
public:
    // False when the file does not exist (the document is then empty).
    bool Load(const std::string& posixPath);
    bool Save(const std::string& posixPath) const;

    // False when absent. The value is as read: trimmed, surrounding quotes removed.
    bool GetValue(const std::wstring& section, const std::wstring& key, std::wstring& value) const;
    std::vector<std::wstring> SectionNames() const;
    // Empty when the section is absent.
    std::vector<std::wstring> KeyNames(const std::wstring& section) const;

    void SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    void DeleteKey(const std::wstring& section, const std::wstring& key);
    void DeleteSection(const std::wstring& section);

private:
    static constexpr size_t npos = static_cast<size_t>(-1);
    size_t FindSection(const std::wstring& section) const; // index of the header line
    size_t SectionEnd(size_t header) const;                // index of the next header, or size()
    size_t FindKey(size_t header, const std::wstring& key) const;

    std::vector<std::wstring> m_lines;
    bool m_bom = false;
    bool m_crlf = true;
};

} // namespace win32core
