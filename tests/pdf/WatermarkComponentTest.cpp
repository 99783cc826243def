// The client's watermark component as the module uses it: created through COM, started, asked
// for IQvPdfWatermark, AddWatermark(path, 10).
#include "PdfTestSupport.h"
#include "WatermarkComponentFixture.h"

#include <QvInterfaces.h>
#include <pdfstamp/PdfStamp.h>
#include <qvclient/Watermark.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include <gtest/gtest.h>

#include <ctime>

using namespace pdftest;

namespace {

using WatermarkComponent = WatermarkComponentFixture;

TEST_F(WatermarkComponent, TheConfiguredTextIsOnEveryPage)
{
    std::string pdf = m_folder.Path("A-01.pdf");
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(pdf, L"A-01", {L"body"}, 4));
    qvclient::SetWatermarkText(L"张工 2026-12-05");

    winenv::TraceRecorder trace;
    EXPECT_EQ(S_OK, AddWatermark(pdf));
    // How it looks on each page is the drawing library's; here that it was drawn on all four.
    EXPECT_TRUE(RenderedPage(pdf, 4).AnyTint(250, 380, 350, 460));
    EXPECT_TRUE(QpdfCheckPasses(pdf));
    auto events = trace.OfKind("watermark");
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(winenv::ToUtf8(winenv::FromPosixPath(pdf)), events[0].Get("path"));
    EXPECT_EQ("0x00000000", events[0].Get("result"));
    EXPECT_EQ("4", events[0].Get("pages"));
}

TEST_F(WatermarkComponent, FilesItCannotReadFailAndStayAsTheyWere)
{
    std::string damaged = m_folder.Path("damaged.pdf");
    std::string text = m_folder.Path("notes.pdf");
    ASSERT_TRUE(pdfstamp::MakeSamplePdf(damaged, L"A-01", {}, 2));
    std::string bytes = ReadFile(damaged).substr(0, 300);
    WriteFile(damaged, bytes);
    WriteFile(text, "plain text\n");

    winenv::TraceRecorder trace;
    EXPECT_EQ(E_FAIL, AddWatermark(damaged));
    EXPECT_EQ(bytes, ReadFile(damaged));
    EXPECT_EQ(E_FAIL, AddWatermark(text));
    EXPECT_EQ("plain text\n", ReadFile(text));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND), AddWatermark(m_folder.Path("missing.pdf")));
    EXPECT_EQ(E_INVALIDARG, m_pWatermark->AddWatermark(nullptr, 10));
    auto events = trace.OfKind("watermark");
    ASSERT_EQ(4u, events.size());
    EXPECT_EQ("0x80004005", events[0].Get("result"));
    EXPECT_EQ("0x80070002", events[2].Get("result"));
}

TEST(WatermarkText, AnEmptyTextMeansTheUserAndTodaysDate)
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);

    qvclient::SetWatermarkText(L"质量部");
    EXPECT_EQ(L"质量部", qvclient::GetWatermarkText());
    qvclient::SetWatermarkText(L"");
    std::string text = winenv::ToUtf8(qvclient::GetWatermarkText());
    ASSERT_GT(text.size(), 11u);
    EXPECT_EQ(std::string(" ") + date, text.substr(text.size() - 11));
}

} // namespace
