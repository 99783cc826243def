// The signing plug-in as the client uses it: loaded by name, called with a PDF and a job file
// written through the profile API.
#include "PdfTestSupport.h"
#include "../fidelity/SignedJob.h"

#include <SignPdf.h>
#include <pdfstamp/PdfStamp.h>
#include <win32host/Paths.h>
#include <win32host/Trace.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <sys/wait.h>
#include <unistd.h>

#include <tuple>
#include <vector>

using namespace pdftest;

namespace {

class SignPdfPlugin : public ::testing::Test {
protected:
    void SetUp() override
    {
        HMODULE hModule = LoadLibraryW(L"SignPdf.dll");
        ASSERT_NE(nullptr, hModule);
        m_pfnSignPdf = reinterpret_cast<PFN_SIGNPDF>(GetProcAddress(hModule, "SignPdf"));
        ASSERT_NE(nullptr, m_pfnSignPdf);
        m_pdf = m_folder.Path("A-01.pdf");
        ASSERT_TRUE(pdfstamp::MakeSamplePdf(m_pdf, L"A-01", {L"body"}, 3));
        m_strPdf = win32host::FromPosixPath(m_pdf);
        m_strJob = m_strPdf + L".ini";
    }

    void Write(const wchar_t* section, const wchar_t* key, const std::wstring& value)
    {
        WritePrivateProfileStringW(section, key, value.c_str(), m_strJob.c_str());
    }
    // Section, key and value a line of the job.
    void WriteJob(const std::vector<std::tuple<const wchar_t*, const wchar_t*, std::wstring>>& lines)
    {
        for (const auto& [section, key, value] : lines)
            Write(section, key, value);
    }

    int Sign() { return m_pfnSignPdf(m_strPdf.c_str(), m_strJob.c_str()); }

    PosixScratchFolder m_folder;
    PFN_SIGNPDF m_pfnSignPdf = nullptr;
    std::string m_pdf;
    std::wstring m_strPdf;
    std::wstring m_strJob;
};

TEST_F(SignPdfPlugin, TextAndPictureSignaturesAreDrawnWhereTheJobSays)
{
    std::string bmp = m_folder.Path("12sign.bmp");
    WriteBmp(bmp, 40, 20, Rgb8{0, 0, 180});
    // Y untrimmed and the picture by a Windows path, as the module writes them.
    WriteJob({{L"PDFSIGN", L"NUMBER", L"2"}, {L"SIGN1", L"CONTENT", L"张工 批准"}, {L"SIGN1", L"FONT", L"黑体"},
        {L"SIGN1", L"FontSize", L"14"}, {L"SIGN1", L"X", L"100"}, {L"SIGN1", L"Y", L" 200"},
        {L"SIGN1", L"COLOR_R", L"255"}, {L"SIGN1", L"COLOR_G", L"0"}, {L"SIGN1", L"COLOR_B", L"0"},
        {L"SIGN1", L"Page", L"2"}, {L"SIGN2", L"IMAGE", win32host::FromPosixPath(bmp)}, {L"SIGN2", L"X", L"300"},
        {L"SIGN2", L"Y", L"400"}, {L"SIGN2", L"WIDTH", L"80"}, {L"SIGN2", L"HEIGHT", L"40"}});

    win32host::TraceRecorder trace;
    EXPECT_EQ(2, Sign());

    EXPECT_NE(std::string::npos, PageText(m_pdf, 2).find("张工 批准"));
    EXPECT_EQ(std::string::npos, PageText(m_pdf, 1).find("张工"));
    EXPECT_TRUE(QpdfCheckPasses(m_pdf));
    RenderedPage first(m_pdf, 1);
    Rgb8 picture = first.AtPoint(340, 420);
    EXPECT_LT(picture.r, 40);
    EXPECT_GT(picture.b, 140);
    EXPECT_GT(first.AtPoint(296, 420).r, 200);
    EXPECT_TRUE(RenderedPage(m_pdf, 2).Any(100, 198, 160, 214,
        [](Rgb8 c) { return c.r > 180 && c.g < 100 && c.b < 100; })) << "the red text";

    auto calls = trace.OfKind("plugin_call");
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(calls[0].Get("export") + " " + calls[0].Get("pdf") + " " + calls[0].Get("job"),
        "SignPdf " + win32host::ToUtf8(m_strPdf) + " " + win32host::ToUtf8(m_strJob));
    auto signedEvents = trace.OfKind("signed");
    ASSERT_EQ(1u, signedEvents.size());
    EXPECT_EQ("2", signedEvents[0].Get("result"));
    EXPECT_NE(std::string::npos, signedEvents[0].Get("stamps").find("SIGN1 text \"张工 批准\" 黑体@p2(100,200)"));
    EXPECT_NE(std::string::npos, signedEvents[0].Get("stamps").find("SIGN2 picture"));
}

TEST_F(SignPdfPlugin, TheDemoSignersJobGivesTheEventBothBuildsGive)
{
    for (const SignedJobLine& line : kSignedJob)
        Write(line.section, line.key, line.value);
    win32host::TraceRecorder trace;
    Sign();
    auto events = trace.OfKind("signed");
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(win32host::ToUtf8(m_strPdf), events[0].Get("pdf"));
    for (const auto& field : kSignedEvent)
        EXPECT_EQ(field[1], events[0].Get(field[0])) << field[0];
}

TEST_F(SignPdfPlugin, MissingSectionsAndEmptySignaturesArePassedOver)
{
    // SIGN3: the picture could not be fetched.
    WriteJob({{L"PDFSIGN", L"NUMBER", L"4"}, {L"SIGN1", L"CONTENT", L"第一"}, {L"SIGN1", L"X", L"100"},
        {L"SIGN1", L"Y", L"100"}, {L"SIGN3", L"IMAGE", L""}, {L"SIGN3", L"X", L"300"}, {L"SIGN3", L"Y", L"300"},
        {L"SIGN4", L"CONTENT", L"第四"}, {L"SIGN4", L"X", L"100"}, {L"SIGN4", L"Y", L"150"},
        {L"SIGN5", L"CONTENT", L"beyond NUMBER"}});

    win32host::TraceRecorder trace;
    EXPECT_EQ(2, Sign());
    std::string text = PageText(m_pdf, 1);
    EXPECT_NE(std::string::npos, text.find("第一"));
    EXPECT_NE(std::string::npos, text.find("第四"));
    EXPECT_EQ(std::string::npos, text.find("beyond"));
    auto events = trace.OfKind("signed");
    ASSERT_EQ(1u, events.size());
    EXPECT_NE(std::string::npos, events[0].Get("skipped").find("SIGN2: absent"));
    EXPECT_NE(std::string::npos, events[0].Get("skipped").find("SIGN3: no picture file"));
}

TEST_F(SignPdfPlugin, ASignatureWithOnlyItsTextGetsTheDefaults)
{
    WriteJob({{L"PDFSIGN", L"NUMBER", L"1"}, {L"SIGN1", L"CONTENT", L"默认"}});

    EXPECT_EQ(1, Sign());
    EXPECT_NE(std::string::npos, PageText(m_pdf, 1).find("默认"));
    RenderedPage page(m_pdf, 1);
    EXPECT_TRUE(page.AnyInk(36, 36, 60, 48)); // half an inch in, 10.5 pt high
    EXPECT_FALSE(page.AnyInk(0, 0, 35, 35));
}

TEST_F(SignPdfPlugin, ARepairedPdfIsSignedAndTheTraceSaysWhatWasRepaired)
{
    WriteJob({{L"PDFSIGN", L"NUMBER", L"1"}, {L"SIGN1", L"CONTENT", L"签字"}});
    std::string bytes = ReadFile(m_pdf);
    auto hasWarnings = [](const win32host::TraceEvent& event) {
        for (const auto& field : event.fields)
            if (field.first == "warnings")
                return true;
        return false;
    };
    {
        win32host::TraceRecorder trace;
        EXPECT_EQ(1, Sign());
        auto events = trace.OfKind("signed");
        ASSERT_EQ(1u, events.size());
        EXPECT_FALSE(hasWarnings(events[0])) << "a sound file's transcript has no warnings";
    }
    // Every cross-reference offset now points 20 bytes short.
    WriteFile(m_pdf, bytes.insert(bytes.find('\n') + 1, "% twenty bytes more\n"));
    win32host::TraceRecorder trace;
    EXPECT_EQ(1, Sign());
    EXPECT_TRUE(QpdfCheckPasses(m_pdf));
    auto events = trace.OfKind("signed");
    ASSERT_EQ(1u, events.size());
    ASSERT_TRUE(hasWarnings(events[0]));
    EXPECT_NE(std::string::npos, events[0].Get("warnings").find("reconstruct")) << events[0].Get("warnings");
    EXPECT_EQ("", events[0].Get("error"));
}

TEST_F(SignPdfPlugin, ANegativeFontSizeIsAWindowsFontHeightAt96Dpi)
{
    // Sizes the sample's own text (10, 12, 18 pt) does not use.
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"-20", "15"}, {L"-22", "16.5"}, {L"-14", "10.5"}, {L"9", "9"}};
    Write(L"PDFSIGN", L"NUMBER", std::to_wstring(std::size(cases)));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::wstring section = L"SIGN" + std::to_wstring(i + 1);
        Write(section.c_str(), L"CONTENT", L"尺寸");
        Write(section.c_str(), L"FontSize", cases[i].first);
        Write(section.c_str(), L"Y", std::to_wstring(100 + 40 * i));
    }
    ASSERT_EQ(static_cast<int>(std::size(cases)), Sign());

    // The sizes as the page's content sets them.
    std::string plain = m_folder.Path("plain.pdf");
    ASSERT_EQ(0, pdftest::Run("qpdf --qdf --object-streams=disable " + Quote(m_pdf) + " " + Quote(plain)));
    std::string content = ReadFile(plain);
    for (const auto& [job, points] : cases) {
        std::string value = win32host::ToUtf8(job);
        EXPECT_NE(std::string::npos, content.find(" " + std::string(points) + " Tf\n")) << value << " is " << points << " pt";
        if (value[0] == '-') {
            EXPECT_EQ(std::string::npos, content.find(" " + value.substr(1) + " Tf\n")) << value << " taken as points";
        }
    }
}

TEST_F(SignPdfPlugin, NoJobFileNothingToDrawOrADamagedPdfLeavesThePdfAlone)
{
    std::string bytes = ReadFile(m_pdf);
    EXPECT_EQ(SIGNPDF_E_JOB, Sign()); // the job was never written
    EXPECT_EQ(SIGNPDF_E_JOB, m_pfnSignPdf(m_strPdf.c_str(), nullptr));
    Write(L"PDFSIGN", L"NUMBER", L"0");
    EXPECT_EQ(0, Sign());
    EXPECT_EQ(bytes, ReadFile(m_pdf));

    std::string damaged = bytes.substr(0, bytes.size() * 2 / 3);
    WriteFile(m_pdf, damaged);
    WriteJob({{L"PDFSIGN", L"NUMBER", L"1"}, {L"SIGN1", L"CONTENT", L"签字"}});

    win32host::TraceRecorder trace;
    EXPECT_EQ(SIGNPDF_E_PDF, Sign());
    EXPECT_EQ(damaged, ReadFile(m_pdf));
    auto events = trace.OfKind("signed");
    ASSERT_EQ(1u, events.size());
    EXPECT_FALSE(events[0].Get("error").empty());
}

// Each run of the plug-in is a process of its own, and a later one reuses what an earlier one
// worked out (the faces, the subset) from the cache folder. Whether the cache is written, read or
// unreadable, the signed document is the same (compared as qpdf's QDF form with a fixed /ID).
TEST_F(SignPdfPlugin, ASignatureIsTheSameWhateverTheCacheHolds)
{
    const std::string cache = m_folder.Path("cache");
    ASSERT_EQ(0, setenv("XDG_CACHE_HOME", cache.c_str(), 1));
    WriteJob({{L"PDFSIGN", L"NUMBER", L"1"}, {L"SIGN1", L"CONTENT", L"李工 审核 2026"}, {L"SIGN1", L"FONT", L"宋体"}});
    auto signInNewProcess = [this](const std::string& name) {
        const std::string copy = m_folder.Path(name);
        pdftest::Run("cp " + Quote(m_pdf) + " " + Quote(copy));
        const pid_t child = fork();
        if (child == 0)
            _exit(m_pfnSignPdf(win32host::FromPosixPath(copy).c_str(), m_strJob.c_str()) == 1 ? 0 : 1);
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name << " was not signed";
        pdftest::Run("qpdf --qdf --static-id " + Quote(copy) + " " + Quote(copy + ".qdf"));
        return ReadFile(copy + ".qdf");
    };
    const std::string made = signInNewProcess("made.pdf");
    ASSERT_NE(std::string::npos, made.find("/FontFile2"));
    std::string entries;
    pdftest::Run("ls " + Quote(cache) + "/*/*", &entries);
    ASSERT_FALSE(entries.empty()) << "nothing was cached";
    EXPECT_EQ(made, signInNewProcess("cached.pdf"));
    pdftest::Run("for f in " + Quote(cache) + "/*/*/*; do printf '9:broken' >\"$f\"; done");
    EXPECT_EQ(made, signInNewProcess("unreadable.pdf"));
    unsetenv("XDG_CACHE_HOME");
}

} // namespace
