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

// Reads the tables of a DHT segment as stb_image reads them: table after table while the
// segment's length lasts, each as long as its counts say (past the segment's end if they say so),
// a byte past the file's end read as zero. False when a table has more than 256 codes; `at` ends
// where the decoder goes on reading.
bool TablesFit(const unsigned char* p, std::size_t size, std::size_t& at, long length)
{
    auto byte = [&](std::size_t i) -> std::size_t { return i < size ? p[i] : 0; };
    while (length > 0) {
        std::size_t codes = 0;
        for (std::size_t i = 1; i <= 16; ++i)
            codes += byte(at + i);
        if (codes > 256)
            return false;
        at += 17 + codes;
        length -= static_cast<long>(17 + codes);
        if (at >= size)
            return true; // the rest is zeros: tables of no codes
    }
    return true;
}

} // namespace

bool HuffmanTablesFit(const std::string& jpeg)
{
    const auto* p = reinterpret_cast<const unsigned char*>(jpeg.data());
    const std::size_t size = jpeg.size();
    // The decoder takes any run of 0xFF before the start-of-image marker's code, as before any marker.
    std::size_t at = 0;
    if (size == 0 || p[0] != kMarker)
        return true; // not a JPEG to the decoder
    while (at < size && p[at] == kMarker)
        ++at;
    if (at >= size || p[at] != 0xD8)
        return true;
    ++at;
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
        if (at + 4 > size && marker != kHuffmanTables)
            return true;
        const std::size_t length = at + 4 <= size ? (std::size_t(p[at + 2]) << 8) | p[at + 3] : 0;
        if (length < 2)
            return true; // the decoder refuses it
        if (marker == kHuffmanTables) {
            std::size_t next = at + 4;
            if (!TablesFit(p, size, next, static_cast<long>(length) - 2))
                return false;
            at = next;
            inScan = false;
            continue;
        }
        at += 2 + length;
        inScan = marker == kStartOfScan;
    }
    return true;
}

} // namespace pdfstamp
