// The verification mark: its text and XMP round trips, and the watermark component's mark on a
// delivered PDF read back from outside, from the metadata (pdfinfo) and from a rendered page
// (pdftoppm, then ZBar's zbarimg), clear of the demo title block's signature fields.
#include "PdfTestSupport.h"
#include "WatermarkComponentFixture.h"

#include <QvInterfaces.h>
#include <pdfstamp/PdfStamp.h>
#include <qvclient/VerificationMark.h>
#include <qvclient/Watermark.h>
#include <winenv/Paths.h>

#include <gtest/gtest.h>

#include "../../client/runtime/src/fixture/DemoTitleBlock.h"

using namespace pdftest;
using qvclient::MarkContent;

namespace {

const std::string kSha = "2a5fee4d0cfc052a0d83f8cdb7077f9ebbb0207c546ba3a7c11aa26a22bd76e9";

bool operator==(const MarkContent& a, const MarkContent& b)
{
    return a.lightFileId == b.lightFileId && a.documentId == b.documentId && a.className == b.className &&
        a.revisionId == b.revisionId && a.sha256 == b.sha256 && a.user == b.user && a.date == b.date;
}

MarkContent Content(LONG lightFile, const wchar_t* className, const wchar_t* user)
{
    return MarkContent{lightFile, 118, className, 119, kSha, user, "2026-12-07"};
}

// Copies delivered before the ordered format carry the keyed one: they still read, from the text
// and from the XMP.
TEST(MarkText, EveryFieldComesBackFromTheCodesTextAndFromTheXmp)
{
    const MarkContent contents[] = {Content(124, L"Drawing", L"张工"), Content(2147483647, L"3DDocument", L""),
        Content(1, L"CappDocument", L"O'Brien & Co; a=b <x>% two  spaces ")};
    const struct {
        std::string text;
        MarkContent content;
        bool keyed;
    } cases[] = {
        {qvclient::FormatMarkText(contents[0]), contents[0], false},
        {qvclient::FormatMarkText(contents[1]), contents[1], false},
        {qvclient::FormatMarkText(contents[2]), contents[2], false},
        {"PLMMARK1 lf=124;doc=118;class=Drawing;rev=119;sha256=" + kSha + ";user=%E5%BC%A0%E5%B7%A5;date=2026-12-07",
            contents[0], true},
        {"PLMMARK1 date=2026-12-07;user=;sha256=" + kSha + ";rev=119;class=3DDocument;doc=118;lf=2147483647",
            contents[1], true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        for (unsigned char ch : c.text)
            ASSERT_TRUE(ch >= 0x20 && ch < 0x7F) << "the code's text stays ASCII";
        MarkContent parsed;
        ASSERT_TRUE(qvclient::ParseMarkText(c.text, parsed));
        EXPECT_TRUE(parsed == c.content);
        const std::string xmp = c.keyed ? "<x:xmpmeta><plmmark:Mark>" + c.text + "</plmmark:Mark></x:xmpmeta>"
                                        : qvclient::MakeMarkXmp(c.content);
        MarkContent fromXmp;
        ASSERT_TRUE(qvclient::ReadMarkXmp(xmp, fromXmp));
        EXPECT_TRUE(fromXmp == c.content);
    }
    EXPECT_EQ(L"LF124 R119 2a5fee4d", qvclient::MarkCaption(contents[0]));
}

// The checksum in base32 as Python's base64.b32encode writes its bytes, padding dropped (the
// other direction is the round trip above).
TEST(MarkText, TheChecksumIsWrittenInBase32)
{
    const struct {
        const char* sha256;
        const char* base32;
    } cases[] = {
        {"0000000000000000000000000000000000000000000000000000000000000000",
            "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"},
        {"ffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffffff",
            "777777777777777777777777777777777777777777777777777Q"},
        {kSha.c_str(), "FJP64TIM7QCSUDMD7DG3OB37T253AID4KRV2HJ6BDKRGUIV5O3UQ"},
    };
    for (const auto& c : cases) {
        MarkContent content = Content(124, L"Drawing", L"张工");
        content.sha256 = c.sha256;
        EXPECT_EQ("PLMMARK2 124 118 119 2026-12-07 " + std::string(c.base32) + " %E5%BC%A0%E5%B7%A5 Drawing",
            qvclient::FormatMarkText(content));
    }
}

TEST(MarkText, TextsThatAreNoWholeMarkAreRefused)
{
    const std::string ordered = qvclient::FormatMarkText(Content(124, L"Drawing", L"张工"));
    const std::string keyed = "PLMMARK1 lf=124;doc=118;class=Drawing;rev=119;sha256=" + kSha +
        ";user=%E5%BC%A0%E5%B7%A5;date=2026-12-07";
    auto replaced = [](std::string text, const std::string& from, const std::string& to) {
        const size_t at = text.find(from);
        EXPECT_NE(std::string::npos, at) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const std::string sha32 = "FJP64TIM7QCSUDMD7DG3OB37T253AID4KRV2HJ6BDKRGUIV5O3UQ";
    const std::string cases[] = {
        "",
        "https://example.com/",
        "PLMMARK3" + ordered.substr(8),                        // a format to come
        ordered.substr(1),                                    // no prefix
        replaced(ordered, " 118 ", " "),                      // a field missing
        ordered + " extra",                                   // one too many
        replaced(ordered, "PLMMARK2 124", "PLMMARK2 2147483648"), // beyond LONG
        replaced(ordered, "PLMMARK2 124", "PLMMARK2 -4"),
        replaced(ordered, sha32, "fjp64tim7qcsudmd7dg3ob37t253aid4krv2hj6bdkrguiv5o3uq"), // base32 is capitals
        replaced(ordered, sha32, sha32.substr(1)),            // one character short
        replaced(ordered, sha32, sha32 + "A"),                // one long
        replaced(ordered, sha32, sha32.substr(0, 51) + "R"),   // spare bits set: not the canonical text
        replaced(ordered, sha32, sha32.substr(0, 51) + "1"),   // outside the alphabet
        replaced(ordered, " %E5", " %G5"),                    // a broken escape
        replaced(ordered, " Drawing", " "),                   // no class
        replaced(ordered, " 2026-12-07 ", " 2026-12-7 "),
        keyed.substr(1),
        replaced(keyed, "lf=124;", ""),
        keyed + ";extra=1",
        replaced(keyed, "lf=124", "lf=2147483648"),
        replaced(keyed, "lf=124", "lf=-4"),
        replaced(keyed, "sha256=2a5f", "sha256=2A5F"),        // checksums are lower case
        replaced(keyed, "sha256=2a5f", "sha256=2a5"),         // one digit short
        replaced(keyed, "user=%E5", "user=%G5"),
        replaced(keyed, "class=Drawing", "class="),
    };
    for (const std::string& text : cases) {
        MarkContent parsed;
        EXPECT_FALSE(qvclient::ParseMarkText(text, parsed)) << text;
    }
    MarkContent parsed;
    EXPECT_FALSE(qvclient::ReadMarkXmp("<x:xmpmeta/>", parsed));
}

class MarkOnPdf : public WatermarkComponentFixture {
protected:
    void SetUp() override
    {
        WatermarkComponentFixture::SetUp();
        qvclient::SetWatermarkText(L"张工 2026-12-07");
    }
    void TearDown() override
    {
        qvclient::SetMarkSource(nullptr, {});
        WatermarkComponentFixture::TearDown();
    }

    // The client knows `delivered` (and no other file) as made from `content`.
    void Deliver(const std::string& delivered, const MarkContent& content, const qvclient::MarkPlacement& placement = {})
    {
        const std::wstring path = winenv::FromPosixPath(delivered);
        qvclient::SetMarkSource(
            [path, content](const std::wstring& asked, MarkContent& out) {
                if (asked != path)
                    return false;
                out = content;
                return true;
            },
            placement);
    }

    static std::string Metadata(const std::string& pdf)
    {
        std::string xmp;
        pdftest::Run("pdfinfo -meta " + Quote(pdf), &xmp);
        return xmp;
    }

    // The QR codes zbarimg reads on a page rendered at 300 dpi in grey, as a scanner would give it.
    std::string CodeOnPage(const std::string& pdf, int page)
    {
        const std::string stem = m_folder.Path("scan" + std::to_string(page));
        pdftest::Run("pdftoppm -r 300 -gray -png -singlefile -f " + std::to_string(page) + " -l " + std::to_string(page) + " " +
            Quote(pdf) + " " + Quote(stem));
        std::string text;
        pdftest::Run("zbarimg --nodbus --quiet --raw " + Quote(stem + ".png") + " 2>/dev/null", &text);
        while (!text.empty() && text.back() == '\n')
            text.pop_back();
        return text;
    }

};

TEST_F(MarkOnPdf, ComesBackFromTheMetadataAndFromTheCodeOnEveryPage)
{
    const std::string pdf = m_folder.Path("GR200-00-00装配图.pdf");
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(pdf, L"GR200-00-00", {L"body"}, 3));
    const MarkContent content = Content(124, L"Drawing", L"张工");
    Deliver(pdf, content);

    ASSERT_EQ(S_OK, AddWatermark(pdf));
    EXPECT_TRUE(QpdfCheckPasses(pdf));
    MarkContent fromXmp;
    ASSERT_TRUE(qvclient::ReadMarkXmp(Metadata(pdf), fromXmp)) << Metadata(pdf);
    EXPECT_TRUE(fromXmp == content);
    // Stored as it is, not deflated: tools that scan a file's bytes for an XMP packet find it.
    EXPECT_NE(std::string::npos, ReadFile(pdf).find("<plmmark:Mark>PLMMARK2 124 118 119 2026-12-07 "));
    for (int page = 1; page <= 3; ++page) {
        MarkContent scanned;
        const std::string code = CodeOnPage(pdf, page);
        ASSERT_TRUE(qvclient::ParseMarkText(code, scanned)) << "page " << page << ": " << code;
        EXPECT_TRUE(scanned == content) << "page " << page;
    }
    // The short code is drawn as shapes: the page's text stays the drawing's own.
    EXPECT_EQ(std::string::npos, PageText(pdf, 1).find("LF124"));
}

TEST_F(MarkOnPdf, AFileTheClientDidNotDeliverOrAMarkSwitchedOffGetsTheWatermarkAlone)
{
    const std::string other = m_folder.Path("other.pdf");
    const std::string off = m_folder.Path("off.pdf");
    for (const std::string& pdf : {other, off})
        ASSERT_TRUE(pdfstamp::MakeSamplePdf(pdf, L"A-01", {L"body"}, 1));
    qvclient::MarkPlacement switchedOff;
    switchedOff.on = false;
    const struct {
        const std::string& pdf;
        std::string delivered;
        qvclient::MarkPlacement placement;
    } cases[] = {{other, m_folder.Path("delivered.pdf"), {}}, {off, off, switchedOff}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pdf);
        Deliver(c.delivered, Content(124, L"Drawing", L"张工"), c.placement);
        ASSERT_EQ(S_OK, AddWatermark(c.pdf));
        EXPECT_EQ(std::string::npos, Metadata(c.pdf).find("plmmark")) << Metadata(c.pdf);
        const RenderedPage page(c.pdf, 1);
        EXPECT_FALSE(page.Any(0, 0, 120, 120, [](Rgb8 p) { return p.r < 100 && p.g < 100 && p.b < 100; }))
            << "no code in the corner";
        EXPECT_TRUE(page.AnyTint(250, 380, 350, 460)) << "the watermark is still drawn";
    }
}

// Where the mark goes on an A4 sheet of the demo: the black of the code and its caption (the
// watermark is a light translucent grey, the sheet blank) stays out of the title block, whose
// approval rows hold the signatures; the corners that hold the title block are refused by the test.
TEST_F(MarkOnPdf, NeverCoversTheTitleBlocksSignatureFields)
{
    using namespace qvclient::titleblock;
    const struct {
        int corner;
        bool clear; // of the title block
    } corners[] = {{0, true}, {1, true}, {2, true}, {3, false}};
    for (const auto& c : corners) {
        SCOPED_TRACE(c.corner);
        const std::string pdf = m_folder.Path("corner" + std::to_string(c.corner) + ".pdf");
        WriteHandmadePdf(pdf, {""});
        qvclient::MarkPlacement placement;
        placement.corner = c.corner;
        Deliver(pdf, Content(124, L"Drawing", L"张工"), placement);
        ASSERT_EQ(S_OK, AddWatermark(pdf));

        const RenderedPage page(pdf, 1);
        ASSERT_TRUE(page.Valid());
        auto black = [](Rgb8 p) { return p.r < 100 && p.g < 100 && p.b < 100; };
        // The code is where the placement says.
        const double x = c.corner == 0 || c.corner == 1 ? placement.margin : 595 - placement.margin - placement.size;
        const double y = c.corner == 0 || c.corner == 3 ? placement.margin : 842 - placement.margin - placement.size;
        EXPECT_TRUE(page.Any(x, y, x + placement.size, y + placement.size, black));
        EXPECT_EQ(!c.clear, page.Any(kLeft, kBottom, kLeft + kWidth, kBottom + kHeight, black));
    }
}

} // namespace
