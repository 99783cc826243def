// A file written under a temporary name in its target's folder and renamed into place only when
// committed; until then the target is untouched, and a file never committed is removed.
#pragma once

#include <string>

#include "vault/PosixFile.h"

namespace qvclient {

class ReplacingFile {
public:
    ReplacingFile() = default;
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // The target's folder must exist (ERROR_PATH_NOT_FOUND), as for CopyFile.
    HRESULT Create(const std::string& target);
    HRESULT Write(const void* pData, size_t cb);
    // Closes the temporary file and renames it over the target.
    HRESULT Commit();
    // Removes the temporary file.
    void Discard();

    const std::string& GetTemporaryPath() const { return m_temporary; }

private:
    PosixFile m_file;
    std::string m_target;
    std::string m_temporary;
};

} // namespace qvclient
