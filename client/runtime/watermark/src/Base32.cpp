#include "Base32.h"

#include <cstring>

namespace qvclient {
namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";

} // namespace

std::string Base32Encode(const std::string& bytes)
{
    std::string text;
    unsigned buffer = 0;
    int bits = 0;
    for (unsigned char byte : bytes) {
        buffer = (buffer << 8) | byte;
        bits += 8;
        while (bits >= 5) {
            bits -= 5;
            text += kAlphabet[(buffer >> bits) & 31];
        }
    }
    if (bits > 0)
        text += kAlphabet[(buffer << (5 - bits)) & 31];
    return text;
}

bool Base32Decode(const std::string& text, std::string& bytes)
{
    // 2, 4, 5 and 7 characters left over are 1 to 4 bytes; 1, 3 and 6 are none.
    const size_t tail = text.size() % 8;
    if (tail == 1 || tail == 3 || tail == 6)
        return false;
    bytes.clear();
    unsigned buffer = 0;
    int bits = 0;
    for (char c : text) {
        const char* at = c != '\0' ? std::strchr(kAlphabet, c) : nullptr;
        if (at == nullptr)
            return false;
        buffer = (buffer << 5) | static_cast<unsigned>(at - kAlphabet);
        bits += 5;
        if (bits >= 8) {
            bits -= 8;
            bytes += static_cast<char>((buffer >> bits) & 0xFF);
        }
    }
    return (buffer & ((1u << bits) - 1)) == 0;
}

} // namespace qvclient
