// A picture file (BMP, PNG, JPEG) decoded to 8-bit RGB, with its alpha kept apart for an SMask.
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

// False when the file is missing, not a picture stb_image can read, or larger than
// kMaxPictureSide on either side.
bool LoadPicture(const std::string& path, Picture& picture, std::string& error);

} // namespace pdfstamp
