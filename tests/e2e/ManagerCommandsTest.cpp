// The product tree and workflow commands through the module's exports on the real client: each
// opens the manager on its selection and hands back every reference its context gave it. What
// the manager does once open is the manager tests' and the transcripts'.
#include "CommandTest.h"

#include "TreeReader.h"

namespace e2e {
namespace {

class ManagerCommandTest : public CommandTest {};

// The workflow's attachments reach the tree in their order, a document attached twice twice; a
// workflow item without attachments still opens the manager, on an empty tree.
TEST_F(ManagerCommandTest, EachOpensTheManagerOnItsSelectionAndKeepsNoReference)
{
    const LONG top = Fixture().AddPart(L"Top");
    Fixture().AddPartDocument(top, L"Drawing", Document(L"Drawing", {{L"top.pdf", L"pdf"}}).documentId);
    const LONG manual = Document(L"Document", {{L"manual.pdf", L"pdf"}}).documentId;
    const LONG flow = Fixture().AddWorkflowItem(L"Review", L"Release", kUser);
    Fixture().AttachToWorkflowItem(flow, L"Document", manual);
    Fixture().AttachToWorkflowItem(flow, L"Part", top);
    Fixture().AttachToWorkflowItem(flow, L"Drawing", Document(L"Drawing", {{L"plan.dwg", L"dwg"}}).documentId);
    Fixture().AttachToWorkflowItem(flow, L"Document", manual);
    const LONG empty = Fixture().AddWorkflowItem(L"Empty", L"Release", kUser);
    ASSERT_EQ(S_OK, Client().Open());
    std::vector<std::wstring> trees;
    user.onManager = [&](HWND dialog) { trees.push_back(viztest::DescribeTree(viztest::ManagerTree(dialog))); };

    EXPECT_EQ(S_OK, Run(Module().PrdTreeOutputLightFile, ProductTreeContext(L"Part", top)));
    EXPECT_EQ(S_OK, Run(Module().WfOutputLightFile, WorkflowContext(flow)));
    EXPECT_EQ(S_OK, Run(Module().WfOutputLightFile, WorkflowContext(empty)));

    EXPECT_EQ((std::vector<std::wstring>{L"Top{top.pdf}", L"关联文件{manual.pdf,plan.dwg,manual.pdf}", L""}),
        trees);
    EXPECT_TRUE(user.messages.empty());
}

} // namespace
} // namespace e2e
