// How the manager fills its tree from a product, a folder tree or workflow items.
#include "ManagerTestBase.h"

#include <shellapi.h>

#include <qvclient/UiContext.h>

#include "FailingFlowItem.h"
#include "TraceFields.h"
#include "manager/FlowItemList.h"

namespace managertest {
namespace {

// The shell's small icon for files of a type, asked as any program would.
int ShellIconOf(LPCWSTR lpszExtension)
{
    SHFILEINFOW sfi = {};
    SHGetFileInfoW(lpszExtension, FILE_ATTRIBUTE_NORMAL, &sfi, sizeof(sfi),
        SHGFI_USEFILEATTRIBUTES | SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    return sfi.iIcon;
}

class TreePopulationTest : public ManagerTest {
protected:
    // The tree as the user would see it once the dialog is up.
    std::wstring TreeOf(const wchar_t* className, LONG objectId)
    {
        std::wstring described = L"<dialog not shown>";
        user.onManager = [&](HWND dialog) { described = DescribeTree(ManagerTree(dialog)); };
        RunOn(className, objectId);
        return described;
    }
};

// Every root is filled into one database first; then the manager opens on each in turn. A
// structure linked into a loop, or deeper than a walk can go, shows what lies above the loop or the
// bound; each object left out is reported through the client's error service and the fill goes on.
TEST_F(TreePopulationTest, TreeOfEachRootWithLoopsAndDepthLeftOutAndReported)
{
    auto& f = Fixture();
    // A product: sub-assemblies depth first, then its own light files.
    // Made in one order, linked in another: the links' order wins.
    const LONG subB = f.AddPart(L"SubB");
    const LONG top = f.AddPart(L"Top"), subA = f.AddPart(L"SubA"), subA1 = f.AddPart(L"SubA1");
    f.AddSubPart(top, subA);
    f.AddSubPart(top, subB);
    f.AddSubPart(subA, subA1);
    f.AddPartDocument(subA1, L"Document", Document(L"Document", {{L"a1.pdf", L"pdf"}}));
    f.AddPartDocument(subA, L"Drawing", Document(L"Drawing", {{L"a.dwg", L"dwg"}}));
    f.AddPartDocument(top, L"Document", Document(L"Document", {{L"top.pdf", L"pdf"}, {L"top.dwg", L"dwg"}}));
    // A sub-assembly used twice appears twice, fully filled.
    const LONG twice = f.AddPart(L"Top"), screw = f.AddPart(L"Screw"), thread = f.AddPart(L"Thread");
    f.AddSubPart(twice, screw);
    f.AddSubPart(twice, screw);
    f.AddSubPart(screw, thread);
    f.AddPartDocument(screw, L"Document", Document(L"Document", {{L"screw.pdf", L"pdf"}}));
    f.AddPartDocument(thread, L"Drawing", Document(L"Drawing", {{L"thread.dwg", L"dwg"}}));
    // A document shows all its light files only when it has a PDF or a DWG; a 3D document's STEP
    // file answers for its PDF, an ordinary document's does not.
    const LONG part = f.AddPart(L"P");
    f.AddPartDocument(part, L"Document", Document(L"Document", {{L"notes.txt", L"txt"}, {L"sheet.xlsx", L"xlsx"}}));
    f.AddPartDocument(
        part, L"CappDocument", Document(L"CappDocument", {{L"plan.pdf", L"pdf"}, {L"plan.xlsx", L"xlsx"}}));
    f.AddPartDocument(part, L"3DDocument", Document(L"3DDocument", {{L"model.step", L"step"}}));
    f.AddPartDocument(part, L"Document", Document(L"Document", {{L"loose.step", L"step"}}));
    // A folder tree: sub-folders, then light files.
    const LONG root = f.AddFolder(L"Folder", L"Root"), sub = f.AddFolder(L"Folder", L"Sub");
    const LONG empty = f.AddFolder(L"Folder", L"Empty");
    f.AddSubFolder(L"Folder", root, L"Folder", sub);
    f.AddSubFolder(L"Folder", root, L"Folder", empty);
    f.AddFolderDocument(L"Folder", sub, L"Drawing", Document(L"Drawing", {{L"s.dwg", L"dwg"}}));
    f.AddFolderDocument(L"Folder", root, L"Document", Document(L"Document", {{L"r.pdf", L"pdf"}, {L"r.txt", L"txt"}}));
    f.AddFolderDocument(L"Folder", root, L"Document", Document(L"Document", {{L"other.txt", L"txt"}}));
    // Every folder class is a root.
    const LONG product = f.AddFolder(L"FolderOfProduct", L"Products"), models = f.AddFolder(L"3DFolder", L"Models");
    f.AddFolderDocument(L"FolderOfProduct", product, L"Document", Document(L"Document", {{L"p.pdf", L"pdf"}}));
    f.AddFolderDocument(L"3DFolder", models, L"3DDocument", Document(L"3DDocument", {{L"m.step", L"step"}}));
    f.AddSubFolder(L"FolderOfProduct", product, L"3DFolder", models);
    // Labels of 128 characters or more are cut and the fill goes on.
    const std::wstring longPart(200, L'P'), longFile = std::wstring(150, L'f') + L".pdf";
    const LONG cut = f.AddPart(L"Top"), longSub = f.AddPart(longPart);
    f.AddSubPart(cut, longSub);
    f.AddPartDocument(longSub, L"Document", Document(L"Document", {{longFile, L"pdf"}, {L"after.dwg", L"dwg"}}));
    f.AddPartDocument(cut, L"Document", Document(L"Document", {{L"top.pdf", L"pdf"}}));
    // Loops of parts and of folders.
    const LONG self = f.AddPart(L"Self");
    f.AddSubPart(self, self);
    f.AddPartDocument(self, L"Document", Document(L"Document", {{L"self.pdf", L"pdf"}}));
    const LONG partA = f.AddPart(L"A"), partB = f.AddPart(L"B"), partC = f.AddPart(L"C");
    f.AddSubPart(partA, partB);
    f.AddSubPart(partB, partA);
    f.AddSubPart(partB, partC);
    f.AddPartDocument(partB, L"Document", Document(L"Document", {{L"b.pdf", L"pdf"}}));
    const LONG upper = f.AddFolder(L"Folder", L"Upper"), lower = f.AddFolder(L"Folder", L"Lower");
    f.AddSubFolder(L"Folder", upper, L"Folder", lower);
    f.AddSubFolder(L"Folder", lower, L"Folder", upper);
    f.AddFolderDocument(L"Folder", lower, L"Document", Document(L"Document", {{L"l.pdf", L"pdf"}}));
    // A chain one level deeper than the walk goes: its last part is left out.
    std::vector<LONG> chain = {f.AddPart(L"L")};
    std::wstring deep = L"L";
    for (int level = 1; level <= 256; ++level) {
        chain.push_back(f.AddPart(L"L"));
        f.AddSubPart(chain[level - 1], chain[level]);
        if (level < 256)
            deep = L"L{" + deep + L"}";
    }
    const auto report = [](const char* code, const char* relation, LONG id) {
        return std::string(code) + " " + relation + ":" + std::to_string(id);
    };
    const struct {
        const wchar_t* rootClass;
        LONG root;
        std::wstring expected;
        std::vector<std::string> reports;
    } cases[] = {
        {L"Part", top, L"Top{SubA{SubA1{a1.pdf},a.dwg},SubB,top.pdf,top.dwg}", {}},
        {L"Part", twice, L"Top{Screw{Thread{thread.dwg},screw.pdf},Screw{Thread{thread.dwg},screw.pdf}}", {}},
        {L"Part", part, L"P{plan.pdf,plan.xlsx,model.step}", {}},
        {L"Folder", root, L"Root{Sub{s.dwg},Empty,r.pdf,r.txt}", {}},
        {L"FolderOfProduct", product, L"Products{Models{m.step},p.pdf}", {}},
        {L"3DFolder", models, L"Models{m.step}", {}},
        // A root of another class gives an empty tree.
        {L"Document", Document(L"Document", {{L"d.pdf", L"pdf"}}), L"", {}},
        {L"Part", cut, L"Top{" + longPart.substr(0, 127) + L"{" + longFile.substr(0, 127) + L",after.dwg},top.pdf}", {}},
        {L"Part", self, L"Self{self.pdf}", {report("8004030C", "ParentAssemblyPart", self)}},
        {L"Part", partA, L"A{B{C,b.pdf}}", {report("8004030C", "ParentAssemblyPart", partA)}},
        {L"Part", partB, L"B{A,C,b.pdf}", {report("8004030C", "ParentAssemblyPart", partB)}},
        {L"Folder", upper, L"Upper{Lower{l.pdf}}", {report("8004030C", "ParentFolder", upper)}},
        {L"Part", chain[0], deep, {report("8004030D", "ParentAssemblyPart", chain[256])}},
    };
    for (const auto& c : cases) {
        winenv::TraceRecorder trace;
        EXPECT_EQ(c.expected, TreeOf(c.rootClass, c.root)) << winenv::ToUtf8(c.rootClass) << ":" << c.root;
        EXPECT_EQ(c.reports, TraceFields(trace, "error_report", {"codes", "locations"}));
    }
}

// The records the items carry are the downloads' and double clicks' (transcripts, ViewerTest); one
// revision record per document is QueryLightFilesTest's.
TEST_F(TreePopulationTest, StructureNodesShareAnIconAndFilesHaveTheirTypes)
{
    auto& f = Fixture();
    const LONG top = f.AddPart(L"Top");
    const LONG sub = f.AddPart(L"Sub");
    f.AddSubPart(top, sub);
    f.AddPartDocument(sub, L"Document", Document(L"Document", {{L"a.pdf", L"pdf"}, {L"b.dwg", L"dwg"}}));

    user.onManager = [&](HWND dialog) {
        HWND tree = ManagerTree(dialog);
        EXPECT_EQ(ItemImage(tree, FindItem(tree, L"Top")), ItemImage(tree, FindItem(tree, L"Sub")));
        EXPECT_EQ(ShellIconOf(L".pdf"), ItemImage(tree, FindItem(tree, L"a.pdf")));
        EXPECT_EQ(ShellIconOf(L".dwg"), ItemImage(tree, FindItem(tree, L"b.dwg")));
        EXPECT_NE(ShellIconOf(L".pdf"), ShellIconOf(L".dwg"));
    };
    RunOn(L"Part", top);
}

class WorkflowPopulationTest : public ManagerTest {
protected:
    // The attached items of a workflow item as the workflow command receives them.
    CFlowItemList AttachedItems(LONG flowItem)
    {
        CFlowItemList items;
        IQvOtlObject* pFlow = nullptr;
        EXPECT_SUCCEEDED(qvclient::OpenObject(L"WorkflowItem", flowItem, &pFlow));
        IQvUiContext* pContext = nullptr;
        EXPECT_SUCCEEDED(qvclient::MakeWorkflowContext(pFlow, &pContext));
        IUnknown* pUnknown = nullptr;
        pContext->GetFlowItem(&pUnknown);
        IQvUiFlowItemPtr pFlowItem(pUnknown);
        VARIANT var;
        VariantInit(&var);
        pFlowItem->GetAttachedItems(&var);
        EXPECT_SUCCEEDED(BuildFlowItemList(&var, items));
        VariantClear(&var);
        pUnknown->Release();
        pContext->Release();
        pFlow->Release();
        return items;
    }

    std::wstring TreeOfItems(const CFlowItemList& items)
    {
        std::wstring described = L"<dialog not shown>";
        user.onManager = [&](HWND dialog) { described = DescribeTree(ManagerTree(dialog)); };
        CDocumentSelectDlg dlg;
        dlg.m_lstFlowItems = items;
        AsUser([&] { return dlg.DoModal(); });
        return described;
    }

    // A workflow item with documents w1, w2, w3 and a part (with a document of its own) between
    // the first two.
    LONG BuildWorkflow()
    {
        auto& f = Fixture();
        const LONG flow = f.AddWorkflowItem(L"Review");
        const LONG part = f.AddPart(L"Bracket");
        f.AddPartDocument(part, L"Document", Document(L"Document", {{L"bracket.pdf", L"pdf"}}));
        f.AttachToWorkflowItem(flow, L"Document", Document(L"Document", {{L"w1.pdf", L"pdf"}}));
        f.AttachToWorkflowItem(flow, L"Part", part);
        f.AttachToWorkflowItem(flow, L"Drawing", Document(L"Drawing", {{L"w2.dwg", L"dwg"}, {L"w2.txt", L"txt"}}));
        f.AttachToWorkflowItem(flow, L"Document", Document(L"Document", {{L"w3.pdf", L"pdf"}}));
        return flow;
    }
};

// An element whose UI object fails (or is missing) stops the fill there; failing last, after the
// whole list: documents hang under 关联文件 in their order and the part adds nothing.
class WorkflowElementFailureTest : public WorkflowPopulationTest, public ::testing::WithParamInterface<HRESULT> {};

TEST_P(WorkflowElementFailureTest, StopsTheFillAtThatElement)
{
    const LONG flow = BuildWorkflow();
    ASSERT_SUCCEEDED(Open());
    const CFlowItemList attached = AttachedItems(flow);
    ASSERT_EQ(4u, attached.size());

    for (size_t k = 0; k <= attached.size(); ++k) {
        CFlowItemList items;
        FailingFlowItem* pFailing = new FailingFlowItem(GetParam());
        size_t index = 0;
        for (const IQvUiFlowItemPtr& item : attached) {
            if (index++ == k)
                items.push_back(IQvUiFlowItemPtr(static_cast<IQvUiFlowItem*>(pFailing)));
            items.push_back(item);
        }
        if (k == attached.size())
            items.push_back(IQvUiFlowItemPtr(static_cast<IQvUiFlowItem*>(pFailing)));

        const std::wstring shownBefore[] = {L"", L"w1.pdf", L"w1.pdf", L"w1.pdf,w2.dwg,w2.txt",
            L"w1.pdf,w2.dwg,w2.txt,w3.pdf"};
        const std::wstring expected =
            shownBefore[k].empty() ? L"关联文件" : L"关联文件{" + shownBefore[k] + L"}";
        EXPECT_EQ(expected, TreeOfItems(items)) << "failing element at " << k;
        EXPECT_EQ(1, pFailing->calls);
        pFailing->Release();
    }
}

INSTANTIATE_TEST_SUITE_P(FailedOrEmpty, WorkflowElementFailureTest, ::testing::Values(E_FAIL, S_OK));

} // namespace
} // namespace managertest
