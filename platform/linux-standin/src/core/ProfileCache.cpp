#include "ProfileCache.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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
bool ReadBytes(const std::string& path, std::string& bytes)
{
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0;
    if (ok && info.st_size > 0)
        bytes.resize(static_cast<size_t>(info.st_size) + 1); // one more: a file grown since is read on
    size_t used = 0;
    while (ok) {
        if (used == bytes.size())
            bytes.resize(used < 4096 ? 4096 : used * 2);
        const ssize_t n = read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n >= 0;
        if (n <= 0)
            break;
        used += static_cast<size_t>(n);
    }
    close(fd);
    bytes.resize(ok ? used : 0);
    return ok;
}

} // namespace

const IniDocument& ReadProfile(const std::string& posixPath, IniDocument& scratch, bool& existed)
{
    KeptProfile& kept = Kept();
    std::string bytes;
    existed = true;
    if (!ReadBytes(posixPath, bytes)) {
        existed = scratch.Load(posixPath); // the file's error decides, as it did before the cache
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
