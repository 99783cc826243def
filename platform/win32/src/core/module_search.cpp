#include "module_search.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "win32host/Paths.h"
#include "win32host/Trace.h"

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

} // namespace

std::string ProgramPath()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
    return n > 0 ? std::string(path, static_cast<size_t>(n)) : std::string();
}

std::string FindLibrary(const std::wstring& name)
{
    if (name.empty())
        return std::string();
    std::wstring fileName = name;
    const size_t lastSeparator = fileName.find_last_of(L"\\/");
    const std::wstring lastElement = lastSeparator == std::wstring::npos ? fileName : fileName.substr(lastSeparator + 1);
    if (lastElement.find(L'.') == std::wstring::npos)
        fileName += L".dll";
    else if (fileName.back() == L'.')
        fileName.pop_back(); // a trailing dot means "no extension"

    const bool hasFolder = lastSeparator != std::wstring::npos || (name.size() >= 2 && name[1] == L':');
    if (hasFolder) {
        const std::string path = win32host::ToPosixPath(fileName);
        return IsRegularFile(path) ? path : std::string();
    }

    const std::string file = win32host::ToUtf8(fileName);
    std::string candidate;
    const std::string program = ProgramPath();
    if (!program.empty() && IsRegularFile(candidate = Join(program.substr(0, program.rfind('/')), file)))
        return candidate;
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) && IsRegularFile(candidate = Join(cwd, file)))
        return candidate;
    if (const char* pathVariable = std::getenv("PATH")) {
        std::string folders = pathVariable;
        size_t start = 0;
        while (start <= folders.size()) {
            size_t end = folders.find(':', start);
            if (end == std::string::npos)
                end = folders.size();
            const std::string folder = folders.substr(start, end - start);
            if (!folder.empty() && IsRegularFile(candidate = Join(folder, file)))
                return candidate;
            start = end + 1;
        }
    }
    return std::string();
}

} // namespace win32core
