// Icons and cursors: LoadIconW and LoadImageW read icon groups from a module's resources; the
// system's icons (IDI_*, IDC_*) are shared handles that DestroyIcon leaves alone.
#include <map>
#include <memory>
#include <string>

#include "Imaging.h"
#include "WindowSystem.h"
#include "winenv/IconResource.h"

namespace win32ui {

namespace {

std::map<UINT_PTR, IconObject>& Icons()
{
    static std::map<UINT_PTR, IconObject> icons;
    return icons;
}

UINT_PTR& NextIconHandle()
{
    static UINT_PTR next = 0x20000;
    return next;
}

std::wstring ResourceLabel(LPCWSTR name)
{
    if (IS_INTRESOURCE(name))
        return L"resource " + std::to_wstring(reinterpret_cast<ULONG_PTR>(name));
    return std::wstring(L"resource ") + name;
}

HICON SystemIcon(LPCWSTR name, const wchar_t* label, int size)
{
    // One shared handle per system icon.
    static std::map<ULONG_PTR, HICON> shared;
    auto key = reinterpret_cast<ULONG_PTR>(name);
    auto it = shared.find(key);
    if (it != shared.end())
        return it->second;
    IconObject icon;
    icon.width = icon.height = size;
    icon.label = label;
    icon.shared = true;
    HICON handle = NewIcon(icon);
    shared[key] = handle;
    return handle;
}

HICON LoadModuleIcon(HINSTANCE instance, LPCWSTR name, int cx, int cy, bool shared)
{
    winenv::IconBitmap bitmap;
    if (!winenv::LoadIconBitmap(instance, name, cx, cy, bitmap))
        return nullptr;
    IconObject icon;
    icon.width = bitmap.width;
    icon.height = bitmap.height;
    icon.label = ResourceLabel(name);
    icon.shared = shared;
    icon.pixels = std::move(bitmap.pixels);
    return NewIcon(icon);
}

const wchar_t* SystemIconLabel(ULONG_PTR id)
{
    switch (id) {
    case 32512: return L"application";
    case 32513: return L"error";
    case 32514: return L"question";
    case 32515: return L"warning";
    case 32516: return L"information";
    case 32517: return L"windows";
    }
    return nullptr;
}

} // namespace

HICON NewIcon(const IconObject& icon)
{
    UINT_PTR handle = NextIconHandle();
    NextIconHandle() += 4;
    Icons()[handle] = icon;
    return reinterpret_cast<HICON>(handle);
}

const IconObject* FindIcon(HICON icon)
{
    auto it = Icons().find(reinterpret_cast<UINT_PTR>(icon));
    return it == Icons().end() ? nullptr : &it->second;
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

HICON WINAPI LoadIconW(HINSTANCE hInstance, LPCWSTR lpIconName)
{
    if (!hInstance) {
        const wchar_t* label = IS_INTRESOURCE(lpIconName) ? SystemIconLabel(reinterpret_cast<ULONG_PTR>(lpIconName)) : nullptr;
        return label ? SystemIcon(lpIconName, label, 32) : nullptr;
    }
    return LoadModuleIcon(hInstance, lpIconName, 0, 0, true);
}

HCURSOR WINAPI LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName)
{
    if (hInstance || !IS_INTRESOURCE(lpCursorName))
        return nullptr;
    ULONG_PTR id = reinterpret_cast<ULONG_PTR>(lpCursorName);
    if (id < 32512 || id > 32650)
        return nullptr;
    return SystemIcon(MAKEINTRESOURCEW(static_cast<WORD>(id + 1000)), L"cursor", 32);
}

BOOL WINAPI DestroyIcon(HICON hIcon)
{
    auto it = Icons().find(reinterpret_cast<UINT_PTR>(hIcon));
    if (it == Icons().end())
        return FALSE;
    if (!it->second.shared)
        Icons().erase(it);
    return TRUE;
}

} // extern "C"
