// SHA-256 of fetched files with Windows' own provider (CNG).
#include <windows.h>

#include <bcrypt.h>

#include <new>

#include "vault/Sha256.h"

namespace qvclient {

struct Sha256::Context {
    BCRYPT_ALG_HANDLE hAlgorithm = nullptr;
    BCRYPT_HASH_HANDLE hHash = nullptr;
};

Sha256::Sha256() : m_context(std::make_unique<Context>())
{
    if (BCryptOpenAlgorithmProvider(&m_context->hAlgorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0 ||
        BCryptCreateHash(m_context->hAlgorithm, &m_context->hHash, nullptr, 0, nullptr, 0, 0) != 0) {
        if (m_context->hAlgorithm)
            BCryptCloseAlgorithmProvider(m_context->hAlgorithm, 0);
        throw std::bad_alloc();
    }
}

Sha256::~Sha256()
{
    BCryptDestroyHash(m_context->hHash);
    BCryptCloseAlgorithmProvider(m_context->hAlgorithm, 0);
}

void Sha256::Update(const void* pData, size_t cb)
{
    // BCryptHashData takes at most 4 GB at a time.
    for (const BYTE* p = static_cast<const BYTE*>(pData); cb > 0;) {
        const ULONG chunk = cb > 0x40000000 ? 0x40000000 : static_cast<ULONG>(cb);
        BCryptHashData(m_context->hHash, const_cast<BYTE*>(p), chunk, 0);
        p += chunk;
        cb -= chunk;
    }
}

std::string Sha256::FinishHex()
{
    BYTE digest[32];
    BCryptFinishHash(m_context->hHash, digest, sizeof digest, 0);
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (BYTE b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return hex;
}

} // namespace qvclient
