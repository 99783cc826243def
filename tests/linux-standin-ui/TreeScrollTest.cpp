// The tree view scrolls as comctl32's does: a vertical bar counting rows while they overflow, a
// horizontal one for long labels, the selection kept in view, the wheel, page keys, and hit tests
// that count the rows scrolled away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"
#include "commctrl.h"

namespace {

constexpr DWORD kTreeStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_TABSTOP | TVS_HASBUTTONS |
    TVS_HASLINES | TVS_LINESATROOT | TVS_CHECKBOXES;
constexpr int kRowHeight = 16;
constexpr int kScrollBar = 17;

// A tree 202 pixels high: 200 inside its border, twelve whole rows and a part of the thirteenth.
constexpr int kTreeHeight = 202;
constexpr int kWholeRows = (kTreeHeight - 2) / kRowHeight;

class TreeScrollTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTreeViewClass();
        m_host = CreateWindowExW(0, L"#32770", L"Host", WS_POPUP | WS_VISIBLE, 100, 100, 500, 400, nullptr, nullptr,
            nullptr, nullptr);
        m_tree = CreateWindowExW(0, WC_TREEVIEWW, L"", kTreeStyle, 10, 10, 250, kTreeHeight, m_host,
            reinterpret_cast<HMENU>(100), nullptr, nullptr);
        ASSERT_TRUE(IsWindow(m_tree));
    }
    void TearDown() override { DestroyWindow(m_host); }

    std::vector<HTREEITEM> Fill(int count, const std::wstring& prefix = L"item ")
    {
        std::vector<HTREEITEM> items = InsertRootItems(m_tree, count, prefix);
        Idle();
        return items;
    }

    // What a message loop does between two inputs.
    static void Idle() { winenv::RunPostedMessages(); }

    SCROLLINFO Vertical() const
    {
        SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        EXPECT_TRUE(GetScrollInfo(m_tree, SB_VERT, &si));
        return si;
    }
    bool Shows(DWORD bar) const { return (GetWindowLongPtrW(m_tree, GWL_STYLE) & bar) != 0; }
    // The first visible row, as the scroll bar counts rows.
    int Top() const { return GetScrollPos(m_tree, SB_VERT); }
    void ScrollTo(int row) { SendMessageW(m_tree, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, row), 0); }

    HWND m_host = nullptr;
    HWND m_tree = nullptr;
};

TEST_F(TreeScrollTest, TheVerticalBarShowsOnlyWhileTheRowsOverflowAndCountsRows)
{
    struct Case {
        int items;
        bool bar;
    } cases[] = {{0, false}, {kWholeRows, false}, {kWholeRows + 1, true}, {500, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items);
        TearDown();
        SetUp();
        Fill(c.items);
        EXPECT_EQ(c.bar, Shows(WS_VSCROLL));
        RECT client;
        GetClientRect(m_tree, &client);
        EXPECT_EQ(250 - 2 - (c.bar ? kScrollBar : 0), client.right) << "the bar takes its width from the client area";
        if (!c.bar)
            continue;
        SCROLLINFO si = Vertical();
        EXPECT_EQ(0, si.nMin);
        EXPECT_EQ(c.items - 1, si.nMax);
        EXPECT_EQ(static_cast<UINT>(kWholeRows), si.nPage) << "a page is the rows that fit whole";
        EXPECT_EQ(0, si.nPos);
    }
}

TEST_F(TreeScrollTest, EnsureVisibleScrollsTheLeastAndHitTestsCountTheRowsScrolledAway)
{
    auto items = Fill(100);
    struct Case {
        int item;
        int topBefore;
        int topAfter;
    } cases[] = {
        {5, 0, 0},                             // in view: nothing moves
        {50, 0, 50 - kWholeRows + 1},          // below: it becomes the last whole row
        {10, 40, 10},                          // above: it becomes the first row
        {99, 0, 100 - kWholeRows},             // the last item
        {kWholeRows, 0, 1},                    // the row cut by the bottom edge counts as out of view
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        ScrollTo(c.topBefore);
        SendMessageW(m_tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items[static_cast<size_t>(c.item)]));
        EXPECT_EQ(c.topAfter, Top());
    }

    ScrollTo(20);
    TVHITTESTINFO ht{{40, 3 * kRowHeight + 2}, 0, nullptr};
    EXPECT_EQ(items[23], TreeView_HitTest(m_tree, &ht));
    RECT r;
    ASSERT_TRUE(TreeView_GetItemRect(m_tree, items[25], &r, FALSE));
    EXPECT_EQ(5 * kRowHeight, r.top);
    ASSERT_TRUE(TreeView_GetItemRect(m_tree, items[18], &r, FALSE));
    EXPECT_EQ(-2 * kRowHeight, r.top) << "a row scrolled away lies above the client area";
}

// Scroll bar messages and wheel notches, one after the other: the first visible row after each.
// A notch scrolls three lines, half notches add up, and the view never leaves space below the last row.
TEST_F(TreeScrollTest, ScrollBarMessagesAndTheWheelMoveTheFirstVisibleRow)
{
    Fill(100);
    UINT lines = 0;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0));
    ASSERT_EQ(3u, lines);
    auto wheel = [](int delta) { return MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(delta))); };
    const struct {
        const char* what;
        UINT msg;
        WPARAM wParam;
        int topAfter;
    } cases[] = {
        {"line down", WM_VSCROLL, SB_LINEDOWN, 1}, {"line down again", WM_VSCROLL, SB_LINEDOWN, 2},
        {"line up", WM_VSCROLL, SB_LINEUP, 1}, {"page down", WM_VSCROLL, SB_PAGEDOWN, 1 + kWholeRows},
        {"page up", WM_VSCROLL, SB_PAGEUP, 1}, {"line up to the top", WM_VSCROLL, SB_LINEUP, 0},
        {"line up at the top", WM_VSCROLL, SB_LINEUP, 0},
        {"thumb position", WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 42), 42},
        {"thumb track", WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 7},
        {"bottom", WM_VSCROLL, SB_BOTTOM, 100 - kWholeRows},
        {"line down at the bottom leaves no space", WM_VSCROLL, SB_LINEDOWN, 100 - kWholeRows},
        {"top", WM_VSCROLL, SB_TOP, 0},
        {"a notch down", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA), 3}, {"another", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA), 6},
        {"a notch up", WM_MOUSEWHEEL, wheel(WHEEL_DELTA), 3}, {"half a notch", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA / 2), 3},
        {"the other half", WM_MOUSEWHEEL, wheel(-WHEEL_DELTA / 2), 6},
        {"two notches up", WM_MOUSEWHEEL, wheel(2 * WHEEL_DELTA), 0}, {"up at the top", WM_MOUSEWHEEL, wheel(WHEEL_DELTA), 0},
    };
    for (const auto& c : cases) {
        SendMessageW(m_tree, c.msg, c.wParam, 0);
        EXPECT_EQ(c.topAfter, Top()) << c.what;
    }
}

TEST_F(TreeScrollTest, TheKeyboardKeepsTheSelectionInView)
{
    auto items = Fill(100);
    SetFocus(m_tree);
    TreeView_SelectItem(m_tree, items[0]);
    struct Case {
        UINT key;
        int selected;
        int top;
    } cases[] = {
        {VK_NEXT, kWholeRows - 1, 0},
        {VK_NEXT, 2 * (kWholeRows - 1), kWholeRows - 1},
        {VK_DOWN, 2 * (kWholeRows - 1) + 1, kWholeRows},
        {VK_END, 99, 100 - kWholeRows},
        {VK_PRIOR, 99 - (kWholeRows - 1), 100 - kWholeRows},
        {VK_HOME, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        ASSERT_TRUE(winenv::PressKey(c.key));
        EXPECT_EQ(items[static_cast<size_t>(c.selected)], TreeView_GetSelection(m_tree));
        EXPECT_EQ(c.top, Top());
    }
}

TEST_F(TreeScrollTest, LongLabelsShowAHorizontalBarThatShiftsTheRows)
{
    Fill(3, L"a label long enough to run past the right edge of a tree two hundred and fifty pixels wide ");
    ASSERT_TRUE(Shows(WS_HSCROLL));
    EXPECT_FALSE(Shows(WS_VSCROLL));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(m_tree, SB_HORZ, &si));
    RECT client;
    GetClientRect(m_tree, &client);
    EXPECT_EQ(static_cast<UINT>(client.right), si.nPage) << "the horizontal page is the client width in pixels";
    EXPECT_GT(si.nMax + 1, client.right);
    RECT before, after;
    HTREEITEM first = TreeView_GetRoot(m_tree);
    TreeView_GetItemRect(m_tree, first, &before, TRUE);
    SendMessageW(m_tree, WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), 0);
    TreeView_GetItemRect(m_tree, first, &after, TRUE);
    EXPECT_EQ(before.left - 40, after.left);
}

TEST_F(TreeScrollTest, ClickingTheLastOfFiveHundredItemsScrollsItIntoViewAndChecksIt)
{
    auto items = Fill(500);
    HTREEITEM last = items.back();
    ASSERT_EQ(0u, TreeView_GetCheckState(m_tree, last));
    ASSERT_TRUE(winenv::ClickTreeItemCheckBox(m_tree, last));
    EXPECT_EQ(1u, TreeView_GetCheckState(m_tree, last));
    RECT r;
    ASSERT_TRUE(TreeView_GetItemRect(m_tree, last, &r, FALSE));
    RECT client;
    GetClientRect(m_tree, &client);
    EXPECT_GE(r.top, 0);
    EXPECT_LE(r.bottom, client.bottom);
    EXPECT_EQ(500 - kWholeRows, Top());
    ASSERT_TRUE(winenv::ClickTreeItemLabel(m_tree, items.front()));
    EXPECT_EQ(items.front(), TreeView_GetSelection(m_tree)) << "and back up to the first";
    EXPECT_EQ(0, Top());
}

} // namespace
