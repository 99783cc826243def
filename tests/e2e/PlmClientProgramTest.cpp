// plmclient as a person or a script runs it: its help, its refusal of a bad selection, a
// scripted download of a product selected by its id, with a JSON transcript, and the libraries
// a command maps, and the answers of --verify.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "ChildProcess.h"
#include "ClientSetup.h"
#include "JsonLines.h"
#include "SmallDisk.h"
#include "TestPdf.h"

namespace e2e {
namespace {

using viztest::ChildRun;
using viztest::RunChild;

TEST(PlmClientProgram, HelpExitsCleanlyAndNamesEveryOption)
{
    const ChildRun run = RunChild({PlmClient(), "--help"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0, run.exitCode) << run.err;
    for (const char* option : {"--db", "--create-sample", "--user", "--command", "--select", "--attach", "--sign",
             "--script", "--do", "--json", "--transcript", "--module", "--summary", "--manifest", "--quiet", "--help",
             "--server", "--owner", "--interactive", "snapshot FILE.svg", "Interactive keys"})
        EXPECT_NE(std::string::npos, run.out.find(option)) << option << " is not documented";
    // Every exit status has its line in the table.
    for (const char* status : {"Exit status:", "\n  0  ", "\n  1  ", "\n  2  ", "\n  3  ", "\n  4  ", "\n  5  "})
        EXPECT_NE(std::string::npos, run.out.find(status)) << status << " is not in the table";
    for (const char* command : {"OnDocListViewLightFile", "OnDocListViewDwgFile", "OnDocListDownLoadLightFile",
             "OutputLightFile", "PrdTreeOutputLightFile", "WfOutputLightFile", "SignPdf"})
        EXPECT_NE(std::string::npos, run.out.find(command)) << command << " is not documented";
}

class PlmClientRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& f = m_client.Fixture();
        m_top = f.AddPart(L"Top");
        const LONG wheel = f.AddPart(L"Wheel");
        f.AddSubPart(m_top, wheel);
        std::vector<qvclient::LightFileSpec> files = {
            {L"wheel.pdf", L"pdf", MakePdf("Wheel drawing"), ""}, {L"wheel.dwg", L"dwg", "wheel dwg", ""}};
        f.AddPartDocument(wheel, L"Drawing", f.AddDocumentWithLightFiles(L"Drawing", L"Wheel", L"dwg", files).documentId);
        f.AddPartDocument(m_top, L"Document",
            f.AddDocumentWithLightFiles(L"Document", L"Top", L"doc", {{L"top.pdf", L"pdf", MakePdf("Top"), ""}})
                .documentId);
        ASSERT_EQ(S_OK, f.GetStatus());
    }

    ChildRun Run(std::vector<std::string> args)
    {
        args.insert(args.begin(), {PlmClient(), "--db", m_client.Posix()});
        return RunChild(args);
    }

    ClientSetup m_client;
    LONG m_top = 0;
};

// A selection of no object of that class, or a script that cannot be read: the error says which,
// and the command never runs.
TEST_F(PlmClientRun, BadSelectionsAndScriptsAreRefusedClearly)
{
    const std::string top = "Part:" + std::to_string(m_top);
    const std::string folder = m_client.Posix(), missing = m_client.Posix() + "/no-such-script.txt";
    const struct {
        std::vector<std::string> args;
        std::string says;
    } cases[] = {
        {{"--select", "Part"}, "\"Part\""}, {{"--select", "Part:x1"}, "\"Part:x1\""}, {{"--select", ":12"}, "\":12\""},
        {{"--select", "Part:-3"}, "\"Part:-3\""}, {{"--select", "Part:999999"}, "no object Part:999999"},
        {{"--select", "Drawing:" + std::to_string(m_top)}, "is a Part, not a Drawing: select it as " + top},
        {{"--select", top, "--script", folder}, folder}, {{"--select", top, "--script", missing}, missing},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--command", "OutputLightFile"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ChildRun run = Run(args);
        ASSERT_TRUE(run.started);
        EXPECT_EQ(1, run.exitCode) << c.says;
        EXPECT_NE(std::string::npos, run.err.find(c.says)) << c.says << ": " << run.err;
        EXPECT_EQ(std::string::npos, run.out.find("[command]")) << c.says << ": the command ran:\n" << run.out;
    }
}

TEST_F(PlmClientRun, ScriptedDownloadLandsTheFilesAndWritesAJsonTranscript)
{
    const std::string out = m_client.Posix() + "/download";
    const ChildRun run = Run({"--command", "OutputLightFile", "--select", std::to_string(m_top), "--json",
        "--quiet", "--do", "check Top / Wheel", "--do", "press 下载", "--do", "folder " + out, "--do",
        "messagebox ok", "--do", "press 取消"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0, run.exitCode) << run.err;

    std::vector<std::string> landed = ListFolder(winenv::FromPosixPath(out));
    EXPECT_EQ((std::vector<std::string>{"wheel.dwg", "wheel.pdf"}), landed);

    std::vector<int> bad;
    const std::vector<JsonObject> events = ParseJsonLines(run.out, &bad);
    EXPECT_TRUE(bad.empty()) << "lines that are no JSON object: " << ::testing::PrintToString(bad) << "\n" << run.out;
    ASSERT_FALSE(events.empty());
    for (const JsonObject& e : events)
        EXPECT_TRUE(e.count("kind")) << "an event without a kind";
    const auto command = std::find_if(events.begin(), events.end(), [](const JsonObject& e) {
        return e.at("kind") == "command";
    });
    ASSERT_TRUE(command != events.end()) << run.out;
    EXPECT_EQ("Part:" + std::to_string(m_top), command->at("selection")) << "the class of an id alone";
    const auto success = std::find_if(events.begin(), events.end(), [](const JsonObject& e) {
        return e.at("kind") == "messagebox" && e.count("text") && e.at("text") == "下载成功!";
    });
    ASSERT_TRUE(success != events.end()) << run.out;
    EXPECT_EQ("轻量化导出/打印", success->at("caption"));
    const auto written = std::count_if(events.begin(), events.end(),
        [](const JsonObject& e) { return e.at("kind") == "file_written"; });
    EXPECT_EQ(2, written);
}

// A transcript file that cannot take the whole transcript (a device that is always full, a disk
// that runs full on the way, a folder) fails the run with a message, whatever the command did.
TEST_F(PlmClientRun, ATranscriptThatCannotBeWrittenWholeFailsTheRun)
{
    SmallDisk disk(64 * 1024);
    const bool smallDisk = disk.Mounted() && disk.LeaveFree(4096);
    const struct {
        const char* name;
        std::string file;
    } cases[] = {
        {"a device that is always full", "/dev/full"},
        {"a disk with room for one page", smallDisk ? disk.Path("transcript.txt") : ""},
        {"a folder", m_client.Posix()},
    };
    for (const auto& c : cases) {
        if (c.file.empty())
            continue; // no small disk without the right to mount one
        // A download with its transcript written at length: every statement is traced.
        const ChildRun run = Run({"--command", "OutputLightFile", "--select", std::to_string(m_top), "--quiet",
            "--transcript", c.file, "--do", "check Top / Wheel", "--do", "press 下载", "--do",
            "folder " + m_client.Posix() + "/download", "--do", "messagebox ok", "--do", "press 取消"});
        ASSERT_TRUE(run.started) << c.name;
        EXPECT_EQ(1, run.exitCode) << c.name << ": " << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.file)) << c.name << ": " << run.err;
    }
}

// libpq, libcrypto and the PDF libraries are opened when first used: a command that draws no PDF
// and fetches no stored file maps none of the PDF libraries, nor libpq and libcrypto on SQLite (the
// loader's own log of the objects it maps).
TEST_F(PlmClientRun, ACommandThatDrawsNothingMapsNeitherLibpqNorThePdfLibraries)
{
    const ChildRun run = RunChild({"env", "LD_DEBUG=files", PlmClient(), "--db", m_client.Posix(), "--command",
        "OutputLightFile", "--select", "Part:" + std::to_string(m_top), "--do", "press 取消"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(0, run.exitCode) << run.err;
    EXPECT_NE(std::string::npos, run.err.find("file=libqvclient")) << "no loader log:\n" << run.err;
    // SQLite is inside the client: a libsqlite3 of its own would bind its symbols at start again.
    std::vector<std::string> unused = {"libsqlite3", "libqpdf", "libfontconfig", "libfreetype", "libharfbuzz",
        "libpdfstamp", "libqrencode"};
    if (std::getenv("VIZ_TEST_PG") == nullptr) // the fixture is on SQLite (libpq brings libcrypto)
        unused.insert(unused.end(), {"libpq", "libcrypto"});
    for (const std::string& library : unused)
        EXPECT_EQ(std::string::npos, run.err.find("file=" + library)) << library << " was mapped";
}

// A delivered PDF's verification mark read back by --verify, from the metadata and from a scanned
// page, with each answer's exit status as the database changes after the delivery.
TEST_F(PlmClientRun, VerifyAnswersForADeliveredCopyWithTheExitStatusOfEachAnswer)
{
    auto& f = m_client.Fixture();
    f.SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 1);
    const std::string out = m_client.Posix() + "/download";
    ASSERT_EQ(0, Run({"--command", "OutputLightFile", "--select", std::to_string(m_top), "--quiet", "--do",
                         "check Top / Wheel", "--do", "press 下载", "--do", "folder " + out, "--do", "messagebox ok",
                         "--do", "press 取消"})
                     .exitCode);
    const std::string pdf = out + "/wheel.pdf";
    const std::string scan = m_client.Posix() + "/scan";
    ASSERT_EQ(0, RunChild({"pdftoppm", "-r", "300", "-gray", "-png", "-singlefile", pdf, scan}).exitCode);
    const std::string unmarked = m_client.Posix() + "/unmarked.pdf";
    viztest::WriteFile(winenv::FromPosixPath(unmarked), MakePdf("no mark"));

    const struct {
        const char* state;
        std::function<void()> change; // after the delivery, before the question
        std::string file;
        int status;
        std::string says;
    } cases[] = {
        {"as delivered", [] {}, pdf, 0, "current: Drawing:"},
        {"as delivered, from a scanned page", [] {}, scan + ".png", 0, "current: Drawing:"},
        {"a file without a mark", [] {}, unmarked, 13, "no mark: "},
        {"a missing file", [] {}, out + "/missing.pdf", 13, "no mark: no file "},
        {"a new revision released",
            [&f] {
                f.Execute(L"UPDATE TI_drawingMascmp1002 SET CURRENT_REVISION = 0");
                f.Execute(L"INSERT INTO TI_drawingMascmp1002 (OBJ_ID, roleA_id, roleB_id, CURRENT_REVISION, "
                          L"QUALIFICATION_ID) SELECT 990001, roleA_id, 990002, 1, 0 FROM TI_drawingMascmp1002");
            },
            pdf, 10, "superseded by revision 990002 (released not signed yet): Drawing:"},
        {"withdrawn", [&f] { f.Execute(L"UPDATE TI_drawingMascmp1002 SET CURRENT_REVISION = 0"); }, pdf, 12,
            "withdrawn: Drawing:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        c.change();
        const ChildRun run = Run({"--verify", c.file});
        ASSERT_TRUE(run.started);
        EXPECT_EQ(c.status, run.exitCode) << run.out << run.err;
        EXPECT_EQ(0u, run.out.rfind(c.says, 0)) << run.out;
        if (c.file == scan + ".png") {
            EXPECT_NE(std::string::npos, run.out.find("; read from the QR code)")) << run.out;
        }
    }
}

} // namespace
} // namespace e2e
