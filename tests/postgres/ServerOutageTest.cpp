// The server stops in the middle of a tree population or of a file's content: the command ends
// as it does for failing queries or fetches (no crash, no hang), and once the server is back the
// next command sees everything.
#include <gtest/gtest.h>

#include <chrono>
#include <set>

#include <winenv/Desktop.h>

#include "CommandTest.h"
#include "TreeReader.h"
#include "ServerTest.h"
#include "db/ConnectionString.h"
#include "qvclient/Client.h"
#include "qvclient/CommandTransaction.h"
#include "qvclient/Vault.h"

namespace {

class ServerOutageTest : public pgtest::ServerTest {
protected:
    void Prepare() override
    {
        m_top = Fixture().AddPart(L"Top");
        for (int i = 1; i <= 6; ++i) {
            const std::wstring name = L"Part " + std::to_wstring(i);
            const LONG part = Fixture().AddPart(name);
            Fixture().AddSubPart(m_top, part);
            Fixture().AddPartDocument(part, L"Drawing",
                Document(L"Drawing", {{name + L".pdf", L"pdf"}, {name + L".dwg", L"dwg"}}).documentId);
        }
        ASSERT_EQ(S_OK, Fixture().GetStatus());
        ASSERT_EQ(S_OK, Client().Open());
        user.onManager = [this](HWND dialog) {
            HWND tree = viztest::ManagerTree(dialog);
            ASSERT_TRUE(tree != nullptr);
            viztest::ExpandAll(tree);
            m_shownTree = viztest::DescribeTree(tree);
        };
    }

    // Runs the product tree command; the tree as the person saw it lands in m_shownTree.
    HRESULT RunProductTree()
    {
        m_shownTree.clear();
        trace.Clear();
        return Run(e2e::Module().PrdTreeOutputLightFile, ProductTreeContext(L"Part", m_top));
    }

    LONG m_top = 0;
    std::wstring m_shownTree;
};

TEST_F(ServerOutageTest, AServerLostMidPopulationEndsTheCommandAndTheNextOneSeesEverything)
{
    ASSERT_EQ(S_OK, RunProductTree());
    const std::wstring fullTree = m_shownTree;
    const size_t fullSql = Sql().size();
    ASSERT_NE(std::wstring::npos, fullTree.find(L"Part 6.dwg")) << fullTree;

    // The server goes just before the fifth statement of the population is sent.
    int nSql = 0;
    const int cookie = winenv::AddTraceSink([this, &nSql](const winenv::TraceEvent& event) {
        if (event.kind == "sql" && ++nSql == 5)
            Stop();
    });
    const HRESULT hrDuringOutage = RunProductTree();
    winenv::RemoveTraceSink(cookie);
    ASSERT_TRUE(Stopped()) << "the server could not be stopped";

    EXPECT_EQ(2, user.managerDialogs) << "the manager still opened";
    EXPECT_EQ(S_OK, hrDuringOutage) << e2e::HrText(hrDuringOutage);
    EXPECT_NE(fullTree, m_shownTree) << "the light files found after the outage cannot be shown";
    EXPECT_NE(std::wstring::npos, m_shownTree.find(L"Top")) << m_shownTree;
    EXPECT_EQ(std::wstring::npos, m_shownTree.find(L"Part 6.dwg")) << m_shownTree;

    ASSERT_TRUE(Start());
    EXPECT_EQ(S_OK, RunProductTree());
    EXPECT_EQ(fullTree, m_shownTree);
    EXPECT_EQ(fullSql, Sql().size());
}

// The manager's download of the files of one drawing under Top: all checked, then 下载.
class DownloadOutageTest : public pgtest::ServerTest {
protected:
    void AddDrawing(const std::vector<qvclient::LightFileSpec>& files)
    {
        m_top = Fixture().AddPart(L"Top");
        Fixture().AddPartDocument(m_top, L"Drawing",
            Fixture().AddDocumentWithLightFiles(L"Drawing", L"Sheets", L"dwg", files).documentId);
        ASSERT_EQ(S_OK, Fixture().GetStatus());
        user.onManager = [](HWND dialog) {
            HWND tree = viztest::ManagerTree(dialog);
            ASSERT_TRUE(tree != nullptr);
            ASSERT_TRUE(winenv::ClickTreeItemCheckBox(tree, TreeView_GetRoot(tree)));
            ASSERT_TRUE(winenv::ClickControl(dialog, viztest::kDownloadButton));
        };
    }

    void TearDown() override
    {
        Client().Client().SetDownloadObserver(nullptr);
        ServerTest::TearDown();
    }

    virtual HRESULT Download(const std::wstring& folder)
    {
        user.folders.push_back(folder);
        user.messages.clear();
        return Run(e2e::Module().PrdTreeOutputLightFile, ProductTreeContext(L"Part", m_top));
    }

    LONG m_top = 0;
};

// Three files, the server lost in the middle of the second.
class ContentOutageTest : public DownloadOutageTest {
protected:
    void Prepare() override
    {
        m_contents = {{L"first.dwg", std::string(1000, 'a')},
            {L"second.dwg", std::string(3 * qvclient::kVaultChunkSize + 17, 'b')},
            {L"third.dwg", std::string(2000, 'c')}};
        std::vector<qvclient::LightFileSpec> files;
        for (const auto& file : m_contents)
            files.push_back({file.first, L"dwg", file.second, {}});
        AddDrawing(files);
        ASSERT_EQ(S_OK, Client().Open());
    }

    std::vector<std::pair<std::wstring, std::string>> m_contents;
};

TEST_F(ContentOutageTest, AServerLostMidFileFailsThatFileLeavesNothingAndTheNextDownloadIsWhole)
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point stopped;
    bool bOutage = true; // only in the first download
    Client().Client().SetDownloadObserver([&](const std::wstring& path, ULONGLONG cbWritten) {
        if (bOutage && !Stopped() && path.find(L"second.dwg") != std::wstring::npos && cbWritten >= qvclient::kVaultChunkSize) {
            Stop();
            stopped = Clock::now();
        }
    });
    const std::wstring during = Client().MakeFolder("during");
    EXPECT_EQ(S_OK, Download(during));
    const auto afterStop = Clock::now() - stopped;
    ASSERT_TRUE(Stopped()) << "the server could not be stopped";

    // The walk went on without waiting for the server: under the connect timeout (5 s).
    EXPECT_LT(afterStop, std::chrono::seconds(5));
    const std::vector<std::wstring> texts = user.MessageTexts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(L"文件(second.dwg)获取失败(80040313)!", texts[0]);
    // Only the file that came whole before the outage; no temporary file left.
    EXPECT_EQ(std::vector<std::string>{"first.dwg"}, e2e::ListFolder(during));

    bOutage = false;
    ASSERT_TRUE(Start());
    const std::wstring after = Client().MakeFolder("after");
    EXPECT_EQ(S_OK, Download(after));
    EXPECT_EQ((std::vector<std::string>{"first.dwg", "second.dwg", "third.dwg"}), e2e::ListFolder(after));
    for (const auto& file : m_contents)
        EXPECT_TRUE(file.second == e2e::ReadFile(after + L"\\" + file.first)) << winenv::ToUtf8(file.first);
}

// Eight files in one command, as the client runs a command, from a server that freezes after the
// first file: it takes connections but never answers.
class FrozenServerTest : public DownloadOutageTest {
protected:
    static constexpr int kFiles = 8;

    void Prepare() override
    {
        std::vector<qvclient::LightFileSpec> files;
        for (int i = 1; i <= kFiles; ++i)
            files.push_back(
                {L"sheet" + std::to_wstring(i) + L".dwg", L"dwg", std::string(500, static_cast<char>('a' + i)), {}});
        AddDrawing(files);
        // Short limits, so that the first failures cost seconds, not a minute: a statement's
        // answer is awaited 1 s, a connection 2 s.
        const std::wstring folder = winenv::FromUtf8(Client().Posix());
        std::string conninfo, shorter;
        ASSERT_EQ(S_OK, qvclient::ReadFolderServer(folder, conninfo));
        ASSERT_TRUE(qvclient::AddConnectionSettings(conninfo, {{"connect_timeout", "2"}}, "-c statement_timeout=500",
            shorter));
        ASSERT_EQ(S_OK, qvclient::WriteFolderServer(folder, shorter));
        ASSERT_EQ(S_OK, Client().Open());
    }

    // One command, in the client's transaction for a command as plmclient runs it.
    HRESULT Download(const std::wstring& folder) override
    {
        const qvclient::CommandTransaction command;
        return DownloadOutageTest::Download(folder);
    }

    // The status of each file the module could not fetch, from its box; every box's text in shown.
    std::vector<std::wstring> FailedFileStatuses(std::string& shown) const
    {
        std::vector<std::wstring> statuses;
        shown.clear();
        for (const std::wstring& text : user.MessageTexts()) {
            shown += winenv::ToUtf8(text) + "\n";
            if (text.find(L"获取失败(") != std::wstring::npos)
                statuses.push_back(text.substr(text.rfind(L'(')));
        }
        return statuses;
    }
};

TEST_F(FrozenServerTest, OnceTheServerIsFoundGoneEveryLaterFileFailsAtOnceAndTheNextCommandReconnects)
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point frozen;
    Client().Client().SetDownloadObserver([&](const std::wstring&, ULONGLONG) {
        if (frozen == Clock::time_point() && Freeze())
            frozen = Clock::now();
    });
    const std::wstring during = Client().MakeFolder("during");
    EXPECT_EQ(S_OK, Download(during));
    const auto afterFreeze = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - frozen);
    Client().Client().SetDownloadObserver(nullptr);
    ASSERT_NE(Clock::time_point(), frozen) << "the server could not be frozen";
    RecordProperty("ms_after_freeze", static_cast<int>(afterFreeze.count()));

    // The first file that meets the frozen server waits out its statement (1 s) and the cancel
    // (at most 2 s), the next connection attempt its timeout (2 s); nothing after that waits.
    // Waiting again for each file would take 2 s more a file.
    EXPECT_LT(afterFreeze, std::chrono::milliseconds(8000));
    const size_t fetched = e2e::ListFolder(during).size();
    EXPECT_LT(fetched, static_cast<size_t>(kFiles));
    // Every file not fetched has its box, and every box after the first shows the same status.
    std::string shown;
    const std::vector<std::wstring> failed = FailedFileStatuses(shown);
    EXPECT_EQ(kFiles - fetched, failed.size()) << shown;
    EXPECT_EQ(1u, std::set<std::wstring>(failed.begin() + (failed.empty() ? 0 : 1), failed.end()).size()) << shown;

    // Back again: the next command connects anew and fetches everything.
    ASSERT_TRUE(Thaw());
    const std::wstring after = Client().MakeFolder("after");
    EXPECT_EQ(S_OK, Download(after));
    EXPECT_EQ(static_cast<size_t>(kFiles), e2e::ListFolder(after).size());
    EXPECT_TRUE(FailedFileStatuses(shown).empty()) << shown;
}

} // namespace
