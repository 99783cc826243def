// Input a person gives, synthesised as Windows delivers it: mouse messages to the window under
// the cursor (or the one that captured the mouse), keys through the dialog's keyboard interface
// to the window with the focus.
#include <cstring>

#include "TreeView.h"
#include "WindowSystem.h"
#include "winenv/Desktop.h"

using namespace win32ui;

namespace winenv {

namespace {

struct ButtonHeld {
    explicit ButtonHeld(int key) : m_key(key) { TheDesktop().keyDown[static_cast<size_t>(key)] = static_cast<SHORT>(0x8000); }
    ~ButtonHeld() { TheDesktop().keyDown[static_cast<size_t>(m_key)] = 0; }
    int m_key;
};

// The window that takes the mouse at a point: null when none, or when it or its top-level window
// is disabled (a modal loop disables its owner).
HWND MouseTarget(POINT screen)
{
    HWND hwnd = WindowFromPoint(screen);
    if (!hwnd || !IsWindowEnabled(hwnd) || !IsWindowEnabled(GetAncestor(hwnd, GA_ROOT)))
        return nullptr;
    return hwnd;
}

void SendMouse(HWND hwnd, UINT msg, WPARAM keys, POINT screen)
{
    POINT client = screen;
    ScreenToClient(hwnd, &client);
    SendMessageW(hwnd, msg, keys, MAKELPARAM(static_cast<WORD>(client.x), static_cast<WORD>(client.y)));
}

void ButtonUp(POINT screen)
{
    HWND target = GetCapture();
    if (!target)
        target = WindowFromPoint(screen);
    if (target)
        SendMouse(target, WM_LBUTTONUP, 0, screen);
}

bool Down(POINT screen, UINT msg)
{
    HWND hwnd = MouseTarget(screen);
    if (!hwnd)
        return false;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (GetActiveWindow() != root)
        SetActiveWindow(root);
    if (IsWindow(hwnd))
        SendMouse(hwnd, msg, MK_LBUTTON, screen);
    return true;
}

POINT CentreOnScreen(HWND hwnd, const RECT& client)
{
    POINT p{(client.left + client.right) / 2, (client.top + client.bottom) / 2};
    ClientToScreen(hwnd, &p);
    return p;
}

// Where the item's row is: above the view (-1), below it (1) or whole in sight (0, with the row);
// false when the item is no row (a collapsed branch hides it).
bool TreeRowOf(HWND tree, HTREEITEM item, TreeRow& row, int& side)
{
    RECT rect;
    std::memcpy(&rect, &item, sizeof(item));
    if (!SendMessageW(tree, TVM_GETITEMRECT, FALSE, reinterpret_cast<LPARAM>(&rect)))
        return false;
    RECT client;
    GetClientRect(tree, &client);
    side = rect.top < 0 ? -1 : rect.bottom > client.bottom ? 1 : 0;
    if (side != 0)
        return true;
    TreePicture picture;
    if (!DescribeTree(tree, picture))
        return false;
    for (const auto& r : picture.rows)
        if (r.item == item) {
            row = r;
            return true;
        }
    return false;
}

// Rolls the mouse wheel over the tree, a notch at a time, until the item's row is in sight.
bool TreeRowInSight(HWND tree, HTREEITEM item, TreeRow& row)
{
    int side = 0;
    for (int notches = 0; notches < 100000; ++notches) {
        if (!TreeRowOf(tree, item, row, side))
            return false;
        if (side == 0)
            return true;
        RECT client;
        GetClientRect(tree, &client);
        POINT centre = CentreOnScreen(tree, client);
        SetCursorPos(centre.x, centre.y);
        if (MouseTarget(centre) != tree)
            return false;
        int top = GetScrollPos(tree, SB_VERT);
        SendMessageW(tree, WM_MOUSEWHEEL, MAKEWPARAM(0, side < 0 ? WHEEL_DELTA : -WHEEL_DELTA),
            MAKELPARAM(static_cast<WORD>(centre.x), static_cast<WORD>(centre.y)));
        RunPostedMessages();
        if (GetScrollPos(tree, SB_VERT) == top)
            return false; // the wheel moves it no further
    }
    return false;
}

} // namespace

bool ClickAt(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    bool done;
    {
        ButtonHeld held(VK_LBUTTON);
        done = Down(screen, WM_LBUTTONDOWN);
    }
    if (done)
        ButtonUp(screen);
    RunPostedMessages();
    return done;
}

bool DoubleClickAt(POINT screen)
{
    SetCursorPos(screen.x, screen.y);
    HWND hwnd = MouseTarget(screen);
    if (!hwnd)
        return false;
    bool doubleClicks = (FindWindowObject(hwnd)->windowClass->style & CS_DBLCLKS) != 0;
    {
        ButtonHeld held(VK_LBUTTON);
        Down(screen, WM_LBUTTONDOWN);
    }
    ButtonUp(screen);
    RunPostedMessages();
    {
        ButtonHeld held(VK_LBUTTON);
        if (!Down(screen, doubleClicks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN))
            return true;
    }
    ButtonUp(screen);
    RunPostedMessages();
    return true;
}

bool ClickWindow(HWND window)
{
    RECT client;
    if (!GetClientRect(window, &client) || !IsWindowVisible(window))
        return false;
    return ClickAt(CentreOnScreen(window, client));
}

bool ClickControl(HWND dialog, int controlId)
{
    HWND control = GetDlgItem(dialog, controlId);
    return control && ClickWindow(control);
}

bool ClickTreeItemCheckBox(HWND tree, HTREEITEM item)
{
    TreeRow row;
    if (!TreeRowInSight(tree, item, row) || IsRectEmpty(&row.stateIcon))
        return false;
    return ClickAt(CentreOnScreen(tree, row.stateIcon));
}

bool ClickTreeItemLabel(HWND tree, HTREEITEM item)
{
    TreeRow row;
    if (!TreeRowInSight(tree, item, row))
        return false;
    return ClickAt(CentreOnScreen(tree, row.label));
}

bool DoubleClickTreeItemLabel(HWND tree, HTREEITEM item)
{
    TreeRow row;
    if (!TreeRowInSight(tree, item, row))
        return false;
    return DoubleClickAt(CentreOnScreen(tree, row.label));
}

bool PressKey(UINT virtualKey)
{
    HWND target = GetFocus();
    if (!target)
        target = ActiveModalDialog() ? ActiveModalDialog() : GetActiveWindow();
    if (!target || !IsWindowEnabled(GetAncestor(target, GA_ROOT)))
        return false;
    {
        ButtonHeld held(static_cast<int>(virtualKey & 0xFF));
        PostMessageW(target, WM_KEYDOWN, virtualKey, 1);
        RunPostedMessages();
    }
    HWND up = GetFocus() ? GetFocus() : target;
    if (IsWindow(up)) {
        PostMessageW(up, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
        RunPostedMessages();
    }
    return true;
}

} // namespace winenv
