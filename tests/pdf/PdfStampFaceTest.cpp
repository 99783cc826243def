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

} // namespace
