#include "NearWhite.h"

#include <algorithm>
#include <array>

namespace pdfstamp {
namespace {

// The alpha of each level, worked out once rather than divided out again for every pixel.
std::array<unsigned char, 256> AlphaOfLevel()
{
    std::array<unsigned char, 256> alpha{};
    for (int level = 0; level < 256; ++level)
        alpha[static_cast<size_t>(level)] = static_cast<unsigned char>(level >= kTransparentFrom ? 0
                : level <= kOpaqueTo ? 255
                                     : 255 * (kTransparentFrom - level) / (kTransparentFrom - kOpaqueTo));
    return alpha;
}

} // namespace

void KeyOutNearWhite(Picture& picture)
{
    static const std::array<unsigned char, 256> kAlpha = AlphaOfLevel();
    const std::size_t count = picture.rgb.size() / 3;
    std::string alpha(count, '\0');
    auto* out = reinterpret_cast<unsigned char*>(alpha.data());
    unsigned covered = 255;
    const auto* p = reinterpret_cast<const unsigned char*>(picture.rgb.data());
    for (std::size_t i = 0; i < count; ++i, p += 3) {
        const unsigned r = p[0], g = p[1], b = p[2];
        const unsigned darkest = std::min(r, std::min(g, b));
        const unsigned lightest = std::max(r, std::max(g, b));
        // A coloured pixel (blue ink) is ink even when one channel is light.
        const unsigned value = lightest - darkest > 40 ? 255 : kAlpha[darkest];
        out[i] = static_cast<unsigned char>(value);
        covered &= value;
    }
    if (covered != 255)
        picture.alpha = std::move(alpha);
}

} // namespace pdfstamp
