// The SHA-256 functions of libcrypto, loaded on the first hash: a command that fetches no stored
// file neither maps libcrypto nor binds its 3,000 symbols at start (it is linked with -z now).
#include "delayload/DelayLoad.h"

// The stubs stay inside the client; its users link libcrypto themselves when they call it.
#pragma GCC visibility push(hidden)
#include <openssl/evp.h>
#pragma GCC visibility pop

#define VIZ_LIBCRYPTO "libcrypto.so.3"

VIZ_DELAY_LOAD(VIZ_LIBCRYPTO, EVP_MD_CTX*, EVP_MD_CTX_new, (void), ())
VIZ_DELAY_LOAD(VIZ_LIBCRYPTO, void, EVP_MD_CTX_free, (EVP_MD_CTX * ctx), (ctx))
VIZ_DELAY_LOAD(VIZ_LIBCRYPTO, const EVP_MD*, EVP_sha256, (void), ())
VIZ_DELAY_LOAD(VIZ_LIBCRYPTO, int, EVP_DigestInit_ex, (EVP_MD_CTX * ctx, const EVP_MD* type, ENGINE* impl),
    (ctx, type, impl))
VIZ_DELAY_LOAD(VIZ_LIBCRYPTO, int, EVP_DigestUpdate, (EVP_MD_CTX * ctx, const void* d, size_t cnt), (ctx, d, cnt))
VIZ_DELAY_LOAD(VIZ_LIBCRYPTO, int, EVP_DigestFinal_ex, (EVP_MD_CTX * ctx, unsigned char* md, unsigned int* s),
    (ctx, md, s))
