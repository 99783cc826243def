// FindResource and friends. An HRSRC is the module's table entry; LoadResource gives the data in
// place, as Windows maps it with the image, so LockResource returns what it is given.
#include <libloaderapi.h>
#include <winbase.h>

#include "ModuleResources.h"

namespace {

const winenv::ResourceEntry* EntryOf(HRSRC resource)
{
    return reinterpret_cast<const winenv::ResourceEntry*>(resource);
}

} // namespace

extern "C" {

HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage)
{
    if (!lpType || !lpName) {
        SetLastError(!lpType ? ERROR_RESOURCE_TYPE_NOT_FOUND : ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    DWORD error = ERROR_SUCCESS;
    const winenv::ResourceEntry* entry = win32resources::FindEntry(hModule, lpType, lpName, wLanguage, error);
    if (!entry) {
        SetLastError(error);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<winenv::ResourceEntry*>(entry));
}

HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType)
{
    return FindResourceExW(hModule, lpType, lpName, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
}

HGLOBAL WINAPI LoadResource(HMODULE hModule, HRSRC hResInfo)
{
    if (!hResInfo) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<unsigned char*>(EntryOf(hResInfo)->data);
}

LPVOID WINAPI LockResource(HGLOBAL hResData)
{
    return hResData;
}

DWORD WINAPI SizeofResource(HMODULE hModule, HRSRC hResInfo)
{
    if (!hResInfo) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return EntryOf(hResInfo)->size;
}

} // extern "C"
