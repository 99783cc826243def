// The signing plug-in on a disk that runs full at every point of the write: it either replaces the
// PDF with a whole, valid one and says so, or fails and leaves it byte for byte as it was, with
// nothing beside it. The watermark writes through the same replacement; that it turns a failure
// into E_FAIL is the component's test.
#include "PdfTestSupport.h"
#include "SmallDisk.h"

#include <SignPdf.h>
#include <pdfstamp/PdfStamp.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace pdftest;

namespace {

// A writer's outcome for one amount of free space: true when it says it replaced the PDF.
using Writer = std::function<bool(const std::string& pdf)>;

class PdfOnAFullDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pdfstamp::MakeSamplePdf(m_scratch.Path("A-01.pdf"), L"A-01", {L"body"}, 3));
        m_original = ReadFile(m_scratch.Path("A-01.pdf"));
    }

    // Runs the writer with free space from none up to more than the new file needs, a PDF as it
    // was made each time; `others` are the files that stay beside the PDF.
    void RunAtEveryFreeSize(SmallDisk& disk, const Writer& writer, std::vector<std::string> others)
    {
        // How big the result is, learnt on a disk with room.
        const std::string roomy = m_scratch.Path("roomy.pdf");
        WriteFile(roomy, m_original);
        ASSERT_TRUE(writer(roomy));
        const size_t resultSize = ReadFile(roomy).size();
        const size_t step = resultSize / 24 > 1024 ? resultSize / 24 : 1024;

        others.push_back("A-01.pdf");
        std::sort(others.begin(), others.end());
        int failures = 0, successes = 0;
        const std::string pdf = disk.Path("A-01.pdf");
        for (size_t free = 0; free <= resultSize + 3 * 4096; free += step) {
            disk.RemoveFiller();
            WriteFile(pdf, m_original);
            ASSERT_TRUE(disk.LeaveFree(free)) << free;
            const bool replaced = writer(pdf);
            const std::string after = ReadFile(pdf);
            if (replaced) {
                ++successes;
                EXPECT_NE(after.size(), m_original.size()) << free << " bytes free";
                EXPECT_TRUE(QpdfCheckPasses(pdf)) << free << " bytes free: a damaged PDF of " << after.size() << " bytes";
            } else {
                ++failures;
                EXPECT_TRUE(after == m_original) << free << " bytes free: the PDF changed to " << after.size() << " bytes";
            }
            EXPECT_EQ(disk.Files(), others) << free << " bytes free";
        }
        EXPECT_GT(failures, 0);
        EXPECT_GT(successes, 0);
    }

    PosixScratchFolder m_scratch;
    std::string m_original;
};

TEST_F(PdfOnAFullDisk, SigningPlugInSignsWholeOrLeavesThePdfAsItWas)
{
    SmallDisk disk(1024 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "no small disk: " << disk.Error();
    HMODULE hModule = LoadLibraryW(L"SignPdf.dll");
    ASSERT_NE(nullptr, hModule);
    auto pfnSignPdf = reinterpret_cast<PFN_SIGNPDF>(GetProcAddress(hModule, "SignPdf"));
    ASSERT_NE(nullptr, pfnSignPdf);
    WriteBmp(disk.Path("7sign.bmp"), 40, 20, Rgb8{0, 0, 180});
    // One job for every PDF: the job names no PDF, only the signatures.
    const std::wstring job = winenv::FromPosixPath(disk.Path("A-01.pdf.ini"));
    const struct {
        const wchar_t *section, *key, *value;
    } keys[] = {{L"PDFSIGN", L"NUMBER", L"2"}, {L"SIGN1", L"CONTENT", L"张工 批准"}, {L"SIGN1", L"X", L"100"},
        {L"SIGN1", L"Y", L"200"}, {L"SIGN2", L"X", L"300"}, {L"SIGN2", L"Y", L"400"}};
    for (const auto& k : keys)
        ASSERT_TRUE(WritePrivateProfileStringW(k.section, k.key, k.value, job.c_str()));
    ASSERT_TRUE(WritePrivateProfileStringW(L"SIGN2", L"IMAGE",
        winenv::FromPosixPath(disk.Path("7sign.bmp")).c_str(), job.c_str()));

    RunAtEveryFreeSize(disk, [&](const std::string& pdf) {
        winenv::TraceRecorder trace;
        const int result = pfnSignPdf(winenv::FromPosixPath(pdf).c_str(), job.c_str());
        const auto events = trace.OfKind("signed");
        EXPECT_EQ(1u, events.size());
        if (result != 2) {
            EXPECT_EQ(SIGNPDF_E_PDF, result);
            EXPECT_FALSE(events.empty() || events[0].Get("error").empty()) << "the trace says why";
        }
        return result == 2;
    }, {"7sign.bmp", "A-01.pdf.ini"});
}

} // namespace
