#include "winenv/AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

namespace winenv {

namespace {

std::atomic<unsigned> s_nextName{0};

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

// Links the unnamed file under `path`: 0, or the errno (EEXIST when the name is taken).
int LinkAs(int fd, const std::string& path)
{
    char self[32];
    std::snprintf(self, sizeof self, "/proc/self/fd/%d", fd);
    if (::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    // Without /proc, a process that may read any file can link the descriptor itself.
    if (errno == ENOENT && ::linkat(fd, "", AT_FDCWD, path.c_str(), AT_EMPTY_PATH) == 0)
        return 0;
    return errno;
}

// Gives the unnamed file a name beside the target, since a link cannot replace a file.
int LinkUnnamed(int fd, const std::string& folder, std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        char leaf[48];
        // A short name, so that a long final name cannot make the temporary one too long.
        std::snprintf(leaf, sizeof leaf, "/~%d-%u.tmp", static_cast<int>(::getpid()), s_nextName++);
        name = folder + leaf;
        const int err = LinkAs(fd, name);
        if (err == 0)
            return 0;
        if (err != EEXIST) {
            name.clear();
            return err;
        }
    }
    name.clear();
    return EEXIST;
}

} // namespace

int TemporaryFile::Create(const std::string& posixTarget, mode_t mode)
{
    Discard();
    m_target = posixTarget;
    const std::string folder = FolderOf(posixTarget);
    m_fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
    if (m_fd < 0) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
            return errno;
        m_name = folder + "/~XXXXXX.tmp";
        m_fd = ::mkostemps(m_name.data(), 4, O_CLOEXEC);
        if (m_fd < 0) {
            m_name.clear();
            return errno;
        }
    }
    // The mode exactly, whatever the umask.
    return ::fchmod(m_fd, mode) == 0 ? 0 : errno;
}

int TemporaryFile::Commit()
{
    if (m_fd < 0)
        return EBADF;
    if (m_name.empty()) {
        // A new file takes its name in one step: a temporary name and a rename only to replace one.
        int err = LinkAs(m_fd, m_target);
        if (err == 0) {
            // Some file systems report a full disk only when the file is closed.
            if (::close(m_fd) != 0) {
                err = errno;
                ::unlink(m_target.c_str());
            }
            m_fd = -1;
            return err;
        }
        if (err != EEXIST) {
            Discard();
            return err;
        }
    }
    int err = m_name.empty() ? LinkUnnamed(m_fd, FolderOf(m_target), m_name) : 0;
    // Some file systems report a full disk only when the file is closed.
    if (::close(m_fd) != 0 && err == 0)
        err = errno;
    m_fd = -1;
    if (err == 0 && ::rename(m_name.c_str(), m_target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        Discard();
        return err;
    }
    m_name.clear();
    return 0;
}

void TemporaryFile::Discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    if (!m_name.empty())
        ::unlink(m_name.c_str());
    m_name.clear();
}

int WriteFileAtomically(const std::string& posixPath, const std::string& content)
{
    return WriteFileAtomically(posixPath, content, ModeFor(posixPath));
}

int WriteFileAtomically(const std::string& posixPath, const std::string& content, mode_t mode)
{
    TemporaryFile file;
    int err = file.Create(posixPath, mode);
    if (err == 0)
        err = WriteAll(file.GetDescriptor(), content);
    return err == 0 ? file.Commit() : err;
}

} // namespace winenv
