// A DIALOGEX statement, compiled and read back: the template keeps every field written.
#include <winres.h>

#include "ResourceTestSupport.h"
#include "FixtureResource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

using restest::Dialog;
using restest::FixtureModule;
using winenv::DialogItemTemplate;

namespace {

constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;

TEST(DialogTemplate, HeaderKeepsPlaceStylesCaptionAndFont)
{
    winenv::DialogTemplate d = Dialog(FixtureModule(), IDD_FIXTURE);
    EXPECT_EQ(d.helpId, 77u);
    EXPECT_EQ(d.style, static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    EXPECT_EQ(d.exStyle, static_cast<DWORD>(WS_EX_TOOLWINDOW));
    // The width comes from a macro of an #if branch.
    EXPECT_EQ((std::vector<int>{d.x, d.y, d.cx, d.cy}), (std::vector<int>{10, 20, 200, 120}));
    EXPECT_EQ(d.title, L"测试 \"对话框\"");
    EXPECT_FALSE(d.menu.isOrdinal);
    EXPECT_TRUE(d.menu.name.empty());
    EXPECT_TRUE(d.hasFont);
    // Point size, weight, italic, character set.
    EXPECT_EQ((std::vector<int>{d.pointSize, d.weight, d.italic, d.charset}), (std::vector<int>{9, 700, 1, 0x86}));
    EXPECT_EQ(d.typeface, L"MS Shell Dlg");
}

// Every control in the order written: its statement's class and default styles, its text (an
// icon's by ordinal, "#n" here) and its place.
TEST(DialogTemplate, ControlsKeepOrderClassTextStylesAndPlace)
{
    winenv::DialogTemplate d = Dialog(FixtureModule(), IDD_FIXTURE);
    const struct {
        DWORD id;
        const wchar_t* className;
        WORD atom; // 0: the class is named by a string
        std::wstring text;
        DWORD style;
        DWORD exStyle;
        short x, y, cx, cy;
    } expected[] = {
        {IDC_NAME_LABEL, L"Static", 0x82, L"名称:", kChildVisible | SS_LEFT | WS_GROUP, 0, 7, 9, 30, 8},
        {IDC_NAME_EDIT, L"Edit", 0x81, L"", kChildVisible | ES_LEFT | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 0, 40, 7,
            100, 14},
        {IDC_TITLE, L"Static", 0x82, L"Centre", kChildVisible | SS_CENTER | WS_GROUP | SS_NOPREFIX, 0, 7, 25, 60, 8},
        {IDC_RIGHT, L"Static", 0x82, L"Right", kChildVisible | SS_RIGHT | WS_GROUP, WS_EX_STATICEDGE, 70, 25, 60, 8},
        {IDC_GROUP, L"Button", 0x80, L"Group", kChildVisible | BS_GROUPBOX, 0, 5, 40, 190, 30},
        {IDC_PLAIN_CHECK, L"Button", 0x80, L"Plain", kChildVisible | BS_CHECKBOX | WS_TABSTOP, 0, 10, 50, 40, 10},
        {IDC_AUTO_CHECK, L"Button", 0x80, L"Auto", kChildVisible | BS_AUTOCHECKBOX | WS_TABSTOP | WS_DISABLED, 0, 60, 50,
            40, 10},
        {IDC_PICTURE, L"Static", 0x82, L"#" + std::to_wstring(IDI_FIXTURE), kChildVisible | SS_ICON, 0, 150, 45, 20, 20},
        {IDC_HIDDEN_TREE, L"SysTreeView32", 0, L"", WS_CHILD | TVS_CHECKBOXES | WS_BORDER, 0, 5, 75, 80, 30}, // NOT WS_VISIBLE
        {IDC_ACTIVEX, L"{00000000-1111-2222-3333-444455556666}", 0, L"", kChildVisible | WS_TABSTOP, 0, 90, 75, 40, 30},
        {IDOK, L"Button", 0x80, L"确定", kChildVisible | BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 140, 100, 25, 14},
        {IDCANCEL, L"Button", 0x80, L"取消", kChildVisible | BS_PUSHBUTTON | WS_TABSTOP, 0, 170, 100, 25, 14},
    };
    ASSERT_EQ(d.items.size(), std::size(expected));
    for (size_t i = 0; i < d.items.size(); ++i) {
        const auto& e = expected[i];
        const DialogItemTemplate& item = d.items[i];
        SCOPED_TRACE("control " + std::to_string(e.id));
        EXPECT_EQ(item.id, e.id) << "position " << i;
        EXPECT_EQ(item.windowClass.isOrdinal ? item.windowClass.ordinal : 0, e.atom);
        EXPECT_EQ(item.ClassName(), e.className);
        EXPECT_EQ(item.text.isOrdinal ? L"#" + std::to_wstring(item.text.ordinal) : item.text.name, e.text);
        EXPECT_EQ(item.style, e.style);
        EXPECT_EQ(item.exStyle, e.exStyle);
        EXPECT_EQ((std::vector<int>{item.x, item.y, item.cx, item.cy}), (std::vector<int>{e.x, e.y, e.cx, e.cy}));
        EXPECT_TRUE(item.creationData.empty());
    }
}

TEST(DialogTemplate, DefaultStyleWithoutStyleStatementAndTruncatedTemplatesRejected)
{
    std::vector<unsigned char> bytes = restest::ResourceBytes(FixtureModule(), L"NamedDialog", RT_DIALOG);
    winenv::DialogTemplate d;
    ASSERT_TRUE(winenv::ParseDialogTemplate(bytes.data(), bytes.size(), d));
    EXPECT_EQ(d.style, static_cast<DWORD>(WS_POPUP | WS_BORDER | WS_SYSMENU | WS_CAPTION));
    EXPECT_FALSE(d.hasFont);
    EXPECT_EQ(d.title, L"Named");
    EXPECT_TRUE(d.items.empty());

    bytes = restest::ResourceBytes(FixtureModule(), MAKEINTRESOURCEW(IDD_FIXTURE), RT_DIALOG);
    ASSERT_FALSE(bytes.empty());
    for (size_t cut : {size_t{0}, size_t{10}, bytes.size() / 2, bytes.size() - 3})
        EXPECT_FALSE(winenv::ParseDialogTemplate(bytes.data(), cut, d)) << "cut at " << cut;
    bytes[2] = 0; // no 0xFFFF signature: an older DLGTEMPLATE
    EXPECT_FALSE(winenv::ParseDialogTemplate(bytes.data(), bytes.size(), d));
}

TEST(DialogTemplate, DlgInitHoldsControlMessageAndData)
{
    std::vector<unsigned char> bytes = restest::ResourceBytes(FixtureModule(), MAKEINTRESOURCEW(IDD_FIXTURE), MAKEINTRESOURCEW(240));
    const std::vector<unsigned char> expected = {0xF2, 0x03, 0x76, 0x03, 6, 0, 0, 0, 1, 2, 3, 4, 5, 6, 0, 0};
    EXPECT_EQ(bytes, expected);
}

} // namespace
