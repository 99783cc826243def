#include "vault/Sha256.h"

#include <openssl/evp.h>

#include <new>

namespace qvclient {

struct Sha256::Context {
    EVP_MD_CTX* pCtx = nullptr;
};

Sha256::Sha256() : m_context(std::make_unique<Context>())
{
    m_context->pCtx = EVP_MD_CTX_new();
    if (m_context->pCtx == nullptr || EVP_DigestInit_ex(m_context->pCtx, EVP_sha256(), nullptr) != 1)
        throw std::bad_alloc();
}

Sha256::~Sha256()
{
    EVP_MD_CTX_free(m_context->pCtx);
}

void Sha256::Update(const void* pData, size_t cb)
{
    EVP_DigestUpdate(m_context->pCtx, pData, cb);
}

std::string Sha256::FinishHex()
{
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int cb = 0;
    EVP_DigestFinal_ex(m_context->pCtx, digest, &cb);
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (unsigned int i = 0; i < cb; ++i) {
        hex += kHex[digest[i] >> 4];
        hex += kHex[digest[i] & 15];
    }
    return hex;
}

} // namespace qvclient
