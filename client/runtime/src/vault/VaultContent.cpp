#include "qvclient/Vault.h"

namespace qvclient {

HRESULT ReadVaultContent(IVault& vault, const std::wstring& vaultName, std::string& content)
{
    content.clear();
    return vault.Read(vaultName, [&content](const BYTE* pData, size_t cb) {
        content.append(reinterpret_cast<const char*>(pData), cb);
        return S_OK;
    });
}

} // namespace qvclient
