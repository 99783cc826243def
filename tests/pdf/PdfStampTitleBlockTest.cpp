// A scanned signature over a title block: the paper of the scan is not drawn, so the block's
// ruled lines stay visible around the ink.
#include "PdfTestSupport.h"

#include <pdfstamp/PdfStamp.h>

#include <gtest/gtest.h>

using namespace pdftest;

namespace {

// Three rows and a column rule, as a title block's approval cells are drawn.
const std::string kTitleBlock = "0 0 0 RG 1 w 50 100 m 350 100 l S 50 130 m 350 130 l S 50 160 m 350 160 l S"
                                " 200 90 m 200 170 l S";

// The picture covers the block at one pixel per point; its ink is a 40 x 40 blot at page
// (80..120, 110..150), away from every rule.
constexpr int kWidth = 280;
constexpr int kHeight = 80;

void WriteScan(const std::string& path, Rgb8 paper, Rgb8 ink)
{
    WriteBmpPixels(path, kWidth, kHeight,
        [paper, ink](int x, int y) { return x >= 20 && x < 60 && y >= 20 && y < 60 ? ink : paper; });
}

TEST(PdfStampTitleBlock, RuledLinesStayVisibleUnderAScannedSignature)
{
    struct Case {
        const char* name;
        std::function<void(const std::string&)> write;
    };
    const Case cases[] = {
        {"scan.bmp", [](const std::string& p) { WriteScan(p, Rgb8{255, 255, 255}, Rgb8{0, 0, 0}); }},
        {"greyish-paper.bmp", [](const std::string& p) { WriteScan(p, Rgb8{242, 240, 236}, Rgb8{30, 30, 30}); }},
        {"blue-ink.bmp", [](const std::string& p) { WriteScan(p, Rgb8{250, 250, 250}, Rgb8{20, 40, 200}); }},
        {"scan.jpg", [](const std::string& p) { WriteJpegOfContent(p, kWidth, kHeight, "0 0 0 rg 20 20 40 40 re f"); }},
    };
    PosixScratchFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string picture = folder.Path(c.name);
        c.write(picture);
        std::string pdf = folder.Path(std::string(c.name) + ".pdf");
        WriteHandmadePdf(pdf, {kTitleBlock});
        const pdfstamp::PictureStamp stamp{picture, 60, 90, kWidth, kHeight};
        auto result = pdfstamp::ApplyStamps(pdf, {stamp});
        ASSERT_TRUE(result.ok) << result.error;
        ASSERT_EQ(1, result.drawn);

        RenderedPage page(pdf, 1);
        ASSERT_TRUE(page.Valid());
        EXPECT_TRUE(page.AnyInk(95, 125, 105, 135)) << "the signature's ink";
        for (double y : {100, 130, 160})
            EXPECT_TRUE(page.AnyInk(240, y - 2, 260, y + 2)) << "the rule at y " << y;
        EXPECT_TRUE(page.AnyInk(198, 140, 202, 145)) << "the column rule";
        Rgb8 paper = page.AtPoint(250, 115);
        EXPECT_GT(paper.r + paper.g + paper.b, 3 * 245) << "between the rules the page's own white";
    }
}

} // namespace
