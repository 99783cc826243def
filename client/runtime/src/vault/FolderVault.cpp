// The vault as a folder of files named by their vault name (the embedded database's).
#include <vector>

#include <winenv/Trace.h>

#include "qvclient/Vault.h"
#include "vault/ReadOnlyFile.h"
#include "vault/ReplacingFile.h"

namespace qvclient {
namespace {

// A name that stays inside the folder.
bool IsPlainName(const std::wstring& name)
{
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"/\\") == std::wstring::npos;
}

class FolderVault : public IVault {
public:
    explicit FolderVault(std::string folder) : m_folder(std::move(folder)) {}

    HRESULT Read(const std::wstring& vaultName, const VaultSink& sink) override
    {
        if (!IsPlainName(vaultName))
            return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
        ReadOnlyFile file;
        HRESULT hr = file.OpenForReading(PathOf(vaultName));
        if (FAILED(hr))
            return hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND) ? HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) : hr;
        // One buffer per thread for every read: most stored files are far smaller than a chunk.
        thread_local std::vector<BYTE> buffer(kVaultChunkSize);
        for (;;) {
            size_t cb = 0;
            hr = file.Read(buffer.data(), buffer.size(), cb);
            if (FAILED(hr) || cb == 0)
                return hr;
            hr = sink(buffer.data(), cb);
            if (FAILED(hr))
                return hr;
        }
    }

    HRESULT Write(const std::wstring& vaultName, const VaultSource& source) override
    {
        if (!IsPlainName(vaultName))
            return HRESULT_FROM_WIN32(ERROR_INVALID_NAME);
        ReplacingFile file;
        HRESULT hr = file.Create(PathOf(vaultName));
        if (FAILED(hr))
            return hr;
        std::vector<BYTE> buffer(kVaultChunkSize);
        for (;;) {
            size_t cb = 0;
            hr = source(buffer.data(), buffer.size(), cb);
            if (FAILED(hr))
                return hr;
            if (cb == 0)
                return file.Commit();
            hr = file.Write(buffer.data(), cb);
            if (FAILED(hr))
                return hr;
        }
    }

private:
    std::string PathOf(const std::wstring& vaultName) const { return m_folder + "/" + winenv::ToUtf8(vaultName); }

    std::string m_folder;
};

} // namespace

std::unique_ptr<IVault> MakeFolderVault(const std::string& posixFolder)
{
    return std::make_unique<FolderVault>(posixFolder);
}

} // namespace qvclient
