// The product tree and workflow commands through the module's exports: the light file manager
// opens on the selection, a person works its tree and buttons, and the files land.
#include "CommandTest.h"

#include <win32host/Desktop.h>

#include "TreeReader.h"
#include "Spawn.h"

namespace e2e {
namespace {

using namespace viztest;

const wchar_t* const kSignerText = L"Checked by Li Na";

class ManagerCommandTest : public CommandTest {
protected:
    // Ticks the item's check box, downloads, then closes the manager with Cancel; remembers the
    // tree as shown and what was checked.
    void TickAndDownload(const std::wstring& label)
    {
        user.onManager = [this, label](HWND dialog) {
            HWND tree = ManagerTree(dialog);
            ASSERT_TRUE(tree != nullptr);
            shownTree = DescribeTree(tree);
            ExpandAll(tree);
            ASSERT_TRUE(win32host::ClickTreeItemCheckBox(tree, FindItem(tree, label))) << win32host::ToUtf8(label);
            checked = CheckedItems(tree);
            ASSERT_TRUE(win32host::ClickControl(dialog, kDownloadButton));
            ASSERT_TRUE(win32host::ClickControl(dialog, IDCANCEL));
            closedByCancel = !IsWindowVisible(dialog);
        };
    }

    std::wstring shownTree;
    std::wstring checked;
    bool closedByCancel = false;
};

TEST_F(ManagerCommandTest, ProductTreeDownloadOfOneTickedBranch)
{
    const LONG top = Fixture().AddPart(L"Top");
    const LONG frame = Fixture().AddPart(L"Frame");
    Fixture().AddSubPart(top, frame);
    Fixture().AddPartDocument(frame, L"Drawing",
        Document(L"Drawing", {{L"frame.pdf", L"pdf"}, {L"frame.dwg", L"dwg"}}).documentId);
    Fixture().AddPartDocument(top, L"Document", Document(L"Document", {{L"top.pdf", L"pdf"}}).documentId);
    ASSERT_EQ(S_OK, Client().Open());
    const std::wstring out = Client().MakeFolder("out");
    user.folders.push_back(out);
    TickAndDownload(L"Frame");

    EXPECT_EQ(S_OK, Run(Module().PrdTreeOutputLightFile, ProductTreeContext(L"Part", top)));

    EXPECT_EQ(1, user.managerDialogs);
    EXPECT_EQ(L"Top{Frame{frame.pdf,frame.dwg},top.pdf}", shownTree);
    EXPECT_EQ(L"Frame,frame.pdf,frame.dwg", checked);
    EXPECT_EQ((std::vector<std::string>{"frame.dwg", "frame.pdf"}), ListFolder(out));
    EXPECT_EQ(std::vector<std::wstring>{L"下载成功!"}, user.MessageTexts());
    EXPECT_TRUE(closedByCancel);
}

TEST_F(ManagerCommandTest, WorkflowShowsTheAttachedDocumentsFilesAndDownloadsThemSigned)
{
    const Signer signer = AddTextSigner(Fixture(), L"lina", kSignerText);
    const LONG flow = Fixture().AddWorkflowItem(L"Review", L"Release", L"lina");
    const qvclient::DocumentFixture manual = Document(L"Document", {{L"manual.pdf", L"pdf"}});
    Sign(Fixture(), signer, L"Document", manual);
    const LONG bracket = Fixture().AddPart(L"Bracket");
    Fixture().AddPartDocument(bracket, L"Document", Document(L"Document", {{L"bracket.pdf", L"pdf"}}).documentId);
    const LONG drawing = Document(L"Drawing", {{L"plan.pdf", L"pdf"}, {L"plan.dwg", L"dwg"}}).documentId;
    Fixture().AttachToWorkflowItem(flow, L"Document", manual.documentId);
    Fixture().AttachToWorkflowItem(flow, L"Part", bracket);
    Fixture().AttachToWorkflowItem(flow, L"Drawing", drawing);
    ASSERT_EQ(S_OK, Client().Open());
    const std::wstring out = Client().MakeFolder("out");
    user.folders.push_back(out);
    TickAndDownload(L"关联文件");

    EXPECT_EQ(S_OK, Run(Module().WfOutputLightFile, WorkflowContext(flow)));

    EXPECT_EQ(L"关联文件{manual.pdf,plan.pdf,plan.dwg}", shownTree);
    EXPECT_EQ((std::vector<std::string>{"manual.pdf", "plan.dwg", "plan.pdf"}), ListFolder(out));
    EXPECT_EQ(std::vector<std::wstring>{L"下载成功!"}, user.MessageTexts());
    const std::string text = PdfText(PosixOf(out + L"\\manual.pdf"));
    EXPECT_NE(std::string::npos, text.find(win32host::ToUtf8(kSignerText))) << text;
    EXPECT_EQ(std::string::npos, PdfText(PosixOf(out + L"\\plan.pdf")).find(win32host::ToUtf8(kSignerText)));
    EXPECT_TRUE(closedByCancel);
}

} // namespace
} // namespace e2e
