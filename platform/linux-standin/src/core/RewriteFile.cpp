// In place rather than renamed over: a signing job is written key by key, some forty profile
// calls, and a new inode a call made ext4 scan past every inode freed in the last minutes each
// time (half a signing command's time once a few hundred jobs had run). Windows, too, opens the
// file again and writes it where it is.
#include "RewriteFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "winenv/AtomicFile.h"

namespace win32core {

int RewriteFile(FileDescriptor& fd, off_t oldSize, const std::string& posixPath, const std::string& content)
{
    const auto size = static_cast<off_t>(content.size());
    if (size > oldSize && fallocate(fd.Get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0) {
        const int err = errno;
        fd.Close();
        return err == EOPNOTSUPP || err == ENOSYS ? winenv::WriteFileAtomically(posixPath, content) : err;
    }
    int err = 0;
    for (off_t done = 0; err == 0 && done < size;) {
        const ssize_t n = pwrite(fd.Get(), content.data() + done, static_cast<size_t>(size - done), done);
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EINTR)
            err = errno;
    }
    if (err == 0 && size < oldSize && ftruncate(fd.Get(), size) != 0)
        err = errno;
    const int closed = fd.Close();
    return err != 0 ? err : closed;
}

} // namespace win32core
