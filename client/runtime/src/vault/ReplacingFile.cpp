#include "vault/ReplacingFile.h"

#include <cerrno>
#include <unistd.h>

#include "vault/ReadOnlyFile.h"

namespace qvclient {

HRESULT ReplacingFile::Create(const std::string& target)
{
    const int err = m_file.Create(target, 0644);
    if (err == ENOENT)
        return HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
    return err == 0 ? S_OK : HResultFromErrno(err);
}

HRESULT ReplacingFile::Write(const void* pData, size_t cb)
{
    const int fd = m_file.GetDescriptor();
    if (fd < 0)
        return E_UNEXPECTED;
    for (const char* p = static_cast<const char*>(pData); cb > 0;) {
        const ssize_t n = ::write(fd, p, cb);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno == EIO ? HRESULT_FROM_WIN32(ERROR_WRITE_FAULT) : HResultFromErrno(errno);
        }
        p += n;
        cb -= static_cast<size_t>(n);
    }
    return S_OK;
}

HRESULT ReplacingFile::Commit()
{
    if (m_file.GetDescriptor() < 0)
        return E_UNEXPECTED;
    const int err = m_file.Commit();
    return err == 0 ? S_OK : HResultFromErrno(err);
}

} // namespace qvclient
