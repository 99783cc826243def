// Where the content of stored files lives: a folder of files beside plm.db, or the table
// T_StoredFileContent on the PLM database's server. Content moves a chunk at a time, so a file
// of any size costs one chunk of memory.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "qvclient/Database.h"

namespace qvclient {

inline constexpr size_t kVaultChunkSize = 256 * 1024;

// Takes the next bytes of the content, in order; a failure stops the transfer and is returned.
using VaultSink = std::function<HRESULT(const BYTE* pData, size_t cb)>;
// Fills pBuffer with the next bytes (cbRead 0 at the end); a failure stops the transfer.
using VaultSource = std::function<HRESULT(BYTE* pBuffer, size_t cbMax, size_t& cbRead)>;

class IVault {
public:
    virtual ~IVault() = default;

    // Gives the content stored under the name to the sink. ERROR_FILE_NOT_FOUND when there is
    // none; a failure to read is never taken for the end of the content.
    virtual HRESULT Read(const std::wstring& vaultName, const VaultSink& sink) = 0;
    // Stores the source's bytes under the name, replacing what was there.
    virtual HRESULT Write(const std::wstring& vaultName, const VaultSource& source) = 0;
};

// Files named by their vault name in a folder (a POSIX path).
std::unique_ptr<IVault> MakeFolderVault(const std::string& posixFolder);
// Chunks in T_StoredFileContent, through a connection that outlives the vault. Reading needs
// only SELECT on that table.
std::unique_ptr<IVault> MakeServerVault(IDatabase& database);

// The whole content under the name, for files small enough to hold in memory.
HRESULT ReadVaultContent(IVault& vault, const std::wstring& vaultName, std::string& content);

// The SHA-256 of a text, as 64 lower-case hex digits.
std::string Sha256Hex(const std::string& bytes);

} // namespace qvclient
