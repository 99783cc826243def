// Icons loaded from the program's own resources by id, as a module's .rc file gives them:
// LoadIconW finds RT_GROUP_ICON and its RT_ICON image.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "TestSupport.h"
#include "winenv/DesktopSvg.h"
#include "winenv/ResourceTable.h"

extern "C" {
// The program's resource table, filled by the test before the first lookup.
__attribute__((visibility("default"))) winenv::ResourceTable VizModuleResources = {winenv::kResourceTableVersion, 0, nullptr};
}

namespace {

constexpr WORD kIconId = 27003;

void Put16(std::vector<BYTE>& out, WORD v)
{
    out.push_back(static_cast<BYTE>(v));
    out.push_back(static_cast<BYTE>(v >> 8));
}
void Put32(std::vector<BYTE>& out, DWORD v)
{
    Put16(out, static_cast<WORD>(v));
    Put16(out, static_cast<WORD>(v >> 16));
}

// A 16 x 16 icon image of 32 bits: BITMAPINFOHEADER (height doubled for the mask), pixels, mask.
std::vector<BYTE> IconImage()
{
    std::vector<BYTE> image;
    Put32(image, 40);
    Put32(image, 16);
    Put32(image, 32);
    Put16(image, 1);
    Put16(image, 32);
    for (int i = 0; i < 6; ++i)
        Put32(image, 0);
    for (int i = 0; i < 16 * 16; ++i)
        Put32(image, 0xFF3366CC);
    image.insert(image.end(), 16 * 4, 0);
    return image;
}

std::vector<BYTE> IconGroup(DWORD imageSize)
{
    std::vector<BYTE> group;
    Put16(group, 0);
    Put16(group, 1);
    Put16(group, 1);
    group.push_back(16);
    group.push_back(16);
    group.push_back(0);
    group.push_back(0);
    Put16(group, 1);
    Put16(group, 32);
    Put32(group, imageSize);
    Put16(group, 1);
    return group;
}

struct Resources {
    std::vector<BYTE> dialog;
    std::vector<BYTE> image = IconImage();
    std::vector<BYTE> group = IconGroup(static_cast<DWORD>(image.size()));
    std::vector<winenv::ResourceEntry> entries;

    Resources()
    {
        DialogTemplateBuilder t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 100, 60, L"From resources");
        t.Control(IDOK, 0x0080, L"OK", BS_DEFPUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 45, 40, 50, 14);
        dialog = t.Bytes();
        entries = {
            {nullptr, 14, nullptr, kIconId, 0, group.data(), static_cast<std::uint32_t>(group.size()), nullptr},
            {nullptr, 3, nullptr, 1, 0, image.data(), static_cast<std::uint32_t>(image.size()), nullptr},
        };
        VizModuleResources.count = static_cast<std::uint32_t>(entries.size());
        VizModuleResources.entries = entries.data();
    }
};

INT_PTR CALLBACK IconDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconId));
        SendMessageW(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageW(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

TEST(ResourceDialog, ADialogsIconComesFromTheModuleByNumber)
{
    static Resources resources;
    HINSTANCE module = GetModuleHandleW(nullptr);
    ASSERT_NE(LoadIconW(module, MAKEINTRESOURCEW(kIconId)), nullptr);
    EXPECT_EQ(LoadIconW(module, MAKEINTRESOURCEW(4242)), nullptr);

    ScriptedUser user;
    bool hasIcon = false;
    std::string picture;
    user.dialog = [&](HWND dialog) {
        hasIcon = SendMessageW(dialog, WM_GETICON, ICON_SMALL, 0) != 0;
        picture = winenv::DrawWindowSvg(dialog);
        winenv::PressKey(VK_RETURN);
    };
    winenv::ScopedDesktopUser scoped(user);
    EXPECT_EQ(DialogBoxIndirectParamW(module, reinterpret_cast<LPCDLGTEMPLATEW>(resources.dialog.data()), nullptr,
                  IconDialogProc, 0),
        IDOK)
        << "Enter presses the default push button";
    EXPECT_TRUE(hasIcon);
    EXPECT_NE(picture.find("From resources"), std::string::npos);
    EXPECT_NE(picture.find("width=\"16\" height=\"1\" fill=\"#3366cc\""), std::string::npos)
        << "the title bar shows the icon's own pixels";
}

} // namespace
