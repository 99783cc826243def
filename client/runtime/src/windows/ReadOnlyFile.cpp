// The stored file read through the C runtime on Windows; a failure is the system's own error,
// which the runtime keeps in _doserrno.
#include "vault/ReadOnlyFile.h"

#include <fcntl.h>
#include <io.h>
#include <share.h>

#include <cerrno>
#include <cstdlib>

#include <windows.h>

#include <winenv/Trace.h>

namespace qvclient {

HRESULT HResultFromErrno(int err)
{
    if (_doserrno != 0)
        return HRESULT_FROM_WIN32(_doserrno);
    return err == ENOMEM ? E_OUTOFMEMORY : HRESULT_FROM_WIN32(ERROR_GEN_FAILURE);
}

ReadOnlyFile::~ReadOnlyFile()
{
    if (m_fd >= 0)
        _close(m_fd);
}

// Only a file on disk is content: a stored file's name such as "CON" or "NUL" opens a device, and a
// pipe's read would wait; both are refused as the Linux side refuses a FIFO.
HRESULT ReadOnlyFile::OpenForReading(const std::string& path)
{
    _doserrno = 0;
    const errno_t err = _wsopen_s(&m_fd, winenv::FromUtf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT,
        _SH_DENYWR, 0);
    if (err != 0)
        return HResultFromErrno(err);
    if (GetFileType(reinterpret_cast<HANDLE>(_get_osfhandle(m_fd))) == FILE_TYPE_DISK)
        return S_OK;
    _close(m_fd);
    m_fd = -1;
    return HRESULT_FROM_WIN32(ERROR_CANT_ACCESS_FILE);
}

HRESULT ReadOnlyFile::Read(void* pBuffer, size_t cb, size_t& cbRead)
{
    cbRead = 0;
    _doserrno = 0;
    const int n = _read(m_fd, pBuffer, static_cast<unsigned>(cb > 0x40000000 ? 0x40000000 : cb));
    if (n < 0)
        return HResultFromErrno(errno);
    cbRead = static_cast<size_t>(n);
    return S_OK;
}

HRESULT ReadOnlyFile::Close()
{
    if (m_fd < 0)
        return S_OK;
    _doserrno = 0;
    const int rc = _close(m_fd);
    m_fd = -1;
    return rc == 0 ? S_OK : HResultFromErrno(errno);
}

} // namespace qvclient
