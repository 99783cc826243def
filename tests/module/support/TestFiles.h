// Scratch folders and file contents for the module tests.
#pragma once

#include <map>
#include <string>

namespace moduletest {

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Posix() const { return m_posix; }
    // The folder as the module sees it (a Windows path, no trailing backslash).
    std::wstring Windows() const;
    // A file or folder inside, as a Windows path.
    std::wstring Windows(const std::wstring& name) const;

private:
    std::string m_posix;
};

bool FileExists(const std::wstring& windowsPath);
// The whole content, empty when the file cannot be read.
std::string ReadFile(const std::wstring& windowsPath);
void WriteFile(const std::wstring& windowsPath, const std::string& content);
// Names of the entries of a folder, sorted.
std::string ListFolder(const std::wstring& windowsPath);

// The expected SQL texts of tests/module/data/expected_sql.txt, by key.
const std::map<std::string, std::wstring>& ExpectedSql();
const std::wstring& ExpectedSql(const std::string& key);

} // namespace moduletest
