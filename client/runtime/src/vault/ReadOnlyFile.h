// A file opened for reading by its descriptor (POSIX here, the C runtime's on Windows) that
// closes itself, with every read and close checked and a failure given as the HRESULT of the
// Windows error Windows would report.
#pragma once

#include <string>

#include <winerror.h>

namespace qvclient {

HRESULT HResultFromErrno(int err);

class ReadOnlyFile {
public:
    ReadOnlyFile() = default;
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    HRESULT OpenForReading(const std::string& path);
    // Reads up to cb bytes; cbRead 0 only at the end of the file.
    HRESULT Read(void* pBuffer, size_t cb, size_t& cbRead);
    // Closes; a failure to close is the file's failure.
    HRESULT Close();

private:
    int m_fd = -1;
};

} // namespace qvclient
