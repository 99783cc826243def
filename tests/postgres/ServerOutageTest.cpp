// The server stops in the middle of a tree population or of a file's content: the command ends
// as it does for failing queries or fetches (no crash, no hang), and once the server is back the
// next command sees everything.
#include <gtest/gtest.h>

#include <chrono>

#include <winenv/Desktop.h>

#include "CommandTest.h"
#include "TreeReader.h"
#include "ServerTest.h"
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

// The manager's download of three files, the server lost in the middle of the second.
class ContentOutageTest : public pgtest::ServerTest {
protected:
    void Prepare() override
    {
        m_top = Fixture().AddPart(L"Top");
        m_contents = {{L"first.dwg", std::string(1000, 'a')},
            {L"second.dwg", std::string(3 * qvclient::kVaultChunkSize + 17, 'b')},
            {L"third.dwg", std::string(2000, 'c')}};
        std::vector<qvclient::LightFileSpec> files;
        for (const auto& file : m_contents)
            files.push_back({file.first, L"dwg", file.second, {}});
        Fixture().AddPartDocument(m_top, L"Drawing",
            Fixture().AddDocumentWithLightFiles(L"Drawing", L"Sheets", L"dwg", files).documentId);
        ASSERT_EQ(S_OK, Fixture().GetStatus());
        ASSERT_EQ(S_OK, Client().Open());
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

    HRESULT Download(const std::wstring& folder)
    {
        user.folders.push_back(folder);
        user.messages.clear();
        return Run(e2e::Module().PrdTreeOutputLightFile, ProductTreeContext(L"Part", m_top));
    }

    LONG m_top = 0;
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

} // namespace
