// The watermark: on every page, across the page's diagonal, semi-transparent, and invisible to
// text extraction.
#include "PdfTestSupport.h"

#include <pdfstamp/PdfStamp.h>

#include <gtest/gtest.h>

using namespace pdftest;

namespace {

TEST(PdfStampWatermark, IsOnEveryPageAndTheContentStaysVisibleBeneath)
{
    PosixScratchFolder folder;
    std::string pdf = folder.Path("a.pdf");
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(pdf, L"Sample", {L"line"}, 3));
    std::string bmp = folder.Path("black.bmp");
    WriteBmp(bmp, 2, 2, Rgb8{0, 0, 0});
    const pdfstamp::PictureStamp square{bmp, 197, 321, 200, 200};
    ASSERT_TRUE(pdfstamp::ApplyStamps(pdf, {square}).ok);

    auto result = pdfstamp::ApplyWatermark(pdf, {L"张工 2026-12-05"});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(3, result.drawn); // that every page shows it is the component's test
    EXPECT_TRUE(QpdfCheckPasses(pdf));

    RenderedPage page(pdf, 1);
    // The middle of the page carries grey ink; where it crosses the black square the square
    // still shows through (30 % opaque grey over black stays dark).
    EXPECT_TRUE(page.AnyInk(250, 380, 350, 460));
    Rgb8 centre = page.AtPoint(297.5, 421);
    EXPECT_LT(centre.r, 80);
    // Page corners stay clear: the text runs along the diagonal, inside the page.
    EXPECT_FALSE(page.AnyInk(0, 0, 40, 40));
    EXPECT_FALSE(page.AnyInk(555, 802, 595, 842));
}

TEST(PdfStampWatermark, TextIsLightGreyWhereItCoversWhitePaper)
{
    PosixScratchFolder folder;
    std::string pdf = folder.Path("a.pdf");
    WriteHandmadePdf(pdf, {""});
    pdfstamp::Watermark watermark;
    watermark.text = L"████████";
    watermark.coverage = 0.9;
    ASSERT_TRUE(pdfstamp::ApplyWatermark(pdf, watermark).ok);

    RenderedPage page(pdf, 1);
    Rgb8 centre = page.AtPoint(297, 421);
    // 30 % of grey 128 over white: about 217.
    EXPECT_GT(centre.r, 190);
    EXPECT_LT(centre.r, 240);
    EXPECT_EQ(centre.r, centre.g);
}

struct Extractor {
    const char* name;
    std::string (*pageText)(const std::string& pdf, int page);
};

TEST(PdfStampWatermark, ExtractedTextIsThePagesOwnInOrderWithNoWatermarkFragments)
{
    PosixScratchFolder folder;
    std::string pdf = folder.Path("a.pdf");
    const std::vector<std::wstring> lines{L"技术要求", L"1. 未注圆角 R2", L"2. 去毛刺"};
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(pdf, L"A-01 支架", lines, 1));
    const pdfstamp::TextStamp signature{L"张工 批准", L"楷体", 12, 400, 100, 0, 0, {}};
    ASSERT_TRUE(pdfstamp::ApplyStamps(pdf, {signature}).ok);
    ASSERT_TRUE(pdfstamp::ApplyWatermark(pdf, {L"李四 2026-12-05 机密"}).ok);

    const std::vector<std::string> expected{"A-01 支架", "技术要求", "1. 未注圆角 R2", "2. 去毛刺", "张工 批准"};
    for (const Extractor& extractor : {Extractor{"pdftotext", PageText}, Extractor{"mutool", PageTextMutool}}) {
        std::string text = extractor.pageText(pdf, 1);
        std::size_t at = 0;
        for (const std::string& line : expected) {
            std::size_t found = text.find(line, at);
            EXPECT_NE(std::string::npos, found) << extractor.name << ": \"" << line << "\" in order in\n" << text;
            at = found == std::string::npos ? at : found + line.size();
        }
        for (const char* fragment : {"李", "四", "机", "密", "2026"})
            EXPECT_EQ(std::string::npos, text.find(fragment)) << extractor.name << ": " << fragment << " in\n" << text;
    }
}

} // namespace
