// SHA-256 over bytes given a piece at a time (OpenSSL's libcrypto).
#pragma once

#include <memory>
#include <string>

namespace qvclient {

class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void Update(const void* pData, size_t cb);
    // The digest as 64 lower-case hex digits; ends the computation.
    std::string FinishHex();

private:
    struct Context;
    std::unique_ptr<Context> m_context;
};

} // namespace qvclient
