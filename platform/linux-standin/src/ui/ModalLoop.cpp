// Modal dialog boxes: the owner is disabled, the dialog shown, and the desktop's user acts on it
// until EndDialog; the keyboard interface of dialogs (Enter, Escape, Tab).
#include "WindowSystem.h"
#include "windows.h"
#include "winenv/Desktop.h"
#include "winenv/Trace.h"

namespace win32ui {
HWND CreateDialogFromTemplate(HINSTANCE instance, const void* data, size_t size, HWND parent, DLGPROC proc,
    LPARAM param);

static bool DialogEnded(HWND dialog)
{
    DialogState* d = DialogStateOf(dialog);
    return !d || d->ended;
}

static INT_PTR RunModal(HWND dialog, HWND owner)
{
    auto& desktop = TheDesktop();
    std::string caption = winenv::ToUtf8(WindowText(dialog));
    desktop.modalDialogs.push_back(dialog);
    bool ownerDisabled = false;
    if (owner && IsWindowEnabled(owner)) {
        EnableWindow(owner, FALSE);
        ownerDisabled = true;
    }
    if (!IsWindowVisible(dialog))
        ShowWindow(dialog, SW_SHOWNORMAL);
    winenv::Trace("dialog", {{"event", "open"}, {"caption", caption}});

    winenv::RunPostedMessages();
    if (!DialogEnded(dialog))
        winenv::GetDesktopUser().OnModalDialog(dialog);
    winenv::RunPostedMessages();
    if (!DialogEnded(dialog)) {
        // The user walked away: the close box, then, if the dialog refuses, EndDialog.
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        winenv::RunPostedMessages();
        if (!DialogEnded(dialog))
            EndDialog(dialog, IDCANCEL);
    }
    DialogState* d = DialogStateOf(dialog);
    INT_PTR result = d ? d->result : -1;
    if (ownerDisabled && IsWindow(owner))
        EnableWindow(owner, TRUE);
    DestroyWindow(dialog);
    auto& stack = desktop.modalDialogs;
    for (auto it = stack.begin(); it != stack.end(); ++it)
        if (*it == dialog) {
            stack.erase(it);
            break;
        }
    winenv::Trace("dialog", {{"event", "close"}, {"caption", caption}, {"result", std::to_string(result)}});
    if (owner && IsWindow(owner))
        SetActiveWindow(GetAncestor(owner, GA_ROOT));
    return result;
}

static INT_PTR DialogBoxFromTemplate(HINSTANCE instance, const void* data, size_t size, HWND parent, DLGPROC proc,
    LPARAM param)
{
    HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
    HWND dialog = CreateDialogFromTemplate(instance, data, size, owner, proc, param);
    if (!dialog)
        return -1;
    return RunModal(dialog, owner);
}

} // namespace win32ui

using namespace win32ui;

namespace winenv {

HWND ActiveModalDialog()
{
    auto& stack = TheDesktop().modalDialogs;
    return stack.empty() ? nullptr : stack.back();
}

void RunPostedMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // leave it for the loop that owns it
            break;
        }
        HWND dialog = DialogOf(msg.hwnd);
        if (!(dialog && IsDialogMessageW(dialog, &msg)))
            DispatchMessageW(&msg);
    }
}

} // namespace winenv

extern "C" {

INT_PTR WINAPI DialogBoxIndirectParamW(HINSTANCE hInstance, LPCDLGTEMPLATEW hDialogTemplate, HWND hWndParent,
    DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    return DialogBoxFromTemplate(hInstance, hDialogTemplate, 0, hWndParent, lpDialogFunc, dwInitParam);
}

// Ends the dialog's modal loop: the owner is enabled again and the dialog hidden; the loop
// destroys it.
BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    DialogState* d = DialogStateOf(hDlg);
    if (!d)
        return FALSE;
    d->ended = true;
    d->result = nResult;
    Window* w = FindWindowObject(hDlg);
    if (w && w->owner)
        EnableWindow(w->owner, TRUE);
    ShowWindow(hDlg, SW_HIDE);
    return TRUE;
}

BOOL WINAPI IsDialogMessageW(HWND hDlg, LPMSG lpMsg)
{
    if (!lpMsg || !IsWindow(hDlg))
        return FALSE;
    if (lpMsg->hwnd != hDlg && !IsChild(hDlg, lpMsg->hwnd))
        return FALSE;
    if (lpMsg->message == WM_KEYDOWN) {
        LRESULT code = SendMessageW(lpMsg->hwnd, WM_GETDLGCODE, lpMsg->wParam, reinterpret_cast<LPARAM>(lpMsg));
        if (!(code & DLGC_WANTMESSAGE)) {
            switch (lpMsg->wParam) {
            case VK_TAB:
                if (!(code & DLGC_WANTTAB)) {
                    bool back = GetKeyState(VK_SHIFT) < 0;
                    if (HWND next = GetNextDlgTabItem(hDlg, GetFocus(), back))
                        SetFocus(next);
                    return TRUE;
                }
                break;
            case VK_ESCAPE:
                SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDCANCEL)));
                return TRUE;
            case VK_RETURN: {
                int id = IDOK;
                if (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) {
                    id = GetDlgCtrlID(lpMsg->hwnd);
                } else {
                    LRESULT def = SendMessageW(hDlg, DM_GETDEFID, 0, 0);
                    if (HIWORD(def) == DC_HASDEFID)
                        id = LOWORD(def);
                }
                HWND button = GetDlgItem(hDlg, id);
                if (button && !IsWindowEnabled(button))
                    return TRUE; // a disabled default button does nothing
                SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
                return TRUE;
            }
            }
        }
    }
    TranslateMessage(lpMsg);
    DispatchMessageW(lpMsg);
    return TRUE;
}

} // extern "C"
