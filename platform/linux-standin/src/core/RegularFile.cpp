#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace win32core {

int OpenRegularFile(const std::string& posixPath, int flags, FileDescriptor& fd, struct stat& info)
{
    fd.Reset(::open(posixPath.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd.IsOpen()) {
        // A FIFO without a reader refuses a non-blocking writer with ENXIO.
        return errno == ENXIO ? kNotRegularFile : errno;
    }
    if (::fstat(fd.Get(), &info) != 0)
        return errno;
    if (S_ISREG(info.st_mode))
        return 0;
    fd.Reset(-1);
    return S_ISDIR(info.st_mode) ? EISDIR : kNotRegularFile;
}

} // namespace win32core
