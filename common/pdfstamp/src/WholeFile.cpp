#include "WholeFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfstamp {

WholeFile ReadWholeFile(const std::string& path, std::string& bytes, unsigned long long maxBytes)
{
    // Non-blocking, so that opening a FIFO does not wait for a writer before fstat tells it apart.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return WholeFile::Unreadable;
    struct stat info {};
    WholeFile result = WholeFile::Read;
    if (fstat(fd, &info) != 0)
        result = WholeFile::Unreadable;
    else if (!S_ISREG(info.st_mode))
        result = WholeFile::NotAFile;
    else if (static_cast<unsigned long long>(info.st_size) > maxBytes)
        result = WholeFile::TooLarge;
    if (result == WholeFile::Read) {
        bytes.resize(static_cast<size_t>(info.st_size));
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<size_t>(n);
        }
        if (done != bytes.size())
            result = WholeFile::Unreadable;
    }
    close(fd);
    return result;
}

} // namespace pdfstamp
