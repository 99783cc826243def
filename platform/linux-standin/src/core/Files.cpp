// Files and folders by Windows path.
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

#include <winbase.h>

#include "FileSystem.h"
#include "LastError.h"
#include "winenv/Paths.h"

using namespace win32core;

extern "C" BOOL WINAPI CreateDirectoryW(LPCWSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
    if (lpPathName == nullptr || *lpPathName == 0)
        return FailWith(ERROR_PATH_NOT_FOUND);
    const std::string path = winenv::ToPosixPath(lpPathName);
    if (::mkdir(path.c_str(), 0777) == 0)
        return TRUE;
    if (errno == ENOENT)
        return FailWith(ERROR_PATH_NOT_FOUND);
    return FailWithErrno();
}

extern "C" BOOL WINAPI DeleteFileW(LPCWSTR lpFileName)
{
    const std::string path = winenv::ToPosixPath(lpFileName);
    if (PosixIsDirectory(path))
        return FailWith(ERROR_ACCESS_DENIED);
    if (::unlink(path.c_str()) == 0)
        return TRUE;
    if (errno == ENOENT)
        return FailWith(NotFoundError(path));
    return FailWithErrno();
}

extern "C" DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName)
{
    const std::string path = winenv::ToPosixPath(lpFileName);
    struct stat st;
    if (lpFileName == nullptr || ::stat(path.c_str(), &st) != 0) {
        SetLastError(errno == ENOENT ? NotFoundError(path) : Win32ErrorFromErrno(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = S_ISDIR(st.st_mode) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE;
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}
