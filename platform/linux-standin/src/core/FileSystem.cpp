#include "FileSystem.h"

#include <cerrno>
#include <cwchar>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <winerror.h>

namespace win32core {

bool PosixExists(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
}

bool PosixIsDirectory(const std::string& path)
{
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

DWORD NotFoundError(const std::string& path)
{
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    const size_t slash = folder.rfind('/');
    if (slash == std::string::npos)
        return ERROR_FILE_NOT_FOUND;
    folder = slash == 0 ? "/" : folder.substr(0, slash);
    return PosixIsDirectory(folder) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
}

DWORD CopyOutString(const std::wstring& text, LPWSTR buffer, DWORD size)
{
    const DWORD needed = static_cast<DWORD>(text.size() + 1);
    if (buffer == nullptr || size < needed)
        return needed;
    std::wmemcpy(buffer, text.c_str(), needed);
    return needed - 1;
}

} // namespace win32core
