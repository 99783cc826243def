// Scratch folders and whole files, addressed by the Windows paths the module uses.
#pragma once

#include <string>
#include <vector>

namespace viztest {

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
    // A new empty folder inside (made with its parents): its Windows path.
    std::wstring MakeFolder(const std::string& name) const;

private:
    std::string m_posix;
};

std::string PosixOf(const std::wstring& windowsPath);
// A regular file (not a folder) is there.
bool FileExists(const std::wstring& windowsPath);
// The whole content, empty when the file cannot be read.
std::string ReadFile(const std::wstring& windowsPath);
std::string ReadPosixFile(const std::string& path);
void WriteFile(const std::wstring& windowsPath, const std::string& content);
// Names of the entries of a folder, sorted; FolderText joins them with blanks.
std::vector<std::string> ListFolder(const std::wstring& windowsPath);
std::string FolderText(const std::wstring& windowsPath);

} // namespace viztest
