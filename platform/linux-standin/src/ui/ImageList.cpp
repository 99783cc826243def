// Image lists of comctl32, and the shell's process-wide small-icon list that every caller shares
// and no caller may destroy.
#include <algorithm>
#include <map>

#include "Imaging.h"
#include "WindowSystem.h"

namespace win32ui {

namespace {

struct SystemList {
    HIMAGELIST list;
    std::map<std::wstring, int> byExtension; // lower-case extension
    int folder;
    int drive;
    int unknownFile;
};

SystemList& TheSystemList()
{
    static SystemList system = [] {
        SystemList s{};
        s.list = new _IMAGELIST;
        s.list->system = true;
        // Fixed places as in the shell's own list: a document, then the folder and the drive.
        s.list->images = {L"file", L"folder", L"drive"};
        s.unknownFile = 0;
        s.folder = 1;
        s.drive = 2;
        return s;
    }();
    return system;
}

bool IsList(HIMAGELIST list) { return list != nullptr; }

} // namespace

HIMAGELIST SystemSmallImageList() { return TheSystemList().list; }

int SystemFolderIconIndex() { return TheSystemList().folder; }

int SystemDriveIconIndex() { return TheSystemList().drive; }

int SystemIconIndexForExtension(const std::wstring& extension)
{
    SystemList& s = TheSystemList();
    if (extension.empty() || extension == L".")
        return s.unknownFile;
    std::wstring key = extension;
    CharLowerBuffW(&key[0], static_cast<DWORD>(key.size()));
    auto it = s.byExtension.find(key);
    if (it != s.byExtension.end())
        return it->second;
    int index = static_cast<int>(s.list->images.size());
    s.list->images.push_back(key);
    s.byExtension[key] = index;
    return index;
}

std::wstring ImageListLabel(HIMAGELIST list, int index)
{
    if (!IsList(list) || index < 0 || static_cast<size_t>(index) >= list->images.size())
        return std::wstring();
    return list->images[static_cast<size_t>(index)];
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

BOOL WINAPI InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    RegisterCommonControlClasses(picce->dwICC);
    return TRUE;
}

HIMAGELIST WINAPI ImageList_Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0)
        return nullptr;
    auto* list = new _IMAGELIST;
    list->cx = cx;
    list->cy = cy;
    list->flags = flags;
    return list;
}

BOOL WINAPI ImageList_Destroy(HIMAGELIST himl)
{
    if (!himl || himl->system)
        return FALSE;
    delete himl;
    return TRUE;
}

int WINAPI ImageList_GetImageCount(HIMAGELIST himl) { return himl ? static_cast<int>(himl->images.size()) : 0; }

BOOL WINAPI ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    if (!himl || !cx || !cy)
        return FALSE;
    *cx = himl->cx;
    *cy = himl->cy;
    return TRUE;
}

} // extern "C"
