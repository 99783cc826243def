// The desktop's user on Windows, where the windows are the system's own. While a user is
// installed, a hook on the installing thread sees each window as it is activated:
// - a message box (user32's dialog of a text, an icon and push buttons) is read from its windows,
//   answered by a click on the button the user chose, and traced as the stand-in traces its own;
// - any other dialog is given to the user once its modal loop runs, and closed with its close box
//   if the user leaves it open, as on the headless desktop.
#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include <win32host/Desktop.h>

namespace win32host {
namespace {

const int kMessageBoxTextId = 0xFFFF; // user32's id of a message box's text

struct OpenBox {
    HWND box = nullptr;
    std::wstring text, caption;
    UINT type = 0;
    int result = 0;
};

struct Desktop {
    DesktopUser* user = nullptr;
    HHOOK hook = nullptr;
    std::vector<OpenBox> boxes;                       // answered, not yet destroyed
    std::vector<std::pair<UINT_PTR, HWND>> waiting;   // dialogs waiting for their modal loop, by timer
    std::vector<HWND> served;                         // dialogs given to the user
};

Desktop& TheDesktop()
{
    static Desktop desktop;
    return desktop;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

std::wstring TextOf(HWND window)
{
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

bool IsClass(HWND window, const wchar_t* name) { return lstrcmpiW(ClassOf(window).c_str(), name) == 0; }

// The MB_ type that makes a box with these buttons, this default button and this icon.
bool ReadMessageBox(HWND box, OpenBox& seen)
{
    HWND text = GetDlgItem(box, kMessageBoxTextId);
    if (!IsClass(box, L"#32770") || !text || !IsClass(text, L"Static"))
        return false;
    std::vector<int> buttons;
    HICON icon = nullptr;
    int defaultButton = 0;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        if (IsClass(child, L"Static")) {
            if ((style & SS_TYPEMASK) == SS_ICON)
                icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
        } else if (IsClass(child, L"Button")) {
            const int id = GetDlgCtrlID(child);
            if (!(style & WS_VISIBLE) || id == IDHELP)
                continue;
            buttons.push_back(id);
            if ((style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                defaultButton = id;
        } else {
            return false; // a dialog with other controls is no message box
        }
    }
    std::sort(buttons.begin(), buttons.end());
    static const UINT kTypes[] = {
        MB_OK, MB_OKCANCEL, MB_ABORTRETRYIGNORE, MB_YESNOCANCEL, MB_YESNO, MB_RETRYCANCEL, MB_CANCELTRYCONTINUE};
    const UINT* type = std::find_if(std::begin(kTypes), std::end(kTypes), [&buttons](UINT t) {
        std::vector<int> offered = MessageBoxButtons(t);
        std::sort(offered.begin(), offered.end());
        return offered == buttons;
    });
    if (type == std::end(kTypes))
        return false;
    seen.type = *type;
    const std::vector<int> order = MessageBoxButtons(*type);
    if (const auto at = std::find(order.begin(), order.end(), defaultButton); at != order.end())
        seen.type |= static_cast<UINT>(at - order.begin()) << 8; // MB_DEFBUTTON1..
    static const struct {
        LPCWSTR id;
        UINT type;
    } kIcons[] = {{IDI_HAND, MB_ICONHAND}, {IDI_QUESTION, MB_ICONQUESTION}, {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
        {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& i : kIcons)
        if (icon && icon == LoadIconW(nullptr, i.id))
            seen.type |= i.type;
    seen.box = box;
    seen.text = TextOf(text);
    seen.caption = TextOf(box);
    return true;
}

// Runs inside the dialog's modal loop, after the dialog has been made and shown.
void CALLBACK ServeDialog(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    Desktop& d = TheDesktop();
    const auto at = std::find_if(d.waiting.begin(), d.waiting.end(), [timer](const auto& w) { return w.first == timer; });
    if (at == d.waiting.end())
        return;
    const HWND dialog = at->second;
    d.waiting.erase(at);
    if (!d.user || !IsWindow(dialog))
        return;
    d.served.push_back(dialog);
    d.user->OnModalDialog(dialog);
    // EndDialog hides a modal dialog at once; it is destroyed when its loop ends.
    if (IsWindow(dialog) && IsWindowVisible(dialog))
        SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    if (IsWindow(dialog) && IsWindowVisible(dialog))
        EndDialog(dialog, IDCANCEL);
}

bool Seen(const Desktop& d, HWND window)
{
    return std::any_of(d.boxes.begin(), d.boxes.end(), [window](const OpenBox& b) { return b.box == window; }) ||
        std::any_of(d.waiting.begin(), d.waiting.end(), [window](const auto& w) { return w.second == window; }) ||
        std::find(d.served.begin(), d.served.end(), window) != d.served.end();
}

LRESULT CALLBACK WatchWindows(int code, WPARAM wParam, LPARAM lParam)
{
    Desktop& d = TheDesktop();
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && d.user && !Seen(d, window)) {
        OpenBox box;
        if (ReadMessageBox(window, box)) {
            box.result = d.user->OnMessageBox(GetWindow(window, GW_OWNER), box.text, box.caption, box.type);
            d.boxes.push_back(box);
            PostMessageW(GetDlgItem(window, box.result), BM_CLICK, 0, 0);
        } else if (IsClass(window, L"#32770")) {
            d.waiting.emplace_back(SetTimer(nullptr, 0, 0, ServeDialog), window);
        }
    } else if (code == HCBT_DESTROYWND) {
        const auto box = std::find_if(d.boxes.begin(), d.boxes.end(), [window](const OpenBox& b) { return b.box == window; });
        if (box != d.boxes.end()) {
            TraceMessageBox(box->text, box->caption, box->type, box->result);
            d.boxes.erase(box);
        }
        d.served.erase(std::remove(d.served.begin(), d.served.end(), window), d.served.end());
    }
    return CallNextHookEx(d.hook, code, wParam, lParam);
}

} // namespace

DesktopUser* SetDesktopUser(DesktopUser* user)
{
    Desktop& d = TheDesktop();
    DesktopUser* previous = d.user;
    d.user = user;
    if (user && !d.hook)
        d.hook = SetWindowsHookExW(WH_CBT, WatchWindows, nullptr, GetCurrentThreadId());
    else if (!user && d.hook) {
        UnhookWindowsHookEx(d.hook);
        d.hook = nullptr;
    }
    return previous;
}

} // namespace win32host
