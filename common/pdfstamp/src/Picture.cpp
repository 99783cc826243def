#include "Picture.h"

#include <stb/stb_image.h>

namespace pdfstamp {

bool LoadPicture(const std::string& path, Picture& picture, std::string& error)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    // A few header bytes can claim any size: the decoder would allocate and fill all of it.
    if (stbi_info(path.c_str(), &width, &height, &channels) && (width > kMaxPictureSide || height > kMaxPictureSide)) {
        error = "picture " + path + " is " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels, larger than " + std::to_string(kMaxPictureSide) + " x " + std::to_string(kMaxPictureSide);
        return false;
    }
    unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        error = "cannot read picture " + path + ": " + (reason ? reason : "unknown");
        return false;
    }
    std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(count * 3);
    picture.alpha.resize(count);
    bool translucent = false;
    for (std::size_t i = 0; i < count; ++i) {
        picture.rgb[i * 3] = static_cast<char>(pixels[i * 4]);
        picture.rgb[i * 3 + 1] = static_cast<char>(pixels[i * 4 + 1]);
        picture.rgb[i * 3 + 2] = static_cast<char>(pixels[i * 4 + 2]);
        picture.alpha[i] = static_cast<char>(pixels[i * 4 + 3]);
        translucent = translucent || pixels[i * 4 + 3] != 255;
    }
    stbi_image_free(pixels);
    if (!translucent)
        picture.alpha.clear();
    return true;
}

} // namespace pdfstamp
