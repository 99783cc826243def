#include "qvclient/Vault.h"
#include "vault/Sha256.h"

namespace qvclient {

std::string Sha256Hex(const std::string& bytes)
{
    Sha256 sha;
    sha.Update(bytes.data(), bytes.size());
    return sha.FinishHex();
}

} // namespace qvclient
