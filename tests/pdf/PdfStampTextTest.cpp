// Text stamps: found by text extraction on the right page, embedded as a font subset with a
// Unicode map, placed and fitted where asked, in the colour asked.
#include "PdfTestSupport.h"

#include <pdfstamp/PdfStamp.h>

#include <gtest/gtest.h>

#include <sstream>

using namespace pdftest;

namespace {

class PdfStampText : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pdf = m_folder.Path("drawing.pdf");
        ASSERT_TRUE(pdfstamp::MakeSamplePdf(m_pdf, L"Sample", {L"body"}, 3));
    }

    PosixScratchFolder m_folder;
    std::string m_pdf;
};

TEST_F(PdfStampText, EveryWindowsFontNameGivesAnEmbeddedSubsetWithUnicodeMap)
{
    // Which face each name stands for is the face tests'; here how every face is embedded.
    const std::vector<std::wstring> names{L"SimSun", L"黑体", L"楷体", L"Times New Roman", L"No Such Font"};
    std::vector<pdfstamp::Stamp> stamps;
    double y = 700;
    for (const std::wstring& name : names) {
        auto stamp = TextAt(L"字体 " + name, 60, y);
        stamp.fontName = name;
        stamps.push_back(stamp);
        y -= 30;
    }
    auto result = pdfstamp::ApplyStamps(m_pdf, stamps);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(static_cast<int>(names.size()), result.drawn);

    std::string text = PageText(m_pdf, 1);
    EXPECT_NE(std::string::npos, text.find("字体 SimSun"));
    EXPECT_NE(std::string::npos, text.find("字体 Times New Roman"));
    EXPECT_NE(std::string::npos, text.find("字体 No Such Font"));
    // pdffonts: every font of the page is a CID TrueType subset, embedded, with a Unicode map.
    std::string fonts;
    ASSERT_EQ(0, pdftest::Run("pdffonts -f 1 -l 1 " + Quote(m_pdf), &fonts));
    std::istringstream lines(fonts);
    std::string line;
    int fontLines = 0;
    while (std::getline(lines, line)) {
        if (line.find('+') == std::string::npos)
            continue; // header lines
        ++fontLines;
        EXPECT_NE(std::string::npos, line.find("CID TrueType")) << line;
        EXPECT_NE(std::string::npos, line.find("Identity-H")) << line;
        EXPECT_NE(std::string::npos, line.find("yes yes yes")) << line; // emb sub uni
    }
    EXPECT_GE(fontLines, 2);
    EXPECT_TRUE(QpdfCheckPasses(m_pdf));
}

// Text with a box is shrunk into the box and coloured; text without one starts its baseline at the
// point.
TEST_F(PdfStampText, TextIsFittedIntoItsBoxOrStandsOnItsBaseline)
{
    auto boxed = TextAt(L"A rather long signature line that cannot fit", 300, 400);
    boxed.width = 60;
    boxed.height = 20;
    boxed.fontSize = 24;
    boxed.color = {255, 0, 0};
    auto free = TextAt(L"HHHH", 200, 500);
    free.fontName = L"Arial";
    free.fontSize = 20;
    ASSERT_TRUE(pdfstamp::ApplyStamps(m_pdf, {boxed, free}).ok);

    RenderedPage page(m_pdf, 1);
    ASSERT_TRUE(page.Valid());
    const struct {
        const char* what;
        double x0, y0, x1, y1;
        bool ink;
    } cases[] = {
        {"the box", 300, 400, 360, 420, true}, {"left of the box", 200, 390, 299, 430, false},
        {"right of the box", 362, 390, 500, 430, false}, {"capital H on the baseline", 200, 501, 240, 512, true},
        {"before the start", 150, 480, 199, 530, false}, {"under the baseline", 200, 485, 260, 499, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.ink, page.AnyInk(c.x0, c.y0, c.x1, c.y1)) << c.what;
    // The text is shrunk to a few points, so its ink is anti-aliased: ask for a red hue, not for a
    // saturated pixel, whatever the face the system picks.
    EXPECT_TRUE(page.Any(300, 400, 360, 420, [](Rgb8 c) { return c.r > c.g + 60 && c.r > c.b + 60; }));
}

TEST_F(PdfStampText, PagesOutsideAreSkippedNegativeOnesCountFromTheEndAndSigningAgainAdds)
{
    auto result = pdfstamp::ApplyStamps(m_pdf, {TextAt(L"last page", 100, 100, -1), TextAt(L"no page", 100, 100, 4),
                                                   TextAt(L"zero", 100, 100, 0)});
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(1, result.drawn);
    ASSERT_EQ(2u, result.skipped.size());
    EXPECT_NE(std::string::npos, result.skipped[0].find("stamp 2"));
    EXPECT_NE(std::string::npos, PageText(m_pdf, 3).find("last page"));

    ASSERT_TRUE(pdfstamp::ApplyStamps(m_pdf, {TextAt(L"第一次", 100, 100)}).ok);
    ASSERT_TRUE(pdfstamp::ApplyStamps(m_pdf, {TextAt(L"第二次", 100, 150)}).ok);
    std::string text = PageText(m_pdf, 1);
    EXPECT_NE(std::string::npos, text.find("第一次"));
    EXPECT_NE(std::string::npos, text.find("第二次"));
    EXPECT_TRUE(QpdfCheckPasses(m_pdf));
}

TEST(MakeSamplePdf, WritesTheTitleAndLinesOnEveryPage)
{
    PosixScratchFolder folder;
    std::string pdf = folder.Path("sample.pdf");
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(pdf, L"装配图 A-100", {L"第一行", L"second line"}, 4));
    EXPECT_EQ(4, PageCount(pdf));
    EXPECT_TRUE(QpdfCheckPasses(pdf));
    for (int page = 1; page <= 4; ++page) {
        std::string text = PageText(pdf, page);
        EXPECT_NE(std::string::npos, text.find("装配图 A-100")) << page;
        EXPECT_NE(std::string::npos, text.find("second line")) << page;
        EXPECT_NE(std::string::npos, text.find(std::to_string(page) + " / 4")) << page;
    }
    EXPECT_FALSE(pdfstamp::MakeSamplePdf(folder.Path("none.pdf"), L"x", {}, 0));
    EXPECT_FALSE(pdfstamp::MakeSamplePdf(folder.Path("no/such/folder.pdf"), L"x", {}, 1));
}

} // namespace
