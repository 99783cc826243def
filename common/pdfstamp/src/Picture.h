// A picture file (BMP, PNG, JPEG) decoded to 8-bit RGB, with its alpha kept apart for an SMask:
// the file's own alpha, or for a picture without one, near-white made transparent.
#pragma once

#include <string>

namespace pdfstamp {

struct Picture {
    int width = 0;
    int height = 0;
    std::string rgb;   // width * height * 3 bytes, top row first
    std::string alpha; // width * height bytes; empty when every pixel is opaque
};

// Far beyond any signature picture; bounds what one picture may cost to decode.
constexpr int kMaxPictureSide = 4096;
// A signature scanned at 300 dpi is some 900 x 300 pixels; a megapixel leaves room for any scan of
// one and keeps a decode under 8 MB (4 bytes a pixel while decoding, then RGB and alpha).
constexpr long long kMaxPicturePixels = 1LL << 20;

// False when the file is missing, not a picture stb_image can read, larger than kMaxPictureSide on
// either side or of more than kMaxPicturePixels pixels.
bool LoadPicture(const std::string& path, Picture& picture, std::string& error);

} // namespace pdfstamp
