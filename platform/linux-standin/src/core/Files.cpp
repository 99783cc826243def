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

// The attributes of the last component itself, as Windows gives them: a link, or a FIFO, socket or
// device (on NTFS a reparse point too), is a reparse point; a link to a folder is also a folder.
extern "C" DWORD WINAPI GetFileAttributesW(LPCWSTR lpFileName)
{
    const std::string path = winenv::ToPosixPath(lpFileName);
    struct stat st;
    if (lpFileName == nullptr || ::lstat(path.c_str(), &st) != 0) {
        SetLastError(errno == ENOENT ? NotFoundError(path) : Win32ErrorFromErrno(errno));
        return INVALID_FILE_ATTRIBUTES;
    }
    DWORD attributes = 0;
    if (S_ISLNK(st.st_mode)) {
        struct stat target;
        const bool folder = ::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode);
        attributes = (folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_ARCHIVE) | FILE_ATTRIBUTE_REPARSE_POINT;
    } else if (S_ISDIR(st.st_mode)) {
        attributes = FILE_ATTRIBUTE_DIRECTORY;
    } else {
        attributes = FILE_ATTRIBUTE_ARCHIVE | (S_ISREG(st.st_mode) ? 0 : FILE_ATTRIBUTE_REPARSE_POINT);
    }
    if (!(st.st_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    return attributes;
}
