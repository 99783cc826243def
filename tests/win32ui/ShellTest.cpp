// Message boxes, the folder picker and SHGetFileInfoW, with the desktop's user answering.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ScratchFolder.h"
#include "TestSupport.h"
#include "commctrl.h"
#include "shellapi.h"
#include "shlobj.h"
#include "win32host/Trace.h"

namespace {

TEST(MessageBox, TheUserChoosesTheButtonAndTheBoxIsTraced)
{
    HWND owner = CreateWindowExW(0, L"#32770", L"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
        nullptr, nullptr);
    ScriptedUser user;
    bool ownerEnabledDuringBox = true;
    std::wstring seenText, seenCaption;
    user.messageBox = [&](HWND, const std::wstring& text, const std::wstring& caption, UINT type) {
        ownerEnabledDuringBox = IsWindowEnabled(owner);
        seenText = text;
        seenCaption = caption;
        EXPECT_EQ(win32host::MessageBoxButtons(type), (std::vector<int>{IDYES, IDNO}));
        return IDNO;
    };
    win32host::ScopedDesktopUser scoped(user);
    win32host::TraceRecorder trace;
    EXPECT_EQ(MessageBoxW(owner, L"下载成功!", L"轻量化导出/打印", MB_YESNO | MB_ICONEXCLAMATION), IDNO);
    EXPECT_FALSE(ownerEnabledDuringBox);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(seenText, L"下载成功!");
    auto events = trace.OfKind("messagebox");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Get("icon") + " " + events[0].Get("buttons") + " " + events[0].Get("result"), "warning yesno no");
    DestroyWindow(owner);
}

TEST(MessageBox, TheDefaultUserPressesTheDefaultButton)
{
    win32host::TraceRecorder trace;
    EXPECT_EQ(MessageBoxW(nullptr, L"text", nullptr, MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"text", L"c", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, L"text", L"c", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    auto events = trace.OfKind("messagebox");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Get("caption"), "Error") << "an untitled box is captioned Error";
    EXPECT_EQ(events[0].Get("icon"), "error");
}

TEST(FolderPicker, TheChosenPathComesBackThroughTheItemIdList)
{
    ScriptedUser user;
    user.folders = {L"C:\\导出\\light files"};
    win32host::ScopedDesktopUser scoped(user);
    win32host::TraceRecorder trace;

    wchar_t display[MAX_PATH] = L"";
    BROWSEINFOW bi{};
    bi.pszDisplayName = display;
    bi.lpszTitle = L"Select a folder";
    bi.ulFlags = BIF_RETURNONLYFSDIRS;
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
    ASSERT_NE(pidl, nullptr);
    EXPECT_EQ(user.pickerTitles, std::vector<std::wstring>{L"Select a folder"});
    EXPECT_STREQ(display, L"light files");
    wchar_t path[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDListW(pidl, path));
    EXPECT_STREQ(path, L"C:\\导出\\light files");
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    malloc->Free(pidl);
    malloc->Release();

    EXPECT_EQ(SHBrowseForFolderW(&bi), nullptr) << "no answer left: the user cancels";
    EXPECT_FALSE(SHGetPathFromIDListW(nullptr, path));
    EXPECT_STREQ(path, L"");

    auto events = trace.OfKind("folder_picker");
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].Get("title"), "Select a folder");
    EXPECT_EQ(events[0].Get("result"), "C:\\导出\\light files");
    EXPECT_EQ(events[1].Get("result"), "");
}

int SmallIconIndex(const wchar_t* name, DWORD attributes)
{
    SHFILEINFOW info{};
    DWORD_PTR ok = SHGetFileInfoW(name, attributes, &info, sizeof(info), SHGFI_USEFILEATTRIBUTES | SHGFI_ICON | SHGFI_SMALLICON);
    EXPECT_NE(ok, 0u);
    EXPECT_NE(info.hIcon, nullptr);
    EXPECT_TRUE(DestroyIcon(info.hIcon));
    return info.iIcon;
}

TEST(FileInfo, EachExtensionHasOneIconIndexWhateverItsCase)
{
    int pdf = SmallIconIndex(L".pdf", FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(SmallIconIndex(L"drawing.PDF", FILE_ATTRIBUTE_NORMAL), pdf);
    EXPECT_EQ(SmallIconIndex(L"C:\\no\\such\\file.Pdf", FILE_ATTRIBUTE_NORMAL), pdf) << "the disk is not touched";
    int dwg = SmallIconIndex(L".dwg", FILE_ATTRIBUTE_NORMAL);
    EXPECT_NE(dwg, pdf);
    int folder = SmallIconIndex(L"C:\\anything", FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_NE(folder, pdf);
    EXPECT_NE(folder, dwg);
    EXPECT_EQ(SmallIconIndex(L"D:\\other", FILE_ATTRIBUTE_DIRECTORY), folder);

    SHFILEINFOW info{};
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(list, nullptr);
    EXPECT_GT(ImageList_GetImageCount(list), std::max(pdf, std::max(dwg, folder)));
    auto again = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    EXPECT_EQ(again, list) << "one list for the whole process";
    EXPECT_FALSE(ImageList_Destroy(list)) << "the system list cannot be destroyed by a caller";
    EXPECT_EQ(ImageList_GetImageCount(list), ImageList_GetImageCount(again));
}

TEST(FileInfo, ARealFolderOnDiskGetsTheFolderIcon)
{
    viztest::ScratchFolder folder;
    const std::wstring path = folder.Windows();
    SHFILEINFOW info{};
    ASSERT_NE(SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON), 0u);
    DestroyIcon(info.hIcon);
    EXPECT_EQ(info.iIcon, SmallIconIndex(L"x", FILE_ATTRIBUTE_DIRECTORY));
    std::wstring missing = folder.Windows(L"missing.pdf");
    EXPECT_EQ(SHGetFileInfoW(missing.c_str(), 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON), 0u)
        << "without SHGFI_USEFILEATTRIBUTES the file must exist";

    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    ASSERT_NE(SHGetFileInfoW(system, FILE_ATTRIBUTE_NORMAL, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON), 0u);
    DestroyIcon(info.hIcon);
    EXPECT_EQ(info.iIcon, SmallIconIndex(L"x", FILE_ATTRIBUTE_DIRECTORY))
        << "without SHGFI_USEFILEATTRIBUTES the attributes given are ignored and the disk decides";
}

} // namespace
