// Typefaces: a Windows font name is drawn in the installed face of its style, character by
// character from the next face that has it, and a character no face has is named.
#include "PdfTestSupport.h"

#include <pdfstamp/PdfStamp.h>

#include <gtest/gtest.h>

using namespace pdftest;

namespace {

pdfstamp::TextStamp Text(const std::wstring& text, const std::wstring& fontName, double size = 12)
{
    pdfstamp::TextStamp stamp = TextAt(text, 60, 400);
    stamp.fontName = fontName;
    stamp.fontSize = size;
    return stamp;
}

// The page's fonts without their subset tags.
std::vector<std::string> Faces(const std::string& pdf)
{
    std::vector<std::string> faces;
    for (const std::string& name : FontNames(pdf, 1))
        faces.push_back(name.substr(name.find('+') + 1));
    return faces;
}

TEST(PdfStampFace, EachWindowsNameEmbedsTheFaceOfItsStyle)
{
    struct Case {
        const wchar_t* requested;
        const wchar_t* text;
        const char* embedded; // the PostScript name of the installed face
    };
    const Case cases[] = {
        {L"楷体", L"张工", "UKaiCN"},
        {L"KaiTi", L"张工", "UKaiCN"},
        {L"楷体_GB2312", L"张工", "UKaiCN"},
        {L"宋体", L"张工", "UMingCN"},
        {L"SimSun", L"张工", "UMingCN"},
        {L"新宋体", L"张工", "UMingCN"},
        {L"仿宋", L"张工", "UMingCN"},
        {L"黑体", L"张工", "WenQuanYiZenHei"},
        {L"SimHei", L"张工", "WenQuanYiZenHei"},
        {L"微软雅黑", L"张工", "WenQuanYiZenHei"},
        {L"Arial", L"Approved", "LiberationSans"},
        {L"Times New Roman", L"Approved", "LiberationSerif"},
        {L"Courier New", L"Approved", "LiberationMono"},
    };
    PosixScratchFolder folder;
    for (const Case& c : cases) {
        std::string name = std::string("face") + std::to_string(&c - cases) + ".pdf";
        std::string pdf = folder.Path(name);
        WriteHandmadePdf(pdf, {""});
        auto result = pdfstamp::ApplyStamps(pdf, {Text(c.text, c.requested)});
        ASSERT_TRUE(result.ok) << name << ": " << result.error;
        EXPECT_EQ(std::vector<std::string>{c.embedded}, Faces(pdf)) << name;
    }
}

TEST(PdfStampFace, ACharacterTheFaceLacksComesFromTheNextAndOneNoFaceHasIsNamed)
{
    PosixScratchFolder folder;
    std::string pdf = folder.Path("mixed.pdf");
    WriteHandmadePdf(pdf, {""});
    // Hangul and the emoji are not in the Kai face but in others; U+10FFFD is in none.
    auto result = pdfstamp::ApplyStamps(pdf, {Text(L"签名 한 \U0001F600 \U0010FFFD", L"楷体")});
    ASSERT_TRUE(result.ok) << result.error;

    std::vector<std::string> faces = Faces(pdf);
    std::sort(faces.begin(), faces.end());
    EXPECT_EQ((std::vector<std::string>{"DejaVuSans", "UKaiCN", "WenQuanYiZenHei"}), faces);
    EXPECT_NE(std::string::npos, PageText(pdf, 1).find("签名 한")) << PageText(pdf, 1);
    ASSERT_EQ(1u, result.warnings.size());
    EXPECT_NE(std::string::npos, result.warnings[0].find("stamp 1: no installed font has U+10FFFD")) << result.warnings[0];
}

// Rendered, the Windows name looks exactly like the installed family it stands for, and the two
// styles look different.
TEST(PdfStampFace, TheRenderedPageShowsTheFaceOfTheRequestedStyle)
{
    PosixScratchFolder folder;
    auto render = [&folder](const std::wstring& fontName) {
        std::string pdf = folder.Path("render" + std::to_string(folder.Files().size()) + ".pdf");
        WriteHandmadePdf(pdf, {""});
        EXPECT_TRUE(pdfstamp::ApplyStamps(pdf, {Text(L"永字八法", fontName, 48)}).ok);
        RenderedPage page(pdf, 1);
        std::vector<int> ink;
        for (int y = 380; y < 460; ++y)
            for (int x = 60; x < 260; ++x)
                ink.push_back(page.AtPoint(x, y).r);
        return ink;
    };
    auto differing = [](const std::vector<int>& a, const std::vector<int>& b) {
        int count = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            count += std::abs(a[i] - b[i]) > 64 ? 1 : 0;
        return count;
    };
    std::vector<int> kai = render(L"楷体");
    std::vector<int> song = render(L"宋体");
    EXPECT_EQ(0, differing(kai, render(L"AR PL UKai CN")));
    EXPECT_EQ(0, differing(song, render(L"AR PL UMing CN")));
    EXPECT_GT(differing(kai, song), 500);
}

} // namespace
