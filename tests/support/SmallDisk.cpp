#include "SmallDisk.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <winenv/Paths.h>

#include "ScratchFolder.h"

namespace {

const char kFiller[] = ".filler";

// Once per process: mounts made after this are seen by this process and its children only.
bool PrivateMountNamespace(std::string& error)
{
    static const std::string failure = [] {
        if (::unshare(CLONE_NEWNS) != 0)
            return std::string("unshare(CLONE_NEWNS): ") + std::strerror(errno);
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return std::string("making / private: ") + std::strerror(errno);
        return std::string();
    }();
    error = failure;
    return failure.empty();
}

size_t PageSize()
{
    return static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

} // namespace

SmallDisk::SmallDisk(size_t bytes)
{
    if (!PrivateMountNamespace(m_error))
        return;
    char pattern[] = "/tmp/smalldisk.XXXXXX";
    if (::mkdtemp(pattern) == nullptr) {
        m_error = std::string("mkdtemp: ") + std::strerror(errno);
        return;
    }
    const std::string options = "size=" + std::to_string((bytes + PageSize() - 1) / PageSize() * PageSize());
    if (::mount("tmpfs", pattern, "tmpfs", 0, options.c_str()) != 0) {
        m_error = std::string("mounting a tmpfs: ") + std::strerror(errno);
        ::rmdir(pattern);
        return;
    }
    m_path = pattern;
}

SmallDisk::~SmallDisk()
{
    if (m_path.empty())
        return;
    ::umount2(m_path.c_str(), MNT_DETACH);
    ::rmdir(m_path.c_str());
}

size_t SmallDisk::FreeBytes() const
{
    struct statvfs info {};
    if (::statvfs(m_path.c_str(), &info) != 0)
        return 0;
    return static_cast<size_t>(info.f_bavail) * info.f_frsize;
}

void SmallDisk::RemoveFiller()
{
    ::unlink(Path(kFiller).c_str());
}

bool SmallDisk::LeaveFree(size_t freeBytes)
{
    RemoveFiller();
    const size_t available = FreeBytes();
    const size_t keep = freeBytes / PageSize() * PageSize();
    if (keep > available)
        return false;
    if (keep == available)
        return true;
    const int fd = ::open(Path(kFiller).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const bool ok = ::posix_fallocate(fd, 0, static_cast<off_t>(available - keep)) == 0;
    ::close(fd);
    return ok && FreeBytes() == keep;
}

std::vector<std::string> SmallDisk::Files() const
{
    std::vector<std::string> names = viztest::ListFolder(winenv::FromPosixPath(m_path));
    names.erase(std::remove(names.begin(), names.end(), kFiller), names.end());
    return names;
}
