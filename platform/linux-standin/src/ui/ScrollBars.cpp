// A window's own scroll bars (SB_HORZ, SB_VERT): range, page and position, shown or hidden as
// the range asks, and the thumb laid out along the bar as user32 draws it.
#include <algorithm>

#include "WindowSystem.h"
#include "winbase.h"

namespace win32ui {

namespace {

constexpr int kArrow = 17;   // SM_CYVSCROLL: the square arrow buttons at either end
constexpr int kMinRect = 4;  // below this a bar shows shrunken arrows and no thumb
constexpr int kMinThumb = 8;

ScrollBarState* StateOf(Window* w, int bar)
{
    if (!w)
        return nullptr;
    if (bar == SB_HORZ)
        return &w->hScroll;
    if (bar == SB_VERT)
        return &w->vScroll;
    return nullptr;
}

DWORD StyleBit(int bar) { return bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL; }

// The highest position: the page's last line stays on the last line of the range.
int MaxPosition(const ScrollBarState& s) { return s.max - std::max(static_cast<int>(s.page) - 1, 0); }

bool CanScroll(const ScrollBarState& s) { return s.min < MaxPosition(s); }

void ClampPosition(ScrollBarState& s)
{
    s.pos = std::max(s.min, std::min(s.pos, std::max(s.min, MaxPosition(s))));
}

// Showing or hiding a bar changes the client area, which the window hears of as WM_SIZE.
void SetShown(HWND hwnd, int bar, bool show)
{
    Window* w = FindWindowObject(hwnd);
    if (!w || ((w->style & StyleBit(bar)) != 0) == show)
        return;
    if (show)
        w->style |= StyleBit(bar);
    else
        w->style &= ~StyleBit(bar);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if ((w = FindWindowObject(hwnd)) != nullptr) {
        SIZE client = ClientSize(*w);
        SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
    }
}

} // namespace

RECT ScrollBarRect(const Window& window, int bar)
{
    if (!(window.style & StyleBit(bar)))
        return RECT{};
    RECT insets = NonClientInsets(window.style, window.exStyle);
    SIZE client = ClientSize(window);
    if (bar == SB_VERT)
        return RECT{insets.left + client.cx, insets.top, insets.left + client.cx + kArrow, insets.top + client.cy};
    return RECT{insets.left, insets.top + client.cy, insets.left + client.cx, insets.top + client.cy + kArrow};
}

bool ScrollThumb(const ScrollBarState& s, int length, int& offset, int& size)
{
    offset = size = 0;
    if (length <= 2 * kArrow + kMinRect || s.disabled)
        return false;
    int pixels = length - 2 * kArrow;
    int range = s.max - s.min + 1;
    size = s.page ? std::max(MulDiv(pixels, static_cast<int>(s.page), range), kMinThumb) : kArrow;
    pixels -= size;
    if (pixels < 0) {
        size = 0;
        return false;
    }
    int top = MaxPosition(s);
    offset = kArrow + (s.min >= top ? 0 : MulDiv(pixels, s.pos - s.min, top - s.min));
    return true;
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

int WINAPI SetScrollInfo(HWND hwnd, int nBar, LPCSCROLLINFO lpsi, BOOL)
{
    ScrollBarState* s = StateOf(FindWindowObject(hwnd), nBar);
    if (!s || !lpsi || (lpsi->cbSize != sizeof(SCROLLINFO) && lpsi->cbSize != sizeof(SCROLLINFO) - sizeof(int)))
        return 0;
    bool changed = false;
    if (lpsi->fMask & SIF_PAGE) {
        changed |= s->page != lpsi->nPage;
        s->page = lpsi->nPage;
    }
    if (lpsi->fMask & SIF_RANGE) {
        // A reversed range is taken as empty.
        int min = lpsi->nMin > lpsi->nMax ? 0 : lpsi->nMin;
        int max = lpsi->nMin > lpsi->nMax ? 0 : lpsi->nMax;
        changed |= s->min != min || s->max != max;
        s->min = min;
        s->max = max;
    }
    UINT range = static_cast<UINT>(s->max - s->min) + 1;
    if (s->page > range)
        s->page = range;
    if (lpsi->fMask & SIF_POS)
        s->pos = lpsi->nPos;
    ClampPosition(*s);
    int pos = s->pos;
    if (lpsi->fMask & (SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL)) {
        if (!CanScroll(*s)) {
            if (lpsi->fMask & SIF_DISABLENOSCROLL)
                s->disabled = true;
            else if (changed)
                SetShown(hwnd, nBar, false);
        } else {
            if (lpsi->fMask != SIF_PAGE)
                s->disabled = false;
            SetShown(hwnd, nBar, true);
        }
    }
    return pos;
}

BOOL WINAPI GetScrollInfo(HWND hwnd, int nBar, LPSCROLLINFO lpsi)
{
    ScrollBarState* s = StateOf(FindWindowObject(hwnd), nBar);
    if (!s || !lpsi || !(lpsi->fMask & (SIF_ALL)))
        return FALSE;
    if (lpsi->fMask & SIF_PAGE)
        lpsi->nPage = s->page;
    if (lpsi->fMask & SIF_POS)
        lpsi->nPos = s->pos;
    if (lpsi->fMask & SIF_RANGE) {
        lpsi->nMin = s->min;
        lpsi->nMax = s->max;
    }
    if (lpsi->fMask & SIF_TRACKPOS)
        lpsi->nTrackPos = s->pos; // no thumb is ever dragged here
    return TRUE;
}

int WINAPI SetScrollPos(HWND hWnd, int nBar, int nPos, BOOL bRedraw)
{
    ScrollBarState* s = StateOf(FindWindowObject(hWnd), nBar);
    if (!s)
        return 0;
    int previous = s->pos;
    SCROLLINFO si{sizeof(si), SIF_POS, 0, 0, 0, nPos, 0};
    SetScrollInfo(hWnd, nBar, &si, bRedraw);
    return previous;
}

int WINAPI GetScrollPos(HWND hWnd, int nBar)
{
    ScrollBarState* s = StateOf(FindWindowObject(hWnd), nBar);
    return s ? s->pos : 0;
}

BOOL WINAPI ShowScrollBar(HWND hWnd, int wBar, BOOL bShow)
{
    if (!FindWindowObject(hWnd) || wBar < SB_HORZ || wBar > SB_BOTH || wBar == SB_CTL)
        return FALSE;
    if (wBar == SB_HORZ || wBar == SB_BOTH)
        SetShown(hWnd, SB_HORZ, bShow != FALSE);
    if (wBar == SB_VERT || wBar == SB_BOTH)
        SetShown(hWnd, SB_VERT, bShow != FALSE);
    return TRUE;
}

} // extern "C"
