// LoadStringW: string id n lives in RT_STRING block n / 16 + 1 as its (n % 16)-th counted string.
// The table also keeps every string as wchar_t, so cchBufferMax == 0 can hand out a read-only
// pointer into the module, as Windows does (not terminated: the result is its length).
#include <libloaderapi.h>
#include <winbase.h>
#include <winuser.h>

#include <algorithm>

#include "ModuleResources.h"

extern "C" int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax)
{
    if (!lpBuffer || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    DWORD error = ERROR_SUCCESS;
    const winenv::ResourceEntry* block = win32resources::FindEntry(
        hInstance, RT_STRING, MAKEINTRESOURCEW((uID >> 4) + 1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), error);
    const winenv::ResourceText* text = block && block->strings ? &block->strings[uID & 15] : nullptr;
    if (!block || !text) {
        SetLastError(block ? ERROR_RESOURCE_NAME_NOT_FOUND : error);
        if (cchBufferMax > 0)
            lpBuffer[0] = L'\0';
        return 0;
    }
    if (cchBufferMax == 0) {
        *reinterpret_cast<LPCWSTR*>(lpBuffer) = text->text;
        return static_cast<int>(text->length);
    }
    int copied = std::min(static_cast<int>(text->length), cchBufferMax - 1);
    std::copy(text->text, text->text + copied, lpBuffer);
    lpBuffer[copied] = L'\0';
    return copied;
}
