// Keyboard focus, activation, mouse capture, the cursor and key states.
#include "WindowSystem.h"

using namespace win32ui;

extern "C" {

BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if (bEnable && wasDisabled) {
        w->style &= ~WS_DISABLED;
        SendMessageW(hWnd, WM_ENABLE, TRUE, 0);
    } else if (!bEnable && !wasDisabled) {
        SendMessageW(hWnd, WM_CANCELMODE, 0, 0);
        if ((w = FindWindowObject(hWnd)) == nullptr)
            return FALSE;
        w->style |= WS_DISABLED;
        auto& desktop = TheDesktop();
        if (desktop.focus == hWnd)
            SetFocus(nullptr);
        SendMessageW(hWnd, WM_ENABLE, FALSE, 0);
    }
    return wasDisabled;
}

HWND WINAPI SetFocus(HWND hWnd)
{
    auto& desktop = TheDesktop();
    if (hWnd && !IsWindow(hWnd))
        return nullptr;
    HWND previous = desktop.focus;
    if (previous == hWnd)
        return previous;
    if (hWnd) {
        HWND root = GetAncestor(hWnd, GA_ROOT);
        if (root != desktop.active) {
            SetActiveWindow(root);
            previous = desktop.focus; // activation moves the focus into the window
            if (previous == hWnd || !IsWindow(hWnd))
                return previous;
        }
    }
    desktop.focus = hWnd;
    if (previous && IsWindow(previous))
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    if (hWnd && desktop.focus == hWnd)
        SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    return previous;
}

HWND WINAPI GetFocus() { return TheDesktop().focus; }

HWND WINAPI GetActiveWindow() { return TheDesktop().active; }

HWND WINAPI SetActiveWindow(HWND hWnd)
{
    auto& desktop = TheDesktop();
    if (hWnd && !IsWindow(hWnd))
        return nullptr;
    HWND previous = desktop.active;
    if (previous == hWnd)
        return previous;
    desktop.active = hWnd;
    if (previous && IsWindow(previous))
        SendMessageW(previous, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hWnd));
    if (hWnd && IsWindow(hWnd))
        SendMessageW(hWnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(previous));
    // The focus follows the activation: unless the window placed it on one of its own children, the
    // window itself takes it.
    if (hWnd && desktop.active == hWnd && IsWindow(hWnd)) {
        HWND focus = desktop.focus;
        if (!focus || (focus != hWnd && !IsChild(hWnd, focus)))
            SetFocus(hWnd);
    }
    return previous;
}

HWND WINAPI SetCapture(HWND hWnd)
{
    auto& desktop = TheDesktop();
    HWND previous = desktop.capture;
    desktop.capture = IsWindow(hWnd) ? hWnd : nullptr;
    return previous;
}

BOOL WINAPI ReleaseCapture()
{
    auto& desktop = TheDesktop();
    HWND previous = desktop.capture;
    desktop.capture = nullptr;
    if (previous && IsWindow(previous))
        SendMessageW(previous, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND WINAPI GetCapture() { return TheDesktop().capture; }

BOOL WINAPI GetCursorPos(LPPOINT lpPoint)
{
    if (!lpPoint)
        return FALSE;
    *lpPoint = TheDesktop().cursor;
    return TRUE;
}

BOOL WINAPI SetCursorPos(int X, int Y)
{
    TheDesktop().cursor = POINT{X, Y};
    return TRUE;
}

// The high bit says the key is down.
SHORT WINAPI GetKeyState(int nVirtKey)
{
    if (nVirtKey < 0 || nVirtKey > 255)
        return 0;
    return TheDesktop().keyDown[static_cast<size_t>(nVirtKey)];
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) { return hCursor; }

} // extern "C"
