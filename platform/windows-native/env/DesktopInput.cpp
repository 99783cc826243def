// Input a person gives, on the system's own windows: the cursor goes where the person points (a
// dialog's handler may ask GetCursorPos where the click was), the press and release are posted to
// the window under it, keys to the window with the focus, and they run through the thread's queue
// and the dialog's keyboard interface before the function returns. A button is clicked with
// BM_CLICK, user32's own press and release of it.
#include <windows.h>

#include <commctrl.h>

#include <winenv/Desktop.h>

namespace winenv {
namespace {

bool IsClass(HWND window, const wchar_t* name)
{
    wchar_t actual[64] = L"";
    GetClassNameW(window, actual, 64);
    return lstrcmpiW(actual, name) == 0;
}

// The window that takes the mouse at a point: null when none, or when it or its top-level window
// is disabled (a modal loop disables its owner).
HWND MouseTarget(POINT screen)
{
    const HWND window = WindowFromPoint(screen);
    if (!window || !IsWindowEnabled(window) || !IsWindowEnabled(GetAncestor(window, GA_ROOT)))
        return nullptr;
    return window;
}

LPARAM ClientPoint(HWND window, POINT screen)
{
    ScreenToClient(window, &screen);
    return MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
}

// One press and release of the left button; the press of a double click's second click is
// WM_LBUTTONDBLCLK for a class that asks for double clicks. Both are queued before either runs,
// as the hardware queues them: a control that tracks the mouse after the press (the tree view)
// finds the release in the queue.
bool PressAndRelease(POINT screen, bool second)
{
    SetCursorPos(screen.x, screen.y);
    const HWND window = MouseTarget(screen);
    if (!window)
        return false;
    const HWND root = GetAncestor(window, GA_ROOT);
    if (GetActiveWindow() != root)
        SetActiveWindow(root);
    const bool doubleClick = second && (GetClassLongPtrW(window, GCL_STYLE) & CS_DBLCLKS);
    PostMessageW(window, doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(window, screen));
    PostMessageW(window, WM_LBUTTONUP, 0, ClientPoint(window, screen));
    RunPostedMessages();
    return true;
}

POINT OnScreen(HWND window, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(window, &p);
    return p;
}

// The item's label in the tree's client area, scrolled into sight; false when the item is no row.
bool LabelInSight(HWND tree, HTREEITEM item, RECT& label)
{
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    *reinterpret_cast<HTREEITEM*>(&label) = item;
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&label)))
        return false;
    RECT client;
    GetClientRect(tree, &client);
    return label.top >= 0 && label.bottom <= client.bottom;
}

bool HitsStateIcon(HWND tree, HTREEITEM item, int x, int y)
{
    TVHITTESTINFO hit = {};
    hit.pt = {x, y};
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit))) == item &&
        (hit.flags & TVHT_ONITEMSTATEICON);
}

} // namespace

bool ClickAt(POINT screen) { return PressAndRelease(screen, false); }

bool DoubleClickAt(POINT screen)
{
    if (!PressAndRelease(screen, false))
        return false;
    PressAndRelease(screen, true);
    return true;
}

bool ClickWindow(HWND window)
{
    RECT client;
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || !GetClientRect(window, &client))
        return false;
    if (IsClass(window, WC_BUTTONW)) {
        SendMessageW(window, BM_CLICK, 0, 0);
        RunPostedMessages();
        return true;
    }
    return ClickAt(OnScreen(window, (client.left + client.right) / 2, (client.top + client.bottom) / 2));
}

bool ClickControl(HWND dialog, int controlId)
{
    const HWND control = GetDlgItem(dialog, controlId);
    return control && ClickWindow(control);
}

// The check box is the state icon left of the label (and of the item's image): found where the
// tree's own hit test says it is, as the dialog's click handler finds it.
bool ClickTreeItemCheckBox(HWND tree, HTREEITEM item)
{
    RECT label;
    if (!LabelInSight(tree, item, label))
        return false;
    const int y = (label.top + label.bottom) / 2;
    int right = label.left - 1;
    while (right >= 0 && !HitsStateIcon(tree, item, right, y))
        --right;
    if (right < 0)
        return false;
    int left = right;
    while (left > 0 && HitsStateIcon(tree, item, left - 1, y))
        --left;
    return ClickAt(OnScreen(tree, (left + right) / 2, y));
}

bool ClickTreeItemLabel(HWND tree, HTREEITEM item)
{
    RECT label;
    return LabelInSight(tree, item, label) &&
        ClickAt(OnScreen(tree, (label.left + label.right) / 2, (label.top + label.bottom) / 2));
}

bool DoubleClickTreeItemLabel(HWND tree, HTREEITEM item)
{
    RECT label;
    return LabelInSight(tree, item, label) &&
        DoubleClickAt(OnScreen(tree, (label.left + label.right) / 2, (label.top + label.bottom) / 2));
}

bool PressKey(UINT virtualKey)
{
    HWND target = GetFocus();
    if (!target)
        target = GetActiveWindow();
    if (!target || !IsWindowEnabled(GetAncestor(target, GA_ROOT)))
        return false;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(target, WM_KEYDOWN, virtualKey, scan | 1);
    RunPostedMessages();
    const HWND up = GetFocus() ? GetFocus() : target;
    if (IsWindow(up)) {
        PostMessageW(up, WM_KEYUP, virtualKey, scan | static_cast<LPARAM>(0xC0000001u));
        RunPostedMessages();
    }
    return true;
}

// Runs the thread's queue as a dialog's modal loop does: keys through the dialog's keyboard
// interface, characters made from key presses.
void RunPostedMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // for the loop that owns it
            return;
        }
        const HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        if (root && IsClass(root, L"#32770") && IsDialogMessageW(root, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

} // namespace winenv
