#include "vault/StoredFileCopy.h"

#include <winenv/Trace.h>

#include "qvclient/Errors.h"
#include "vault/ReplacingFile.h"
#include "vault/Sha256.h"

namespace qvclient {

HRESULT CopyStoredFile(IVault& vault, const StoredFileInfo& file, const std::string& target,
    const CopyProgress& progress, ULONGLONG& cbWritten)
{
    cbWritten = 0;
    ReplacingFile out;
    HRESULT hr = out.Create(target);
    if (FAILED(hr))
        return hr;
    Sha256 sha;
    const ULONGLONG cbExpected = file.size > 0 ? static_cast<ULONGLONG>(file.size) : 0;
    ULONGLONG cbCopied = 0;
    hr = vault.Read(file.vaultName, [&](const BYTE* pData, size_t cb) -> HRESULT {
        // More than the stored size can only be wrong content: stop before it fills the disk.
        if (cbCopied + cb > cbExpected)
            return QV_E_CONTENTMISMATCH;
        const HRESULT hrWrite = out.Write(pData, cb);
        if (FAILED(hrWrite))
            return hrWrite;
        sha.Update(pData, cb);
        cbCopied += cb;
        if (progress)
            progress(cbCopied);
        return S_OK;
    });
    if (SUCCEEDED(hr) && cbCopied != cbExpected)
        hr = QV_E_CONTENTMISMATCH;
    // A row from a system that kept no SHA-256 can only be checked by its size; the trace says so.
    if (SUCCEEDED(hr) && file.sha256Recorded && sha.FinishHex() != file.sha256)
        hr = QV_E_CONTENTMISMATCH;
    if (SUCCEEDED(hr) && !file.sha256Recorded)
        winenv::Trace("content_unchecked", {{"stored_file", std::to_string(file.id)}, {"reason", "no SHA-256 recorded"}});
    if (SUCCEEDED(hr))
        hr = out.Commit();
    if (FAILED(hr))
        return hr;
    cbWritten = cbCopied;
    return S_OK;
}

} // namespace qvclient
