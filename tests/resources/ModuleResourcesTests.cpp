// The module's own resources, compiled from VuverIverIzizerOzi.rc as the module is.
#include "ResourceTestSupport.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "../fidelity/DialogLayout.h"
#include "ScratchFolder.h"
#include "ScriptedUser.h"
#include "winenv/IconResource.h"
#include "winenv/Modules.h"

using restest::Dialog;
using restest::ModuleImage;

namespace {

constexpr DWORD kChildVisible = WS_CHILD | WS_VISIBLE;
constexpr DWORD kSizableCaptionPopup = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX;

// Places and sizes are held to the layout file below; here the rest of each template.
TEST(ModuleResources, DialogHeaders)
{
    const struct {
        int id;
        int number; // the value resource.h gives the name
        const wchar_t* title;
        DWORD style;
    } cases[] = {
        {IDD_DOCUMENTSELECT, 27000, L"轻量化文件管理", kSizableCaptionPopup | DS_SETFONT},
        {IDD_VIEWFILE, 27001, L"浏览", kSizableCaptionPopup | DS_SETFONT | DS_FIXEDSYS},
    };
    for (const auto& c : cases) {
        winenv::DialogTemplate d = Dialog(ModuleImage(), c.id);
        EXPECT_EQ(c.id, c.number);
        EXPECT_EQ(d.title, c.title) << c.id;
        EXPECT_EQ(d.typeface, L"MS Shell Dlg") << c.id;
        EXPECT_EQ(d.pointSize, 8) << c.id;
        EXPECT_EQ(d.style, c.style) << c.id;
    }
}

TEST(ModuleResources, DialogControlsInOrderWithTheirClassesTextsAndStyles)
{
    const struct {
        int dialog;
        DWORD id;
        const wchar_t* className;
        const wchar_t* text;
        DWORD style;
    } expected[] = {
        {IDD_DOCUMENTSELECT, 27005, L"Button", L"DWG", kChildVisible | BS_AUTOCHECKBOX | WS_TABSTOP},
        {IDD_DOCUMENTSELECT, 27006, L"Button", L"PDF", kChildVisible | BS_AUTOCHECKBOX | WS_TABSTOP},
        {IDD_DOCUMENTSELECT, 27008, L"Button", L"STEP", kChildVisible | BS_AUTOCHECKBOX | WS_TABSTOP},
        {IDD_DOCUMENTSELECT, static_cast<DWORD>(-1), L"Static", L"双击浏览", kChildVisible | SS_LEFT | WS_GROUP},
        {IDD_DOCUMENTSELECT, 27000, L"SysTreeView32", L"", kChildVisible | WS_BORDER | WS_HSCROLL | WS_TABSTOP |
            TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS | TVS_CHECKBOXES},
        {IDD_DOCUMENTSELECT, 27003, L"Button", L"打印", kChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
        {IDD_DOCUMENTSELECT, 27004, L"Button", L"下载", kChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
        {IDD_DOCUMENTSELECT, IDCANCEL, L"Button", L"取消", kChildVisible | BS_PUSHBUTTON | WS_TABSTOP},
        {IDD_VIEWFILE, 27008, L"{CB9BBBDA-7B6D-4523-A6B3-CC95E0AF2F9F}", L"", kChildVisible | WS_TABSTOP},
    };
    std::vector<winenv::DialogItemTemplate> items = Dialog(ModuleImage(), IDD_DOCUMENTSELECT).items;
    for (const auto& item : Dialog(ModuleImage(), IDD_VIEWFILE).items)
        items.push_back(item);
    ASSERT_EQ(items.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& e = expected[i];
        SCOPED_TRACE("dialog " + std::to_string(e.dialog) + " control " + std::to_string(e.id));
        EXPECT_EQ(items[i].id, e.id) << "position " << i;
        EXPECT_EQ(items[i].ClassName(), e.className);
        EXPECT_EQ(items[i].text.name, e.text);
        EXPECT_EQ(items[i].style, e.style);
        EXPECT_EQ(items[i].exStyle, 0u);
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// The Windows build holds Wine's dialog manager to the same file (tests/windows).
TEST(ModuleResources, DialogsAreLaidOutAsWindowsLaysThemOut)
{
    const std::string layout = viztest::ReadPosixFile(DIALOG_LAYOUT_FILE);
    ASSERT_FALSE(layout.empty()) << DIALOG_LAYOUT_FILE;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&icc));
    CoInitialize(NULL);
    CLSID viewer;
    CLSIDFromString(L"{CB9BBBDA-7B6D-4523-A6B3-CC95E0AF2F9F}", &viewer);
    winenv::RegisterInprocServer(viewer, L"QvViewerControl.dll");
    for (int dialog : {IDD_DOCUMENTSELECT, IDD_VIEWFILE}) {
        const std::vector<unsigned char> dialogTemplate = restest::ResourceBytes(ModuleImage(), MAKEINTRESOURCEW(dialog), RT_DIALOG);
        bool shown = false;
        viztest::ScriptedUser user([&](HWND hDlg) {
            shown = true;
            EXPECT_EQ(DialogLayoutMismatches(hDlg, dialog, layout), "") << dialog;
        });
        winenv::ScopedDesktopUser scoped(user);
        DialogBoxIndirectParamW(ModuleImage(), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), NULL,
            QuietDialogProc, 0);
        EXPECT_TRUE(shown) << dialog;
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

TEST(ModuleResources, ApplicationTitleAndTheManifestsAsInvokerAndDpiAwareness)
{
    wchar_t title[64];
    ASSERT_EQ(LoadStringW(ModuleImage(), IDS_APP_TITLE, title, 64), 8);
    EXPECT_EQ(std::wstring(title), L"轻量化导出/打印");
    EXPECT_EQ(IDS_APP_TITLE, 57344);

    std::vector<unsigned char> bytes = restest::ResourceBytes(ModuleImage(), MAKEINTRESOURCEW(2), RT_MANIFEST);
    std::string manifest(bytes.begin(), bytes.end());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
}

TEST(ModuleResources, EachIconGroupIsOne96PixelTrueColourImage)
{
    for (WORD id : {IDI_DOCUMENTSELECT, IDI_VIEWFILE}) {
        std::vector<unsigned char> bytes = restest::ResourceBytes(ModuleImage(), MAKEINTRESOURCEW(id), RT_GROUP_ICON);
        std::vector<winenv::IconGroupEntry> entries;
        ASSERT_TRUE(winenv::ParseIconGroup(bytes.data(), bytes.size(), entries)) << id;
        ASSERT_EQ(entries.size(), 1u) << id;
        EXPECT_EQ(entries[0].width, 96);
        EXPECT_EQ(entries[0].height, 96);
        EXPECT_EQ(entries[0].bitCount, 32);

        winenv::IconBitmap bitmap;
        ASSERT_TRUE(winenv::LoadIconBitmap(ModuleImage(), MAKEINTRESOURCEW(id), 96, 96, bitmap)) << id;
        EXPECT_EQ(bitmap.pixels.size(), 96u * 96u);
        EXPECT_EQ(bitmap.pixels[0] >> 24, 0u) << "a transparent corner";
        EXPECT_EQ(bitmap.pixels[40 * 96 + 30] >> 24, 0xFFu) << "an opaque page";
    }
    EXPECT_EQ(IDI_DOCUMENTSELECT, 27003);
    EXPECT_EQ(IDI_VIEWFILE, 27004);
}

} // namespace
