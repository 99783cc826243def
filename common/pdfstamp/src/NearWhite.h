// Scanned signatures are dark ink on white paper: the paper must not cover the drawing.
#pragma once

#include "Picture.h"

namespace pdfstamp {

// Gives a picture without alpha an alpha from its lightness: near-white is fully transparent,
// ink fully opaque, with a short ramp between so that anti-aliased edges stay smooth.
void KeyOutNearWhite(Picture& picture);

// The ramp's ends, as the lightest channel of a pixel: at or above kTransparentFrom a pixel is
// fully transparent (scanner and JPEG noise on white stays below 20 levels), at or below
// kOpaqueTo fully opaque.
constexpr int kTransparentFrom = 235;
constexpr int kOpaqueTo = 200;

} // namespace pdfstamp
