#include "MemoryInput.h"

#include <qpdf/Buffer.hh>
#include <qpdf/BufferInputSource.hh>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pdfstamp {

std::shared_ptr<InputSource> ReadIntoMemory(const std::string& path, std::string& bytes, std::string& error)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            close(fd);
        error = "cannot read " + path;
        return nullptr;
    }
    bytes.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = read(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    close(fd);
    if (done != bytes.size()) {
        error = "cannot read " + path;
        return nullptr;
    }
    // The Buffer only points at the bytes (qpdf's caller-owned form); the source owns the Buffer.
    auto* view = new Buffer(reinterpret_cast<unsigned char*>(bytes.data()), bytes.size());
    return std::make_shared<BufferInputSource>(path, view, true);
}

} // namespace pdfstamp
