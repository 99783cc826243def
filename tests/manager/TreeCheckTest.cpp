// Check boxes of the manager's tree: branches follow a click on a node's box, and the DWG, PDF and
// STEP boxes set the files of their type.
#include "ManagerTestBase.h"

namespace managertest {
namespace {

using winenv::ClickControl;
using winenv::ClickTreeItemCheckBox;
using winenv::ClickTreeItemLabel;
using winenv::PressKey;

class TreeCheckTest : public ManagerTest {
protected:
    // Top{Sub{Deep{d.pdf},s.pdf,s.dwg,sheet.xlsx},t.PDF,t.stp,t.step,t.dwg}, every item shown.
    void RunOnSample(std::function<void(HWND dialog, HWND tree)> act)
    {
        auto& f = Fixture();
        const LONG top = f.AddPart(L"Top");
        const LONG sub = f.AddPart(L"Sub");
        const LONG deep = f.AddPart(L"Deep");
        f.AddSubPart(top, sub);
        f.AddSubPart(sub, deep);
        f.AddPartDocument(deep, L"Document", Document(L"Document", {{L"d.pdf", L"pdf"}}));
        f.AddPartDocument(sub, L"Document",
            Document(L"Document", {{L"s.pdf", L"pdf"}, {L"s.dwg", L"dwg"}, {L"sheet.xlsx", L"xlsx"}}));
        f.AddPartDocument(top, L"Document",
            Document(L"Document", {{L"t.PDF", L"pdf"}, {L"t.stp", L"step"}, {L"t.step", L"step"}, {L"t.dwg", L"dwg"}}));
        bool acted = false;
        user.onManager = [&](HWND dialog) {
            HWND tree = ManagerTree(dialog);
            ExpandAll(tree);
            ASSERT_EQ(L"Top{Sub{Deep{d.pdf},s.pdf,s.dwg,sheet.xlsx},t.PDF,t.stp,t.step,t.dwg}", DescribeTree(tree));
            act(dialog, tree);
            acted = true;
        };
        RunOn(L"Part", top);
        EXPECT_TRUE(acted);
    }
};

// Nothing is checked at start; a click on a label checks nothing, the space bar then toggles only
// that item.
TEST_F(TreeCheckTest, StartsUncheckedAndTheKeyboardTogglesOneItem)
{
    RunOnSample([](HWND dialog, HWND tree) {
        EXPECT_EQ(L"", CheckedItems(tree));
        for (int box : {kDwgBox, kPdfBox, kStepBox})
            EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, box));
        ASSERT_TRUE(ClickTreeItemLabel(tree, FindItem(tree, L"Sub")));
        EXPECT_EQ(L"", CheckedItems(tree));
        ASSERT_TRUE(PressKey(VK_SPACE));
        EXPECT_EQ(L"Sub", CheckedItems(tree));
    });
}

TEST_F(TreeCheckTest, ClickOnANodesCheckBoxSetsEveryDescendant)
{
    RunOnSample([](HWND, HWND tree) {
        ASSERT_TRUE(ClickTreeItemCheckBox(tree, FindItem(tree, L"Sub")));
        EXPECT_EQ(L"Sub,Deep,d.pdf,s.pdf,s.dwg,sheet.xlsx", CheckedItems(tree));

        ASSERT_TRUE(ClickTreeItemCheckBox(tree, FindItem(tree, L"Top")));
        EXPECT_EQ(L"Top,Sub,Deep,d.pdf,s.pdf,s.dwg,sheet.xlsx,t.PDF,t.stp,t.step,t.dwg", CheckedItems(tree));

        // Clearing a branch leaves its ancestors alone.
        ASSERT_TRUE(ClickTreeItemCheckBox(tree, FindItem(tree, L"Sub")));
        EXPECT_EQ(L"Top,t.PDF,t.stp,t.step,t.dwg", CheckedItems(tree));
    });
}

TEST_F(TreeCheckTest, EachFilterBoxReappliesAllThreeBoxes)
{
    RunOnSample([](HWND dialog, HWND tree) {
        ASSERT_TRUE(ClickControl(dialog, kPdfBox));
        EXPECT_EQ(L"d.pdf,s.pdf,t.PDF", CheckedItems(tree));

        // A file checked by hand stays checked: no box speaks for its type.
        ASSERT_TRUE(ClickTreeItemCheckBox(tree, FindItem(tree, L"sheet.xlsx")));

        ASSERT_TRUE(ClickControl(dialog, kDwgBox));
        EXPECT_EQ(L"d.pdf,s.pdf,s.dwg,sheet.xlsx,t.PDF,t.dwg", CheckedItems(tree));
        ASSERT_TRUE(ClickControl(dialog, kDwgBox));
        EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, kDwgBox));
        EXPECT_EQ(L"d.pdf,s.pdf,sheet.xlsx,t.PDF", CheckedItems(tree));

        // ".step" only: a STEP file named ".stp" is not of any box.
        ASSERT_TRUE(ClickControl(dialog, kStepBox));
        EXPECT_EQ(L"d.pdf,s.pdf,sheet.xlsx,t.PDF,t.step", CheckedItems(tree));
    });
}

TEST_F(TreeCheckTest, FiltersResetFilesCheckedByHandAndLeaveStructureNodesAlone)
{
    RunOnSample([](HWND dialog, HWND tree) {
        // Checks the whole tree, every node included.
        ASSERT_TRUE(ClickTreeItemCheckBox(tree, FindItem(tree, L"Top")));
        // The PDF box is clear: a click on the STEP box clears every .pdf and .dwg file.
        ASSERT_TRUE(ClickControl(dialog, kStepBox));
        EXPECT_EQ(L"Top,Sub,Deep,sheet.xlsx,t.stp,t.step", CheckedItems(tree));
    });
}

} // namespace
} // namespace managertest
