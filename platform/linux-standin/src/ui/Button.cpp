// The "Button" class: push buttons, check boxes and radio buttons. A click is a button press and
// release inside the button (or the space bar); it toggles an automatic check box and then tells
// the parent with WM_COMMAND / BN_CLICKED.
#include "WindowSystem.h"

namespace win32ui {

namespace {

struct ButtonState {
    UINT check = BST_UNCHECKED;
    bool pushed = false;
    bool focused = false;
    HFONT font = nullptr;
};

ButtonState* StateOf(HWND hwnd) { return reinterpret_cast<ButtonState*>(GetWindowLongPtrW(hwnd, 0)); }

UINT TypeOf(HWND hwnd) { return static_cast<UINT>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & BS_TYPEMASK; }

bool IsCheckType(UINT type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE ||
        type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

void UncheckGroupSiblings(HWND hwnd)
{
    HWND parent = GetParent(hwnd);
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling; sibling = GetWindow(sibling, GW_HWNDNEXT))
        if (sibling != hwnd && IsClass(sibling, kButtonClass) && TypeOf(sibling) == BS_AUTORADIOBUTTON)
            SendMessageW(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
}

void Click(HWND hwnd)
{
    ButtonState* state = StateOf(hwnd);
    switch (TypeOf(hwnd)) {
    case BS_AUTOCHECKBOX:
        state->check = state->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
    case BS_AUTO3STATE:
        state->check = (state->check + 1) % 3;
        break;
    case BS_AUTORADIOBUTTON:
        state->check = BST_CHECKED;
        UncheckGroupSiblings(hwnd);
        break;
    }
    InvalidateRect(hwnd, nullptr, TRUE);
    HWND parent = GetParent(hwnd);
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
}

} // namespace

LRESULT CALLBACK ButtonProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ButtonState* state = StateOf(hwnd);
    switch (msg) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(new ButtonState));
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        delete state;
        SetWindowLongPtrW(hwnd, 0, 0);
        return 0;
    case WM_GETDLGCODE: {
        UINT type = TypeOf(hwnd);
        if (type == BS_DEFPUSHBUTTON)
            return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
        if (type == BS_PUSHBUTTON)
            return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)
            return DLGC_BUTTON | DLGC_RADIOBUTTON;
        if (type == BS_GROUPBOX)
            return DLGC_STATIC;
        return DLGC_BUTTON;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (TypeOf(hwnd) == BS_GROUPBOX)
            return 0;
        SetFocus(hwnd);
        if ((state = StateOf(hwnd)) != nullptr) {
            state->pushed = true;
            SetCapture(hwnd);
        }
        return 0;
    case WM_LBUTTONUP: {
        if (!state || !state->pushed)
            return 0;
        state->pushed = false;
        if (GetCapture() == hwnd)
            ReleaseCapture();
        RECT client;
        GetClientRect(hwnd, &client);
        POINT p{ClientX(lParam), ClientY(lParam)};
        if (PtInRect(&client, p))
            Click(hwnd);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && state)
            state->pushed = true;
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && state && state->pushed) {
            state->pushed = false;
            Click(hwnd);
        }
        return 0;
    case WM_SETFOCUS:
        if (state)
            state->focused = true;
        return 0;
    case WM_KILLFOCUS:
        if (state) {
            state->focused = false;
            state->pushed = false;
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (state)
            state->pushed = false;
        return 0;
    case BM_GETCHECK:
        return (state && IsCheckType(TypeOf(hwnd))) ? state->check : BST_UNCHECKED;
    case BM_SETCHECK:
        if (state && IsCheckType(TypeOf(hwnd))) {
            UINT type = TypeOf(hwnd);
            state->check = (type == BS_3STATE || type == BS_AUTO3STATE) ? static_cast<UINT>(wParam) % 3
                                                                         : (wParam == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
            InvalidateRect(hwnd, nullptr, TRUE);
        }
        return 0;
    case BM_GETSTATE:
        if (!state)
            return 0;
        return static_cast<LRESULT>(state->check | (state->pushed ? BST_PUSHED : 0) | (state->focused ? BST_FOCUS : 0));
    case BM_CLICK:
        if (IsWindowEnabled(hwnd)) {
            SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageW(hwnd, WM_LBUTTONUP, 0, 0);
        }
        return 0;
    case WM_SETFONT:
        if (state)
            state->font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_GETFONT:
        return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    case WM_SETTEXT:
        InvalidateRect(hwnd, nullptr, TRUE);
        break;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_NCHITTEST:
        return (GetWindowLongPtrW(hwnd, GWL_STYLE) & SS_NOTIFY) ? HTCLIENT : -1; // HTTRANSPARENT
    case STM_GETICON:
        return GetWindowLongPtrW(hwnd, 0);
    case WM_LBUTTONDOWN:
        if (GetWindowLongPtrW(hwnd, GWL_STYLE) & SS_NOTIFY)
            SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), 0 /* STN_CLICKED */),
                reinterpret_cast<LPARAM>(hwnd));
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

} // namespace win32ui
