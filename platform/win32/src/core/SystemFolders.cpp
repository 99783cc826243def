// The temporary, current and system folders.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

#include <winbase.h>

#include "FileSystem.h"
#include "LastError.h"
#include "win32host/Paths.h"

using namespace win32core;

namespace {

std::wstring WithBackslash(std::wstring path)
{
    if (path.empty() || path.back() != L'\\')
        path.push_back(L'\\');
    return path;
}

} // namespace

// TMP, TEMP, then TMPDIR (the POSIX name), then /tmp; always with a trailing backslash.
extern "C" DWORD WINAPI GetTempPathW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    std::string folder;
    for (const char* name : {"TMP", "TEMP", "TMPDIR"}) {
        if (const char* value = std::getenv(name); value && *value) {
            folder = value;
            break;
        }
    }
    if (folder.empty())
        folder = "/tmp";
    return CopyOutString(WithBackslash(win32host::FromPosixPath(folder)), lpBuffer, nBufferLength);
}

// The system's libraries are the C library and its neighbours: the folder libc was loaded from.
extern "C" UINT WINAPI GetSystemDirectoryW(LPWSTR lpBuffer, UINT uSize)
{
    Dl_info info{};
    std::string folder = "/usr/lib";
    if (::dladdr(reinterpret_cast<void*>(&::getpid), &info) && info.dli_fname) {
        char resolved[PATH_MAX];
        if (::realpath(info.dli_fname, resolved)) {
            folder = resolved;
            folder.erase(folder.rfind('/'));
            if (folder.empty())
                folder = "/";
        }
    }
    return CopyOutString(win32host::FromPosixPath(folder), lpBuffer, uSize);
}
