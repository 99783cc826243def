// MessageBoxW: a modal loop of its own, answered by the desktop's user. The owner is disabled
// while the box is up, as Windows does.
#include <string>

#include "WindowSystem.h"
#include "winenv/Desktop.h"

extern "C" {

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    std::wstring text = lpText ? lpText : L"";
    // Windows captions an untitled box "Error".
    std::wstring caption = lpCaption ? lpCaption : L"Error";
    HWND owner = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
    bool ownerDisabled = owner && IsWindowEnabled(owner) && !(uType & MB_SYSTEMMODAL);
    if (ownerDisabled)
        EnableWindow(owner, FALSE);
    int result = winenv::GetDesktopUser().OnMessageBox(hWnd, text, caption, uType);
    if (ownerDisabled && IsWindow(owner))
        EnableWindow(owner, TRUE);
    winenv::TraceMessageBox(text, caption, uType, result);
    return result;
}

} // extern "C"
