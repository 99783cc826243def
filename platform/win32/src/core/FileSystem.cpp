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

bool CopyPosixFile(const std::string& from, const std::string& to, bool failIfExists)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st;
    if (::fstat(in, &st) != 0 || S_ISDIR(st.st_mode)) {
        const int err = S_ISDIR(st.st_mode) ? EACCES : errno;
        ::close(in);
        errno = err;
        return false;
    }
    const int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | (failIfExists ? O_EXCL : 0);
    const int out = ::open(to.c_str(), flags, st.st_mode & 07777);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        errno = err;
        return false;
    }
    char buffer[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out, buffer + done, static_cast<size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                ok = false;
                break;
            }
            done += w;
        }
        if (!ok)
            break;
    }
    const int err = errno;
    ::fchmod(out, st.st_mode & 07777);
    ::close(in);
    if (::close(out) != 0)
        ok = false;
    errno = ok ? 0 : err;
    return ok;
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
