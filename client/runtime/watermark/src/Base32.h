// RFC 4648 base32 without padding: capitals and digits only, which a QR code's alphanumeric mode
// packs at 5.5 bits a character where bytes take 8.
#pragma once

#include <string>

namespace qvclient {

std::string Base32Encode(const std::string& bytes);
// False for any character outside the alphabet, a length no byte count gives, or a last
// character whose spare bits are not zero (so every byte string has one text only).
bool Base32Decode(const std::string& text, std::string& bytes);

} // namespace qvclient
