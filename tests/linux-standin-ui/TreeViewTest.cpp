// The tree view with check boxes, as comctl32 behaves: structure, state images, rows and hit
// tests, and the order of NM_CLICK and the check box toggle.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "TreeReader.h"
#include "commctrl.h"

namespace {

struct Seen {
    std::vector<UINT> codes;
    UINT checkAtClick = 99;       // check state of the item under the cursor when NM_CLICK arrived
    HTREEITEM selectionAtClick = nullptr;
    LRESULT clickResult = 0;
};
Seen g_seen;

UINT CheckState(HWND tree, HTREEITEM item) { return TreeView_GetCheckState(tree, item); }

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        g_seen.codes.push_back(hdr->code);
        if (hdr->code == NM_CLICK) {
            // What a parent does to find the clicked item: the cursor, in tree coordinates.
            TVHITTESTINFO ht{};
            GetCursorPos(&ht.pt);
            ScreenToClient(hdr->hwndFrom, &ht.pt);
            HTREEITEM item = TreeView_HitTest(hdr->hwndFrom, &ht);
            g_seen.checkAtClick = item ? CheckState(hdr->hwndFrom, item) : 99;
            g_seen.selectionAtClick = TreeView_GetSelection(hdr->hwndFrom);
            return g_seen.clickResult;
        }
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

constexpr DWORD kTreeStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_CHECKBOXES;

class TreeViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTreeViewClass();
        static bool registered = false;
        if (!registered) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = HostProc;
            wc.lpszClassName = L"TreeHost";
            ASSERT_NE(RegisterClassExW(&wc), 0);
            registered = true;
        }
        g_seen = Seen();
        m_host = CreateWindowExW(0, L"TreeHost", L"Host", WS_POPUP | WS_VISIBLE, 100, 100, 400, 400, nullptr, nullptr,
            nullptr, nullptr);
        m_tree = CreateWindowExW(0, WC_TREEVIEWW, L"", kTreeStyle, 10, 10, 300, 300, m_host,
            reinterpret_cast<HMENU>(27000), nullptr, nullptr);
        ASSERT_TRUE(IsWindow(m_tree));
    }
    void TearDown() override { DestroyWindow(m_host); }

    void SetCheck(HTREEITEM item, bool checked)
    {
        TVITEMW tv{};
        tv.mask = TVIF_HANDLE | TVIF_STATE;
        tv.hItem = item;
        tv.stateMask = TVIS_STATEIMAGEMASK;
        tv.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
        ASSERT_TRUE(TreeView_SetItem(m_tree, &tv));
    }

    HWND m_host = nullptr;
    HWND m_tree = nullptr;
};

TEST_F(TreeViewTest, ItemsAreWalkedByRootChildNextAndParent)
{
    HTREEITEM b = InsertItem(m_tree, L"B");
    HTREEITEM a = InsertItem(m_tree, L"A", TVI_ROOT, TVI_FIRST);
    HTREEITEM b2 = InsertItem(m_tree, L"b2", b);
    HTREEITEM b1 = InsertItem(m_tree, L"b1", b, TVI_FIRST);
    InsertItem(m_tree, L"after b1", b, b1);
    EXPECT_EQ(TreeView_GetRoot(m_tree), a);
    EXPECT_EQ(viztest::DescribeTree(m_tree), L"A;B{b1,after b1,b2}");
    EXPECT_EQ(TreeView_GetParent(m_tree, b2), b);
    EXPECT_EQ(TreeView_GetParent(m_tree, a), nullptr);
}

TEST_F(TreeViewTest, CheckBoxesStartClearToggleAfterNmClickAndAreRebuiltWithTheStyle)
{
    HTREEITEM a = InsertItem(m_tree, L"A");
    HTREEITEM b = InsertItem(m_tree, L"B");
    EXPECT_EQ(CheckState(m_tree, a), 0u);
    SetCheck(b, true);
    EXPECT_EQ(CheckState(m_tree, b), 1u);
    EXPECT_EQ(TreeView_GetItemState(m_tree, b, TVIS_STATEIMAGEMASK), static_cast<UINT>(INDEXTOSTATEIMAGEMASK(2)));

    LONG_PTR style = GetWindowLongPtrW(m_tree, GWL_STYLE);
    SetWindowLongPtrW(m_tree, GWL_STYLE, style & ~TVS_CHECKBOXES);
    EXPECT_EQ(TreeView_GetItemState(m_tree, b, TVIS_STATEIMAGEMASK), 0u);
    SetWindowLongPtrW(m_tree, GWL_STYLE, style);
    EXPECT_EQ(CheckState(m_tree, a), 0u);
    EXPECT_EQ(CheckState(m_tree, b), 0u) << "rebuilt check boxes are clear";

    TreeView_SelectItem(m_tree, b);
    g_seen = Seen();
    ASSERT_TRUE(winenv::ClickTreeItemCheckBox(m_tree, a));
    EXPECT_EQ(g_seen.checkAtClick, 0u) << "NM_CLICK sees the state before the click";
    EXPECT_EQ(g_seen.selectionAtClick, b);
    EXPECT_EQ(CheckState(m_tree, a), 1u);
    EXPECT_EQ(CheckState(m_tree, b), 0u);
    EXPECT_EQ(TreeView_GetSelection(m_tree), b) << "a check box click does not move the selection";

    ASSERT_TRUE(winenv::ClickTreeItemCheckBox(m_tree, a));
    EXPECT_EQ(g_seen.checkAtClick, 1u);
    EXPECT_EQ(CheckState(m_tree, a), 0u);

    g_seen.clickResult = 1;
    ASSERT_TRUE(winenv::ClickTreeItemCheckBox(m_tree, a));
    EXPECT_EQ(CheckState(m_tree, a), 0u) << "a parent that returns nonzero from NM_CLICK stops the toggle";
}

TEST_F(TreeViewTest, HitTestNamesThePartOfTheRowUnderThePoint)
{
    HTREEITEM root = InsertItem(m_tree, L"Root");
    HTREEITEM child = InsertItem(m_tree, L"Child", root);
    TreeView_Expand(m_tree, root, TVE_EXPAND);

    RECT label;
    ASSERT_TRUE(TreeView_GetItemRect(m_tree, child, &label, TRUE));
    RECT row;
    ASSERT_TRUE(TreeView_GetItemRect(m_tree, child, &row, FALSE));
    EXPECT_EQ(row.top, label.top);
    EXPECT_EQ(row.bottom - row.top, label.bottom - label.top);
    RECT rootLabel;
    TreeView_GetItemRect(m_tree, root, &rootLabel, TRUE);
    EXPECT_EQ(label.top, rootLabel.bottom) << "rows follow each other";
    EXPECT_EQ(label.left - rootLabel.left, 19) << "a level is one indent further, comctl32's default";

    const int y = (label.top + label.bottom) / 2, rootY = (rootLabel.top + rootLabel.bottom) / 2;
    const struct {
        const char* what;
        int x, y;
        HTREEITEM item;
        UINT flags;
    } cases[] = {
        {"label", label.left + 3, y, child, TVHT_ONITEMLABEL},
        {"the check box sits just before the label", label.left - 8, y, child, TVHT_ONITEMSTATEICON},
        {"right of the label", label.right + 20, y, child, TVHT_ONITEMRIGHT},
        {"indent", 1, y, child, TVHT_ONITEMINDENT},
        {"a root with children shows its expand box", rootLabel.left - 16 - 10, rootY, root, TVHT_ONITEMBUTTON},
        {"below the rows", label.left, label.bottom + 40, nullptr, TVHT_NOWHERE},
    };
    for (const auto& c : cases) {
        TVHITTESTINFO ht{{c.x, c.y}, 0, nullptr};
        EXPECT_EQ(TreeView_HitTest(m_tree, &ht), c.item) << c.what;
        EXPECT_EQ(ht.flags, c.flags) << c.what;
    }

    TreeView_Expand(m_tree, root, TVE_COLLAPSE);
    EXPECT_FALSE(TreeView_GetItemRect(m_tree, child, &label, TRUE)) << "a hidden item has no rectangle";
}

TEST_F(TreeViewTest, AClickOnTheLabelSelectsWithoutTogglingAndADoubleClickExpands)
{
    HTREEITEM root = InsertItem(m_tree, L"Root");
    InsertItem(m_tree, L"Child", root);
    g_seen = Seen();
    ASSERT_TRUE(winenv::ClickTreeItemLabel(m_tree, root));
    EXPECT_EQ(g_seen.codes.front(), static_cast<UINT>(NM_SETFOCUS));
    EXPECT_NE(std::find(g_seen.codes.begin(), g_seen.codes.end(), static_cast<UINT>(NM_CLICK)), g_seen.codes.end());
    EXPECT_EQ(g_seen.selectionAtClick, nullptr) << "the selection moves after NM_CLICK";
    EXPECT_EQ(TreeView_GetSelection(m_tree), root);
    EXPECT_EQ(CheckState(m_tree, root), 0u);
    EXPECT_EQ(GetFocus(), m_tree);

    g_seen = Seen();
    ASSERT_TRUE(winenv::DoubleClickTreeItemLabel(m_tree, root));
    auto dbl = std::find(g_seen.codes.begin(), g_seen.codes.end(), static_cast<UINT>(NM_DBLCLK));
    ASSERT_NE(dbl, g_seen.codes.end());
    auto expanded = std::find(g_seen.codes.begin(), g_seen.codes.end(), static_cast<UINT>(TVN_ITEMEXPANDEDW));
    ASSERT_NE(expanded, g_seen.codes.end());
    EXPECT_LT(dbl, expanded) << "NM_DBLCLK comes before the expansion";
    EXPECT_NE(TreeView_GetItemState(m_tree, root, TVIS_EXPANDED), 0u);
}

TEST_F(TreeViewTest, KeysAndCollapsingMoveTheSelection)
{
    HTREEITEM root = InsertItem(m_tree, L"Root");
    HTREEITEM c1 = InsertItem(m_tree, L"One", root);
    TreeView_SelectItem(m_tree, root);
    SetFocus(m_tree);
    const struct {
        UINT key;
        HTREEITEM selected;
        bool expanded;
    } cases[] = {{VK_ADD, root, true}, {VK_DOWN, c1, true}, {VK_LEFT, root, true}, {VK_SUBTRACT, root, false}};
    for (const auto& c : cases) {
        winenv::PressKey(c.key);
        EXPECT_EQ(TreeView_GetSelection(m_tree), c.selected) << c.key;
        EXPECT_EQ(TreeView_GetItemState(m_tree, root, TVIS_EXPANDED) != 0, c.expanded) << c.key;
    }
    TreeView_SelectItem(m_tree, c1);
    EXPECT_NE(TreeView_GetItemState(m_tree, root, TVIS_EXPANDED), 0u) << "selecting shows the item";
    TreeView_Expand(m_tree, root, TVE_COLLAPSE);
    EXPECT_EQ(TreeView_GetSelection(m_tree), root) << "collapsing an ancestor selects it";
}

} // namespace
