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
// the lookup they serve.
// 0, or the errno.
int ReadBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FileDescriptor fd;
    const int opened = OpenRegularFile(path, O_RDONLY, fd);
    if (opened != 0)
        return opened;
    struct stat info {};
    bool ok = fstat(fd.Get(), &info) == 0;
    if (ok && info.st_size > 0)
        bytes.resize(static_cast<size_t>(info.st_size) + 1); // one more: a file grown since is read on
    size_t used = 0;
    while (ok) {
        if (used == bytes.size())
            bytes.resize(used < 4096 ? 4096 : used * 2);
        const ssize_t n = read(fd.Get(), bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n >= 0;
        if (n <= 0)
            break;
        used += static_cast<size_t>(n);
    }
    const int err = ok ? 0 : errno;
    bytes.resize(ok ? used : 0);
    return err != 0 ? err : (ok ? 0 : EIO);
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
