// A file written in its target's folder and put in the target's place only when committed; until
// then the target is untouched, and a file never committed leaves nothing behind.
#pragma once

#include <string>

#include <winenv/AtomicFile.h>
#include <winerror.h>

namespace qvclient {

class ReplacingFile {
public:
    // The target's folder must exist (ERROR_PATH_NOT_FOUND), as for CopyFile.
    HRESULT Create(const std::string& target);
    HRESULT Write(const void* pData, size_t cb);
    // Closes the file and renames it over the target.
    HRESULT Commit();
    void Discard() { m_file.Discard(); }

private:
    winenv::TemporaryFile m_file;
};

} // namespace qvclient
