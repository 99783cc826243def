// The window system's own state: classes, windows, focus, the cursor and the posted-message
// queue. One desktop per process, used from the UI thread only (as user32 binds windows to their
// thread, and everything here runs on the one thread).
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "winuser.h"

namespace win32ui {

struct WindowClass {
    std::wstring name;
    ATOM atom = 0;
    UINT style = 0;
    WNDPROC proc = nullptr;
    int clsExtra = 0;
    int wndExtra = 0;
    HINSTANCE instance = nullptr;
    HICON icon = nullptr;
    HICON iconSmall = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    bool system = false;
};

// What the dialog manager keeps for a dialog window.
struct DialogState {
    bool ended = false;
    INT_PTR result = 0;
    int defaultId = IDOK;
    int baseUnitX = 6; // dialog base units of the dialog's font, in pixels
    int baseUnitY = 13;
    HWND savedFocus = nullptr; // the control that had the focus when the dialog was last deactivated
};

// A window's own scroll bar (SB_HORZ or SB_VERT); shown while its style bit is set.
struct ScrollBarState {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    bool disabled = false;
};

struct Window {
    HWND handle = nullptr;
    WindowClass* windowClass = nullptr;
    WNDPROC proc = nullptr;
    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};        // window rectangle: parent client coordinates for a child, else screen
    RECT restoreRect{}; // before maximising
    HWND parent = nullptr; // child windows only
    HWND owner = nullptr;  // top-level windows only
    std::vector<HWND> children; // in Z order, top first (the order of creation)
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    std::vector<BYTE> extra;
    std::map<std::wstring, HANDLE> props;
    HICON iconBig = nullptr;
    HICON iconSmall = nullptr;
    ScrollBarState hScroll;
    ScrollBarState vScroll;
    std::unique_ptr<DialogState> dialog;
    bool destroying = false;
    int invalidations = 0; // InvalidateRect/UpdateWindow calls, recorded only
};

struct Desktop {
    std::map<std::wstring, std::unique_ptr<WindowClass>> classes; // key: upper-case name
    std::map<UINT_PTR, std::unique_ptr<Window>> windows;
    std::vector<std::unique_ptr<Window>> destroyed; // kept until no message is being sent
    std::vector<HWND> topLevel; // Z order, top first
    UINT_PTR nextHandle = 0x10010;
    ATOM nextAtom = 0xC000;
    int sendDepth = 0;
    std::deque<MSG> posted;
    bool quitPosted = false;
    int quitCode = 0;
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    POINT cursor{960, 540};
    std::vector<HWND> modalDialogs; // innermost last
    std::vector<SHORT> keyDown = std::vector<SHORT>(256, 0);
};

Desktop& TheDesktop();

// The window behind a handle, null when there is none (or it is being freed).
Window* FindWindowObject(HWND hwnd);
WindowClass* FindClass(LPCWSTR nameOrAtom);
void RegisterSystemClasses();
void RegisterCommonControlClasses(DWORD classes); // ICC_* flags

std::wstring UpperCase(const std::wstring& text);
bool IsClass(HWND hwnd, const wchar_t* className);

// Geometry
RECT NonClientInsets(DWORD style, DWORD exStyle); // left, top, right, bottom thicknesses
// A scroll bar's rectangle in window coordinates (relative to the window's top-left corner),
// empty when the window does not show it.
RECT ScrollBarRect(const Window& window, int bar);
// The thumb along a bar of the given length: offset from the bar's start and size; false when
// the bar shows no thumb.
bool ScrollThumb(const ScrollBarState& state, int length, int& offset, int& size);
POINT ClientOriginOnScreen(const Window& window);
RECT WindowRectOnScreen(const Window& window);
SIZE ClientSize(const Window& window);
void FreeDestroyedWindows();

// The dialog that owns a control (or the dialog itself), null when none.
HWND DialogOf(HWND hwnd);
DialogState* DialogStateOf(HWND dialog);

// Tab order helpers for the dialog manager.
HWND FirstTabStop(HWND dialog);

// Text of a window for pictures and traces.
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

// Window procedures of the system classes.
LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TreeViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK AxHostProc(HWND, UINT, WPARAM, LPARAM);

inline constexpr const wchar_t* kButtonClass = L"Button";
inline constexpr const wchar_t* kStaticClass = L"Static";
inline constexpr const wchar_t* kTreeViewClass = L"SysTreeView32";
inline constexpr const wchar_t* kDialogClass = L"#32770";
inline constexpr const wchar_t* kAxHostClass = L"AtlAxWin";

inline int ClientX(LPARAM lParam) { return static_cast<SHORT>(LOWORD(lParam)); }
inline int ClientY(LPARAM lParam) { return static_cast<SHORT>(HIWORD(lParam)); }

} // namespace win32ui
