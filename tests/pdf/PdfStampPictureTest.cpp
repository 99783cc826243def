// Picture stamps land where asked, at the size asked, with transparency kept.
#include "PdfTestSupport.h"

#include <pdfstamp/PdfStamp.h>

#include <gtest/gtest.h>
#include <qpdf/QPDF.hh>

using namespace pdftest;

namespace {

using Picture = pdfstamp::PictureStamp;

bool Near(Rgb8 a, Rgb8 b, int tolerance = 40)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

const Rgb8 kWhite{255, 255, 255};

std::string Le16(int v) { return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)}; }
std::string Le32(long v) { return Le16(static_cast<int>(v & 0xFFFF)) + Le16(static_cast<int>((v >> 16) & 0xFFFF)); }
std::string Be16(int v) { return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)}; }
std::string Be32(long v) { return Be16(static_cast<int>((v >> 16) & 0xFFFF)) + Be16(static_cast<int>(v & 0xFFFF)); }

// Headers alone, claiming a size; the pixel data they promise is not there.
std::string BmpHeader(int width, int height)
{
    return "BM" + Le32(54) + Le32(0) + Le32(54) + Le32(40) + Le32(width) + Le32(height) + Le16(1) + Le16(24) +
        Le32(0) + Le32(0) + Le32(2835) + Le32(2835) + Le32(0) + Le32(0);
}

std::string PngHeader(int width, int height)
{
    return std::string("\x89PNG\r\n\x1a\n", 8) + Be32(13) + "IHDR" + Be32(width) + Be32(height) +
        std::string("\x08\x06\x00\x00\x00", 5) + Be32(0);
}

std::string JpegHeader(int width, int height)
{
    return std::string("\xFF\xD8\xFF\xC0", 4) + Be16(17) + '\x08' + Be16(height) + Be16(width) + '\x03' +
        std::string("\x01\x11\x00\x02\x11\x00\x03\x11\x00", 9);
}

class PdfStampPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pdf = m_folder.Path("drawing.pdf");
        ASSERT_TRUE(pdfstamp::MakeSamplePdf(m_pdf, L"Sample", {}, 2));
    }

    PosixScratchFolder m_folder;
    std::string m_pdf;
};

// A BMP scaled into its box on page 2, one without a box (a pixel is three quarters of a point),
// a PNG whose transparent half stays white, a JPEG; each point's colour names what it checks.
TEST_F(PdfStampPicture, PicturesLandInTheirBoxesWithTransparencyKept)
{
    const std::string bmp = m_folder.Path("sign.bmp"), blue = m_folder.Path("blue.bmp");
    const std::string png = m_folder.Path("half.png"), jpg = m_folder.Path("green.jpg");
    WriteBmp(bmp, 30, 10, Rgb8{200, 0, 0});
    WriteBmp(blue, 80, 40, Rgb8{0, 0, 200});
    WritePngHalfTransparent(png, 40, 20, Rgb8{0, 0, 220});
    WriteJpeg(jpg, 16, 16, Rgb8{0, 160, 0});
    auto result = pdfstamp::ApplyStamps(m_pdf, {Picture{bmp, 100, 200, 120, 40, 2}, Picture{blue, 300, 300, 0, 0},
                                                   Picture{png, 100, 500, 80, 40}, Picture{jpg, 300, 500, 32, 32}});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(4, result.drawn);
    EXPECT_TRUE(QpdfCheckPasses(m_pdf));

    const RenderedPage pages[] = {RenderedPage(m_pdf, 1), RenderedPage(m_pdf, 2)};
    ASSERT_TRUE(pages[0].Valid() && pages[1].Valid());
    const struct {
        const char* what;
        int page;
        double x, y;
        Rgb8 colour;
    } cases[] = {
        {"BMP, lower left", 2, 102, 202, {200, 0, 0}},
        {"BMP, middle", 2, 160, 220, {200, 0, 0}},
        {"BMP, upper right", 2, 218, 238, {200, 0, 0}},
        {"left of the BMP's box", 2, 96, 220, kWhite},
        {"right of the BMP's box", 2, 224, 220, kWhite},
        {"below the BMP's box", 2, 160, 196, kWhite},
        {"above the BMP's box", 2, 160, 244, kWhite},
        {"the BMP's place on the other page", 1, 160, 220, kWhite},
        {"80 x 40 px without a box: 60 x 30 pt", 1, 358, 328, {0, 0, 200}},
        {"right of 60 pt", 1, 363, 315, kWhite},
        {"above 30 pt", 1, 330, 333, kWhite},
        {"the PNG's transparent half", 1, 115, 520, kWhite},
        {"the PNG's opaque half", 1, 165, 520, {0, 0, 220}},
        {"the JPEG", 1, 316, 516, {0, 160, 0}},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(Near(c.colour, pages[c.page - 1].AtPoint(c.x, c.y))) << c.what;
}

// The same pixels in a BMP with a V4 header (pixel data after 122 bytes, not 54): decoded by
// stb_image rather than in one pass.
std::string AsV4Bmp(const std::string& plain)
{
    std::string dib = plain.substr(14, 40);
    dib.replace(0, 4, Le32(108));
    dib += std::string(68, '\0');
    const std::string pixels = plain.substr(54);
    return "BM" + Le32(static_cast<long>(14 + dib.size() + pixels.size())) + Le32(0) + Le32(122) + dib + pixels;
}

// The image's samples are a BMP's pixels exactly, whichever decoder reads it: red, green, blue, the
// top row first (the file stores blue first and the bottom row first), with no SMask when nothing
// in it is near white;
// a BMP of greys gets its lightness ramp as the SMask (a light colour is ink), a PNG with an alpha
// channel its alpha.
TEST_F(PdfStampPicture, TheImageHoldsThePicturesPixelsInOrder)
{
    const int width = 5, v4Width = 7, height = 3;
    auto ramp = [](int x, int y) { return Rgb8{30 * x, 60 * y, 100 + 7 * x + y}; };
    const std::string bmp = m_folder.Path("ramp.bmp"), v4 = m_folder.Path("v4.bmp"), png = m_folder.Path("half.png");
    WriteBmpPixels(v4, v4Width, height, ramp);
    WriteFile(v4, AsV4Bmp(ReadFile(v4)));
    WriteBmpPixels(bmp, width, height, ramp);
    WritePngHalfTransparent(png, 4, 2, Rgb8{0, 0, 220});
    const struct {
        Rgb8 pixel;
        unsigned char alpha;
    } greys[] = {{{0, 0, 0}, 255}, {{200, 210, 220}, 255}, {{201, 201, 201}, 247}, {{218, 230, 240}, 123},
        {{234, 234, 250}, 7}, {{235, 235, 235}, 0}, {{255, 255, 255}, 0}, {{255, 255, 180}, 255}};
    const std::string grey = m_folder.Path("grey.bmp");
    WriteBmpPixels(grey, 8, 1, [&greys](int x, int) { return greys[x].pixel; });
    std::string expectedAlpha;
    for (const auto& g : greys)
        expectedAlpha += static_cast<char>(g.alpha);
    auto expected = [&ramp](int w) {
        std::string samples;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < w; ++x)
                for (int channel : {ramp(x, y).r, ramp(x, y).g, ramp(x, y).b})
                    samples += static_cast<char>(channel);
        return samples;
    };
    auto result = pdfstamp::ApplyStamps(m_pdf, {Picture{bmp, 100, 100, 50, 30}, Picture{png, 300, 100, 40, 20, 2},
                                                   Picture{grey, 100, 300, 80, 10}, Picture{v4, 300, 300, 70, 30}});
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_EQ(4, result.drawn);

    QPDF pdf;
    pdf.processFile(m_pdf.c_str());
    // The pictures by their width, wherever the stamps put them; their SMasks are images too.
    std::map<long long, QPDFObjectHandle> images;
    for (auto object : pdf.getAllObjects())
        if (object.isStream() && object.getDict().getKey("/Subtype").isNameAndEquals("/Image") &&
            object.getDict().getKey("/ColorSpace").isNameAndEquals("/DeviceRGB"))
            images[object.getDict().getKey("/Width").getIntValue()] = object;
    ASSERT_EQ(4u, images.size());
    ASSERT_TRUE(images.count(width) && images.count(v4Width) && images.count(4) && images.count(8));
    for (const auto& [what, w] : {std::pair{"the BMP", width}, std::pair{"the V4 BMP", v4Width}}) {
        const auto samples = images[w].getStreamData(qpdf_dl_all);
        EXPECT_EQ(expected(w), std::string(reinterpret_cast<const char*>(samples->getBuffer()), samples->getSize())) << what;
        EXPECT_FALSE(images[w].getDict().hasKey("/SMask")) << what;
    }
    EXPECT_TRUE(images[4].getDict().hasKey("/SMask")) << "the PNG";
    QPDFObjectHandle mask = images[8].getDict().getKey("/SMask");
    ASSERT_TRUE(mask.isStream()) << "the greys";
    const auto alpha = mask.getStreamData(qpdf_dl_all);
    EXPECT_EQ(expectedAlpha, std::string(reinterpret_cast<const char*>(alpha->getBuffer()), alpha->getSize()));
}

// A process keeps the pictures it decoded; a file rewritten under the same name and size is the
// picture it holds now, and rewritten back, the one it held first.
TEST_F(PdfStampPicture, APictureRewrittenUnderItsNameIsDrawnAsItIsNow)
{
    const std::string bmp = m_folder.Path("signer.bmp");
    const struct {
        const char* what;
        Rgb8 colour;
        int page;
        double y;
    } rounds[] = {{"the first picture", {200, 0, 0}, 1, 200}, {"the rewritten one", {0, 0, 200}, 2, 300},
        {"the first one again", {200, 0, 0}, 2, 500}};
    for (const auto& round : rounds) {
        WriteBmp(bmp, 6, 4, round.colour);
        auto result = pdfstamp::ApplyStamps(m_pdf, {Picture{bmp, 100, round.y, 60, 40, round.page}});
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(1, result.drawn) << round.what;
    }
    for (const auto& round : rounds)
        EXPECT_TRUE(Near(round.colour, RenderedPage(m_pdf, round.page).AtPoint(130, round.y + 20))) << round.what;
}

TEST_F(PdfStampPicture, AnUnreadablePictureIsSkippedAndTheRestDrawn)
{
    std::string bmp = m_folder.Path("sign.bmp");
    WriteBmp(bmp, 4, 4, Rgb8{0, 0, 0});
    WriteFile(m_folder.Path("broken.bmp"), "BM not really");
    WriteFile(m_folder.Path("empty.bmp"), BmpHeader(228, 0) + std::string(64, '\xFF')); // stb_image decodes it
    auto result = pdfstamp::ApplyStamps(m_pdf, {Picture{m_folder.Path("missing.png"), 10, 10, 10, 10},
                                                   Picture{m_folder.Path("broken.bmp"), 10, 10, 10, 10},
                                                   Picture{m_folder.Path("empty.bmp"), 10, 10, 10, 10},
                                                   Picture{bmp, 400, 400, 20, 20}});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(1, result.drawn);
    ASSERT_EQ(3u, result.skipped.size());
    EXPECT_NE(std::string::npos, result.skipped[0].find("missing.png"));
    EXPECT_NE(std::string::npos, result.skipped[2].find("empty.bmp has no pixels (228 x 0)")) << result.skipped[2];
    EXPECT_TRUE(Near(Rgb8{0, 0, 0}, RenderedPage(m_pdf, 1).AtPoint(410, 410)));
}

// A picture the decoder could not hold safely is skipped before it is decoded, however few bytes
// claim it, and named; the pictures at the bounds (4096 pixels a side, a megapixel) are drawn. A
// BMP of 78 bytes decodes to whatever its header says, its missing rows read as zeros. A JPEG
// table defines at most 256 codes; Debian's stb_image writes a longer one past its arrays.
TEST_F(PdfStampPicture, APictureTooLargeOrUnsafeToDecodeIsSkippedUnread)
{
    // 8 bits a pixel with a two-entry palette and 16 bytes of pixels.
    const auto shortBmp = [](int width, int height) {
        return "BM" + Le32(78) + Le32(0) + Le32(62) + Le32(40) + Le32(width) + Le32(height) + Le16(1) + Le16(8) +
            Le32(0) + Le32(16) + Le32(2835) + Le32(2835) + Le32(2) + Le32(0) + Le32(0) + Le32(0x00FFFFFF) +
            std::string(16, '\0');
    };
    const std::string table = "\xFF\xD8\xFF\xC4" + std::string("\x00\x17\x00", 3) + std::string(15, '\x00') +
        "\xFF" + "\xFF\xD9"; // one table of 255 codes claimed in a segment: fits
    const std::string overflowing = "\xFF\xD8\xFF\xC4" + std::string("\x00\x17\x00", 3) + std::string(4, '\xFF') +
        std::string(12, '\x00') + "\xFF\xD9"; // 4 x 255 codes
    const std::string side = " pixels, larger than 4096 x 4096", mega = " pixels, more than the 1048576 a signature may have";
    const struct {
        const char* name;
        std::string bytes;
        std::string says;
        bool refused = true; // false: not refused by the check (the decoder may still fail it)
    } cases[] = {
        {"wide.bmp", BmpHeader(4097, 2), "is 4097 x 2" + side},
        {"tall.bmp", BmpHeader(2, 4097), "is 2 x 4097" + side},
        {"huge.bmp", BmpHeader(23170, 23170), "is 23170 x 23170" + side},
        {"wide.png", PngHeader(4097, 2), "is 4097 x 2" + side},
        {"huge.png", PngHeader(20000, 10000), "is 20000 x 10000" + side},
        {"tall.jpg", JpegHeader(16, 4097), "is 16 x 4097" + side},
        {"huge.jpg", JpegHeader(65000, 65000), "is 65000 x 65000" + side},
        {"short.bmp", shortBmp(4096, 4096), "is 4096 x 4096" + mega},
        {"wide-mega.bmp", BmpHeader(4096, 257), "is 4096 x 257" + mega},
        {"square.png", PngHeader(1025, 1024), "is 1025 x 1024" + mega},
        {"long.jpg", JpegHeader(2048, 513), "is 2048 x 513" + mega},
        {"overflowing.jpg", overflowing, "a Huffman table holds more than 256 codes"},
        {"fitting.jpg", table, "Huffman table", false},
    };
    const std::string edge = m_folder.Path("edge.bmp"), megapixel = m_folder.Path("megapixel.bmp");
    WriteBmp(edge, 4096, 1, Rgb8{0, 0, 0});
    WriteBmp(megapixel, 1024, 1024, Rgb8{0, 0, 0});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string before = ReadFile(m_pdf);
        const std::string picture = m_folder.Path(c.name);
        WriteFile(picture, c.bytes);
        auto result = pdfstamp::ApplyStamps(m_pdf,
            {Picture{picture, 10, 10, 10, 10}, Picture{edge, 50, 400, 400, 10}, Picture{megapixel, 50, 450, 40, 40}});
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(2, result.drawn) << "the pictures at the bounds are drawn";
        ASSERT_EQ(1u, result.skipped.size());
        EXPECT_EQ(c.refused, result.skipped[0].find(c.says) != std::string::npos) << result.skipped[0];
        EXPECT_NE(before, ReadFile(m_pdf));
    }
    EXPECT_TRUE(Near(Rgb8{0, 0, 0}, RenderedPage(m_pdf, 1).AtPoint(250, 405)));
}

} // namespace
