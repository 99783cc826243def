// The client's copy of a stored file: only complete content whose size and SHA-256 are the
// stored ones reaches the target; on every failure the target keeps its old bytes and nothing
// else is left in its folder. Runs on whichever vault the fixture has (folder or server).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>

#include <win32host/Trace.h>

#include "ClientTestFolder.h"
#include "qvclient/Errors.h"

namespace {

const std::string kContent = std::string("%PDF-1.4\n\0binary\xff", 18) + std::string(300000, 'x');

// Downloads the stored file to out/target.pdf through the client's COM object.
HRESULT Download(ClientTestFolder& folder, LONG storedFileId, const std::wstring& fileName = L"target.pdf")
{
    return DownloadStoredFile(storedFileId, folder.OutputPath(fileName));
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

struct FaultCase {
    const char* name;
    // Spoils the stored file (content, row or target) after the fixture made it.
    std::function<void(qvclient::FixtureBuilder&, LONG id)> spoil;
    HRESULT expected;
};

TEST(StoredFileCopyTest, SpoiledContentNeverReachesTheTarget)
{
    const std::string kOldTarget = "the target as it was";
    const std::string kFlipped = [] {
        std::string s = kContent;
        s[200000] ^= 1;
        return s;
    }();
    const FaultCase cases[] = {
        {"content altered, same size",
            [&](qvclient::FixtureBuilder& b, LONG id) { b.WriteVaultFile(std::to_wstring(id), kFlipped); },
            qvclient::QV_E_CONTENTMISMATCH},
        {"content cut short",
            [](qvclient::FixtureBuilder& b, LONG id) { b.WriteVaultFile(std::to_wstring(id), kContent.substr(0, 1000)); },
            qvclient::QV_E_CONTENTMISMATCH},
        {"content grown",
            [](qvclient::FixtureBuilder& b, LONG id) { b.WriteVaultFile(std::to_wstring(id), kContent + "tail"); },
            qvclient::QV_E_CONTENTMISMATCH},
        {"content empty",
            [](qvclient::FixtureBuilder& b, LONG id) { b.WriteVaultFile(std::to_wstring(id), ""); },
            qvclient::QV_E_CONTENTMISMATCH},
        {"stored checksum differs",
            [](qvclient::FixtureBuilder& b, LONG id) {
                b.Execute(L"UPDATE T_StoredFile SET SHA256 = ? WHERE OBJ_ID = ?",
                    {qvclient::DbValue::Text(std::wstring(64, L'0')), qvclient::DbValue::Integer(id)});
            },
            qvclient::QV_E_CONTENTMISMATCH},
        {"no stored checksum",
            [](qvclient::FixtureBuilder& b, LONG id) {
                b.Execute(L"UPDATE T_StoredFile SET SHA256 = NULL WHERE OBJ_ID = ?", {qvclient::DbValue::Integer(id)});
            },
            qvclient::QV_E_CONTENTMISMATCH},
        {"content missing",
            [](qvclient::FixtureBuilder& b, LONG id) {
                b.Execute(L"UPDATE T_StoredFile SET VAULT_NAME = 'gone' WHERE OBJ_ID = ?", {qvclient::DbValue::Integer(id)});
            },
            HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
        {"vault name leaves the vault",
            [](qvclient::FixtureBuilder& b, LONG id) {
                b.Execute(L"UPDATE T_StoredFile SET VAULT_NAME = '../plm.db' WHERE OBJ_ID = ?",
                    {qvclient::DbValue::Integer(id)});
            },
            E_FAIL /* any failure: the folder refuses the name, the server has no such content */},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        ClientTestFolder folder;
        const LONG id = folder.Builder().AddStoredFile(L"a.pdf", kContent);
        ASSERT_NE(0, id);
        c.spoil(folder.Builder(), id);
        ASSERT_EQ(S_OK, folder.OpenClient());
        std::ofstream(folder.OutputPosixPath("target.pdf"), std::ios::binary) << kOldTarget;

        win32host::TraceRecorder trace;
        const HRESULT hr = Download(folder, id);
        if (c.expected == E_FAIL)
            EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
        else
            EXPECT_EQ(c.expected, hr) << std::hex << hr;
        EXPECT_EQ(kOldTarget, ReadFileBytes(folder.OutputPosixPath("target.pdf")));
        EXPECT_EQ(std::vector<std::string>{"target.pdf"}, FilesIn(folder.PosixFolder() + "/out"));
        EXPECT_TRUE(trace.OfKind("file_written").empty());
    }
}

TEST(StoredFileCopyTest, IntactContentReplacesTheTargetAndLeavesNothingElse)
{
    ClientTestFolder folder;
    const LONG id = folder.Builder().AddStoredFile(L"a.pdf", kContent);
    const LONG emptyId = folder.Builder().AddStoredFile(L"empty.txt", "");
    ASSERT_EQ(S_OK, folder.Builder().GetStatus());
    ASSERT_EQ(S_OK, folder.OpenClient());
    std::ofstream(folder.OutputPosixPath("target.pdf"), std::ios::binary) << "old";

    std::vector<ULONGLONG> progress;
    folder.Client().SetDownloadObserver([&](const std::wstring&, ULONGLONG cb) { progress.push_back(cb); });
    ASSERT_EQ(S_OK, Download(folder, id));
    EXPECT_TRUE(kContent == ReadFileBytes(folder.OutputPosixPath("target.pdf")));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(kContent.size(), progress.back());
    EXPECT_GT(progress.size(), 1u) << "the content came in one piece";

    ASSERT_EQ(S_OK, Download(folder, emptyId, L"empty.txt"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder.OutputPosixPath("empty.txt")));
    EXPECT_EQ(0u, std::filesystem::file_size(folder.OutputPosixPath("empty.txt")));
    EXPECT_EQ((std::vector<std::string>{"empty.txt", "target.pdf"}), [&] {
        auto names = FilesIn(folder.PosixFolder() + "/out");
        std::sort(names.begin(), names.end());
        return names;
    }());
}

} // namespace
