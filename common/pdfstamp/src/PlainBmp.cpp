#include "PlainBmp.h"

#include "Picture.h"

#include <cstdint>

namespace pdfstamp {
namespace {

uint32_t Le32(const std::string& bytes, size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
        static_cast<uint32_t>(p[3]) << 24;
}

uint16_t Le16(const std::string& bytes, size_t at)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

} // namespace

bool DecodePlainBmp(const std::string& file, int& width, int& height, std::string& rgb)
{
    constexpr size_t kHeaders = 14 + 40;
    if (file.size() < kHeaders || file[0] != 'B' || file[1] != 'M' || Le32(file, 14) != 40 || Le16(file, 26) != 1 ||
        Le16(file, 28) != 24 || Le32(file, 30) != 0)
        return false;
    const auto w = static_cast<int32_t>(Le32(file, 18));
    const auto h = static_cast<int32_t>(Le32(file, 22));
    const size_t offset = Le32(file, 10);
    // stb_image refuses pixels anywhere but straight after the headers: so must this.
    if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide || offset != kHeaders)
        return false;
    const size_t row = (static_cast<size_t>(w) * 3 + 3) / 4 * 4;
    if ((file.size() - offset) / row < static_cast<size_t>(h))
        return false;
    rgb.resize(static_cast<size_t>(w) * static_cast<size_t>(h) * 3);
    auto* out = reinterpret_cast<unsigned char*>(rgb.data());
    for (int32_t y = 0; y < h; ++y) {
        const auto* in = reinterpret_cast<const unsigned char*>(file.data() + offset + static_cast<size_t>(h - 1 - y) * row);
        for (int32_t x = 0; x < w; ++x, in += 3, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    width = w;
    height = h;
    return true;
}

} // namespace pdfstamp
