#include "win32host/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win32host {

namespace {

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t ModeFor(const std::string& path)
{
    struct stat original {};
    if (::stat(path.c_str(), &original) == 0)
        return original.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

int WriteAll(int fd, const std::string& content)
{
    for (size_t done = 0; done < content.size();) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        done += static_cast<size_t>(n);
    }
    struct stat written {};
    if (::fstat(fd, &written) != 0)
        return errno;
    return static_cast<unsigned long long>(written.st_size) == content.size() ? 0 : EIO;
}

} // namespace

int WriteFileAtomically(const std::string& posixPath, const std::string& content)
{
    // A short name, so that a long final name cannot make the temporary one too long.
    std::string temp = FolderOf(posixPath) + "/~XXXXXX.tmp";
    const int fd = ::mkstemps(temp.data(), 4);
    if (fd < 0)
        return errno;
    int err = ::fchmod(fd, ModeFor(posixPath)) == 0 ? 0 : errno;
    if (err == 0)
        err = WriteAll(fd, content);
    // Some file systems report a full disk only when the file is closed.
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(temp.c_str(), posixPath.c_str()) != 0)
        err = errno;
    if (err != 0)
        ::unlink(temp.c_str());
    return err;
}

} // namespace win32host
