// Window classes, handles and the attributes of a window: long values, text, properties and the
// family relations (parent, owner, children).
#include <algorithm>
#include <cstring>

#include "WindowSystem.h"
#include "commctrl.h"

namespace win32ui {

Desktop& TheDesktop()
{
    static Desktop desktop;
    return desktop;
}

std::wstring UpperCase(const std::wstring& text)
{
    std::wstring result(text);
    if (!result.empty())
        CharUpperBuffW(&result[0], static_cast<DWORD>(result.size()));
    return result;
}

Window* FindWindowObject(HWND hwnd)
{
    auto& desktop = TheDesktop();
    auto it = desktop.windows.find(reinterpret_cast<UINT_PTR>(hwnd));
    return it == desktop.windows.end() ? nullptr : it->second.get();
}

WindowClass* FindClass(LPCWSTR nameOrAtom)
{
    if (!nameOrAtom)
        return nullptr;
    RegisterSystemClasses();
    auto& desktop = TheDesktop();
    if (IS_INTRESOURCE(nameOrAtom)) {
        ATOM atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(nameOrAtom));
        for (auto& entry : desktop.classes)
            if (entry.second->atom == atom)
                return entry.second.get();
        return nullptr;
    }
    auto it = desktop.classes.find(UpperCase(nameOrAtom));
    return it == desktop.classes.end() ? nullptr : it->second.get();
}

static ATOM AddClass(const WNDCLASSEXW& wc, bool system, ATOM atom)
{
    if (!wc.lpszClassName || !wc.lpfnWndProc || IS_INTRESOURCE(wc.lpszClassName))
        return 0;
    auto& desktop = TheDesktop();
    std::wstring key = UpperCase(wc.lpszClassName);
    if (desktop.classes.count(key))
        return 0; // ERROR_CLASS_ALREADY_EXISTS
    auto cls = std::make_unique<WindowClass>();
    cls->name = wc.lpszClassName;
    cls->atom = atom ? atom : desktop.nextAtom++;
    cls->style = wc.style;
    cls->proc = wc.lpfnWndProc;
    cls->clsExtra = wc.cbClsExtra;
    cls->wndExtra = wc.cbWndExtra;
    cls->instance = wc.hInstance;
    cls->icon = wc.hIcon;
    cls->iconSmall = wc.hIconSm;
    cls->cursor = wc.hCursor;
    cls->background = wc.hbrBackground;
    cls->system = system;
    ATOM result = cls->atom;
    desktop.classes[key] = std::move(cls);
    return result;
}

void RegisterSystemClasses()
{
    static bool registered = false;
    if (registered)
        return;
    registered = true;
    struct SystemClass {
        const wchar_t* name;
        WNDPROC proc;
        UINT style;
        int extra;
        ATOM atom;
    };
    // The dialog class has its documented atom (WC_DIALOG); the controls keep their state behind
    // one pointer in the window's extra bytes.
    const SystemClass classes[] = {
        {kDialogClass, DefDlgProcW, CS_DBLCLKS | CS_SAVEBITS, DLGWINDOWEXTRA, 0x8002},
        {kButtonClass, ButtonProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*), 0},
        {kStaticClass, StaticProc, CS_DBLCLKS | CS_PARENTDC, sizeof(void*), 0},
        {kAxHostClass, AxHostProc, 0, sizeof(void*), 0},
    };
    for (const auto& c : classes) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = c.style | CS_GLOBALCLASS;
        wc.lpfnWndProc = c.proc;
        wc.cbWndExtra = c.extra;
        wc.lpszClassName = c.name;
        AddClass(wc, true, c.atom);
    }
}

// The common controls exist only once the program asks for them, as comctl32 registers them.
void RegisterCommonControlClasses(DWORD classes)
{
    RegisterSystemClasses();
    if (!(classes & ICC_TREEVIEW_CLASSES) || TheDesktop().classes.count(UpperCase(kTreeViewClass)))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wc.lpfnWndProc = TreeViewProc;
    wc.cbWndExtra = sizeof(void*);
    wc.lpszClassName = kTreeViewClass;
    AddClass(wc, true, 0);
}

bool IsClass(HWND hwnd, const wchar_t* className)
{
    Window* w = FindWindowObject(hwnd);
    return w && UpperCase(w->windowClass->name) == UpperCase(className);
}

std::wstring WindowText(HWND hwnd)
{
    Window* w = FindWindowObject(hwnd);
    return w ? w->text : std::wstring();
}

std::wstring ClassName(HWND hwnd)
{
    Window* w = FindWindowObject(hwnd);
    return w ? w->windowClass->name : std::wstring();
}

HWND DialogOf(HWND hwnd)
{
    for (Window* w = FindWindowObject(hwnd); w; w = FindWindowObject(w->parent))
        if (w->dialog)
            return w->handle;
    return nullptr;
}

DialogState* DialogStateOf(HWND dialog)
{
    Window* w = FindWindowObject(dialog);
    return w ? w->dialog.get() : nullptr;
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* lpwcx)
{
    if (!lpwcx || lpwcx->cbSize != sizeof(WNDCLASSEXW))
        return 0;
    RegisterSystemClasses();
    return AddClass(*lpwcx, false, 0);
}

int WINAPI GetClassNameW(HWND hWnd, LPWSTR lpClassName, int nMaxCount)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !lpClassName || nMaxCount <= 0)
        return 0;
    int n = std::min<int>(static_cast<int>(w->windowClass->name.size()), nMaxCount - 1);
    std::wmemcpy(lpClassName, w->windowClass->name.c_str(), n);
    lpClassName[n] = L'\0';
    return n;
}

BOOL WINAPI IsWindow(HWND hWnd) { return FindWindowObject(hWnd) != nullptr; }

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return FALSE;
    for (; w; w = FindWindowObject(w->parent))
        if (!(w->style & WS_VISIBLE))
            return FALSE;
    return TRUE;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    Window* w = FindWindowObject(hWnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL WINAPI IsChild(HWND hWndParent, HWND hWnd)
{
    Window* w = FindWindowObject(hWnd);
    while (w && w->parent) {
        if (w->parent == hWndParent)
            return TRUE;
        w = FindWindowObject(w->parent);
    }
    return FALSE;
}

BOOL WINAPI IsZoomed(HWND hWnd)
{
    Window* w = FindWindowObject(hWnd);
    return w && (w->style & WS_MAXIMIZE);
}

// As on Windows: the parent of a child window, the owner of a top-level one.
HWND WINAPI GetParent(HWND hWnd)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return nullptr;
    if (w->style & WS_CHILD)
        return w->parent;
    return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND WINAPI GetAncestor(HWND hwnd, UINT gaFlags)
{
    Window* w = FindWindowObject(hwnd);
    if (!w)
        return nullptr;
    switch (gaFlags) {
    case GA_PARENT:
        return w->parent ? w->parent : GetDesktopWindow();
    case GA_ROOT:
        while (w->parent)
            w = FindWindowObject(w->parent);
        return w->handle;
    case GA_ROOTOWNER:
        while (w->parent || w->owner)
            w = FindWindowObject(w->parent ? w->parent : w->owner);
        return w->handle;
    }
    return nullptr;
}

HWND WINAPI GetWindow(HWND hWnd, UINT uCmd)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return nullptr;
    auto& desktop = TheDesktop();
    if (uCmd == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (uCmd == GW_OWNER)
        return w->owner;
    if (uCmd == GW_ENABLEDPOPUP)
        return nullptr;
    const std::vector<HWND>* siblings = &desktop.topLevel;
    if (Window* p = FindWindowObject(w->parent))
        siblings = &p->children;
    auto it = std::find(siblings->begin(), siblings->end(), hWnd);
    if (it == siblings->end())
        return nullptr;
    switch (uCmd) {
    case GW_HWNDFIRST:
        return siblings->front();
    case GW_HWNDLAST:
        return siblings->back();
    case GW_HWNDNEXT:
        return (it + 1) == siblings->end() ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return it == siblings->begin() ? nullptr : *(it - 1);
    }
    return nullptr;
}

HWND WINAPI GetDesktopWindow()
{
    // A fixed handle that no window gets: the desktop is not a window of this process.
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(0x10010 - 2));
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return 0;
    switch (nIndex) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    case GWLP_ID:
        return w->id;
    case GWLP_USERDATA:
        return w->userData;
    case GWL_STYLE:
        return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(w->exStyle);
    }
    if (nIndex < 0 || static_cast<size_t>(nIndex) + sizeof(LONG_PTR) > w->extra.size())
        return 0;
    LONG_PTR value;
    std::memcpy(&value, w->extra.data() + nIndex, sizeof(value));
    return value;
}

static void ChangeStyle(HWND hWnd, int nIndex, DWORD newStyle)
{
    Window* w = FindWindowObject(hWnd);
    DWORD& field = nIndex == GWL_STYLE ? w->style : w->exStyle;
    STYLESTRUCT ss{field, newStyle};
    SendMessageW(hWnd, WM_STYLECHANGING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&ss));
    w = FindWindowObject(hWnd);
    if (!w)
        return;
    DWORD& target = nIndex == GWL_STYLE ? w->style : w->exStyle;
    target = ss.styleNew;
    SendMessageW(hWnd, WM_STYLECHANGED, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&ss));
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    Window* w = FindWindowObject(hWnd);
    if (!w)
        return 0;
    LONG_PTR old = GetWindowLongPtrW(hWnd, nIndex);
    switch (nIndex) {
    case GWLP_WNDPROC:
        w->proc = reinterpret_cast<WNDPROC>(dwNewLong);
        return old;
    case GWLP_HINSTANCE:
        w->instance = reinterpret_cast<HINSTANCE>(dwNewLong);
        return old;
    case GWLP_HWNDPARENT:
        if (!w->parent)
            w->owner = reinterpret_cast<HWND>(dwNewLong);
        return old;
    case GWLP_ID:
        w->id = dwNewLong;
        return old;
    case GWLP_USERDATA:
        w->userData = dwNewLong;
        return old;
    case GWL_STYLE:
    case GWL_EXSTYLE:
        ChangeStyle(hWnd, nIndex, static_cast<DWORD>(dwNewLong));
        return old;
    }
    if (nIndex < 0 || static_cast<size_t>(nIndex) + sizeof(LONG_PTR) > w->extra.size())
        return 0;
    std::memcpy(w->extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
    return old;
}

LONG WINAPI GetWindowLongW(HWND hWnd, int nIndex)
{
    Window* w = FindWindowObject(hWnd);
    if (w && nIndex >= 0) {
        if (static_cast<size_t>(nIndex) + sizeof(LONG) > w->extra.size())
            return 0;
        LONG value;
        std::memcpy(&value, w->extra.data() + nIndex, sizeof(value));
        return value;
    }
    return static_cast<LONG>(GetWindowLongPtrW(hWnd, nIndex));
}

LONG WINAPI SetWindowLongW(HWND hWnd, int nIndex, LONG dwNewLong)
{
    Window* w = FindWindowObject(hWnd);
    if (w && nIndex >= 0) {
        if (static_cast<size_t>(nIndex) + sizeof(LONG) > w->extra.size())
            return 0;
        LONG old;
        std::memcpy(&old, w->extra.data() + nIndex, sizeof(old));
        std::memcpy(w->extra.data() + nIndex, &dwNewLong, sizeof(dwNewLong));
        return old;
    }
    return static_cast<LONG>(SetWindowLongPtrW(hWnd, nIndex, dwNewLong));
}

int WINAPI GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount)
{
    if (!lpString || nMaxCount <= 0)
        return 0;
    lpString[0] = L'\0';
    return static_cast<int>(SendMessageW(hWnd, WM_GETTEXT, static_cast<WPARAM>(nMaxCount), reinterpret_cast<LPARAM>(lpString)));
}

int WINAPI GetWindowTextLengthW(HWND hWnd) { return static_cast<int>(SendMessageW(hWnd, WM_GETTEXTLENGTH, 0, 0)); }

BOOL WINAPI SetWindowTextW(HWND hWnd, LPCWSTR lpString)
{
    if (!IsWindow(hWnd))
        return FALSE;
    return static_cast<BOOL>(SendMessageW(hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lpString)));
}

BOOL WINAPI SetPropW(HWND hWnd, LPCWSTR lpString, HANDLE hData)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !lpString || IS_INTRESOURCE(lpString))
        return FALSE;
    w->props[UpperCase(lpString)] = hData;
    return TRUE;
}

HANDLE WINAPI GetPropW(HWND hWnd, LPCWSTR lpString)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !lpString || IS_INTRESOURCE(lpString))
        return nullptr;
    auto it = w->props.find(UpperCase(lpString));
    return it == w->props.end() ? nullptr : it->second;
}

HANDLE WINAPI RemovePropW(HWND hWnd, LPCWSTR lpString)
{
    Window* w = FindWindowObject(hWnd);
    if (!w || !lpString || IS_INTRESOURCE(lpString))
        return nullptr;
    auto it = w->props.find(UpperCase(lpString));
    if (it == w->props.end())
        return nullptr;
    HANDLE value = it->second;
    w->props.erase(it);
    return value;
}

} // extern "C"
