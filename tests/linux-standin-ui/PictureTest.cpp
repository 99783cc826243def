// The SVG picture of a dialog shows its controls with their state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "TestSupport.h"
#include "commctrl.h"
#include "winenv/DesktopSvg.h"

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

TEST(Picture, ADialogIsDrawnWithItsCaptionControlsAndTreeRows)
{
    RegisterTreeViewClass();
    DialogTemplateBuilder t(WS_POPUP | WS_CAPTION | WS_SYSMENU, 200, 150, L"轻量化文件管理");
    t.Control(1, 0x0080, L"PDF", BS_AUTOCHECKBOX | WS_VISIBLE, 5, 5, 40, 10)
        .Control(2, 0x0080, L"下载", BS_PUSHBUTTON | WS_VISIBLE, 140, 130, 50, 14)
        .Control(3, 0x0082, L"双击浏览", WS_VISIBLE, 60, 5, 40, 8)
        .Control(4, L"SysTreeView32", L"", WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_CHECKBOXES, 5, 20,
            190, 100);
    HWND shown = nullptr;
    ScriptedUser user([&](HWND dialog) {
        shown = dialog;
        HWND tree = GetDlgItem(dialog, 4);
        HTREEITEM root = InsertItem(tree, L"Assembly <A&B>");
        InsertItem(tree, L"part.pdf", root);
        TreeView_Expand(tree, root, TVE_EXPAND);

        std::string svg = winenv::DrawWindowSvg(dialog);
        EXPECT_EQ(svg.rfind("<svg", 0), 0u);
        EXPECT_NE(svg.find("轻量化文件管理"), std::string::npos);
        EXPECT_NE(svg.find(">PDF<"), std::string::npos);
        EXPECT_NE(svg.find(">下载<"), std::string::npos);
        EXPECT_NE(svg.find(">双击浏览<"), std::string::npos);
        EXPECT_NE(svg.find("Assembly &lt;A&amp;B&gt;"), std::string::npos) << "text is escaped";
        EXPECT_NE(svg.find(">part.pdf<"), std::string::npos);
        EXPECT_EQ(Count(svg, "class=\"unchecked\""), 2u);
        EXPECT_EQ(Count(svg, "class=\"checked\""), 0u);

        TVITEMW tv{};
        tv.mask = TVIF_HANDLE | TVIF_STATE;
        tv.hItem = root;
        tv.stateMask = TVIS_STATEIMAGEMASK;
        tv.state = INDEXTOSTATEIMAGEMASK(2);
        TreeView_SetItem(tree, &tv);
        TreeView_Expand(tree, root, TVE_COLLAPSE);
        svg = winenv::DrawWindowSvg(dialog);
        EXPECT_EQ(Count(svg, "class=\"checked\""), 1u);
        EXPECT_EQ(svg.find(">part.pdf<"), std::string::npos) << "a collapsed branch is not drawn";

        std::string path = testing::TempDir() + "w32ui_picture.svg";
        ASSERT_TRUE(winenv::SaveWindowSvg(dialog, path));
        EXPECT_EQ(viztest::ReadPosixFile(path), svg);
    });
    winenv::ScopedDesktopUser scoped(user);
    ASSERT_NE(-1, DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, PlainProc, 0));
    ASSERT_NE(nullptr, shown);
    EXPECT_EQ(winenv::DrawWindowSvg(shown), "") << "a destroyed window draws nothing";
}

// A numeric attribute of the first element that carries the marker.
int Attribute(const std::string& svg, const std::string& marker, const std::string& name)
{
    size_t at = svg.find(marker);
    if (at == std::string::npos)
        return -1;
    at = svg.rfind('<', at);
    size_t value = svg.find(" " + name + "=\"", at);
    return value == std::string::npos ? -1 : std::stoi(svg.substr(value + name.size() + 3));
}

// The vertical bar's thumb as drawn, against its track between the two 17-pixel arrows, and
// the rows a page holds as the bar's title gives them.
struct Thumb {
    int top, bottom, trackTop, trackBottom, page;
};
Thumb VerticalThumb(const std::string& svg)
{
    const std::string bar = svg.substr(svg.find("scrollbar vertical"));
    const int y = Attribute(bar, "<rect", "y"), thumbY = Attribute(bar, "class=\"thumb\"", "y");
    return {thumbY, thumbY + Attribute(bar, "class=\"thumb\"", "height"), y + 17,
        y + Attribute(bar, "<rect", "height") - 17, std::stoi(bar.substr(bar.find(", page ") + 7))};
}

TEST(Picture, AnOverflowingTreeShowsItsScrollBarAndOnlyTheRowsInView)
{
    RegisterTreeViewClass();
    DialogTemplateBuilder t(WS_POPUP | WS_CAPTION | WS_SYSMENU, 200, 150, L"Tree");
    t.Control(4, L"SysTreeView32", L"", WS_VISIBLE | WS_BORDER | WS_HSCROLL | TVS_HASBUTTONS | TVS_LINESATROOT, 5, 5, 190, 100);
    bool drawn = false;
    ScriptedUser user([&](HWND dialog) {
        drawn = true;
        HWND tree = GetDlgItem(dialog, 4);
        std::vector<HTREEITEM> items = InsertRootItems(tree, 40, L"row ");
        std::string svg = winenv::DrawWindowSvg(dialog);
        EXPECT_EQ(Count(svg, "scrollbar vertical"), 1u);
        EXPECT_EQ(Count(svg, "scrollbar horizontal"), 0u) << "short labels need no horizontal bar";
        EXPECT_NE(svg.find(">row 0<"), std::string::npos) << "the top of the tree";
        EXPECT_EQ(svg.find(">row 39<"), std::string::npos) << "rows below the view are not drawn";
        EXPECT_NE(svg.find("clip-path"), std::string::npos) << "a row cut by the edge shows only in part";
        Thumb thumb = VerticalThumb(svg);
        EXPECT_EQ(thumb.trackTop, thumb.top) << "at the top of the track";
        EXPECT_NEAR(thumb.bottom - thumb.top, (thumb.trackBottom - thumb.trackTop) * thumb.page / 40, 1)
            << "as long as the page is a part of the rows";

        SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(items.back()));
        svg = winenv::DrawWindowSvg(dialog);
        EXPECT_NE(svg.find(">row 39<"), std::string::npos);
        EXPECT_EQ(svg.find(">row 0<"), std::string::npos) << "rows scrolled away are not drawn";
        thumb = VerticalThumb(svg);
        EXPECT_EQ(thumb.trackBottom, thumb.bottom) << "at the bottom of the track with the last row shown";
    });
    winenv::ScopedDesktopUser scoped(user);
    ASSERT_NE(-1, DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, PlainProc, 0));
    EXPECT_TRUE(drawn) << "the dialog reached the user";
}

} // namespace
