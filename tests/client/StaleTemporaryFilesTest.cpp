// What the client removes from its temporary folder at the start of a command: signature pictures
// that are not their stored files' current content, anything else planted among them, and the
// signing jobs of earlier commands; what is current, and what is in a folder below, stays.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "TraceFields.h"

namespace {

using namespace viztest;

TEST(StaleTemporaryFilesTest, OnlyCurrentPicturesAndNoOldJobsRemain)
{
    ClientFolder folder;
    auto& f = folder.Fixture();
    const std::string picture = "BM a signer's picture";
    const LONG current = f.AddStoredFile(L"sign.png", picture);
    const LONG changed = f.AddStoredFile(L"sign.png", picture);
    const LONG resized = f.AddStoredFile(L"sign.png", picture);
    const LONG unnamed = f.AddStoredFile(L"sign", picture);
    const LONG unrecorded = f.AddStoredFile(L"old.bmp", picture);
    const LONG chinese = f.AddStoredFile(L"签名.png", picture);
    f.Execute(L"UPDATE T_StoredFile SET SHA256 = NULL WHERE OBJ_ID = ?", {qvclient::DbValue::Integer(unrecorded)});
    ASSERT_EQ(S_OK, f.GetStatus());
    ASSERT_EQ(S_OK, folder.Open());
    const std::wstring temp = folder.Client().GetTempPath();
    const std::wstring signature = temp + L"\\signature";
    std::filesystem::create_directories(PosixOf(signature) + "/kept folder");

    std::string altered = picture;
    altered[3] ^= 1;
    const auto id = [](LONG n) { return std::to_string(n); };
    const struct {
        std::string name; // in temp\signature, or with a leading "..\" in temp
        std::string content;
        const char* removedBecause; // null: kept
    } cases[] = {
        {id(current) + "sign.png", picture, nullptr},
        {id(unnamed) + "picture.bmp", picture, nullptr},
        {id(unrecorded) + "old.bmp", picture, nullptr},
        {id(chinese) + "签名.png", picture, nullptr},
        {id(chinese) + "签名.png.ini", picture, "no stored file"},
        {id(changed) + "sign.png", altered, "content differs"},
        {id(resized) + "sign.png", picture + "!", "size differs"},
        {id(current) + "other.png", picture, "no stored file"},
        {"planted.png", picture, "no stored file"},
        {"999999999sign.png", picture, "no stored file"},
        {"../a.pdf.ini", "[PDFSIGN]\r\nNUMBER=0\r\n", "a job of an earlier command"},
        {"../b.PDF.INI", "", "a job of an earlier command"},
        {"../a.pdf", "%PDF-1.4", nullptr},
        {"../a.ini", "", nullptr},
    };
    for (const auto& c : cases) {
        const bool inTemp = c.name.rfind("../", 0) == 0;
        WriteFile((inTemp ? temp : signature) + L"\\" + winenv::FromUtf8(inTemp ? c.name.substr(3) : c.name), c.content);
    }
    const std::string fifo = PosixOf(signature) + "/" + id(current) + "fifo.png";
    ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));

    winenv::TraceRecorder trace;
    folder.Client().RemoveStaleTemporaryFiles();

    std::vector<std::string> removed = TraceFields(trace, "temp_removed", {"path", "reason"});
    for (const auto& c : cases) {
        const bool inTemp = c.name.rfind("../", 0) == 0;
        const std::string path = PosixOf(inTemp ? temp : signature) + "/" + (inTemp ? c.name.substr(3) : c.name);
        struct stat info {};
        EXPECT_EQ(c.removedBecause == nullptr, stat(path.c_str(), &info) == 0) << c.name;
        if (c.removedBecause != nullptr) {
            EXPECT_NE(std::find(removed.begin(), removed.end(), path + " " + c.removedBecause), removed.end())
                << c.name << " " << c.removedBecause << " in\n" << ::testing::PrintToString(removed);
        }
    }
    struct stat info {};
    EXPECT_NE(0, lstat(fifo.c_str(), &info)) << "a FIFO among the pictures stays";
    EXPECT_EQ(0, stat((PosixOf(signature) + "/kept folder").c_str(), &info));
    EXPECT_EQ(9u, removed.size()) << ::testing::PrintToString(removed);
}

} // namespace
