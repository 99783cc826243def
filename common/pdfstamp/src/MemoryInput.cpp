#include "MemoryInput.h"

#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfstamp {

std::shared_ptr<InputSource> ReadIntoMemory(const std::string& path, std::string& error)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            close(fd);
        error = "cannot read " + path;
        return nullptr;
    }
    auto buffer = std::make_unique<Buffer>(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < buffer->getSize()) {
        const ssize_t n = read(fd, buffer->getBuffer() + done, buffer->getSize() - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    if (done != buffer->getSize()) {
        error = "cannot read " + path;
        return nullptr;
    }
    return std::make_shared<BufferInputSource>(path, buffer.release(), true);
}

} // namespace pdfstamp
