// What plmclient says left the system: two files under one name (the second refused, the same
// content again written once), the manifest's every field for delivered and refused files, the
// summary's marks, and the exit statuses a script reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <nlohmann/json.hpp>
#include <qvclient/Vault.h>
#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "ChildProcess.h"
#include "ClientSetup.h"
#include "ScratchFolder.h"
#include "TestPdf.h"

namespace e2e {
namespace {

using viztest::ChildRun;
using viztest::RunChild;

// Top holds a document; its parts Wheel, Axle and Hub each a drawing. Axle's PDF has Wheel's
// name with other content; Hub's DWG has Wheel's name and content. Wheel's revision has a
// signature; the watermark is on.
class DeliveryRecord : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto& f = m_client.Fixture();
        f.SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 1);
        m_top = f.AddPart(L"Top");
        const LONG wheel = f.AddPart(L"Wheel"), axle = f.AddPart(L"Axle"), hub = f.AddPart(L"Hub");
        for (LONG part : {wheel, axle, hub})
            f.AddSubPart(m_top, part);
        m_topDoc = f.AddDocumentWithLightFiles(L"Document", L"Top", L"doc", {{L"top.pdf", L"pdf", kTopPdf, ""}});
        m_wheel = f.AddDocumentWithLightFiles(L"Drawing", L"Wheel", L"dwg",
            {{L"wheel.pdf", L"pdf", kWheelPdf, ""}, {L"wheel.dwg", L"dwg", kDwg, ""}});
        m_axle = f.AddDocumentWithLightFiles(L"Drawing", L"Axle", L"dwg", {{L"wheel.pdf", L"pdf", kAxlePdf, ""}});
        m_hub = f.AddDocumentWithLightFiles(L"Drawing", L"Hub", L"dwg", {{L"wheel.dwg", L"dwg", kDwg, ""}});
        f.AddPartDocument(m_top, L"Document", m_topDoc.documentId);
        f.AddPartDocument(wheel, L"Drawing", m_wheel.documentId);
        f.AddPartDocument(axle, L"Drawing", m_axle.documentId);
        f.AddPartDocument(hub, L"Drawing", m_hub.documentId);

        const LONG signer = f.AddUser(L"li", L"李工");
        f.AddSignatureConfig(signer, 1, L"李工", L"SimSun,12,0,0,0,400,0,0,0,134,3,2,1,2,SimSun", L"", 0);
        f.AddSignatureLocation(L"Approved", L"Release", L"400,80,120,30,楷体,12,0,0,0,1", L"");
        f.AddSignature(L"Drawing", m_wheel.documentId, m_wheel.revisionId, signer, L"2024-03-01 09:00:00",
            L"Approved", L"Release");
        ASSERT_EQ(S_OK, f.GetStatus());
        m_out = m_client.Posix() + "/out";
    }

    ChildRun Download(const std::vector<std::string>& more)
    {
        std::vector<std::string> args = {PlmClient(), "--db", m_client.Posix(), "--command", "OutputLightFile",
            "--select", "Part:" + std::to_string(m_top), "--quiet", "--do", "check Top", "--do", "press 下载", "--do",
            "folder " + m_out, "--do", "press 取消"};
        args.insert(args.end(), more.begin(), more.end());
        return RunChild(args);
    }

    const std::string kTopPdf = MakePdf("Top");
    const std::string kWheelPdf = MakePdf("Wheel");
    const std::string kAxlePdf = MakePdf("Axle");
    const std::string kDwg = "wheel dwg";
    ClientSetup m_client;
    LONG m_top = 0;
    qvclient::DocumentFixture m_topDoc, m_wheel, m_axle, m_hub;
    std::string m_out;
};

TEST_F(DeliveryRecord, OtherContentUnderANameIsRefusedAndTheManifestTellsEveryFile)
{
    const std::string manifest = m_client.Posix() + "/manifest.json";
    const ChildRun run = Download({"--manifest", manifest, "--summary"});
    ASSERT_TRUE(run.started);
    EXPECT_EQ(4, run.exitCode) << run.err;
    EXPECT_NE(std::string::npos, run.err.find("exit status 4")) << run.err;

    // The first wheel.pdf stays, signed and watermarked; the DWG's second, equal copy is no loss.
    EXPECT_EQ((std::vector<std::string>{"top.pdf", "wheel.dwg", "wheel.pdf"}),
        ListFolder(winenv::FromPosixPath(m_out)));
    EXPECT_NE(std::string::npos, PdfText(m_out + "/wheel.pdf").find("Wheel"));
    EXPECT_EQ(kDwg, viztest::ReadPosixFile(m_out + "/wheel.dwg"));

    const nlohmann::json doc = nlohmann::json::parse(viztest::ReadPosixFile(manifest));
    EXPECT_EQ("OutputLightFile", doc.at("command"));
    EXPECT_EQ("Part:" + std::to_string(m_top), doc.at("selection"));
    EXPECT_EQ("0x00000000", doc.at("result"));
    EXPECT_EQ(4, doc.at("exit_status"));
    const nlohmann::json& files = doc.at("files");
    const auto at = [&](const std::string& name, bool delivered) {
        const auto it = std::find_if(files.begin(), files.end(), [&](const nlohmann::json& f) {
            return f.at("path") == m_out + "/" + name && f.at("delivered") == delivered;
        });
        return it == files.end() ? nlohmann::json() : *it;
    };
    EXPECT_EQ(4u, files.size()) << files.dump(1);
    EXPECT_EQ(1, std::count_if(files.begin(), files.end(),
                     [&](const nlohmann::json& f) { return f.at("path") == m_out + "/wheel.dwg"; }))
        << "the same content twice is one file";

    const struct {
        const char* what;
        nlohmann::json file;
        const qvclient::DocumentFixture* doc;
        const char* docClass;
        LONG lightFileId;
        std::string stored;
        bool isSigned, watermarked;
    } delivered[] = {
        {"a signed, watermarked PDF", at("wheel.pdf", true), &m_wheel, "Drawing", m_wheel.lightFileIds.at(0),
            kWheelPdf, true, true},
        {"an unsigned PDF", at("top.pdf", true), &m_topDoc, "Document", m_topDoc.lightFileIds.at(0), kTopPdf, false,
            true},
        {"a DWG", at("wheel.dwg", true), &m_wheel, "Drawing", m_wheel.lightFileIds.at(1), kDwg, false, false},
    };
    for (const auto& c : delivered) {
        ASSERT_FALSE(c.file.is_null()) << c.what << " has no record: " << files.dump(1);
        const std::string name = c.file.at("light_file");
        const std::string onDisk = viztest::ReadPosixFile(m_out + "/" + name);
        EXPECT_EQ("", c.file.at("status")) << c.what;
        EXPECT_EQ("", c.file.at("message")) << c.what;
        EXPECT_EQ(winenv::ToPosixPath(winenv::FromUtf8(c.file.at("module_path").get<std::string>())), c.file.at("path")) << c.what;
        EXPECT_EQ("LightFile", c.file.at("object_class")) << c.what;
        EXPECT_EQ(c.lightFileId, c.file.at("object_id")) << c.what;
        EXPECT_EQ(c.doc->documentId, c.file.at("document_id")) << c.what;
        EXPECT_EQ(c.docClass, c.file.at("document_class")) << c.what;
        EXPECT_EQ(c.doc->revisionId, c.file.at("revision_id")) << c.what;
        EXPECT_EQ(static_cast<long long>(onDisk.size()), c.file.at("size")) << c.what;
        EXPECT_EQ(qvclient::Sha256Hex(onDisk), c.file.at("sha256")) << c.what;
        EXPECT_EQ(static_cast<long long>(c.stored.size()), c.file.at("stored_size")) << c.what;
        EXPECT_EQ(qvclient::Sha256Hex(c.stored), c.file.at("stored_sha256")) << c.what;
        // Signing and watermarking change a PDF; nothing else does.
        EXPECT_EQ(c.isSigned || c.watermarked, c.file.at("sha256") != c.file.at("stored_sha256")) << c.what;
        EXPECT_EQ(c.isSigned, c.file.at("signed")) << c.what;
        EXPECT_EQ(c.isSigned, c.file.at("stamps").get<std::string>().find("李工") != std::string::npos) << c.what;
        EXPECT_EQ(c.isSigned ? 1 : 0, c.file.at("sign_result")) << c.what;
        EXPECT_EQ("", c.file.at("sign_error")) << c.what;
        EXPECT_EQ(c.watermarked, c.file.at("watermarked")) << c.what;
        EXPECT_EQ("", c.file.at("watermark_error")) << c.what;
    }

    const nlohmann::json refused = at("wheel.pdf", false);
    ASSERT_FALSE(refused.is_null()) << files.dump(1);
    EXPECT_EQ("0x8004030B", refused.at("status"));
    EXPECT_NE(std::string::npos, refused.at("message").get<std::string>().find("获取失败(8004030B)")) << refused.dump();
    EXPECT_EQ(qvclient::Sha256Hex(kWheelPdf), refused.at("taken_by_sha256"));
    EXPECT_EQ(qvclient::Sha256Hex(kAxlePdf), refused.at("stored_sha256"));
    EXPECT_EQ(m_axle.lightFileIds.at(0), refused.at("object_id"));
    EXPECT_EQ(m_axle.documentId, refused.at("document_id"));
    EXPECT_EQ(m_axle.revisionId, refused.at("revision_id"));
    EXPECT_EQ(-1, refused.at("size"));
    EXPECT_EQ("", refused.at("sha256"));
    EXPECT_EQ(false, refused.at("signed"));

    // The summary reads the same record.
    const std::string summary = run.out.substr(run.out.find("What landed where:"));
    const struct {
        std::string file;
        const char* mark;
    } marks[] = {
        {"/wheel.pdf NOT DELIVERED (0x8004030B: the command had already written other content", "获取失败"},
        {"/top.pdf [watermarked] !! UNSIGNED: no signature recorded", "\n"},
        {"/wheel.pdf [signed: ", "[watermarked]\n"},
        {"/wheel.dwg\n", ""},
    };
    for (const auto& m : marks) {
        const size_t line = summary.find(m_out + m.file);
        ASSERT_NE(std::string::npos, line) << m.file << " in\n" << summary;
        EXPECT_NE(std::string::npos, summary.substr(line, summary.find('\n', line) + 1 - line).find(m.mark))
            << m.file << " in\n" << summary;
    }
}

TEST_F(DeliveryRecord, TheCsvManifestHasTheSameRecords)
{
    const std::string json = m_client.Posix() + "/m.json", csv = m_client.Posix() + "/m.CSV";
    ASSERT_EQ(4, Download({"--manifest", json}).exitCode);
    std::filesystem::remove_all(m_out);
    ASSERT_EQ(4, Download({"--manifest", csv}).exitCode);
    const nlohmann::json files = nlohmann::json::parse(viztest::ReadPosixFile(json)).at("files");
    const std::string text = viztest::ReadPosixFile(csv);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    ASSERT_EQ(files.size() + 1, lines.size()) << text;
    EXPECT_EQ(0u, lines[0].rfind("path,module_path,delivered,status,message,", 0)) << lines[0];
    for (size_t k = 0; k < files.size(); ++k) {
        const std::string path = files.at(k).at("path");
        EXPECT_EQ(0u, lines[k + 1].rfind(path + ",", 0)) << "record " << k << ": " << lines[k + 1];
        EXPECT_NE(std::string::npos, lines[k + 1].find("," + files.at(k).at("stored_sha256").get<std::string>() + ","))
            << lines[k + 1];
    }
}

// A script tells from the status alone how the run ended.
TEST_F(DeliveryRecord, ExitStatusesTellHowTheRunEnded)
{
    m_client.Fixture().SetGlobalParam(L"NEEDWATER_DOWNLOADPDF", 0);
    const std::string pdf = m_client.Posix() + "/sign.pdf", broken = m_client.Posix() + "/broken.pdf";
    {
        std::ofstream(pdf, std::ios::binary) << kWheelPdf;
        std::ofstream(broken, std::ios::binary) << "not a PDF at all";
    }
    const std::string db = m_client.Posix(), wheel = std::to_string(m_wheel.documentId) + ",Drawing," +
        std::to_string(m_wheel.revisionId) + ",";
    const std::string top = "Part:" + std::to_string(m_top);
    const struct {
        const char* what;
        std::vector<std::string> args;
        int status;
        const char* says; // on standard error
    } cases[] = {
        {"a download of distinct files", {"--command", "OutputLightFile", "--select", top, "--do", "check Top / Wheel",
            "--do", "press 下载", "--do", "folder " + m_out + "1", "--do", "press 取消"}, 0, ""},
        {"a name refused, no report asked for", {"--command", "OutputLightFile", "--select", top, "--do",
            "check Top", "--do", "press 下载", "--do", "folder " + m_out + "2", "--do", "press 取消"}, 4,
            "exit status 4"},
        {"signed", {"--command", "SignPdf", "--sign", wheel + pdf}, 0, ""},
        {"the plug-in fails on a damaged PDF", {"--command", "SignPdf", "--sign", wheel + broken}, 5,
            "exit status 5"},
        {"a script line never reached", {"--command", "OutputLightFile", "--select", top, "--do", "press 取消",
            "--do", "press 取消"}, 3, "never reached"},
        {"a server string of no known form", {"--server", "db.example.com", "--create-sample"}, 1,
            "\"host=HOST dbname=NAME user=USER\""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {PlmClient(), "--db", db, "--quiet"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ChildRun run = RunChild(args);
        EXPECT_EQ(c.status, run.exitCode) << c.what << ": " << run.err;
        EXPECT_NE(std::string::npos, run.err.find(c.says)) << c.what << ": " << run.err;
    }
    EXPECT_NE(std::string::npos, PdfText(pdf).find("李工"));
}

TEST(PlmClientDatabaseFolder, AFolderWithoutADatabaseNamesTheOptionsThatMakeOne)
{
    viztest::ScratchFolder scratch;
    const std::string empty = scratch.Posix() + "/empty", missing = scratch.Posix() + "/missing";
    std::filesystem::create_directories(empty);
    for (const std::string& folder : {empty, missing}) {
        const ChildRun run = RunChild(
            {PlmClient(), "--db", folder, "--command", "OutputLightFile", "--select", "Part:1"});
        EXPECT_EQ(1, run.exitCode) << folder;
        for (const char* option : {"--create-demo", "--create-sample", "--server"})
            EXPECT_NE(std::string::npos, run.err.find(option)) << folder << ": " << run.err;
    }
}

} // namespace
} // namespace e2e
