#include "Picture.h"

#include "JpegTables.h"
#include "NearWhite.h"
#include "PlainBmp.h"
#include "WholeFile.h"

#include <stb/stb_image.h>

#include <cstdio>
#include <cstring>
#include <list>
#include <memory>
#include <mutex>

namespace pdfstamp {
namespace {

// Far beyond any picture within the size limit.
constexpr long kMaxFileInMemory = 64L << 20;

// The picture's size and channels, and its pixels with `wanted` channels, from the file's bytes.
struct Source {
    const std::string* bytes;

    bool Info(int& width, int& height, int& channels) const
    {
        return stbi_info_from_memory(Data(), Size(), &width, &height, &channels);
    }
    unsigned char* Load(int& width, int& height, int& channels, int wanted) const
    {
        return stbi_load_from_memory(Data(), Size(), &width, &height, &channels, wanted);
    }
    const unsigned char* Data() const { return reinterpret_cast<const unsigned char*>(bytes->data()); }
    int Size() const { return static_cast<int>(bytes->size()); }
};

// The last few pictures decoded, by their files' bytes: a signer's picture goes on document
// after document, and comparing its bytes costs a small part of decoding them again. Only small
// pictures are kept, as signatures are.
class DecodedPictures {
public:
    bool Find(const std::string& bytes, Picture& picture)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto it = m_kept.begin(); it != m_kept.end(); ++it)
            if (it->first == bytes) {
                m_kept.splice(m_kept.begin(), m_kept, it);
                picture = it->second;
                return true;
            }
        return false;
    }

    void Keep(std::string bytes, const Picture& picture)
    {
        if (bytes.size() + picture.rgb.size() + picture.alpha.size() > kMaxKeptBytes)
            return;
        std::lock_guard<std::mutex> lock(m_mutex);
        m_kept.emplace_front(std::move(bytes), picture);
        if (m_kept.size() > kMaxKept)
            m_kept.pop_back();
    }

private:
    static constexpr size_t kMaxKept = 4;
    static constexpr size_t kMaxKeptBytes = 1 << 20;
    std::mutex m_mutex;
    std::list<std::pair<std::string, Picture>> m_kept;
};

DecodedPictures& Decoded()
{
    static DecodedPictures decoded;
    return decoded;
}

// stb_image decodes a BMP whose header says a height of 0 into an empty picture: an image of no
// pixels would make an invalid XObject.
bool HasPixels(const std::string& path, int width, int height, std::string& error)
{
    if (width > 0 && height > 0)
        return true;
    error = "picture " + path + " has no pixels (" + std::to_string(width) + " x " + std::to_string(height) + ")";
    return false;
}

bool Decode(const std::string& path, const Source& source, Picture& picture, std::string& error)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    // Before stb_image reads any of it: its header reader builds the tables too.
    if (!HuffmanTablesFit(*source.bytes)) {
        error = "cannot read picture " + path + ": a Huffman table holds more than 256 codes";
        return false;
    }
    // A few header bytes can claim any size: the decoder would allocate and fill all of it.
    const bool known = source.Info(width, height, channels);
    if (known && !HasPixels(path, width, height, error))
        return false;
    if (known && (width > kMaxPictureSide || height > kMaxPictureSide)) {
        error = "picture " + path + " is " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels, larger than " + std::to_string(kMaxPictureSide) + " x " + std::to_string(kMaxPictureSide);
        return false;
    }
    if (known && static_cast<long long>(width) * height > kMaxPicturePixels) {
        error = "picture " + path + " is " + std::to_string(width) + " x " + std::to_string(height) +
            " pixels, more than the " + std::to_string(kMaxPicturePixels) + " a signature may have";
        return false;
    }
    if (known && channels == 3 && DecodePlainBmp(*source.bytes, width, height, picture.rgb)) {
        picture.width = width;
        picture.height = height;
        picture.alpha.clear();
        KeyOutNearWhite(picture);
        return true;
    }
    // A picture of three channels has no alpha: its pixels are the RGB the SMask-less image needs.
    int wanted = known && channels == 3 ? 3 : 4;
    unsigned char* pixels = source.Load(width, height, channels, wanted);
    if (pixels && channels != 3 && wanted == 3) {
        stbi_image_free(pixels); // the header said less than the decoder found
        wanted = 4;
        pixels = source.Load(width, height, channels, wanted);
    }
    if (!pixels) {
        const char* reason = stbi_failure_reason();
        error = "cannot read picture " + path + ": " + (reason ? reason : "unknown");
        return false;
    }
    if (!HasPixels(path, width, height, error)) {
        stbi_image_free(pixels);
        return false;
    }
    std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    picture.width = width;
    picture.height = height;
    if (wanted == 3) {
        picture.rgb.assign(reinterpret_cast<const char*>(pixels), count * 3);
        picture.alpha.clear();
    } else {
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
        if (!translucent)
            picture.alpha.clear();
    }
    stbi_image_free(pixels);
    // A picture with an alpha channel says itself what covers; one without is a scan on white.
    if (channels != 2 && channels != 4)
        KeyOutNearWhite(picture);
    return true;
}

} // namespace

bool LoadPicture(const std::string& path, Picture& picture, std::string& error)
{
    std::string bytes;
    // Every picture is checked in memory before it is decoded; no signature comes near the limit.
    const WholeFile read = ReadWholeFile(path, bytes, kMaxFileInMemory);
    if (read == WholeFile::NotAFile) {
        error = "picture " + path + " is not a file";
        return false;
    }
    if (read != WholeFile::Read || bytes.empty()) {
        error = "cannot read picture " + path + " whole (at most " + std::to_string(kMaxFileInMemory >> 20) + " MB)";
        return false;
    }
    if (Decoded().Find(bytes, picture))
        return true;
    if (!Decode(path, Source{&bytes}, picture, error))
        return false;
    Decoded().Keep(std::move(bytes), picture);
    return true;
}

} // namespace pdfstamp
