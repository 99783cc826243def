// What a person does with a window's frame: drags it to a size, clicks its close box. Only the
// window's own messages are involved, so the stand-in and the Windows build share it.
#include <windows.h>

#include "winenv/Desktop.h"

namespace winenv {

bool ResizeWindow(HWND window, int width, int height)
{
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || width < 0 || height < 0)
        return false;
    if (IsZoomed(window))
        SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    if (!IsWindow(window))
        return false;
    SendMessageW(window, WM_ENTERSIZEMOVE, 0, 0);
    RECT r;
    GetWindowRect(window, &r);
    r.right = r.left + width;
    r.bottom = r.top + height;
    SendMessageW(window, WM_SIZING, 8 /* WMSZ_BOTTOMRIGHT */, reinterpret_cast<LPARAM>(&r));
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (IsWindow(window))
        SendMessageW(window, WM_EXITSIZEMOVE, 0, 0);
    RunPostedMessages();
    return true;
}

bool CloseWindowByUser(HWND window)
{
    if (!IsWindow(window) || !IsWindowEnabled(window))
        return false;
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    RunPostedMessages();
    return true;
}

} // namespace winenv
