#include "ModuleSearch.h"

#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <windows.h>

#include "winenv/Paths.h"
#include "winenv/Trace.h"

namespace win32core {

namespace {

bool IsRegularFile(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Join(const std::string& folder, const std::string& file)
{
    if (folder.empty())
        return file;
    return folder.back() == '/' ? folder + file : folder + "/" + file;
}

// The file of that name in the folder, whatever the case of its letters (the exact spelling
// first); empty when there is none.
std::string FindInFolder(const std::string& folder, const std::string& file)
{
    std::string candidate = Join(folder, file);
    if (IsRegularFile(candidate))
        return candidate;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return std::string();
    const std::wstring wanted = winenv::FromUtf8(file);
    candidate.clear();
    while (dirent* entry = ::readdir(dir)) {
        if (_wcsicmp(winenv::FromUtf8(entry->d_name).c_str(), wanted.c_str()) == 0 &&
            IsRegularFile(Join(folder, entry->d_name))) {
            candidate = Join(folder, entry->d_name);
            break;
        }
    }
    ::closedir(dir);
    return candidate;
}

} // namespace

std::string ProgramPath()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

std::wstring LibraryFileName(const std::wstring& name)
{
    std::wstring fileName = name;
    const size_t lastSeparator = fileName.find_last_of(L"\\/");
    const std::wstring lastElement = lastSeparator == std::wstring::npos ? fileName : fileName.substr(lastSeparator + 1);
    if (lastElement.find(L'.') == std::wstring::npos)
        fileName += L".dll";
    else if (fileName.back() == L'.')
        fileName.pop_back(); // a trailing dot means "no extension"
    return fileName;
}

bool HasFolder(const std::wstring& name)
{
    return name.find_last_of(L"\\/") != std::wstring::npos || (name.size() >= 2 && name[1] == L':');
}

std::string FindLibrary(const std::wstring& name)
{
    if (name.empty())
        return std::string();
    const std::wstring fileName = LibraryFileName(name);
    if (HasFolder(name)) {
        const std::string path = winenv::ToPosixPath(fileName);
        const size_t slash = path.rfind('/');
        return slash == std::string::npos ? FindInFolder(".", path)
                                          : FindInFolder(path.substr(0, slash), path.substr(slash + 1));
    }

    // The program's folder first, and alone when the module is there, as it usually is: the
    // system folder costs a path resolution to work out.
    const std::string file = winenv::ToUtf8(fileName);
    const std::string program = ProgramPath();
    if (!program.empty()) {
        const std::string found = FindInFolder(program.substr(0, program.rfind('/')), file);
        if (!found.empty())
            return found;
    }
    std::vector<std::string> folders;
    wchar_t system[MAX_PATH];
    const UINT cchSystem = GetSystemDirectoryW(system, MAX_PATH);
    if (cchSystem > 0 && cchSystem < MAX_PATH)
        folders.push_back(winenv::ToPosixPath(system));
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd))
        folders.push_back(cwd);
    if (const char* pathVariable = std::getenv("PATH")) {
        const std::string list = pathVariable;
        for (size_t start = 0; start <= list.size();) {
            size_t end = list.find(':', start);
            if (end == std::string::npos)
                end = list.size();
            if (end > start)
                folders.push_back(list.substr(start, end - start));
            start = end + 1;
        }
    }
    for (const std::string& folder : folders) {
        const std::string found = FindInFolder(folder, file);
        if (!found.empty())
            return found;
    }
    return std::string();
}

} // namespace win32core
