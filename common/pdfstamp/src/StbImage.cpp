// The one translation unit that holds stb_image's implementation, limited to the formats
// signature pictures come in.
#include <cstdlib>

namespace {

// No single buffer of a picture within the size limits (a megapixel, at most 8 bytes a pixel in a
// 16-bit PNG) comes near this; a crafted chunk or table size that asks for more fails the decode
// instead of taking the memory.
constexpr std::size_t kMaxDecodeBuffer = std::size_t(16) << 20;

void* BoundedMalloc(std::size_t size)
{
    return size <= kMaxDecodeBuffer ? std::malloc(size) : nullptr;
}

void* BoundedRealloc(void* block, std::size_t size)
{
    return size <= kMaxDecodeBuffer ? std::realloc(block, size) : nullptr;
}

} // namespace

#define STBI_MALLOC(size) BoundedMalloc(size)
#define STBI_REALLOC(block, size) BoundedRealloc(block, size)
#define STBI_FREE(block) std::free(block)
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#if defined(__GNUC__)
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#endif
#include <stb/stb_image.h>
