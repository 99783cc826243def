// The headless desktop and the person in front of it. Not a Windows API: never included by the
// module.
//
// Every modal loop of the window system (dialog box, message box, folder picker) asks the
// desktop's user what happens next. A test or the program installs a user that scripts the
// answers; the default user answers every message box with its default button and cancels every
// dialog and folder picker. A user acts on a dialog only through the input functions below,
// which synthesise the mouse and keyboard messages a real person would cause.
//
// Trace events (winenv/Trace.h), all fields UTF-8:
//   "messagebox"    text, caption, icon (none|error|question|warning|information),
//                   buttons (ok|okcancel|yesno|...), result (ok|cancel|yes|no|...)
//   "folder_picker" title, result (the chosen path, empty when cancelled)
//   "shell_execute" verb, file, parameters, directory, show (the decimal show command)
//   "dialog"        event (open|close), caption, result (decimal, on close)
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include <commctrl.h>

namespace winenv {

class DesktopUser {
public:
    virtual ~DesktopUser() = default;

    // A message box is up: returns the id of the button pressed (IDOK, IDCANCEL, IDYES, ...).
    virtual int OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) = 0;

    // The folder picker is up: the chosen folder's path, or nothing when the user cancels.
    virtual std::optional<std::wstring> OnBrowseForFolder(HWND owner, const std::wstring& title) = 0;

    // A modal dialog is up and initialised. Acts on it with the input functions until it ends;
    // a dialog still open when this returns is closed as with its close box, and ended with
    // IDCANCEL if it stays open even then. A dialog opened by the user's own input while another
    // runs (a double click that opens a viewer) calls this again, nested.
    virtual void OnModalDialog(HWND dialog) = 0;

    // The shell is asked to open a document or folder; a desktop with a real screen opens it.
    virtual void OnShellExecute(const std::wstring& /*verb*/, const std::wstring& /*file*/) {}
};

// Answers each message box with its default button, cancels dialogs and folder pickers.
class DefaultDesktopUser : public DesktopUser {
public:
    int OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    std::optional<std::wstring> OnBrowseForFolder(HWND owner, const std::wstring& title) override;
    void OnModalDialog(HWND dialog) override;
};

// The buttons of a message box of this type (MB_OK, MB_YESNO, ...), left to right, and the one that
// Enter presses (MB_DEFBUTTON1..4).
std::vector<int> MessageBoxButtons(UINT type);
int MessageBoxDefaultButton(UINT type);
// The "messagebox" event of a box of this type that the user answered with the button result.
void TraceMessageBox(const std::wstring& text, const std::wstring& caption, UINT type, int result);
// ShellExecuteW's request on the desktop: its "shell_execute" event, then the user's to act on.
// Returns what the shell returns: above 32 for success, SE_ERR_FNF for no file.
HINSTANCE ShellExecuteOnDesktop(
    DesktopUser& user, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT show);

// The user in charge; the default user when none is installed.
DesktopUser& GetDesktopUser();
// Installs a user (null restores the default); returns the one it replaces. Not owned.
DesktopUser* SetDesktopUser(DesktopUser* user);

// Installs a user for the length of a scope.
class ScopedDesktopUser {
public:
    explicit ScopedDesktopUser(DesktopUser& user) : m_previous(SetDesktopUser(&user)) {}
    ~ScopedDesktopUser() { SetDesktopUser(m_previous); }
    ScopedDesktopUser(const ScopedDesktopUser&) = delete;
    ScopedDesktopUser& operator=(const ScopedDesktopUser&) = delete;

private:
    DesktopUser* m_previous;
};

// ---- the screen ---------------------------------------------------------------------------------

// 1920 x 1080 pixels at 96 DPI; the work area leaves a 40-pixel task bar at the bottom.
RECT ScreenRect();
RECT WorkArea();

// The modal dialog whose loop runs innermost, or null.
HWND ActiveModalDialog();

// ---- input --------------------------------------------------------------------------------------
// Each function moves the desktop's cursor, sends the messages Windows would send to the window
// under the cursor or with the focus, and runs the posted messages before it returns. They return
// false when there is nothing to act on (no window there, a disabled window, an item not shown).

bool ClickAt(POINT screen);
bool DoubleClickAt(POINT screen);
// At the centre of a window.
bool ClickWindow(HWND window);
// At the centre of a dialog's control.
bool ClickControl(HWND dialog, int controlId);
// On the check box (state icon) or the label of a tree item; the item must be shown.
bool ClickTreeItemCheckBox(HWND tree, HTREEITEM item);
bool ClickTreeItemLabel(HWND tree, HTREEITEM item);
bool DoubleClickTreeItemLabel(HWND tree, HTREEITEM item);
// A key press (WM_KEYDOWN, WM_CHAR when the key has a character, WM_KEYUP) to the window with
// the focus, passing the dialog's keyboard interface first (Enter, Escape).
bool PressKey(UINT virtualKey);
// Drags the window's frame so that the window gets this size.
bool ResizeWindow(HWND window, int width, int height);
// The close box in the caption.
bool CloseWindowByUser(HWND window);

// Runs the posted messages of every window.
void RunPostedMessages();

} // namespace winenv
