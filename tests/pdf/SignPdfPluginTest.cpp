// The signing plug-in as the client uses it: loaded by name, called with a PDF and a job file
// written through the profile API.
#include "PdfTestSupport.h"
#include "ScopedEnvironment.h"
#include "../fidelity/SignedJob.h"

#include <SignPdf.h>
#include <pdfstamp/PdfStamp.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include <gtest/gtest.h>

#include <windows.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <functional>
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
        m_strPdf = winenv::FromPosixPath(m_pdf);
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

// What the job says but the trace does not show: the colour, and the page the text lands on.
TEST_F(SignPdfPlugin, TheTextIsDrawnInTheJobsColourOnItsPage)
{
    WriteJob({{L"PDFSIGN", L"NUMBER", L"1"}, {L"SIGN1", L"CONTENT", L"张工 批准"}, {L"SIGN1", L"FontSize", L"14"},
        {L"SIGN1", L"X", L"100"}, {L"SIGN1", L"Y", L"200"}, {L"SIGN1", L"COLOR_R", L"255"},
        {L"SIGN1", L"COLOR_G", L"0"}, {L"SIGN1", L"COLOR_B", L"0"}, {L"SIGN1", L"Page", L"2"}});

    EXPECT_EQ(1, Sign());
    EXPECT_EQ(std::string::npos, PageText(m_pdf, 1).find("张工"));
    EXPECT_TRUE(RenderedPage(m_pdf, 2).Any(100, 198, 160, 214,
        [](Rgb8 c) { return c.r > 180 && c.g < 100 && c.b < 100; })) << "the red text";
}

TEST_F(SignPdfPlugin, TheDemoSignersJobGivesTheEventBothBuildsGive)
{
    for (const SignedJobLine& line : kSignedJob)
        Write(line.section, line.key, line.value);
    winenv::TraceRecorder trace;
    Sign();
    auto events = trace.OfKind("signed");
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(winenv::ToUtf8(m_strPdf), events[0].Get("pdf"));
    for (const auto& field : kSignedEvent)
        EXPECT_EQ(field[1], events[0].Get(field[0])) << field[0];
}

// A sound file's event has no warnings: the transcripts hold that.
TEST_F(SignPdfPlugin, ARepairedPdfIsSignedAndTheTraceSaysWhatWasRepaired)
{
    WriteJob({{L"PDFSIGN", L"NUMBER", L"1"}, {L"SIGN1", L"CONTENT", L"签字"}});
    // Every cross-reference offset now points 20 bytes short.
    std::string bytes = ReadFile(m_pdf);
    WriteFile(m_pdf, bytes.insert(bytes.find('\n') + 1, "% twenty bytes more\n"));
    winenv::TraceRecorder trace;
    EXPECT_EQ(1, Sign());
    EXPECT_TRUE(QpdfCheckPasses(m_pdf));
    auto events = trace.OfKind("signed");
    ASSERT_EQ(1u, events.size());
    EXPECT_NE(std::string::npos, events[0].Get("warnings").find("reconstruct")) << events[0].Get("warnings");
    EXPECT_EQ("", events[0].Get("error"));
}

TEST_F(SignPdfPlugin, ANegativeFontSizeIsAWindowsFontHeightAt96Dpi)
{
    // Sizes the sample's own text (10, 12, 18 pt) does not use; no size is 10.5 pt.
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"-20", "15"}, {L"-22", "16.5"}, {L"", "10.5"}, {L"9", "9"}};
    Write(L"PDFSIGN", L"NUMBER", std::to_wstring(std::size(cases)));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        std::wstring section = L"SIGN" + std::to_wstring(i + 1);
        Write(section.c_str(), L"CONTENT", L"尺寸");
        if (*cases[i].first)
            Write(section.c_str(), L"FontSize", cases[i].first);
        Write(section.c_str(), L"Y", std::to_wstring(100 + 40 * i));
    }
    ASSERT_EQ(static_cast<int>(std::size(cases)), Sign());

    // The sizes as the page's content sets them.
    std::string plain = m_folder.Path("plain.pdf");
    ASSERT_EQ(0, pdftest::Run("qpdf --qdf --object-streams=disable " + Quote(m_pdf) + " " + Quote(plain)));
    std::string content = ReadFile(plain);
    for (const auto& [job, points] : cases) {
        std::string value = winenv::ToUtf8(job);
        EXPECT_NE(std::string::npos, content.find(" " + std::string(points) + " Tf\n")) << value << " is " << points << " pt";
        if (!value.empty() && value[0] == '-') {
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

    winenv::TraceRecorder trace;
    EXPECT_EQ(SIGNPDF_E_PDF, Sign());
    EXPECT_EQ(damaged, ReadFile(m_pdf));
    auto events = trace.OfKind("signed");
    ASSERT_EQ(1u, events.size());
    EXPECT_FALSE(events[0].Get("error").empty());
}

// Where the job should be there is something that is no file: the plug-in neither waits on it nor
// reads a job through it, and fails with its job status; the PDF stays as it was. A picture that is
// a FIFO is skipped, not waited on.
TEST_F(SignPdfPlugin, AJobOrPictureThatIsNoFileIsRefusedAtOnce)
{
    const std::string job = winenv::ToPosixPath(m_strJob);
    const std::string elsewhere = m_folder.Path("elsewhere.ini");
    WriteFile(elsewhere, "[PDFSIGN]\r\nNUMBER=1\r\n[SIGN1]\r\nCONTENT=签字\r\n");
    const std::string bytes = ReadFile(m_pdf);
    const struct {
        const char* name;
        std::function<int()> make;
    } cases[] = {
        {"a FIFO", [&] { return mkfifo(job.c_str(), 0600); }},
        {"a link to a job", [&] { return symlink(elsewhere.c_str(), job.c_str()); }},
        {"a folder", [&] { return mkdir(job.c_str(), 0700); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(0, c.make());
        alarm(20); // a plug-in waiting on the FIFO ends the test program instead of hanging it
        EXPECT_EQ(SIGNPDF_E_JOB, Sign());
        alarm(0);
        EXPECT_EQ(bytes, ReadFile(m_pdf));
        if (rmdir(job.c_str()) != 0)
            unlink(job.c_str());
    }

    const std::string fifo = m_folder.Path("sign.png");
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
    WriteJob({{L"PDFSIGN", L"NUMBER", L"2"}, {L"SIGN1", L"IMAGE", winenv::FromPosixPath(fifo)},
        {L"SIGN2", L"CONTENT", L"签字"}});
    alarm(20);
    EXPECT_EQ(1, Sign());
    alarm(0);
}

// Each run of the plug-in is a process of its own, and a later one reuses what an earlier one
// worked out (the faces, the subset) from the cache folder. Whether the cache is written, read or
// unreadable, the signed document is the same (compared as qpdf's QDF form with a fixed /ID).
class SignPdfCache : public SignPdfPlugin {
protected:
    void SetUp() override
    {
        SignPdfPlugin::SetUp();
        m_cacheHome.emplace("XDG_CACHE_HOME", m_cache);
        WriteJob({{L"PDFSIGN", L"NUMBER", L"1"}, {L"SIGN1", L"CONTENT", L"李工 审核 2026"}, {L"SIGN1", L"FONT", L"宋体"}});
    }
    void TearDown() override { m_cacheHome.reset(); }

    // The QDF form of a copy of the PDF signed by a process of its own.
    std::string SignCopyInNewProcess(const std::string& name)
    {
        const std::string copy = m_folder.Path(name);
        pdftest::Run("cp " + Quote(m_pdf) + " " + Quote(copy));
        const pid_t child = fork();
        if (child == 0)
            _exit(m_pfnSignPdf(winenv::FromPosixPath(copy).c_str(), m_strJob.c_str()) == 1 ? 0 : 1);
        int status = -1;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << name << " was not signed";
        pdftest::Run("qpdf --qdf --static-id " + Quote(copy) + " " + Quote(copy + ".qdf"));
        return ReadFile(copy + ".qdf");
    }

    // The entries of the cache folder by name, with their bytes.
    std::map<std::string, std::string> Entries() const
    {
        std::map<std::string, std::string> entries;
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(m_entries, ec))
            entries[entry.path().filename().string()] = ReadFile(entry.path().string());
        return entries;
    }

    const std::string m_cache = m_folder.Path("cache");
    const std::string m_parent = m_cache + "/VuverIverIzizerOzi";
    const std::string m_entries = m_parent + "/pdfstamp";
    std::optional<ScopedEnvironment> m_cacheHome;
};

// An entry changed in place, its length kept, is found out and made again.
TEST_F(SignPdfCache, ASignatureIsTheSameWhateverTheCacheHolds)
{
    const std::string made = SignCopyInNewProcess("made.pdf");
    ASSERT_NE(std::string::npos, made.find("/FontFile2"));
    const std::map<std::string, std::string> sound = Entries();
    ASSERT_FALSE(sound.empty()) << "nothing was cached";
    EXPECT_EQ(made, SignCopyInNewProcess("cached.pdf"));
    for (const auto& [name, bytes] : sound) {
        std::string damaged = bytes;
        damaged[damaged.size() / 2] ^= 0x20;
        WriteFile(m_entries + "/" + name, damaged);
    }
    EXPECT_EQ(made, SignCopyInNewProcess("damaged.pdf")) << "a damaged entry was used";
    const std::map<std::string, std::string> after = Entries();
    for (const auto& [name, bytes] : sound) {
        const auto found = after.find(name);
        EXPECT_TRUE(found != after.end() && found->second == bytes) << name << ": a damaged entry stayed";
    }
    pdftest::Run("for f in " + Quote(m_entries) + "/*; do printf '9:broken' >\"$f\"; done");
    EXPECT_EQ(made, SignCopyInNewProcess("unreadable.pdf"));
}

// The folder holds at most a thousand entries: past that the least recently written go.
TEST_F(SignPdfCache, TheFolderKeepsItsBoundAndTheNewestEntries)
{
    ASSERT_TRUE(std::filesystem::create_directories(m_entries));
    ASSERT_EQ(0, chmod(m_parent.c_str(), 0700));
    ASSERT_EQ(0, chmod(m_entries.c_str(), 0700));
    for (int i = 0; i < 1000; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "old%04d", i);
        const std::string path = m_entries + "/" + name;
        WriteFile(path, "9:stale");
        const timespec times[2] = {{1600000000 + i, 0}, {1600000000 + i, 0}};
        ASSERT_EQ(0, utimensat(AT_FDCWD, path.c_str(), times, 0));
    }
    SignCopyInNewProcess("signed.pdf");
    const std::map<std::string, std::string> after = Entries();
    EXPECT_LE(after.size(), 1000u);
    EXPECT_EQ(0u, after.count("old0000")) << "the oldest entry stayed";
    EXPECT_EQ(1u, after.count("old0999")) << "a recent entry went";
    EXPECT_TRUE(std::any_of(after.begin(), after.end(), [](const auto& entry) { return entry.first.compare(0, 3, "old") != 0; }))
        << "nothing of this run was kept";
}

// A cache folder that someone else could have written is neither read nor written, as ssh treats
// a key folder; the signature is the same.
TEST_F(SignPdfCache, AFolderOthersCouldWriteIsNotUsed)
{
    const std::string made = SignCopyInNewProcess("made.pdf");
    const struct {
        const char* what;
        const std::string* folder;
        mode_t mode;
        bool otherOwner; // owned by another user (only root can give it away)
    } cases[] = {
        {"entries writable by all", &m_entries, 0777, false},
        {"entries writable by the group", &m_entries, 0770, false},
        {"parent writable by all", &m_parent, 0777, false},
        {"entries owned by another user", &m_entries, 0700, true},
        {"parent owned by another user", &m_parent, 0700, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.otherOwner && geteuid() != 0)
            continue;
        std::filesystem::remove_all(m_cache);
        ASSERT_TRUE(std::filesystem::create_directories(m_entries));
        ASSERT_EQ(0, chmod(m_parent.c_str(), 0700));
        ASSERT_EQ(0, chmod(m_entries.c_str(), 0700));
        ASSERT_EQ(0, chmod(c.folder->c_str(), c.mode));
        if (c.otherOwner) {
            ASSERT_EQ(0, chown(c.folder->c_str(), 65534, 65534));
        }
        EXPECT_EQ(made, SignCopyInNewProcess("untrusted.pdf"));
        EXPECT_TRUE(Entries().empty()) << "written into a folder others could write";
    }
}

} // namespace
