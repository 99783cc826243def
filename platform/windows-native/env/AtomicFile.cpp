// The replacing file on Windows: a "~XXXXXX.tmp" beside the target, opened by the C runtime so
// that the writers share their code with the Linux build, and moved over the target when complete.
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>

#include <winenv/AtomicFile.h>
#include <winenv/Trace.h>

namespace winenv {

namespace {

std::atomic<unsigned> s_nextName{0};

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : path.substr(0, slash);
}

int ErrnoOf(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return ENOSPC;
    default: return EACCES;
    }
}

} // namespace

int TemporaryFile::Create(const std::string& posixTarget, mode_t /*mode*/)
{
    Discard();
    m_target = posixTarget;
    const std::wstring folder = FolderOf(FromUtf8(posixTarget));
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t name[16];
        std::swprintf(name, 16, L"~%06X.tmp", (GetCurrentProcessId() * 7919u + s_nextName++) & 0xFFFFFF);
        const std::wstring path = folder + L"\\" + name;
        const errno_t err = _wsopen_s(&m_fd, path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _SH_DENYRW,
            _S_IREAD | _S_IWRITE);
        if (err == 0) {
            m_name = ToUtf8(path);
            return 0;
        }
        m_fd = -1;
        if (err != EEXIST)
            return err;
    }
    return EEXIST;
}

int TemporaryFile::Commit()
{
    if (m_fd < 0)
        return EBADF;
    const int closed = _close(m_fd);
    m_fd = -1;
    if (closed != 0) {
        Discard();
        return errno;
    }
    if (!MoveFileExW(FromUtf8(m_name).c_str(), FromUtf8(m_target).c_str(),
            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const int err = ErrnoOf(GetLastError());
        Discard();
        return err;
    }
    m_name.clear();
    return 0;
}

void TemporaryFile::Discard()
{
    if (m_fd >= 0)
        _close(m_fd);
    m_fd = -1;
    if (!m_name.empty())
        DeleteFileW(FromUtf8(m_name).c_str());
    m_name.clear();
}

int WriteFileAtomically(const std::string& posixPath, const std::string& content, mode_t mode)
{
    TemporaryFile file;
    int err = file.Create(posixPath, mode);
    for (size_t done = 0; err == 0 && done < content.size();) {
        const unsigned chunk = static_cast<unsigned>(std::min<size_t>(content.size() - done, 1u << 30));
        const int written = _write(file.GetDescriptor(), content.data() + done, chunk);
        if (written <= 0)
            err = written < 0 ? errno : EIO;
        else
            done += static_cast<size_t>(written);
    }
    return err == 0 ? file.Commit() : err;
}

int WriteFileAtomically(const std::string& posixPath, const std::string& content)
{
    return WriteFileAtomically(posixPath, content, 0666); // Windows has no mode to keep
}

} // namespace winenv
