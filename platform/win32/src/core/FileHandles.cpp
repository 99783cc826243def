// File handles on regular files. A HANDLE points at a FileHandle that this file made; CloseHandle
// and the others refuse anything else with ERROR_INVALID_HANDLE.
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include <winbase.h>

#include "FileSystem.h"
#include "LastError.h"
#include "win32host/Paths.h"

using namespace win32core;

namespace {

struct FileHandle {
    int fd;
};

std::mutex g_handlesMutex;
std::set<FileHandle*> g_handles;

FileHandle* Lookup(HANDLE h)
{
    std::lock_guard<std::mutex> lock(g_handlesMutex);
    auto* file = static_cast<FileHandle*>(h);
    return g_handles.count(file) ? file : nullptr;
}

} // namespace

extern "C" HANDLE WINAPI CreateFileW(LPCWSTR lpFileName, DWORD dwDesiredAccess, DWORD, LPSECURITY_ATTRIBUTES,
    DWORD dwCreationDisposition, DWORD, HANDLE)
{
    if (lpFileName == nullptr || *lpFileName == 0) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const std::string path = win32host::ToPosixPath(lpFileName);
    if (PosixIsDirectory(path)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    const bool read = dwDesiredAccess & GENERIC_READ;
    const bool write = dwDesiredAccess & GENERIC_WRITE;
    int flags = O_CLOEXEC | (read && write ? O_RDWR : write ? O_WRONLY : O_RDONLY);
    const bool existed = PosixExists(path);
    switch (dwCreationDisposition) {
    case CREATE_NEW: flags |= O_CREAT | O_EXCL; break;
    case CREATE_ALWAYS: flags |= O_CREAT | O_TRUNC; break;
    case OPEN_EXISTING: break;
    case OPEN_ALWAYS: flags |= O_CREAT; break;
    case TRUNCATE_EXISTING: flags |= O_TRUNC; break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const int fd = ::open(path.c_str(), flags, 0666);
    if (fd < 0) {
        SetLastError(errno == ENOENT ? NotFoundError(path) : errno == EEXIST ? ERROR_FILE_EXISTS : Win32ErrorFromErrno(errno));
        return INVALID_HANDLE_VALUE;
    }
    auto* file = new FileHandle{fd};
    {
        std::lock_guard<std::mutex> lock(g_handlesMutex);
        g_handles.insert(file);
    }
    // Opening an existing file with CREATE_ALWAYS or OPEN_ALWAYS succeeds with this note.
    const bool alwaysKind = dwCreationDisposition == CREATE_ALWAYS || dwCreationDisposition == OPEN_ALWAYS;
    SetLastError(alwaysKind && existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return file;
}

extern "C" BOOL WINAPI ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nNumberOfBytesToRead, LPDWORD lpNumberOfBytesRead,
    LPOVERLAPPED)
{
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = 0;
    FileHandle* file = Lookup(hFile);
    if (!file)
        return FailWith(ERROR_INVALID_HANDLE);
    DWORD total = 0;
    while (total < nNumberOfBytesToRead) {
        const ssize_t n = ::read(file->fd, static_cast<char*>(lpBuffer) + total, nNumberOfBytesToRead - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FailWithErrno();
        if (n == 0)
            break; // end of file: success with fewer bytes
        total += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesRead)
        *lpNumberOfBytesRead = total;
    return TRUE;
}

extern "C" BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
    LPDWORD lpNumberOfBytesWritten, LPOVERLAPPED)
{
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = 0;
    FileHandle* file = Lookup(hFile);
    if (!file)
        return FailWith(ERROR_INVALID_HANDLE);
    DWORD total = 0;
    while (total < nNumberOfBytesToWrite) {
        const ssize_t n = ::write(file->fd, static_cast<const char*>(lpBuffer) + total, nNumberOfBytesToWrite - total);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            if (lpNumberOfBytesWritten)
                *lpNumberOfBytesWritten = total;
            return FailWithErrno();
        }
        total += static_cast<DWORD>(n);
    }
    if (lpNumberOfBytesWritten)
        *lpNumberOfBytesWritten = total;
    return TRUE;
}

extern "C" DWORD WINAPI GetFileSize(HANDLE hFile, LPDWORD lpFileSizeHigh)
{
    FileHandle* file = Lookup(hFile);
    struct stat st;
    if (!file || ::fstat(file->fd, &st) != 0) {
        SetLastError(file ? Win32ErrorFromErrno(errno) : ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<ULONGLONG>(st.st_size);
    if (lpFileSizeHigh)
        *lpFileSizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

extern "C" BOOL WINAPI CloseHandle(HANDLE hObject)
{
    FileHandle* file = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_handlesMutex);
        auto it = g_handles.find(static_cast<FileHandle*>(hObject));
        if (it != g_handles.end()) {
            file = *it;
            g_handles.erase(it);
        }
    }
    if (!file)
        return FailWith(ERROR_INVALID_HANDLE);
    const int result = ::close(file->fd);
    delete file;
    return result == 0 ? TRUE : FailWithErrno();
}
