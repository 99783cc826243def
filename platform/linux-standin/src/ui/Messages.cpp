// Message dispatch: sent messages call the window procedure at once; posted messages wait in the
// queue until a modal loop (or GetMessageW/PeekMessageW) takes them. DefWindowProcW gives the
// default answers the rest of the window system relies on.
#include <algorithm>
#include <cstring>

#include "WindowSystem.h"

namespace win32ui {

namespace {
struct SendScope {
    SendScope() { ++TheDesktop().sendDepth; }
    ~SendScope()
    {
        --TheDesktop().sendDepth;
        FreeDestroyedWindows();
    }
};
} // namespace

} // namespace win32ui

using namespace win32ui;

extern "C" {

LRESULT WINAPI SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !w->proc)
        return 0;
    SendScope scope;
    return w->proc(hWnd, Msg, wParam, lParam);
}

LRESULT WINAPI CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (!lpPrevWndFunc)
        return 0;
    SendScope scope;
    return lpPrevWndFunc(hWnd, Msg, wParam, lParam);
}

BOOL WINAPI PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    if (hWnd && !IsWindow(hWnd))
        return FALSE;
    auto& desktop = TheDesktop();
    desktop.posted.push_back(MSG{hWnd, Msg, wParam, lParam, 0, desktop.cursor});
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode)
{
    auto& desktop = TheDesktop();
    desktop.quitPosted = true;
    desktop.quitCode = nExitCode;
}

BOOL WINAPI PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg)
{
    auto& desktop = TheDesktop();
    for (auto it = desktop.posted.begin(); it != desktop.posted.end(); ++it) {
        if (hWnd && it->hwnd != hWnd && !IsChild(hWnd, it->hwnd))
            continue;
        if ((wMsgFilterMin || wMsgFilterMax) && (it->message < wMsgFilterMin || it->message > wMsgFilterMax))
            continue;
        if (lpMsg)
            *lpMsg = *it;
        if (wRemoveMsg & PM_REMOVE)
            desktop.posted.erase(it);
        return TRUE;
    }
    if (desktop.quitPosted) {
        if (lpMsg)
            *lpMsg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(desktop.quitCode), 0, 0, desktop.cursor};
        if (wRemoveMsg & PM_REMOVE)
            desktop.quitPosted = false;
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg)
{
    if (!lpMsg || lpMsg->message != WM_KEYDOWN)
        return FALSE;
    WCHAR ch = 0;
    switch (lpMsg->wParam) {
    case VK_SPACE: ch = L' '; break;
    case VK_RETURN: ch = L'\r'; break;
    case VK_ESCAPE: ch = 0x1B; break;
    case VK_TAB: ch = L'\t'; break;
    case VK_BACK: ch = 0x08; break;
    case VK_ADD: ch = L'+'; break;
    case VK_SUBTRACT: ch = L'-'; break;
    case VK_MULTIPLY: ch = L'*'; break;
    default:
        if ((lpMsg->wParam >= '0' && lpMsg->wParam <= '9') || (lpMsg->wParam >= 'A' && lpMsg->wParam <= 'Z'))
            ch = static_cast<WCHAR>(lpMsg->wParam >= 'A' ? lpMsg->wParam - 'A' + 'a' : lpMsg->wParam);
    }
    if (!ch)
        return FALSE;
    return PostMessageW(lpMsg->hwnd, WM_CHAR, ch, lpMsg->lParam);
}

LRESULT WINAPI DispatchMessageW(const MSG* lpMsg)
{
    if (!lpMsg || !lpMsg->hwnd)
        return 0;
    return SendMessageW(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

LRESULT WINAPI DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return 0;
    switch (Msg) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            w->text = cs->lpszName;
        return TRUE;
    }
    case WM_SETTEXT:
        w->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        return TRUE;
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<LPWSTR>(lParam);
        if (!buffer || wParam == 0)
            return 0;
        size_t n = std::min(w->text.size(), static_cast<size_t>(wParam) - 1);
        std::wmemcpy(buffer, w->text.c_str(), n);
        buffer[n] = L'\0';
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE:
        DestroyWindow(hWnd);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            SendMessageW(hWnd, WM_CLOSE, 0, 0);
            break;
        case SC_MAXIMIZE:
            ShowWindow(hWnd, SW_MAXIMIZE);
            break;
        case SC_MINIMIZE:
            ShowWindow(hWnd, SW_MINIMIZE);
            break;
        case SC_RESTORE:
            ShowWindow(hWnd, SW_RESTORE);
            break;
        }
        return 0;
    case WM_SETICON: {
        HICON previous;
        if (wParam == ICON_BIG) {
            previous = w->iconBig;
            w->iconBig = reinterpret_cast<HICON>(lParam);
        } else {
            previous = w->iconSmall;
            w->iconSmall = reinterpret_cast<HICON>(lParam);
        }
        return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
        return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->iconBig : w->iconSmall);
    case WM_WINDOWPOSCHANGED: {
        // The default turns a position change into WM_MOVE and WM_SIZE.
        auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos && !(pos->flags & SWP_NOMOVE)) {
            RECT insets = NonClientInsets(w->style, w->exStyle);
            SendMessageW(hWnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + insets.left, w->rect.top + insets.top));
        }
        w = FindWindowObject(hWnd);
        if (w && pos && !(pos->flags & SWP_NOSIZE)) {
            SIZE client = ClientSize(*w);
            WPARAM kind = (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
            SendMessageW(hWnd, WM_SIZE, kind, MAKELPARAM(client.cx, client.cy));
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return 1; // MA_ACTIVATE
    case WM_NCACTIVATE:
        return TRUE;
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_CONTEXTMENU:
        if (w->style & WS_CHILD)
            SendMessageW(w->parent, WM_CONTEXTMENU, wParam, lParam);
        return 0;
    }
    return 0;
}

} // extern "C"
