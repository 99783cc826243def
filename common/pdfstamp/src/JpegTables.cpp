#include "JpegTables.h"

#include <cstddef>

namespace pdfstamp {
namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kHuffmanTables = 0xC4;

bool StandsAlone(unsigned char marker)
{
    return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8); // TEM, RSTn, SOI
}

// The tables of one DHT segment's payload: each a class/id byte, sixteen counts and their codes.
bool TablesFit(const unsigned char* p, std::size_t size)
{
    std::size_t at = 0;
    while (at < size) {
        if (size - at < 17)
            return true; // a short table fails in the decoder, within its arrays
        std::size_t codes = 0;
        for (std::size_t i = 1; i <= 16; ++i)
            codes += p[at + i];
        if (codes > 256)
            return false;
        at += 17 + codes;
    }
    return true;
}

} // namespace

bool HuffmanTablesFit(const std::string& jpeg)
{
    const auto* p = reinterpret_cast<const unsigned char*>(jpeg.data());
    const std::size_t size = jpeg.size();
    std::size_t at = 2; // after SOI
    bool inScan = false;
    while (at + 1 < size) {
        if (p[at] != kMarker || (inScan && (p[at + 1] == 0x00 || (p[at + 1] >= 0xD0 && p[at + 1] <= 0xD7)))) {
            ++at; // entropy-coded data, a stuffed byte or a restart marker within a scan
            continue;
        }
        const unsigned char marker = p[at + 1];
        if (marker == kMarker) {
            ++at; // fill byte
            continue;
        }
        if (marker == kEndOfImage)
            return true;
        if (StandsAlone(marker)) {
            at += 2;
            continue;
        }
        if (at + 4 > size)
            return true;
        const std::size_t length = (std::size_t(p[at + 2]) << 8) | p[at + 3];
        if (length < 2)
            return true; // the decoder refuses it
        const std::size_t payload = length - 2;
        const std::size_t available = size - (at + 4) < payload ? size - (at + 4) : payload;
        if (marker == kHuffmanTables && !TablesFit(p + at + 4, available))
            return false;
        at += 2 + length;
        inScan = marker == kStartOfScan;
    }
    return true;
}

} // namespace pdfstamp
