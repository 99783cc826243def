// The same product on SQLite and on the server: every command, run by plmclient as a program,
// gives the same transcript on both engines (the folders' own paths and the print job's time
// aside).
#include <gtest/gtest.h>

#include <map>
#include <regex>

#include <win32host/Paths.h>
#include <win32host/Trace.h>

#include "ClientSetup.h"
#include "Spawn.h"
#include "TestPdf.h"
#include "TestServer.h"

namespace {

// The ids a command line names, by the placeholder that stands for them.
using Ids = std::map<std::string, LONG>;

Ids Fill(qvclient::FixtureBuilder& f)
{
    const LONG top = f.AddPart(L"总装配 Top");
    const LONG frame = f.AddPart(L"Frame");
    const LONG wheel = f.AddPart(L"Wheel");
    f.AddSubPart(top, frame);
    f.AddSubPart(frame, wheel);
    const auto drawing = f.AddDocumentWithLightFiles(L"Drawing", L"Frame drawing", L"dwg",
        {{L"frame.pdf", L"pdf", e2e::MakePdf("Frame drawing"), ""}, {L"frame.dwg", L"dwg", "frame dwg", ""}});
    const auto spec = f.AddDocumentWithLightFiles(L"Document", L"Top spec", L"doc",
        {{L"top.pdf", L"pdf", e2e::MakePdf("Top spec"), ""}});
    const auto capp = f.AddDocumentWithLightFiles(L"CappDocument", L"Wheel card", L"xls",
        {{L"wheel-card.pdf", L"pdf", e2e::MakePdf("Wheel card"), ""}});
    const auto model = f.AddDocumentWithLightFiles(L"3DDocument", L"Top model", L"prt",
        {{L"top.step", L"step", "ISO-10303-21;", ""}, {L"top.dwg", L"dwg", "top dwg", ""}});
    f.AddPartDocument(frame, L"Drawing", drawing.documentId);
    f.AddPartDocument(top, L"Document", spec.documentId);
    f.AddPartDocument(wheel, L"CappDocument", capp.documentId);
    f.AddPartDocument(top, L"3DDocument", model.documentId);
    const e2e::Signer li = e2e::AddTextSigner(f, L"li", L"Checked by Li");
    e2e::Sign(f, li, L"Drawing", drawing);
    e2e::Sign(f, li, L"Document", spec);
    const LONG flow = f.AddWorkflowItem(L"Release Top", L"Release", L"li");
    f.AttachToWorkflowItem(flow, L"Drawing", drawing.documentId);
    f.AttachToWorkflowItem(flow, L"3DDocument", model.documentId);
    return {{"{top}", top}, {"{flow}", flow}, {"{drawing}", drawing.documentId}, {"{revision}", drawing.revisionId},
        {"{model}", model.documentId}};
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to)
{
    for (size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

using Command = std::vector<std::string>;

// Commands run on both engines, each case on new folders; {F} stands for the folder, the other
// placeholders for the fixture's ids.
struct Case {
    const char* name;
    std::vector<Command> commands;
};
void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const Case kCases[] = {
    {"ProductTreeDownloadOfEveryFile",
        {{"--command", "OutputLightFile", "--select", "Part:{top}", "--do", "expand *", "--do", "check 总装配 Top",
            "--do", "press 下载", "--do", "folder {F}/out", "--do", "messagebox ok", "--do", "press 取消",
            "--summary"}}},
    {"WorkflowPrintOfThePdfs",
        {{"--command", "WfOutputLightFile", "--select", "WorkflowItem:{flow}", "--do", "expand *", "--do",
            "filter PDF", "--do", "press 打印", "--do", "press 取消"}}},
    {"DocumentListCommands",
        {{"--command", "OnDocListViewLightFile", "--select", "Drawing:{drawing}"},
            {"--command", "OnDocListViewLightFile", "--select", "3DDocument:{model}"},
            {"--command", "OnDocListViewDwgFile", "--select", "Drawing:{drawing}"},
            {"--command", "OnDocListViewDwgFile", "--select", "3DDocument:{model}"},
            {"--command", "OnDocListDownLoadLightFile", "--select", "Drawing:{drawing}", "--do", "folder {F}/out",
                "--do", "messagebox ok"}}},
    {"SignPdfExport", {{"--command", "SignPdf", "--sign", "{drawing},Drawing,{revision},{F}/sign.pdf"}}},
};

class SameTranscriptTest : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        PGTEST_REQUIRE_SERVER();
        {
            ScopedEnvironment embedded("VIZ_TEST_PG", std::nullopt);
            m_sqlite = std::make_unique<e2e::ClientSetup>();
        }
        m_server = std::make_unique<e2e::ClientSetup>();
        m_ids = Fill(m_sqlite->Fixture());
        const Ids same = Fill(m_server->Fixture());
        ASSERT_EQ(S_OK, m_sqlite->Fixture().GetStatus());
        ASSERT_EQ(S_OK, m_server->Fixture().GetStatus());
        ASSERT_EQ(m_ids, same) << "both fixtures hand out the same ids";
        for (const auto* setup : {m_sqlite.get(), m_server.get()})
            viztest::WriteFile(setup->Windows(L"sign.pdf"), e2e::MakePdf("to sign"));
    }

    // The transcript of plmclient on the folder, with the folder's paths made neutral.
    std::string Transcript(const e2e::ClientSetup& setup, Command args, int* pExit, std::string* pErr)
    {
        for (std::string& arg : args) {
            ReplaceAll(arg, "{F}", setup.Posix());
            for (const auto& [placeholder, id] : m_ids)
                ReplaceAll(arg, placeholder, std::to_string(id));
        }
        args.insert(args.begin(), {e2e::ProgramFolder() + "/plmclient", "--db", setup.Posix(), "--quiet"});
        const e2e::ProgramRun run = e2e::RunProgram(args);
        *pExit = run.exitCode;
        *pErr = run.err;
        std::string text = run.out;
        ReplaceAll(text, win32host::ToUtf8(win32host::FromPosixPath(setup.Posix())), "{F}");
        ReplaceAll(text, setup.Posix(), "{F}");
        // Print jobs are named after the time and the process.
        return std::regex_replace(text, std::regex("job-[0-9]+-[0-9]+-"), "job-{time}-{pid}-");
    }

    void ExpectSameTranscript(const Command& args)
    {
        int exitSqlite = -1, exitServer = -1;
        std::string errSqlite, errServer;
        const std::string sqlite = Transcript(*m_sqlite, args, &exitSqlite, &errSqlite);
        const std::string server = Transcript(*m_server, args, &exitServer, &errServer);
        EXPECT_EQ(0, exitSqlite) << errSqlite << sqlite;
        EXPECT_EQ(exitSqlite, exitServer) << errServer;
        EXPECT_NE(std::string::npos, sqlite.find("[sql]")) << sqlite;
        EXPECT_EQ(sqlite, server);
    }

    std::unique_ptr<e2e::ClientSetup> m_sqlite;
    std::unique_ptr<e2e::ClientSetup> m_server;
    Ids m_ids;
};

TEST_P(SameTranscriptTest, EveryCommandAlike)
{
    for (const Command& command : GetParam().commands) {
        SCOPED_TRACE(command[1] + " " + command[3]);
        ExpectSameTranscript(command);
    }
}

INSTANTIATE_TEST_SUITE_P(Commands, SameTranscriptTest, ::testing::ValuesIn(kCases),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
