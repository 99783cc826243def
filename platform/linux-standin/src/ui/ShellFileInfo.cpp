// SHGetFileInfoW: the icon the shell shows for a file, a folder or a drive, as an index into the
// process-wide system image list. Files get one icon per extension (case does not matter).
#include <cstring>
#include <string>

#include "Imaging.h"
#include "WindowSystem.h"
#include "shellapi.h"
#include "shlobj.h"
#include "windows.h"

namespace win32ui {
std::wstring PathOfIdList(PCIDLIST_ABSOLUTE pidl); // FolderPicker.cpp
}

using namespace win32ui;

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

std::wstring ExtensionOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L"\\/");
    size_t dot = path.find_last_of(L'.');
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash))
        return std::wstring();
    return path.substr(dot);
}

std::wstring LastComponent(std::wstring path)
{
    while (path.size() > 3 && IsSeparator(path.back()))
        path.pop_back();
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

bool IsDriveRoot(const std::wstring& path)
{
    return path.size() >= 2 && path.size() <= 3 && path[1] == L':' && (path.size() == 2 || IsSeparator(path[2]));
}

void CopyText(const std::wstring& text, WCHAR* buffer, size_t capacity)
{
    size_t n = std::min(text.size(), capacity - 1);
    std::wmemcpy(buffer, text.c_str(), n);
    buffer[n] = L'\0';
}

} // namespace

extern "C" {

DWORD_PTR WINAPI SHGetFileInfoW(LPCWSTR pszPath, DWORD dwFileAttributes, SHFILEINFOW* psfi, UINT cbFileInfo, UINT uFlags)
{
    if (!pszPath)
        return 0;
    std::wstring path = (uFlags & SHGFI_PIDL) ? PathOfIdList(reinterpret_cast<PCIDLIST_ABSOLUTE>(pszPath)) : pszPath;
    bool directory;
    if (uFlags & SHGFI_USEFILEATTRIBUTES) {
        directory = (dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    } else {
        DWORD attributes = GetFileAttributesW(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return 0;
        directory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    int index;
    std::wstring typeName;
    if (directory && IsDriveRoot(path) && !(uFlags & SHGFI_USEFILEATTRIBUTES)) {
        index = SystemDriveIconIndex();
        typeName = L"Local Disk";
    } else if (directory) {
        index = SystemFolderIconIndex();
        typeName = L"File folder";
    } else {
        std::wstring extension = ExtensionOf(path);
        index = SystemIconIndexForExtension(extension);
        typeName = extension.empty() ? L"File" : UpperCase(extension.substr(1)) + L" File";
    }

    if (psfi && cbFileInfo >= sizeof(SHFILEINFOW)) {
        if (uFlags & (SHGFI_ICON | SHGFI_SYSICONINDEX))
            psfi->iIcon = index;
        if (uFlags & SHGFI_ICON) {
            IconObject icon;
            icon.width = icon.height = (uFlags & SHGFI_SMALLICON) ? 16 : 32;
            icon.label = ImageListLabel(SystemSmallImageList(), index);
            psfi->hIcon = NewIcon(icon);
        }
        if (uFlags & SHGFI_DISPLAYNAME)
            CopyText(LastComponent(path), psfi->szDisplayName, MAX_PATH);
        if (uFlags & SHGFI_TYPENAME)
            CopyText(typeName, psfi->szTypeName, 80);
        if (uFlags & SHGFI_ATTRIBUTES)
            psfi->dwAttributes = 0;
    }
    if (uFlags & SHGFI_SYSICONINDEX)
        return reinterpret_cast<DWORD_PTR>(SystemSmallImageList());
    return TRUE;
}

} // extern "C"
