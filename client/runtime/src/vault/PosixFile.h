// A POSIX file descriptor that closes itself, with every read, write and close checked and a
// failure given as the HRESULT of the Windows error Windows would report.
#pragma once

#include <string>

#include <winerror.h>

namespace qvclient {

HRESULT HResultFromErrno(int err);

class PosixFile {
public:
    PosixFile() = default;
    ~PosixFile();
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    HRESULT OpenForReading(const std::string& path);
    // A new file; fails when the name is taken.
    HRESULT CreateNew(const std::string& path);
    // Reads up to cb bytes; cbRead 0 only at the end of the file.
    HRESULT Read(void* pBuffer, size_t cb, size_t& cbRead);
    // Writes every byte or fails.
    HRESULT Write(const void* pData, size_t cb);
    // Closes; a failure to close is the file's failure (late write errors show there).
    HRESULT Close();

private:
    int m_fd = -1;
};

} // namespace qvclient
