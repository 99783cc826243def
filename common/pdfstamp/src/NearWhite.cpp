#include "NearWhite.h"

#include <algorithm>

namespace pdfstamp {

void KeyOutNearWhite(Picture& picture)
{
    const std::size_t count = picture.rgb.size() / 3;
    std::string alpha(count, '\0');
    bool anyTransparent = false;
    for (std::size_t i = 0; i < count; ++i) {
        const auto* p = reinterpret_cast<const unsigned char*>(&picture.rgb[i * 3]);
        int darkest = std::min({p[0], p[1], p[2]});
        int lightest = std::max({p[0], p[1], p[2]});
        // A coloured pixel (blue ink) is ink even when one channel is light.
        int level = lightest - darkest > 40 ? 0 : darkest;
        int value = level >= kTransparentFrom ? 0
            : level <= kOpaqueTo              ? 255
                                              : 255 * (kTransparentFrom - level) / (kTransparentFrom - kOpaqueTo);
        alpha[i] = static_cast<char>(value);
        anyTransparent = anyTransparent || value != 255;
    }
    if (anyTransparent)
        picture.alpha = std::move(alpha);
}

} // namespace pdfstamp
