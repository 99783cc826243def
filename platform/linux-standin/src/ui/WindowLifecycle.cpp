// Creating and destroying windows, with the messages Windows sends on the way: WM_NCCREATE,
// WM_CREATE, WM_SIZE and WM_MOVE on creation; WM_DESTROY (parent first) and WM_NCDESTROY
// (children first) on destruction.
#include <algorithm>

#include "WindowSystem.h"

namespace win32ui {

void FreeDestroyedWindows()
{
    auto& desktop = TheDesktop();
    if (desktop.sendDepth == 0)
        desktop.destroyed.clear();
}

static void Unlink(Window& w)
{
    auto& desktop = TheDesktop();
    auto erase = [&](std::vector<HWND>& list) { list.erase(std::remove(list.begin(), list.end(), w.handle), list.end()); };
    if (Window* p = FindWindowObject(w.parent))
        erase(p->children);
    erase(desktop.topLevel);
    erase(desktop.modalDialogs);
    auto& q = desktop.posted;
    q.erase(std::remove_if(q.begin(), q.end(), [&](const MSG& m) { return m.hwnd == w.handle; }), q.end());
    if (desktop.focus == w.handle)
        desktop.focus = nullptr;
    if (desktop.active == w.handle)
        desktop.active = nullptr;
    if (desktop.capture == w.handle)
        desktop.capture = nullptr;
}

static void SendDestroy(HWND hwnd)
{
    SendMessageW(hwnd, WM_DESTROY, 0, 0);
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return;
    std::vector<HWND> children = w->children;
    for (HWND child : children)
        if (FindWindowObject(child))
            SendDestroy(child);
}

static void SendNcDestroyAndFree(HWND hwnd)
{
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return;
    std::vector<HWND> children = w->children;
    for (HWND child : children)
        SendNcDestroyAndFree(child);
    SendMessageW(hwnd, WM_NCDESTROY, 0, 0);
    w = FindWindowObject(hwnd);
    if (!w)
        return;
    Unlink(*w);
    auto& desktop = TheDesktop();
    auto it = desktop.windows.find(reinterpret_cast<UINT_PTR>(hwnd));
    desktop.destroyed.push_back(std::move(it->second));
    desktop.windows.erase(it);
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X, int Y,
    int nWidth, int nHeight, HWND hWndParent, HMENU hMenu, HINSTANCE hInstance, LPVOID lpParam)
{
    WindowClass* cls = FindClass(lpClassName);
    if (!cls)
        return nullptr; // ERROR_CANNOT_FIND_WND_CLASS
    auto& desktop = TheDesktop();
    bool child = (dwStyle & WS_CHILD) != 0;
    if (child && !FindWindowObject(hWndParent))
        return nullptr; // a child needs a parent
    if (!child && hWndParent && hWndParent != GetDesktopWindow() && !FindWindowObject(hWndParent))
        return nullptr;

    if (!child) {
        if (X == CW_USEDEFAULT) {
            X = 100;
            Y = 100;
        }
        if (nWidth == CW_USEDEFAULT) {
            nWidth = 800;
            nHeight = 600;
        }
    } else {
        if (X == CW_USEDEFAULT)
            X = Y = 0;
        if (nWidth == CW_USEDEFAULT)
            nWidth = nHeight = 0;
    }

    auto window = std::make_unique<Window>();
    HWND hwnd = reinterpret_cast<HWND>(desktop.nextHandle);
    desktop.nextHandle += 4;
    window->handle = hwnd;
    window->windowClass = cls;
    window->proc = cls->proc;
    window->style = dwStyle & ~WS_VISIBLE; // shown after WM_CREATE, as Windows does
    window->exStyle = dwExStyle;
    window->rect = RECT{X, Y, X + nWidth, Y + nHeight};
    window->instance = hInstance;
    window->extra.assign(static_cast<size_t>(std::max(0, cls->wndExtra)), 0);
    if (child) {
        window->parent = hWndParent;
        window->id = reinterpret_cast<LONG_PTR>(hMenu);
    } else if (hWndParent && hWndParent != GetDesktopWindow()) {
        window->owner = GetAncestor(hWndParent, GA_ROOT);
    }
    desktop.windows[reinterpret_cast<UINT_PTR>(hwnd)] = std::move(window);
    if (child)
        FindWindowObject(hWndParent)->children.push_back(hwnd);
    else
        desktop.topLevel.insert(desktop.topLevel.begin(), hwnd);

    CREATESTRUCTW cs{lpParam, hInstance, hMenu, hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
        lpWindowName, lpClassName, dwExStyle};
    if (!SendMessageW(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        SendNcDestroyAndFree(hwnd);
        FreeDestroyedWindows();
        return nullptr;
    }
    if (SendMessageW(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return nullptr;
    SIZE client = ClientSize(*w);
    SendMessageW(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
    if ((w = FindWindowObject(hwnd)) != nullptr) {
        RECT insets = NonClientInsets(w->style, w->exStyle);
        SendMessageW(hwnd, WM_MOVE, 0, MAKELPARAM(w->rect.left + insets.left, w->rect.top + insets.top));
    }
    if (!IsWindow(hwnd))
        return nullptr;
    if (dwStyle & WS_MAXIMIZE)
        ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    else if (dwStyle & WS_VISIBLE)
        ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || w->destroying)
        return FALSE;
    w->destroying = true;
    auto& desktop = TheDesktop();
    // Owned windows go first.
    if (!w->parent) {
        std::vector<HWND> owned;
        for (auto& entry : desktop.windows)
            if (entry.second->owner == hWnd)
                owned.push_back(entry.second->handle);
        for (HWND o : owned)
            DestroyWindow(o);
    }
    if (IsWindowVisible(hWnd))
        ShowWindow(hWnd, SW_HIDE);
    if (desktop.focus && (desktop.focus == hWnd || IsChild(hWnd, desktop.focus)))
        SetFocus(nullptr);
    if (DialogState* dialog = DialogStateOf(hWnd))
        dialog->ended = true;
    SendDestroy(hWnd);
    SendNcDestroyAndFree(hWnd);
    FreeDestroyedWindows();
    return TRUE;
}

} // extern "C"
