// The server stops in the middle of a tree population: the command ends as it does for failing
// queries (no crash, no hang), and once the server is back the next command sees everything.
#include <gtest/gtest.h>

#include <win32host/Desktop.h>

#include "CommandTest.h"
#include "ManagerTree.h"
#include "TestServer.h"

namespace {

class ServerOutageTest : public e2e::CommandTest {
protected:
    void SetUp() override
    {
        PGTEST_REQUIRE_SERVER();
        e2e::CommandTest::SetUp();
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
            HWND tree = e2e::ManagerTree(dialog);
            ASSERT_TRUE(tree != nullptr);
            e2e::ExpandAll(tree);
            m_shownTree = e2e::DescribeTree(tree);
        };
    }

    void TearDown() override
    {
        if (m_bStopped)
            pgtest::StartServer();
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
    bool m_bStopped = false;
};

TEST_F(ServerOutageTest, AServerLostMidPopulationEndsTheCommandAndTheNextOneSeesEverything)
{
    ASSERT_EQ(S_OK, RunProductTree());
    const std::wstring fullTree = m_shownTree;
    const size_t fullSql = Sql().size();
    ASSERT_NE(std::wstring::npos, fullTree.find(L"Part 6.dwg")) << fullTree;

    // The server goes just before the fifth statement of the population is sent.
    int nSql = 0;
    const int cookie = win32host::AddTraceSink([this, &nSql](const win32host::TraceEvent& event) {
        if (event.kind == "sql" && ++nSql == 5)
            m_bStopped = pgtest::StopServer();
    });
    const HRESULT hrDuringOutage = RunProductTree();
    win32host::RemoveTraceSink(cookie);
    ASSERT_TRUE(m_bStopped) << "the server could not be stopped";

    EXPECT_EQ(2, user.managerDialogs) << "the manager still opened";
    EXPECT_EQ(S_OK, hrDuringOutage) << e2e::HrText(hrDuringOutage);
    EXPECT_NE(fullTree, m_shownTree) << "the light files found after the outage cannot be shown";
    EXPECT_NE(std::wstring::npos, m_shownTree.find(L"Top")) << m_shownTree;
    EXPECT_EQ(std::wstring::npos, m_shownTree.find(L"Part 6.dwg")) << m_shownTree;

    ASSERT_TRUE(pgtest::StartServer());
    m_bStopped = false;
    EXPECT_EQ(S_OK, RunProductTree());
    EXPECT_EQ(fullTree, m_shownTree);
    EXPECT_EQ(fullSql, Sql().size());
}

} // namespace
