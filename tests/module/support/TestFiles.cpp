#include "TestFiles.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include <win32host/Paths.h>
#include <win32host/Trace.h>

#ifndef MODULETEST_DATA_DIR
#error "MODULETEST_DATA_DIR names the test data folder"
#endif

namespace fs = std::filesystem;

namespace moduletest {

ScratchFolder::ScratchFolder()
{
    std::string pattern = (fs::temp_directory_path() / "viz-module-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_posix = buffer.data();
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ec;
    fs::remove_all(m_posix, ec);
}

std::wstring ScratchFolder::Windows() const { return win32host::FromPosixPath(m_posix); }

std::wstring ScratchFolder::Windows(const std::wstring& name) const { return Windows() + L"\\" + name; }

bool FileExists(const std::wstring& windowsPath)
{
    return fs::exists(win32host::ToPosixPath(windowsPath));
}

std::string ReadFile(const std::wstring& windowsPath)
{
    std::ifstream in(win32host::ToPosixPath(windowsPath), std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const std::wstring& windowsPath, const std::string& content)
{
    std::ofstream out(win32host::ToPosixPath(windowsPath), std::ios::binary);
    out << content;
}

std::string ListFolder(const std::wstring& windowsPath)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(win32host::ToPosixPath(windowsPath), ec))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : " ") + name;
    return list;
}

const std::map<std::string, std::wstring>& ExpectedSql()
{
    static const std::map<std::string, std::wstring> texts = [] {
        std::map<std::string, std::wstring> result;
        std::ifstream in(std::string(MODULETEST_DATA_DIR) + "/expected_sql.txt", std::ios::binary);
        if (!in)
            throw std::runtime_error("expected_sql.txt not found");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#')
                continue;
            size_t eq = line.find('=');
            result[line.substr(0, eq)] = win32host::FromUtf8(line.substr(eq + 1));
        }
        return result;
    }();
    return texts;
}

const std::wstring& ExpectedSql(const std::string& key)
{
    auto it = ExpectedSql().find(key);
    if (it == ExpectedSql().end())
        throw std::runtime_error("no expected SQL " + key);
    return it->second;
}

} // namespace moduletest
