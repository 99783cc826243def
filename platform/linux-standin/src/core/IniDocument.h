// An INI file as lines, edited the way the Windows profile functions edit it: lines that are not
// touched keep their bytes and line ends, a new key goes after the last line of its section, a new
// section at the end of the file. A file with a UTF-16LE or UTF-8 byte order mark is in that
// encoding; any other file, and a new one, is in the ANSI code page.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace win32core {

class IniDocument {
public:
    // The document a file of these bytes holds.
    void Parse(std::string bytes);
    // Gives the file's new bytes to `write` (which replaces the file with them: 0, or the errno of
    // the step that failed, the file then as it was) and to the caller. Once saved, the document is
    // the one the file reads back.
    int Save(const std::function<int(const std::string&)>& write, std::string& bytes);

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

    enum class Encoding { Ansi, Utf8, Utf16 };
    struct Line {
        std::wstring text;
        std::string bytes; // as read, without the line end; empty for a line this document made
        std::string end;   // the line end as read; a made line gets the file's usual one
        bool made = false;
    };
    Line MakeLine(const std::wstring& text) const;
    std::string Encode(const std::wstring& text) const;
    std::wstring Decode(const std::string& bytes) const;
    void SplitLines(const std::string& bytes);

    std::vector<Line> m_lines;
    Encoding m_encoding = Encoding::Ansi;
    std::string m_bom;
    bool m_crlf = true;
};

} // namespace win32core
