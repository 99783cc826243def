#include "vault/ReadOnlyFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qvclient {

HRESULT HResultFromErrno(int err)
{
    switch (err) {
    case ENOENT: return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    case ENOTDIR: return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    case EACCES:
    case EPERM:
    case EROFS: return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
    case EEXIST: return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
    case ENOSPC:
    case EDQUOT:
    case EFBIG: return HRESULT_FROM_WIN32(ERROR_DISK_FULL);
    case ENOMEM: return E_OUTOFMEMORY;
    default: return HRESULT_FROM_WIN32(ERROR_GEN_FAILURE);
    }
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

// Only an ordinary file is content: a link is not followed and a FIFO does not block, and what
// they are is refused as Windows refuses a reparse point it cannot open.
HRESULT ReadOnlyFile::OpenForReading(const std::string& path)
{
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (m_fd < 0)
        return errno == ELOOP ? HRESULT_FROM_WIN32(ERROR_CANT_ACCESS_FILE) : HResultFromErrno(errno);
    struct stat info {};
    if (::fstat(m_fd, &info) != 0)
        return HResultFromErrno(errno);
    if (S_ISREG(info.st_mode))
        return S_OK;
    ::close(m_fd);
    m_fd = -1;
    return HRESULT_FROM_WIN32(S_ISDIR(info.st_mode) ? ERROR_ACCESS_DENIED : ERROR_CANT_ACCESS_FILE);
}

HRESULT ReadOnlyFile::Read(void* pBuffer, size_t cb, size_t& cbRead)
{
    cbRead = 0;
    for (;;) {
        const ssize_t n = ::read(m_fd, pBuffer, cb);
        if (n >= 0) {
            cbRead = static_cast<size_t>(n);
            return S_OK;
        }
        if (errno != EINTR)
            return errno == EIO ? HRESULT_FROM_WIN32(ERROR_READ_FAULT) : HResultFromErrno(errno);
    }
}

HRESULT ReadOnlyFile::Close()
{
    if (m_fd < 0)
        return S_OK;
    const int rc = ::close(m_fd);
    m_fd = -1;
    return rc == 0 ? S_OK : HResultFromErrno(errno);
}

} // namespace qvclient
