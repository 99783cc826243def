#include "ProfileCache.h"

#include <unistd.h>

#include <cerrno>

namespace win32core {
namespace {

struct KeptProfile {
    std::string path;
    std::string bytes;
    IniDocument document;
    bool readAsKnown = false; // `readAs` is the check of the file the document was last read from
    struct stat readAs {};
};

KeptProfile& Kept()
{
    static KeptProfile kept;
    return kept;
}

} // namespace

// The whole file in one read where it can: a stream's buffer and chunked reads cost more than
// the lookup they serve. A short read of a regular file is its end.
int ReadProfileBytes(int fd, off_t size, std::string& bytes)
{
    bytes.clear();
    bytes.resize(static_cast<size_t>(size) + 1); // one more: a file grown since is read on
    size_t used = 0;
    for (;;) {
        const ssize_t n = pread(fd, bytes.data() + used, bytes.size() - used, static_cast<off_t>(used));
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

IniDocument& ProfileDocument(const std::string& posixPath, std::string bytes)
{
    KeptProfile& kept = Kept();
    if (kept.path == posixPath && kept.bytes == bytes)
        return kept.document;
    kept.readAsKnown = false;
    kept.document.Parse(bytes);
    kept.path = posixPath;
    kept.bytes = std::move(bytes);
    return kept.document;
}

bool ProfileUnchanged(const std::string& posixPath, const struct stat& now)
{
    const KeptProfile& kept = Kept();
    const struct stat& was = kept.readAs;
    // The change time moves with every write and truncation, and with a change of permissions;
    // unlike the write time, no call can set it back. Since Linux 6.13 a change after a check gets
    // a fine-grained time; on older kernels two same-size edits by another program within one
    // clock tick look alike, as to any cache that goes by a file's time.
    return kept.readAsKnown && kept.path == posixPath && now.st_dev == was.st_dev && now.st_ino == was.st_ino &&
           now.st_size == was.st_size &&
           now.st_ctim.tv_sec == was.st_ctim.tv_sec && now.st_ctim.tv_nsec == was.st_ctim.tv_nsec;
}

const IniDocument& KeptProfileDocument()
{
    return Kept().document;
}

void ProfileReadAs(const struct stat& info)
{
    KeptProfile& kept = Kept();
    kept.readAs = info;
    kept.readAsKnown = true;
}

void ProfileSaved(std::string bytes)
{
    KeptProfile& kept = Kept();
    kept.bytes = std::move(bytes);
    kept.readAsKnown = false; // its new times are not known without another check
}

void ForgetProfile()
{
    KeptProfile& kept = Kept();
    kept.path.clear();
    kept.bytes.clear();
    kept.readAsKnown = false;
    kept.document.Parse(std::string());
}

} // namespace win32core
