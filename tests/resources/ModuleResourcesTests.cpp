// The module's own resources, compiled from VuverIverIzizerOzi.rc as the module is.
#include "ResourceTestSupport.h"
#include "VersionInfo.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "../fidelity/DialogLayout.h"
#include "win32host/IconResource.h"
#include "win32host/Modules.h"

using restest::Dialog;
using restest::Item;
using restest::ModuleImage;

namespace {

constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;
constexpr DWORD kSizableCaptionPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;

TEST(ModuleResources, ManagerDialogHeader)
{
    win32host::DialogTemplate d = Dialog(ModuleImage(), IDD_DOCUMENTSELECT);
    EXPECT_EQ(IDD_DOCUMENTSELECT, 27000);
    EXPECT_EQ(d.title, L"轻量化文件管理");
    EXPECT_EQ(d.cx, 427);
    EXPECT_EQ(d.cy, 310);
    EXPECT_EQ(d.typeface, L"MS Shell Dlg");
    EXPECT_EQ(d.pointSize, 8);
    EXPECT_EQ(d.style & kSizableCaptionPopup, kSizableCaptionPopup);
    EXPECT_EQ(d.style & ~(kSizableCaptionPopup | DS_SETFONT), 0u) << "no other styles";
}

TEST(ModuleResources, ManagerDialogControlsFollowTheLayout)
{
    win32host::DialogTemplate d = Dialog(ModuleImage(), IDD_DOCUMENTSELECT);
    struct Expected {
        DWORD id;
        const wchar_t* className;
        const wchar_t* text;
        int x, y, cx, cy;
        DWORD style;
    } expected[] = {
        {27005, L"Button", L"DWG", 7, 7, 32, 10, kChildVisible | BS_AUTOCHECKBOX | WS_TABSTOP},
        {27006, L"Button", L"PDF", 45, 7, 29, 10, kChildVisible | BS_AUTOCHECKBOX | WS_TABSTOP},
        {27008, L"Button", L"STEP", 80, 7, 32, 10, kChildVisible | BS_AUTOCHECKBOX | WS_TABSTOP},
        {static_cast<DWORD>(-1), L"Static", L"双击浏览", 126, 7, 33, 8, kChildVisible | SS_LEFT | WS_GROUP},
        {27000, L"SysTreeView32", L"", 7, 20, 413, 264,
         kChildVisible | WS_BORDER | WS_HSCROLL | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_CHECKBOXES},
        {27003, L"Button", L"打印", 259, 289, 50, 14, kChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
        {27004, L"Button", L"下载", 314, 289, 50, 14, kChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
        {IDCANCEL, L"Button", L"取消", 369, 289, 50, 14, kChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
    };
    ASSERT_EQ(d.items.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const Expected& e = expected[i];
        const win32host::DialogItemTemplate& item = d.items[i];
        EXPECT_EQ(item.id, e.id) << "position " << i;
        EXPECT_EQ(item.ClassName(), e.className) << e.id;
        EXPECT_EQ(item.text.name, e.text) << e.id;
        EXPECT_EQ(item.x, e.x) << e.id;
        EXPECT_EQ(item.y, e.y) << e.id;
        EXPECT_EQ(item.cx, e.cx) << e.id;
        EXPECT_EQ(item.cy, e.cy) << e.id;
        EXPECT_EQ(item.style, e.style) << e.id;
        EXPECT_EQ(item.exStyle, 0u) << e.id;
    }
}

TEST(ModuleResources, ViewerDialogHostsTheViewerControl)
{
    win32host::DialogTemplate d = Dialog(ModuleImage(), IDD_VIEWFILE);
    EXPECT_EQ(IDD_VIEWFILE, 27001);
    EXPECT_EQ(d.title, L"浏览");
    EXPECT_EQ(d.cx, 411);
    EXPECT_EQ(d.cy, 234);
    EXPECT_EQ(d.style, static_cast<DWORD>(kSizableCaptionPopup | DS_SETFONT | DS_FIXEDSYS));
    ASSERT_EQ(d.items.size(), 1u);
    const win32host::DialogItemTemplate& viewer = d.items[0];
    EXPECT_EQ(viewer.id, 27008u);
    EXPECT_EQ(viewer.ClassName(), L"{CB9BBBDA-7B6D-4523-A6B3-CC95E0AF2F9F}");
    EXPECT_EQ(viewer.style, static_cast<DWORD>(WS_CHILD | WS_VISIBLE | WS_TABSTOP));
    EXPECT_EQ(viewer.x, 0);
    EXPECT_EQ(viewer.y, 0);
    EXPECT_EQ(viewer.cx, 411);
    EXPECT_EQ(viewer.cy, 234);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// The Windows build holds Wine's dialog manager to the same file (tests/windows).
TEST(ModuleResources, DialogsAreLaidOutAsWindowsLaysThemOut)
{
    std::ifstream file(DIALOG_LAYOUT_FILE);
    std::stringstream layout;
    layout << file.rdbuf();
    ASSERT_TRUE(file.good()) << DIALOG_LAYOUT_FILE;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    CoInitialize(NULL);
    CLSID viewer;
    CLSIDFromString(L"{CB9BBBDA-7B6D-4523-A6B3-CC95E0AF2F9F}", &viewer);
    win32host::RegisterInprocServer(viewer, L"QvViewerControl.dll");
    for (int dialog : {IDD_DOCUMENTSELECT, IDD_VIEWFILE}) {
        HWND hDlg = CreateDialogParamW(ModuleImage(), MAKEINTRESOURCEW(dialog), NULL, QuietDialogProc, 0);
        ASSERT_NE(hDlg, nullptr) << dialog;
        EXPECT_EQ(DialogLayoutMismatches(hDlg, dialog, layout.str()), "") << dialog;
        DestroyWindow(hDlg);
    }
    CoUninitialize();
}

TEST(ModuleResources, ViewerControlStateInDlgInit)
{
    std::vector<unsigned char> bytes = restest::ResourceBytes(ModuleImage(), MAKEINTRESOURCEW(IDD_VIEWFILE), MAKEINTRESOURCEW(240));
    const std::vector<unsigned char> expected = {
        0x80, 0x69, 0x76, 0x03, 20, 0, 0, 0, // control 27008, message 0x0376, 20 bytes
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0xC5, 0x3F, 0x00, 0x00, 0x46, 0x27, 0x00, 0x00,
        0, 0}; // end of the list
    EXPECT_EQ(bytes, expected);
}

TEST(ModuleResources, ApplicationTitle)
{
    wchar_t title[64];
    ASSERT_EQ(LoadStringW(ModuleImage(), IDS_APP_TITLE, title, 64), 8);
    EXPECT_EQ(std::wstring(title), L"轻量化导出/打印");
    EXPECT_EQ(IDS_APP_TITLE, 57344);
}

TEST(ModuleResources, EachIconGroupIsOne96PixelTrueColourImage)
{
    for (WORD id : {IDI_DOCUMENTSELECT, IDI_VIEWFILE}) {
        std::vector<unsigned char> bytes = restest::ResourceBytes(ModuleImage(), MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        std::vector<win32host::IconGroupEntry> entries;
        ASSERT_TRUE(win32host::ParseIconGroup(bytes.data(), bytes.size(), entries)) << id;
        ASSERT_EQ(entries.size(), 1u) << id;
        EXPECT_EQ(entries[0].width, 96);
        EXPECT_EQ(entries[0].height, 96);
        EXPECT_EQ(entries[0].bitCount, 32);

        win32host::IconBitmap bitmap;
        ASSERT_TRUE(win32host::LoadIconBitmap(ModuleImage(), MAKEINTRESOURCEW(id), 96, 96, bitmap)) << id;
        EXPECT_EQ(bitmap.pixels.size(), 96u * 96u);
        EXPECT_EQ(bitmap.pixels[0] >> 24, 0u) << "a transparent corner";
        EXPECT_EQ(bitmap.pixels[40 * 96 + 30] >> 24, 0xFFu) << "an opaque page";
    }
    EXPECT_EQ(IDI_DOCUMENTSELECT, 27003);
    EXPECT_EQ(IDI_VIEWFILE, 27004);
}

TEST(ModuleResources, VersionBlockIsChinesePrcUnicode)
{
    std::vector<unsigned char> bytes = restest::ResourceBytes(ModuleImage(), MAKEINTRESOURCEW(1), RT_VERSION);
    restest::VersionNode root;
    ASSERT_TRUE(restest::ParseVersionNode(bytes, 0, bytes.size(), root));
    ASSERT_GE(root.value.size(), 24u);
    for (size_t i = 8; i < 24; ++i)
        EXPECT_EQ(root.value[i], 0) << "file and product version 0.0.0.0";
    const restest::VersionNode* table = root.Child(L"StringFileInfo") ? root.Child(L"StringFileInfo")->Child(L"080404b0") : nullptr;
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->Child(L"FileVersion"), nullptr);
    EXPECT_EQ(table->Child(L"FileVersion")->Text(), L"0.0.0.0");
    EXPECT_EQ(table->Child(L"ProductVersion")->Text(), L"0.0.0.0");
    const restest::VersionNode* translation = root.Child(L"VarFileInfo") ? root.Child(L"VarFileInfo")->Child(L"Translation") : nullptr;
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->value, (std::vector<std::uint8_t>{0x04, 0x08, 0xB0, 0x04}));
}

TEST(ModuleResources, ManifestAsksForAsInvokerAndDpiAwareness)
{
    std::vector<unsigned char> bytes = restest::ResourceBytes(ModuleImage(), MAKEINTRESOURCEW(2), RT_MANIFEST);
    std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
}

} // namespace
