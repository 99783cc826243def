// The commonest signature picture, a 24-bit uncompressed bottom-up BMP, decoded in one pass
// over its rows; stb_image takes every other kind (and this one, where it is truncated or odd).
#pragma once

#include <string>

namespace pdfstamp {

// The pixels as RGB, the top row first; false, touching nothing, when the file is not a complete
// BITMAPINFOHEADER BMP of 24 bits a pixel, uncompressed, stored bottom-up with its pixels straight
// after the headers.
bool DecodePlainBmp(const std::string& file, int& width, int& height, std::string& rgb);

} // namespace pdfstamp
