// Window rectangles, coordinates and placement. Metrics are those of Windows 10 at 96 DPI:
// caption 23 pixels, sizing frame 4 + 4 padded border, fixed frame 3, border 1, client edge 2.
#include <algorithm>

#include "WindowSystem.h"
#include "winenv/Desktop.h"

namespace win32ui {

static constexpr int kCaption = 23;
static constexpr int kSizingFrame = 8;
static constexpr int kFixedFrame = 3;
static constexpr int kScrollBar = 17;

RECT NonClientInsets(DWORD style, DWORD exStyle)
{
    int frame = 0;
    if (style & WS_THICKFRAME)
        frame = kSizingFrame;
    else if ((style & WS_DLGFRAME) || (exStyle & WS_EX_DLGMODALFRAME))
        frame = kFixedFrame;
    else if (style & WS_BORDER)
        frame = 1;
    if (exStyle & WS_EX_CLIENTEDGE)
        frame += 2;
    if (exStyle & WS_EX_STATICEDGE)
        frame += 1;
    int caption = ((style & WS_CAPTION) == WS_CAPTION) ? kCaption : 0;
    int vertical = (style & WS_VSCROLL) ? kScrollBar : 0;
    int horizontal = (style & WS_HSCROLL) ? kScrollBar : 0;
    return RECT{frame, frame + caption, frame + vertical, frame + horizontal};
}

RECT WindowRectOnScreen(const Window& window)
{
    RECT r = window.rect;
    if (Window* parent = FindWindowObject(window.parent)) {
        POINT origin = ClientOriginOnScreen(*parent);
        OffsetRect(&r, origin.x, origin.y);
    }
    return r;
}

POINT ClientOriginOnScreen(const Window& window)
{
    RECT r = WindowRectOnScreen(window);
    RECT insets = NonClientInsets(window.style, window.exStyle);
    return POINT{r.left + insets.left, r.top + insets.top};
}

SIZE ClientSize(const Window& window)
{
    RECT insets = NonClientInsets(window.style, window.exStyle);
    LONG cx = window.rect.right - window.rect.left - insets.left - insets.right;
    LONG cy = window.rect.bottom - window.rect.top - insets.top - insets.bottom;
    return SIZE{std::max<LONG>(cx, 0), std::max<LONG>(cy, 0)};
}

static HWND DeepestChildAt(HWND hwnd, POINT screen)
{
    Window* w = FindWindowObject(hwnd);
    for (HWND child : w->children) {
        Window* c = FindWindowObject(child);
        if (!c || !(c->style & WS_VISIBLE))
            continue;
        RECT r = WindowRectOnScreen(*c);
        if (!PtInRect(&r, screen))
            continue;
        // Static texts let the mouse through to what lies beneath them, as their
        // WM_NCHITTEST answers HTTRANSPARENT.
        if (IsClass(child, kStaticClass) && !(c->style & SS_NOTIFY))
            continue;
        if (c->style & WS_DISABLED)
            return hwnd;
        return DeepestChildAt(child, screen);
    }
    return hwnd;
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

BOOL WINAPI GetWindowRect(HWND hWnd, LPRECT lpRect)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !lpRect)
        return FALSE;
    *lpRect = WindowRectOnScreen(*w);
    return TRUE;
}

BOOL WINAPI GetClientRect(HWND hWnd, LPRECT lpRect)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !lpRect)
        return FALSE;
    SIZE size = ClientSize(*w);
    *lpRect = RECT{0, 0, size.cx, size.cy};
    return TRUE;
}

BOOL WINAPI ClientToScreen(HWND hWnd, LPPOINT lpPoint)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    POINT origin = ClientOriginOnScreen(*w);
    lpPoint->x += origin.x;
    lpPoint->y += origin.y;
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND hWnd, LPPOINT lpPoint)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !lpPoint)
        return FALSE;
    POINT origin = ClientOriginOnScreen(*w);
    lpPoint->x -= origin.x;
    lpPoint->y -= origin.y;
    return TRUE;
}

int WINAPI MapWindowPoints(HWND hWndFrom, HWND hWndTo, LPPOINT lpPoints, UINT cPoints)
{
    POINT from{0, 0}, to{0, 0};
    if (Window* w = FindWindowObject(hWndFrom))
        from = ClientOriginOnScreen(*w);
    if (Window* w = FindWindowObject(hWndTo))
        to = ClientOriginOnScreen(*w);
    LONG dx = from.x - to.x, dy = from.y - to.y;
    for (UINT i = 0; i < cPoints; ++i) {
        lpPoints[i].x += dx;
        lpPoints[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(static_cast<SHORT>(dx)), static_cast<WORD>(static_cast<SHORT>(dy)));
}

HWND WINAPI WindowFromPoint(POINT Point)
{
    for (HWND top : TheDesktop().topLevel) {
        Window* w = FindWindowObject(top);
        if (!w || !(w->style & WS_VISIBLE))
            continue;
        RECT r = WindowRectOnScreen(*w);
        if (PtInRect(&r, Point))
            return DeepestChildAt(top, Point);
    }
    return nullptr;
}

BOOL WINAPI AdjustWindowRectEx(LPRECT lpRect, DWORD dwStyle, BOOL, DWORD dwExStyle)
{
    if (!lpRect)
        return FALSE;
    // Windows leaves scroll bars out of the adjustment.
    RECT insets = NonClientInsets(dwStyle & ~(WS_VSCROLL | WS_HSCROLL), dwExStyle);
    lpRect->left -= insets.left;
    lpRect->top -= insets.top;
    lpRect->right += insets.right;
    lpRect->bottom += insets.bottom;
    return TRUE;
}

BOOL WINAPI SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return FALSE;
    WINDOWPOS pos{hWnd, hWndInsertAfter, X, Y, cx, cy, uFlags};
    if (uFlags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (uFlags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
    pos.cx = std::max(pos.cx, 0);
    pos.cy = std::max(pos.cy, 0);
    if (!(uFlags & SWP_NOSENDCHANGING)) {
        SendMessageW(hWnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
        if (!(w = FindWindowObject(hWnd)))
            return FALSE;
    }
    RECT next{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    UINT changed = pos.flags;
    if (next.left == w->rect.left && next.top == w->rect.top)
        changed |= SWP_NOMOVE;
    if (next.right - next.left == w->rect.right - w->rect.left && next.bottom - next.top == w->rect.bottom - w->rect.top)
        changed |= SWP_NOSIZE;
    w->rect = next;
    bool showChange = false;
    if ((uFlags & SWP_SHOWWINDOW) && !(w->style & WS_VISIBLE)) {
        w->style |= WS_VISIBLE;
        showChange = true;
    }
    if ((uFlags & SWP_HIDEWINDOW) && (w->style & WS_VISIBLE)) {
        w->style &= ~WS_VISIBLE;
        showChange = true;
    }
    if (!(uFlags & SWP_NOZORDER) && !w->parent && (hWndInsertAfter == HWND_TOP || hWndInsertAfter == HWND_TOPMOST)) {
        auto& top = TheDesktop().topLevel;
        top.erase(std::remove(top.begin(), top.end(), hWnd), top.end());
        top.insert(top.begin(), hWnd);
    }
    if (!(uFlags & SWP_NOREDRAW))
        ++w->invalidations;
    if ((changed & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE) || showChange || (uFlags & SWP_FRAMECHANGED)) {
        pos.flags = changed;
        SendMessageW(hWnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    }
    return TRUE;
}

BOOL WINAPI MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint)
{
    return SetWindowPos(hWnd, nullptr, X, Y, nWidth, nHeight,
        SWP_NOZORDER | SWP_NOACTIVATE | (bRepaint ? 0 : SWP_NOREDRAW));
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
    switch (nCmdShow) {
    case SW_HIDE:
        if (!wasVisible)
            return FALSE;
        SendMessageW(hWnd, WM_SHOWWINDOW, FALSE, 0);
        SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
        // Hiding the active window passes the activation to its owner, when that can take it.
        if ((w = FindWindowObject(hWnd)) != nullptr && !w->parent && GetActiveWindow() == hWnd && w->owner &&
            IsWindowVisible(w->owner) && IsWindowEnabled(w->owner))
            SetActiveWindow(w->owner);
        return wasVisible;
    case SW_SHOWMAXIMIZED: {
        if (!wasVisible)
            SendMessageW(hWnd, WM_SHOWWINDOW, TRUE, 0);
        if (!(w = FindWindowObject(hWnd)))
            return wasVisible;
        RECT target;
        if (Window* parent = FindWindowObject(w->parent)) {
            SIZE size = ClientSize(*parent);
            target = RECT{0, 0, size.cx, size.cy};
        } else {
            // A maximised window's sizing frame lies just outside the work area.
            target = winenv::WorkArea();
            RECT insets = NonClientInsets(w->style, w->exStyle);
            int frame = insets.left;
            InflateRect(&target, frame, frame);
        }
        if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE)))
            w->restoreRect = w->rect;
        w->style = (w->style | WS_MAXIMIZE) & ~WS_MINIMIZE;
        SetWindowPos(hWnd, HWND_TOP, target.left, target.top, target.right - target.left, target.bottom - target.top,
            SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        if (!w->parent)
            SetActiveWindow(hWnd);
        return wasVisible;
    }
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
    case SW_FORCEMINIMIZE: {
        if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE)))
            w->restoreRect = w->rect;
        w->style = (w->style | WS_MINIMIZE) & ~WS_MAXIMIZE;
        SendMessageW(hWnd, WM_SIZE, SIZE_MINIMIZED, 0);
        return wasVisible;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
    case SW_SHOWDEFAULT:
        if (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) {
            RECT r = w->restoreRect;
            w->style &= ~(WS_MAXIMIZE | WS_MINIMIZE);
            if (!wasVisible)
                SendMessageW(hWnd, WM_SHOWWINDOW, TRUE, 0);
            SetWindowPos(hWnd, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                SWP_SHOWWINDOW | SWP_FRAMECHANGED);
            if (IsWindow(hWnd) && !GetParent(hWnd))
                SetActiveWindow(hWnd);
            return wasVisible;
        }
        [[fallthrough]];
    default:
        if (!wasVisible) {
            SendMessageW(hWnd, WM_SHOWWINDOW, TRUE, 0);
            UINT flags = SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE;
            if (nCmdShow == SW_SHOWNA || nCmdShow == SW_SHOWNOACTIVATE)
                flags |= SWP_NOZORDER | SWP_NOACTIVATE;
            SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, flags);
            if (IsWindow(hWnd) && !(flags & SWP_NOACTIVATE) && !FindWindowObject(hWnd)->parent)
                SetActiveWindow(hWnd);
        }
        return wasVisible;
    }
}

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT*, BOOL)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return hWnd == nullptr;
    ++w->invalidations;
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) { return IsWindow(hWnd); }

BOOL WINAPI RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HANDLE, UINT flags)
{
    if (flags & RDW_INVALIDATE)
        return InvalidateRect(hWnd, lprcUpdate, (flags & RDW_ERASE) != 0);
    return IsWindow(hWnd);
}

BOOL WINAPI SystemParametersInfoW(UINT uiAction, UINT, PVOID pvParam, UINT)
{
    if (uiAction == SPI_GETWORKAREA && pvParam) {
        *static_cast<RECT*>(pvParam) = winenv::WorkArea();
        return TRUE;
    }
    if (uiAction == SPI_GETWHEELSCROLLLINES && pvParam) {
        *static_cast<UINT*>(pvParam) = 3; // the default of the mouse settings
        return TRUE;
    }
    return FALSE;
}

BOOL WINAPI InflateRect(LPRECT lprc, int dx, int dy)
{
    if (!lprc)
        return FALSE;
    lprc->left -= dx;
    lprc->top -= dy;
    lprc->right += dx;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI OffsetRect(LPRECT lprc, int dx, int dy)
{
    if (!lprc)
        return FALSE;
    lprc->left += dx;
    lprc->right += dx;
    lprc->top += dy;
    lprc->bottom += dy;
    return TRUE;
}

BOOL WINAPI IsRectEmpty(const RECT* lprc) { return !lprc || lprc->right <= lprc->left || lprc->bottom <= lprc->top; }

BOOL WINAPI EqualRect(const RECT* a, const RECT* b)
{
    return a && b && a->left == b->left && a->top == b->top && a->right == b->right && a->bottom == b->bottom;
}

// Right and bottom edges lie outside the rectangle.
BOOL WINAPI PtInRect(const RECT* lprc, POINT pt)
{
    return lprc && pt.x >= lprc->left && pt.x < lprc->right && pt.y >= lprc->top && pt.y < lprc->bottom;
}

} // extern "C"
