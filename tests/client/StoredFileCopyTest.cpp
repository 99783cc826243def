// The client's copy of a stored file: only complete content whose size and SHA-256 are the
// stored ones reaches the target; on every failure the target keeps its old bytes and nothing
// else is left in its folder. Runs on whichever vault the fixture has (folder or server).
#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>
#include <unistd.h>

#include <winenv/Trace.h>

#include "ClientFolder.h"
#include "ObjectDownload.h"
#include "TraceFields.h"
#include "qvclient/Errors.h"

namespace {

const std::string kContent = std::string("%PDF-1.4\n\0binary\xff", 18) + std::string(300000, 'x');

using namespace viztest;

// Downloads the stored file into the folder through the client's COM object.
HRESULT Download(const std::wstring& folder, LONG storedFileId, const std::wstring& fileName = L"target.pdf")
{
    return DownloadObjectFile(L"StoredFile", storedFileId, folder + L"\\" + fileName);
}

struct FaultCase {
    const char* name;
    // Spoils the stored file (content, row or target) after the fixture made it.
    std::function<void(qvclient::FixtureBuilder&, LONG id)> spoil;
    HRESULT expected;
    bool vaultFolder = false; // only where the vault is a folder
};

// A vault entry that is no file (a FIFO no one writes to, a link, a folder) fails the copy at once
// with the error Windows gives for what it cannot open.
TEST(StoredFileCopyTest, SpoiledContentNeverReachesTheTarget)
{
    const std::string kOldTarget = "the target as it was";
    const std::string kFlipped = [] {
        std::string s = kContent;
        s[200000] ^= 1;
        return s;
    }();
    using Spoil = std::function<void(qvclient::FixtureBuilder&, LONG)>;
    const auto vault = [](const std::string& bytes) -> Spoil {
        return [bytes](qvclient::FixtureBuilder& b, LONG id) { b.WriteVaultFile(std::to_wstring(id), bytes); };
    };
    const auto row = [](const std::wstring& set) -> Spoil {
        return [set](qvclient::FixtureBuilder& b, LONG id) {
            b.Execute(L"UPDATE T_StoredFile SET " + set + L" WHERE OBJ_ID = ?", {qvclient::DbValue::Integer(id)});
        };
    };
    const auto both = [](Spoil first, Spoil second) -> Spoil {
        return [=](qvclient::FixtureBuilder& b, LONG id) { first(b, id); second(b, id); };
    };
    // The entry moved elsewhere and `make` puts something that is no file in its place.
    const auto entry = [](int (*make)(const std::string& path, const std::string& elsewhere)) -> Spoil {
        return [make](qvclient::FixtureBuilder& b, LONG id) {
            const std::string path = b.GetPosixFolder() + "/vault/" + std::to_string(id);
            const std::string elsewhere = b.GetPosixFolder() + "/elsewhere";
            ASSERT_EQ(0, rename(path.c_str(), elsewhere.c_str()));
            ASSERT_EQ(0, make(path, elsewhere));
        };
    };
    const FaultCase cases[] = {
        {"content altered, same size", vault(kFlipped), qvclient::QV_E_CONTENTMISMATCH},
        {"content cut short", vault(kContent.substr(0, 1000)), qvclient::QV_E_CONTENTMISMATCH},
        {"content grown", vault(kContent + "tail"), qvclient::QV_E_CONTENTMISMATCH},
        {"content empty", vault(""), qvclient::QV_E_CONTENTMISMATCH},
        {"stored checksum differs", row(L"SHA256 = '" + std::wstring(64, L'0') + L"'"), qvclient::QV_E_CONTENTMISMATCH},
        {"no stored checksum, content cut short", both(row(L"SHA256 = NULL"), vault(kContent.substr(0, 1000))),
            qvclient::QV_E_CONTENTMISMATCH},
        {"empty stored checksum", row(L"SHA256 = ''"), qvclient::QV_E_CONTENTMISMATCH},
        {"content missing", row(L"VAULT_NAME = 'gone'"), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)},
        // Any failure: the folder refuses the name, the server has no such content.
        {"vault name leaves the vault", row(L"VAULT_NAME = '../plm.db'"), E_FAIL},
        {"a FIFO", entry([](const std::string& path, const std::string&) { return mkfifo(path.c_str(), 0600); }),
            HRESULT_FROM_WIN32(ERROR_CANT_ACCESS_FILE), true},
        {"a link to a file with the right content",
            entry([](const std::string& path, const std::string& elsewhere) { return symlink(elsewhere.c_str(), path.c_str()); }),
            HRESULT_FROM_WIN32(ERROR_CANT_ACCESS_FILE), true},
        {"a folder", entry([](const std::string& path, const std::string&) { return mkdir(path.c_str(), 0700); }),
            HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED), true},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        ClientFolder folder;
        const LONG id = folder.Fixture().AddStoredFile(L"a.pdf", kContent);
        ASSERT_NE(0, id);
        if (c.vaultFolder && access((folder.Fixture().GetPosixFolder() + "/vault/" + std::to_string(id)).c_str(), F_OK) != 0)
            continue;
        c.spoil(folder.Fixture(), id);
        ASSERT_EQ(S_OK, folder.Open());
        const std::wstring out = folder.MakeFolder("out");
        WriteFile(out + L"\\target.pdf", kOldTarget);

        winenv::TraceRecorder trace;
        alarm(20); // a copy that waits on the FIFO ends the test program instead of hanging it
        const HRESULT hr = Download(out, id);
        alarm(0);
        if (c.expected == E_FAIL)
            EXPECT_TRUE(FAILED(hr)) << std::hex << hr;
        else
            EXPECT_EQ(c.expected, hr) << std::hex << hr;
        EXPECT_EQ(kOldTarget, ReadFile(out + L"\\target.pdf"));
        EXPECT_EQ(std::vector<std::string>{"target.pdf"}, ListFolder(out));
        EXPECT_TRUE(trace.OfKind("file_written").empty());
    }
}

TEST(StoredFileCopyTest, IntactContentReplacesTheTargetAndLeavesNothingElse)
{
    ClientFolder folder;
    const LONG id = folder.Fixture().AddStoredFile(L"a.pdf", kContent);
    const LONG emptyId = folder.Fixture().AddStoredFile(L"empty.txt", "");
    ASSERT_EQ(S_OK, folder.Fixture().GetStatus());
    ASSERT_EQ(S_OK, folder.Open());
    const std::wstring out = folder.MakeFolder("out");
    WriteFile(out + L"\\target.pdf", "old");

    std::vector<ULONGLONG> progress;
    folder.Client().SetDownloadObserver([&](const std::wstring&, ULONGLONG cb) { progress.push_back(cb); });
    ASSERT_EQ(S_OK, Download(out, id));
    EXPECT_TRUE(kContent == ReadFile(out + L"\\target.pdf"));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(kContent.size(), progress.back());
    EXPECT_GT(progress.size(), 1u) << "the content came in one piece";

    ASSERT_EQ(S_OK, Download(out, emptyId, L"empty.txt"));
    EXPECT_TRUE(FileExists(out + L"\\empty.txt"));
    EXPECT_EQ("", ReadFile(out + L"\\empty.txt"));
    EXPECT_EQ((std::vector<std::string>{"empty.txt", "target.pdf"}), ListFolder(out));
}

// A row from an older system has no SHA-256: its content is checked by its size, copied, and the
// trace says it could not be checked further. A recorded SHA-256 is checked and traces nothing.
TEST(StoredFileCopyTest, ContentWithoutARecordedChecksumIsCheckedByItsSizeAndSaysSo)
{
    ClientFolder folder;
    const LONG unchecked = folder.Fixture().AddStoredFile(L"old.pdf", kContent);
    const LONG checked = folder.Fixture().AddStoredFile(L"new.pdf", kContent);
    folder.Fixture().Execute(
        L"UPDATE T_StoredFile SET SHA256 = NULL WHERE OBJ_ID = ?", {qvclient::DbValue::Integer(unchecked)});
    ASSERT_EQ(S_OK, folder.Fixture().GetStatus());
    ASSERT_EQ(S_OK, folder.Open());
    const std::wstring out = folder.MakeFolder("out");

    const struct {
        LONG id;
        std::vector<std::string> traced;
    } cases[] = {
        {unchecked, {std::to_string(unchecked) + " no SHA-256 recorded"}},
        {checked, {}},
    };
    for (const auto& c : cases) {
        winenv::TraceRecorder trace;
        ASSERT_EQ(S_OK, Download(out, c.id)) << c.id;
        EXPECT_TRUE(kContent == ReadFile(out + L"\\target.pdf")) << c.id;
        EXPECT_EQ(c.traced, TraceFields(trace, "content_unchecked", {"stored_file", "reason"})) << c.id;
    }
}

} // namespace
