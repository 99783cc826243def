// The signature picture decoders (BMP, PNG, JPEG, and the plain BMP reader beside them) on any
// bytes: a picture is either refused with a reason or decoded within the bounds, its buffers the
// size its dimensions say. The harness runs with a malloc limit (scripts/fuzz.sh), so a decode
// that asks for more memory than a bounded picture needs is a finding too.
#include "Picture.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "ScratchFolder.h"

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "picture: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static viztest::ScratchFolder folder;
    const std::string path = folder.Posix() + "/picture";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        Fail("cannot write the input");
    if (size != 0 && std::fwrite(data, 1, size, file) != size)
        Fail("cannot write the input");
    std::fclose(file);

    pdfstamp::Picture picture;
    std::string error;
    if (!pdfstamp::LoadPicture(path, picture, error)) {
        if (error.empty())
            Fail("refused without a reason");
        return 0;
    }
    if (picture.width <= 0 || picture.height <= 0 || picture.width > pdfstamp::kMaxPictureSide ||
        picture.height > pdfstamp::kMaxPictureSide)
        Fail("a side beyond the bound");
    const size_t pixels = static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height);
    if (pixels > static_cast<size_t>(pdfstamp::kMaxPicturePixels))
        Fail("more pixels than the bound");
    if (picture.rgb.size() != pixels * 3)
        Fail("RGB of another size");
    if (!picture.alpha.empty() && picture.alpha.size() != pixels)
        Fail("alpha of another size");
    return 0;
}
