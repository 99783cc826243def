// The vault as rows of T_StoredFileContent on the database's server: one row per chunk, numbered
// from 0; an empty content is one empty chunk, so "no rows" always means "no content".
#include <cstddef>
#include <vector>

#include "qvclient/Vault.h"

namespace qvclient {
namespace {

class ServerVault : public IVault {
public:
    explicit ServerVault(IDatabase& database) : m_database(database) {}

    HRESULT Read(const std::wstring& vaultName, const VaultSink& sink) override
    {
        for (LONGLONG chunk = 0;; ++chunk) {
            std::unique_ptr<IDbCursor> cursor;
            HRESULT hr = m_database.Query(
                L"SELECT DATA FROM T_StoredFileContent WHERE VAULT_NAME = ? AND CHUNK_NO = ?",
                {DbValue::Text(vaultName), DbValue::Integer(chunk)}, cursor);
            if (FAILED(hr))
                return hr;
            if (cursor->IsEof())
                return chunk == 0 ? HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) : S_OK;
            const DbValue data = cursor->GetValue(0);
            cursor.reset();
            if (data.type != DbValue::Type::Blob)
                return HRESULT_FROM_WIN32(ERROR_READ_FAULT);
            if (data.blob.empty())
                continue;
            hr = sink(data.blob.data(), data.blob.size());
            if (FAILED(hr))
                return hr;
        }
    }

    HRESULT Write(const std::wstring& vaultName, const VaultSource& source) override
    {
        HRESULT hr = m_database.Execute(L"DELETE FROM T_StoredFileContent WHERE VAULT_NAME = ?",
            {DbValue::Text(vaultName)});
        std::vector<BYTE> buffer(kVaultChunkSize);
        for (LONGLONG chunk = 0; SUCCEEDED(hr); ++chunk) {
            size_t cb = 0;
            hr = source(buffer.data(), buffer.size(), cb);
            if (FAILED(hr) || (cb == 0 && chunk > 0))
                break;
            hr = m_database.Execute(
                L"INSERT INTO T_StoredFileContent (VAULT_NAME, CHUNK_NO, DATA) VALUES (?, ?, ?)",
                {DbValue::Text(vaultName), DbValue::Integer(chunk),
                    DbValue::Blob(std::vector<BYTE>(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(cb)))});
            if (cb == 0)
                break;
        }
        return hr;
    }

private:
    IDatabase& m_database;
};

} // namespace

std::unique_ptr<IVault> MakeServerVault(IDatabase& database)
{
    return std::make_unique<ServerVault>(database);
}

} // namespace qvclient
