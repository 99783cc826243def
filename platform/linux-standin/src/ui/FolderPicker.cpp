// The shell's folder picker and the item ID lists it returns. An item ID list here holds one
// item, the folder's path, and is allocated with the COM task allocator, so the shell's IMalloc
// (SHGetMalloc) and ILFree both free it.
#include <cstring>
#include <string>

#include "WindowSystem.h"
#include "shlobj.h"
#include "winenv/Desktop.h"
#include "winenv/Paths.h"
#include "winenv/Trace.h"

namespace win32ui {

namespace {
constexpr DWORD kPathItemMagic = 0x48544150; // "PATH"
}

std::wstring PathOfIdList(PCIDLIST_ABSOLUTE pidl)
{
    if (!pidl || pidl->mkid.cb < sizeof(USHORT) + sizeof(DWORD) + sizeof(wchar_t))
        return std::wstring();
    const BYTE* data = pidl->mkid.abID;
    DWORD magic;
    std::memcpy(&magic, data, sizeof(magic));
    if (magic != kPathItemMagic)
        return std::wstring();
    size_t chars = (pidl->mkid.cb - sizeof(USHORT) - sizeof(DWORD)) / sizeof(wchar_t);
    std::wstring path(chars, L'\0');
    std::memcpy(&path[0], data + sizeof(DWORD), chars * sizeof(wchar_t));
    path.resize(std::wcslen(path.c_str()));
    return path;
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

PIDLIST_ABSOLUTE WINAPI ILCreateFromPathW(PCWSTR pszPath)
{
    if (!pszPath)
        return nullptr;
    size_t chars = std::wcslen(pszPath) + 1;
    size_t cb = sizeof(USHORT) + sizeof(DWORD) + chars * sizeof(wchar_t);
    if (cb > 0xFFFF)
        return nullptr;
    auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(cb + sizeof(USHORT)));
    if (!bytes)
        return nullptr;
    USHORT size = static_cast<USHORT>(cb);
    std::memcpy(bytes, &size, sizeof(size));
    std::memcpy(bytes + sizeof(USHORT), &kPathItemMagic, sizeof(DWORD));
    std::memcpy(bytes + sizeof(USHORT) + sizeof(DWORD), pszPath, chars * sizeof(wchar_t));
    USHORT terminator = 0;
    std::memcpy(bytes + cb, &terminator, sizeof(terminator));
    return reinterpret_cast<PIDLIST_ABSOLUTE>(bytes);
}

HRESULT WINAPI SHGetMalloc(IMalloc** ppMalloc) { return CoGetMalloc(1 /* MEMCTX_TASK */, ppMalloc); }

BOOL WINAPI SHGetPathFromIDListW(PCIDLIST_ABSOLUTE pidl, LPWSTR pszPath)
{
    if (!pszPath)
        return FALSE;
    pszPath[0] = L'\0';
    std::wstring path = PathOfIdList(pidl);
    if (path.empty() || path.size() >= MAX_PATH)
        return FALSE;
    std::wmemcpy(pszPath, path.c_str(), path.size() + 1);
    return TRUE;
}

PIDLIST_ABSOLUTE WINAPI SHBrowseForFolderW(LPBROWSEINFOW lpbi)
{
    if (!lpbi)
        return nullptr;
    std::wstring title = lpbi->lpszTitle ? lpbi->lpszTitle : L"";
    HWND owner = lpbi->hwndOwner ? GetAncestor(lpbi->hwndOwner, GA_ROOT) : nullptr;
    bool ownerDisabled = owner && IsWindowEnabled(owner);
    if (ownerDisabled)
        EnableWindow(owner, FALSE);
    std::optional<std::wstring> chosen = winenv::GetDesktopUser().OnBrowseForFolder(lpbi->hwndOwner, title);
    // A person or script on this machine may answer with a POSIX folder; the picker answers, as on
    // Windows, with a drive path, the form of every other path the caller holds.
    if (chosen && !chosen->empty() && chosen->front() == L'/')
        chosen = winenv::FromPosixPath(winenv::ToUtf8(*chosen));
    if (ownerDisabled && IsWindow(owner))
        EnableWindow(owner, TRUE);
    winenv::Trace("folder_picker", {{"title", winenv::ToUtf8(title)}, {"result", winenv::ToUtf8(chosen.value_or(L""))}});
    if (!chosen || chosen->empty())
        return nullptr;
    std::wstring path = *chosen;
    if (lpbi->pszDisplayName) {
        std::wstring name = path;
        while (name.size() > 3 && (name.back() == L'\\' || name.back() == L'/'))
            name.pop_back();
        size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos && name.size() > 3)
            name = name.substr(slash + 1);
        name = name.substr(0, MAX_PATH - 1);
        std::wmemcpy(lpbi->pszDisplayName, name.c_str(), name.size() + 1);
    }
    return ILCreateFromPathW(path.c_str());
}

} // extern "C"
