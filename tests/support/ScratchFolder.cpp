#include "ScratchFolder.h"

#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <winenv/Paths.h>

namespace fs = std::filesystem;

namespace viztest {

ScratchFolder::ScratchFolder()
{
    std::string pattern = (fs::temp_directory_path() / "viz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_posix = pattern;
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ec;
    fs::remove_all(m_posix, ec);
}

std::wstring ScratchFolder::Windows() const { return winenv::FromPosixPath(m_posix); }

std::wstring ScratchFolder::Windows(const std::wstring& name) const { return Windows() + L"\\" + name; }

std::wstring ScratchFolder::MakeFolder(const std::string& name) const
{
    const std::string path = m_posix + "/" + name;
    fs::create_directories(path);
    return winenv::FromPosixPath(path);
}

std::string PosixOf(const std::wstring& windowsPath) { return winenv::ToPosixPath(windowsPath); }

bool FileExists(const std::wstring& windowsPath)
{
    std::error_code ec;
    return fs::is_regular_file(PosixOf(windowsPath), ec);
}

std::string ReadPosixFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string ReadFile(const std::wstring& windowsPath) { return ReadPosixFile(PosixOf(windowsPath)); }

void WriteFile(const std::wstring& windowsPath, const std::string& content)
{
    std::ofstream out(PosixOf(windowsPath), std::ios::binary);
    out << content;
}

std::vector<std::string> ListFolder(const std::wstring& windowsPath)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(PosixOf(windowsPath), ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string FolderText(const std::wstring& windowsPath)
{
    std::string text;
    for (const std::string& name : ListFolder(windowsPath))
        text += (text.empty() ? "" : " ") + name;
    return text;
}

} // namespace viztest
