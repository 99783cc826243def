#include "ProfileCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "RegularFile.h"

namespace win32core {
namespace {

struct KeptProfile {
    std::string path;
    std::string bytes;
    IniDocument document;
};

KeptProfile& Kept()
{
    static KeptProfile kept;
    return kept;
}

// The whole file in one read where it can: a stream's buffer and chunked reads cost more than
// the lookup they serve. A short read of a regular file is its end.
// 0, or the errno.
int ReadBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FileDescriptor fd;
    struct stat info {};
    const int opened = OpenRegularFile(path, O_RDONLY, fd, info);
    if (opened != 0)
        return opened;
    bytes.resize(static_cast<size_t>(info.st_size) + 1); // one more: a file grown since is read on
    size_t used = 0;
    for (;;) {
        const ssize_t n = read(fd.Get(), bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            bytes.clear();
            return err;
        }
        used += static_cast<size_t>(n);
        if (used < bytes.size())
            break;
        bytes.resize(used * 2);
    }
    bytes.resize(used);
    return 0;
}

} // namespace

const IniDocument& ReadProfile(const std::string& posixPath, IniDocument& scratch, int& err)
{
    KeptProfile& kept = Kept();
    std::string bytes;
    err = ReadBytes(posixPath, bytes);
    if (err != 0) {
        scratch.Parse(std::string());
        return scratch;
    }
    if (kept.path == posixPath && kept.bytes == bytes)
        return kept.document;
    kept.document.Parse(bytes);
    kept.path = posixPath;
    kept.bytes = std::move(bytes);
    return kept.document;
}

void RememberProfile(const std::string& posixPath, std::string bytes, const IniDocument& document)
{
    KeptProfile& kept = Kept();
    kept.path = posixPath;
    kept.bytes = std::move(bytes);
    kept.document = document;
}

} // namespace win32core
