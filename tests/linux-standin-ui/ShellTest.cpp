// Message boxes, the folder picker and SHGetFileInfoW, with the desktop's user answering.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <string>

#include "ScratchFolder.h"
#include "TestSupport.h"
#include "commctrl.h"
#include "shellapi.h"
#include "shlobj.h"
#include "winenv/Paths.h"
#include "winenv/Trace.h"

namespace {

// The owner is disabled while the user answers from the type's buttons; the text, caption and
// icon of the module's boxes are the transcripts'.
TEST(MessageBox, TheOwnerWaitsForTheUsersAnswer)
{
    HWND owner = CreateWindowExW(0, L"#32770", L"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr,
        nullptr, nullptr);
    ScriptedUser user;
    bool ownerEnabledDuringBox = true;
    user.messageBox = [&](HWND, const std::wstring&, const std::wstring&, UINT type) {
        ownerEnabledDuringBox = IsWindowEnabled(owner);
        EXPECT_EQ(winenv::MessageBoxButtons(type), (std::vector<int>{IDYES, IDNO}));
        return IDNO;
    };
    winenv::ScopedDesktopUser scoped(user);
    EXPECT_EQ(MessageBoxW(owner, L"text", L"caption", MB_YESNO), IDNO);
    EXPECT_FALSE(ownerEnabledDuringBox);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

TEST(MessageBox, TheDefaultUserPressesTheDefaultButton)
{
    winenv::TraceRecorder trace;
    EXPECT_EQ(MessageBoxW(nullptr, L"text", nullptr, MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"text", L"c", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, L"text", L"c", MB_OKCANCEL | MB_DEFBUTTON2), IDCANCEL);
    auto events = trace.OfKind("messagebox");
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].Get("caption") + " " + events[0].Get("icon"), "Error error") << "an untitled box";
}

// The picker answers with a drive path, as on Windows, whatever form the user typed: a folder of
// this machine, or one already in Windows form, kept as it is. The display name the module hands a
// buffer for is the path's last part. (The path chosen, a cancel and the trace are the
// transcripts'.)
TEST(FolderPicker, TheChosenFolderIsADrivePathAndItsLastPartTheDisplayName)
{
    const struct {
        std::wstring typed;
        std::string folder; // the folder the answer names on this machine
        const wchar_t* display;
    } cases[] = {
        {L"/tmp/导出/light files", "/tmp/导出/light files", L"light files"},
        {L"/tmp/导出\\light files", "/tmp/导出/light files", L"light files"},
        {L"C:\\tmp\\导出", "/tmp/导出", L"导出"},
    };
    for (const auto& c : cases) {
        ScriptedUser user;
        user.folders = {c.typed};
        winenv::ScopedDesktopUser scoped(user);
        wchar_t display[MAX_PATH] = L"";
        BROWSEINFOW bi{};
        bi.pszDisplayName = display;
        bi.lpszTitle = L"Select a folder";
        PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
        ASSERT_NE(pidl, nullptr);
        EXPECT_STREQ(c.display, display) << winenv::ToUtf8(c.typed);
        wchar_t path[MAX_PATH] = L"";
        EXPECT_TRUE(SHGetPathFromIDListW(pidl, path));
        const std::wstring answer = path;
        EXPECT_EQ(std::wstring::npos, answer.find(L'/')) << winenv::ToUtf8(answer);
        EXPECT_EQ(L':', answer.size() > 1 ? answer[1] : L'?') << winenv::ToUtf8(answer);
        EXPECT_EQ(c.folder, winenv::ToPosixPath(answer)) << winenv::ToUtf8(c.typed);
        IMalloc* malloc = nullptr;
        ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
        malloc->Free(pidl);
        malloc->Release();
    }
}

// One icon index per extension whatever its case, another for folders. With
// SHGFI_USEFILEATTRIBUTES the disk is not touched; without it the disk decides and the attributes
// given are ignored.
TEST(FileInfo, EachExtensionHasOneIconIndexAndFoldersAnother)
{
    viztest::ScratchFolder folder;
    wchar_t system[MAX_PATH];
    ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::wstring onDisk = folder.Windows(), missing = folder.Windows(L"missing.pdf");
    const struct {
        const wchar_t* name;
        DWORD attributes;
        bool onlyAttributes;
        char kind; // icons of one kind share an index; 0: the call fails
    } cases[] = {
        {L".pdf", FILE_ATTRIBUTE_NORMAL, true, 'p'}, {L"drawing.PDF", FILE_ATTRIBUTE_NORMAL, true, 'p'},
        {L"C:\\no\\such\\file.Pdf", FILE_ATTRIBUTE_NORMAL, true, 'p'}, {L".dwg", FILE_ATTRIBUTE_NORMAL, true, 'd'},
        {L"C:\\anything", FILE_ATTRIBUTE_DIRECTORY, true, 'f'}, {L"D:\\other", FILE_ATTRIBUTE_DIRECTORY, true, 'f'},
        {onDisk.c_str(), 0, false, 'f'}, {system, FILE_ATTRIBUTE_NORMAL, false, 'f'}, {missing.c_str(), 0, false, 0},
    };
    std::map<char, int> indexOf;
    for (const auto& c : cases) {
        SHFILEINFOW info{};
        const UINT flags = SHGFI_ICON | SHGFI_SMALLICON | (c.onlyAttributes ? SHGFI_USEFILEATTRIBUTES : 0);
        const bool ok = SHGetFileInfoW(c.name, c.attributes, &info, sizeof(info), flags) != 0;
        ASSERT_EQ(ok, c.kind != 0) << winenv::ToUtf8(c.name);
        if (!ok)
            continue;
        EXPECT_TRUE(DestroyIcon(info.hIcon)) << winenv::ToUtf8(c.name);
        const auto known = indexOf.emplace(c.kind, info.iIcon).first;
        EXPECT_EQ(known->second, info.iIcon) << winenv::ToUtf8(c.name);
    }
    std::set<int> distinct;
    for (const auto& k : indexOf)
        distinct.insert(k.second);
    EXPECT_EQ(distinct.size(), indexOf.size()) << "each kind has its own index";

    SHFILEINFOW info{};
    auto list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
    ASSERT_NE(list, nullptr);
    EXPECT_GT(ImageList_GetImageCount(list), *distinct.rbegin());
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON)),
        list) << "one list for the whole process";
    EXPECT_FALSE(ImageList_Destroy(list)) << "the system list cannot be destroyed by a caller";
}

} // namespace
