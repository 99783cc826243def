// The system folder.
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

#include <winbase.h>

#include "FileSystem.h"
#include "LastError.h"
#include "winenv/Paths.h"

using namespace win32core;

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
    return CopyOutString(winenv::FromPosixPath(folder), lpBuffer, uSize);
}
