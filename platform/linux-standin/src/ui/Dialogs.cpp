// The dialog manager: dialogs made from templates, the default dialog procedure, dialog units and
// the dialog item functions.
//
// Dialog units follow the dialog's font. "MS Shell Dlg" 8 (and the fonts it stands for) has, on
// Windows at 96 DPI, an average character width of 6 and a height of 13 pixels, so x pixels =
// x * 6 / 4 and y pixels = y * 13 / 8. Other sizes scale from there; a template without a font
// uses the system font's 8 x 16.
#include <algorithm>
#include <cstring>
#include <cwctype>

#include "WindowSystem.h"
#include "winenv/DialogTemplate.h"
#include "winenv/Desktop.h"

namespace win32ui {

using winenv::DialogTemplate;

static SIZE BaseUnits(const DialogTemplate& t)
{
    if (!t.hasFont || t.pointSize == 0)
        return SIZE{8, 16};
    if (t.pointSize == 8)
        return SIZE{6, 13};
    return SIZE{std::max<LONG>(1, (6 * t.pointSize + 4) / 8), std::max<LONG>(1, (13 * t.pointSize + 4) / 8)};
}

static LONG DluToPixels(LONG value, LONG base, LONG divisor)
{
    // MulDiv rounds half away from zero.
    long long n = static_cast<long long>(value) * base;
    return static_cast<LONG>(n >= 0 ? (n + divisor / 2) / divisor : -((-n + divisor / 2) / divisor));
}

HWND FirstTabStop(HWND dialog)
{
    Window* w = FindWindowObject(dialog);
    if (!w)
        return nullptr;
    for (HWND child : w->children) {
        Window* c = FindWindowObject(child);
        if (c && (c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED))
            return child;
    }
    return nullptr;
}

static HWND FirstEnabledControl(HWND dialog)
{
    Window* w = FindWindowObject(dialog);
    if (!w)
        return nullptr;
    for (HWND child : w->children) {
        Window* c = FindWindowObject(child);
        if (c && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED))
            return child;
    }
    return nullptr;
}

// DialogBoxIndirectParamW does not know the template's length; the parser stops at its end.
static constexpr size_t kUnknownTemplateSize = 0x10000;

static bool IsAxClassName(const std::wstring& name) { return !name.empty() && name.front() == L'{'; }

// Creates the dialog window and its controls and sends WM_INITDIALOG; shows the dialog when its
// template asks to be visible. Null when the template or a control cannot be made.
HWND CreateDialogFromTemplate(HINSTANCE instance, const void* data, size_t size, HWND parent, DLGPROC proc,
    LPARAM param)
{
    DialogTemplate t;
    if (!winenv::ParseDialogTemplate(data, size ? size : kUnknownTemplateSize, t))
        return nullptr;
    SIZE base = BaseUnits(t);
    bool child = (t.style & WS_CHILD) != 0;

    RECT rect{DluToPixels(t.x, base.cx, 4), DluToPixels(t.y, base.cy, 8), 0, 0};
    rect.right = rect.left + DluToPixels(t.cx, base.cx, 4);
    rect.bottom = rect.top + DluToPixels(t.cy, base.cy, 8);
    DWORD style = t.style & ~WS_VISIBLE;
    AdjustWindowRectEx(&rect, style, FALSE, t.exStyle);
    LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
    // The template places a top-level dialog's client area relative to its owner's client area.
    POINT origin{rect.left, rect.top};
    if (!child) {
        HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
        if (t.style & DS_CENTER) {
            RECT area = winenv::WorkArea();
            origin.x = area.left + (area.right - area.left - width) / 2;
            origin.y = area.top + (area.bottom - area.top - height) / 2;
        } else if (owner && !(t.style & DS_ABSALIGN)) {
            POINT p{0, 0};
            ClientToScreen(owner, &p);
            origin.x += p.x;
            origin.y += p.y;
        }
        RECT screen = winenv::ScreenRect();
        origin.x = std::max<LONG>(screen.left, std::min<LONG>(origin.x, screen.right - width));
        origin.y = std::max<LONG>(screen.top, std::min<LONG>(origin.y, screen.bottom - height));
    }

    LPCWSTR className = kDialogClass;
    std::wstring customClass;
    if (!t.windowClass.isOrdinal && !t.windowClass.name.empty()) {
        customClass = t.windowClass.name;
        className = customClass.c_str();
    }
    HWND dialog = CreateWindowExW(t.exStyle, className, t.title.c_str(), style,
        origin.x, origin.y, width, height, parent, nullptr, instance, nullptr);
    Window* w = FindWindowObject(dialog);
    if (!w)
        return nullptr;
    w->dialog = std::make_unique<DialogState>();
    w->dialog->baseUnitX = base.cx;
    w->dialog->baseUnitY = base.cy;
    if (w->extra.size() >= DWLP_USER + sizeof(LONG_PTR))
        SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(proc));

    for (const auto& item : t.items) {
        std::wstring itemClass = item.ClassName();
        std::wstring itemText = item.text.isOrdinal ? std::wstring() : item.text.name;
        if (IsAxClassName(itemClass)) {
            // A control named by its CLSID lives in an ActiveX host window that creates it.
            itemText = itemClass;
            itemClass = kAxHostClass;
        }
        RECT r{DluToPixels(item.x, base.cx, 4), DluToPixels(item.y, base.cy, 8), 0, 0};
        r.right = r.left + DluToPixels(item.cx, base.cx, 4);
        r.bottom = r.top + DluToPixels(item.cy, base.cy, 8);
        // The control receives the creation data behind its size word, as on Windows.
        std::vector<BYTE> creationData;
        if (!item.creationData.empty()) {
            WORD cb = static_cast<WORD>(item.creationData.size());
            creationData.resize(sizeof(WORD));
            std::memcpy(creationData.data(), &cb, sizeof(WORD));
            creationData.insert(creationData.end(), item.creationData.begin(), item.creationData.end());
        }
        LPVOID creation = creationData.empty() ? nullptr : creationData.data();
        HWND control = CreateWindowExW(item.exStyle | WS_EX_NOPARENTNOTIFY, itemClass.c_str(), itemText.c_str(),
            item.style | WS_CHILD, r.left, r.top, r.right - r.left, r.bottom - r.top, dialog,
            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(item.id)), instance, creation);
        if (!control && !(t.style & DS_NOFAILCREATE)) {
            DestroyWindow(dialog);
            return nullptr;
        }
        if (!IsWindow(dialog))
            return nullptr;
        if (control && IsClass(control, kButtonClass) && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            DialogStateOf(dialog)->defaultId = static_cast<int>(item.id);
    }

    HWND firstTab = FirstTabStop(dialog);
    LRESULT focusDefault = SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTab), param);
    if (!IsWindow(dialog))
        return nullptr;
    if (focusDefault && firstTab && IsWindow(firstTab))
        SetFocus(firstTab);
    if ((t.style & WS_VISIBLE) && !(GetWindowLongPtrW(dialog, GWL_STYLE) & WS_VISIBLE))
        ShowWindow(dialog, SW_SHOWNORMAL);
    return IsWindow(dialog) ? dialog : nullptr;
}

// A dialog keeps the control that had the focus when it loses the activation...
static void SaveDialogFocus(HWND dialog)
{
    DialogState* d = DialogStateOf(dialog);
    HWND focus = GetFocus();
    if (d && focus && IsChild(dialog, focus))
        d->savedFocus = focus;
}

// ...and gives it back when it is activated again. When the dialog itself takes the focus, it
// passes it on: to the kept control, else its first tab stop, else its first enabled control.
static void RestoreDialogFocus(HWND dialog, bool justActivated)
{
    DialogState* d = DialogStateOf(dialog);
    if (!d || d->ended)
        return;
    HWND target = d->savedFocus;
    if (!target || !IsWindow(target) || target == dialog || !IsChild(dialog, target)) {
        if (justActivated)
            return;
        target = GetNextDlgTabItem(dialog, nullptr, FALSE);
        if (!target)
            target = FirstEnabledControl(dialog);
        if (!target)
            return;
    }
    d->savedFocus = nullptr;
    SetFocus(target);
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

// The dialog class's window procedure: the dialog procedure first, then the defaults.
LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    Window* w = FindWindowObject(hDlg);
    if (!w)
        return 0;
    bool hasSlots = w->extra.size() >= DWLP_USER + sizeof(LONG_PTR);
    auto proc = hasSlots ? reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hDlg, DWLP_DLGPROC)) : nullptr;
    if (proc) {
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 0);
        INT_PTR handled = proc(hDlg, Msg, wParam, lParam);
        if (!IsWindow(hDlg))
            return handled;
        if (handled) {
            switch (Msg) {
            case WM_INITDIALOG:
            case WM_CTLCOLORMSGBOX:
            case WM_CTLCOLOREDIT:
            case WM_CTLCOLORLISTBOX:
            case WM_CTLCOLORBTN:
            case WM_CTLCOLORDLG:
            case WM_CTLCOLORSCROLLBAR:
            case WM_CTLCOLORSTATIC:
            case WM_COMPAREITEM:
            case WM_VKEYTOITEM:
            case WM_CHARTOITEM:
            case WM_QUERYDRAGICON:
                return handled;
            }
            return GetWindowLongPtrW(hDlg, DWLP_MSGRESULT);
        }
    }
    switch (Msg) {
    case WM_INITDIALOG:
        return 0;
    case WM_CLOSE:
        // The close box and Alt+F4 act as the Cancel button.
        PostMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
        return 0;
    case DM_GETDEFID:
        if (DialogState* d = DialogStateOf(hDlg))
            return MAKELONG(d->defaultId, DC_HASDEFID);
        return 0;
    case DM_SETDEFID:
        if (DialogState* d = DialogStateOf(hDlg))
            d->defaultId = static_cast<int>(wParam);
        return TRUE;
    case WM_NEXTDLGCTL: {
        HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hDlg, GetFocus(), wParam != 0);
        if (target)
            SetFocus(target);
        return 0;
    }
    case WM_GETDLGCODE:
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE)
            SaveDialogFocus(hDlg);
        else
            RestoreDialogFocus(hDlg, true);
        return 0;
    case WM_SETFOCUS:
        RestoreDialogFocus(hDlg, false);
        return 0;
    }
    return DefWindowProcW(hDlg, Msg, wParam, lParam);
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    DialogState* d = DialogStateOf(hDlg);
    if (!d || !lpRect)
        return FALSE;
    lpRect->left = DluToPixels(lpRect->left, d->baseUnitX, 4);
    lpRect->right = DluToPixels(lpRect->right, d->baseUnitX, 4);
    lpRect->top = DluToPixels(lpRect->top, d->baseUnitY, 8);
    lpRect->bottom = DluToPixels(lpRect->bottom, d->baseUnitY, 8);
    return TRUE;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    Window* w = FindWindowObject(hDlg);
    if (!w)
        return nullptr;
    for (HWND child : w->children) {
        Window* c = FindWindowObject(child);
        if (c && static_cast<int>(c->id) == nIDDlgItem)
            return child;
    }
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd)
{
    Window* w = FindWindowObject(hWnd);
    return (w && (w->style & WS_CHILD)) ? static_cast<int>(w->id) : 0;
}

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item ? SendMessageW(item, Msg, wParam, lParam) : 0;
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    return static_cast<UINT>(SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

HWND WINAPI GetNextDlgTabItem(HWND hDlg, HWND hCtl, BOOL bPrevious)
{
    Window* w = FindWindowObject(hDlg);
    if (!w)
        return nullptr;
    std::vector<HWND> stops;
    for (HWND child : w->children) {
        Window* c = FindWindowObject(child);
        if (c && (c->style & WS_TABSTOP) && (c->style & WS_VISIBLE) && !(c->style & WS_DISABLED))
            stops.push_back(child);
    }
    if (stops.empty())
        return nullptr;
    auto it = std::find(stops.begin(), stops.end(), hCtl);
    if (it == stops.end())
        return bPrevious ? stops.back() : stops.front();
    if (bPrevious)
        return it == stops.begin() ? stops.back() : *(it - 1);
    return (it + 1) == stops.end() ? stops.front() : *(it + 1);
}

} // extern "C"
