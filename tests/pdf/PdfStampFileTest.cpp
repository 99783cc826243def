// The file itself (what stays byte for byte as it was is the corpus's): the result replaces the
// file atomically, and the page's own content cannot displace the stamps.
#include "PdfTestSupport.h"

#include <pdfstamp/PdfStamp.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <ctime>
#include <thread>

using namespace pdftest;

namespace {

TEST(PdfStampFile, TheFileIsReplacedKeepingItsModeAndNoTemporaryIsLeft)
{
    PosixScratchFolder folder;
    std::string pdf = folder.Path("a.pdf");
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(pdf, L"Sample", {}, 1));
    chmod(pdf.c_str(), 0640);
    struct stat before {};
    stat(pdf.c_str(), &before);

    ASSERT_TRUE(pdfstamp::ApplyStamps(pdf, {TextAt(L"签字", 100, 100)}).ok);

    struct stat after {};
    stat(pdf.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino); // a new file renamed over the old one
    EXPECT_EQ(0640u, after.st_mode & 0777);
    EXPECT_FALSE(pdfstamp::ApplyStamps(folder.Path("missing.pdf"), {TextAt(L"签字", 100, 100)}).ok);
    EXPECT_EQ(1u, folder.Files().size());

    // A sample made again in another second is the same bytes: its identifier comes from its
    // content, not from the clock.
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(folder.Path("b.pdf"), L"Sample", {}, 1));
    for (const std::time_t made = std::time(nullptr); std::time(nullptr) == made;)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(folder.Path("c.pdf"), L"Sample", {}, 1));
    EXPECT_EQ(ReadFile(folder.Path("b.pdf")), ReadFile(folder.Path("c.pdf")));
}

TEST(PdfStampFile, ContentThatLeavesATransformOpenDoesNotMoveTheStamps)
{
    PosixScratchFolder folder;
    std::string pdf = folder.Path("unbalanced.pdf");
    // Scales by 0.1, clips to a corner and never restores either.
    WriteHandmadePdf(pdf, {"q q 0.1 0 0 0.1 0 0 cm 0 0 100 100 re W n 0 0 1 rg 0 0 50 50 re f"});
    std::string bmp = folder.Path("black.bmp");
    WriteBmp(bmp, 2, 2, Rgb8{0, 0, 0});
    const pdfstamp::PictureStamp picture{bmp, 300, 300, 40, 40};
    ASSERT_TRUE(pdfstamp::ApplyStamps(pdf, {picture}).ok);

    RenderedPage page(pdf, 1);
    Rgb8 inside = page.AtPoint(320, 320);
    EXPECT_LT(inside.r + inside.g + inside.b, 60);
    Rgb8 original = page.AtPoint(2, 2); // the page's own blue square is still there
    EXPECT_GT(original.b, 200);
    EXPECT_LT(original.r, 60);
    EXPECT_TRUE(QpdfCheckPasses(pdf));
}

TEST(PdfStampFile, OnARotatedPageCoordinatesAreThoseOfThePageAsShown)
{
    PosixScratchFolder folder;
    std::string bmp = folder.Path("black.bmp");
    WriteBmp(bmp, 2, 2, Rgb8{0, 0, 0});
    for (int rotate : {90, 180, 270}) {
        std::string pdf = folder.Path("rotated" + std::to_string(rotate) + ".pdf");
        WriteHandmadePdf(pdf, {""}, rotate);
        const pdfstamp::PictureStamp picture{bmp, 50, 80, 30, 20};
        ASSERT_TRUE(pdfstamp::ApplyStamps(pdf, {picture}).ok) << rotate;

        RenderedPage page(pdf, 1);
        ASSERT_TRUE(page.Valid());
        EXPECT_EQ(rotate == 180 ? 595 : 842, page.Width()) << rotate;
        Rgb8 inside = page.AtPoint(65, 90);
        EXPECT_LT(inside.r + inside.g + inside.b, 60) << rotate;
        Rgb8 outside = page.AtPoint(65, 110);
        EXPECT_GT(outside.r + outside.g + outside.b, 700) << rotate;
    }
}

} // namespace
