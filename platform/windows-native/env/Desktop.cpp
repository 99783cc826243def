// The desktop's user on Windows, where the windows are the system's own. While a user is
// installed, a hook on the installing thread sees each window as it is activated:
// - a message box (user32's dialog of a text, an icon and push buttons) is read from its windows,
//   answered by a click on the button the user chose, and traced as the stand-in traces its own;
// - the shell's folder picker is given the user's folder (or cancelled) once its modal loop runs;
// - any other dialog is given to the user once its modal loop runs, and closed with its close box
//   if the user leaves it open, as on the headless desktop; its opening and closing are traced;
// - a request to the shell (ShellExecuteW) is traced and handed to the user, not to the shell.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include <winenv/Desktop.h>
#include <winenv/Trace.h>

#include "DialogResults.h"
#include "ShellRequests.h"

namespace winenv {
namespace {

const int kMessageBoxTextId = 0xFFFF; // user32's id of a message box's text
const int kPickerTreeId = 0x3741;      // shell32's ids of the folder picker's tree and title
const int kPickerTitleId = 0x3742;

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
    std::map<HWND, std::string> captions;             // dialogs traced as open, by their caption
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

bool IsFolderPicker(HWND dialog)
{
    const HWND tree = GetDlgItem(dialog, kPickerTreeId);
    return tree && IsClass(tree, WC_TREEVIEWW);
}

std::wstring ItemText(HWND tree, HTREEITEM item)
{
    wchar_t text[MAX_PATH] = L"";
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
    return text;
}

HTREEITEM TreeNext(HWND tree, HTREEITEM item, UINT code)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

// The child of an item (opened first, which fills it) whose label matches, or null.
template <typename Match> HTREEITEM OpenAndFind(HWND tree, HTREEITEM parent, Match matches)
{
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    for (HTREEITEM child = TreeNext(tree, parent, TVGN_CHILD); child; child = TreeNext(tree, child, TVGN_NEXT))
        if (matches(ItemText(tree, child)))
            return child;
    return nullptr;
}

// Selects a folder the way a person does in the picker's tree: the drive, labelled "... (Z:)",
// under one of the desktop's items (the computer), then each folder by its name.
bool SelectFolderInTree(HWND tree, const std::wstring& path)
{
    std::vector<std::wstring> parts;
    for (size_t start = 0, end; start < path.size(); start = end + 1) {
        end = std::min(path.find_first_of(L"\\/", start), path.size());
        if (end > start)
            parts.push_back(path.substr(start, end - start));
    }
    if (parts.empty() || parts[0].size() != 2 || parts[0][1] != L':')
        return false;
    const std::wstring driveLabelEnd = L"(" + parts[0] + L")";
    const auto isDrive = [&driveLabelEnd](const std::wstring& label) {
        return label.size() >= driveLabelEnd.size() &&
            lstrcmpiW(label.c_str() + label.size() - driveLabelEnd.size(), driveLabelEnd.c_str()) == 0;
    };
    const HTREEITEM desktop = TreeNext(tree, nullptr, TVGN_ROOT);
    HTREEITEM item = nullptr;
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(desktop));
    for (HTREEITEM top = TreeNext(tree, desktop, TVGN_CHILD); top && !item; top = TreeNext(tree, top, TVGN_NEXT))
        item = OpenAndFind(tree, top, isDrive);
    for (size_t i = 1; item && i < parts.size(); ++i)
        item = OpenAndFind(tree, item, [&parts, i](const std::wstring& label) {
            return lstrcmpiW(label.c_str(), parts[i].c_str()) == 0;
        });
    return item && SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

// The user names a folder (selected in the picker's tree, then OK is clicked) or cancels.
void ServeFolderPicker(DesktopUser& user, HWND picker)
{
    const HWND titleWindow = GetDlgItem(picker, kPickerTitleId);
    const std::wstring title = titleWindow ? TextOf(titleWindow) : std::wstring();
    std::wstring chosen = user.OnBrowseForFolder(GetWindow(picker, GW_OWNER), title).value_or(L"");
    if (!chosen.empty() && SelectFolderInTree(GetDlgItem(picker, kPickerTreeId), chosen))
        SendMessageW(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0);
    // A folder the tree does not show leaves the picker open: nothing chosen.
    if (IsWindowVisible(picker)) {
        chosen.clear();
        SendMessageW(GetDlgItem(picker, IDCANCEL), BM_CLICK, 0, 0);
    }
    Trace("folder_picker", {{"title", ToUtf8(title)}, {"result", ToUtf8(chosen)}});
}

void TraceDialogOpen(Desktop& d, HWND dialog)
{
    const std::string caption = ToUtf8(TextOf(dialog));
    d.captions[dialog] = caption;
    Trace("dialog", {{"event", "open"}, {"caption", caption}});
}

void TraceDialogClose(Desktop& d, HWND dialog)
{
    const auto open = d.captions.find(dialog);
    if (open == d.captions.end())
        return;
    TraceEvent event{"dialog", {{"event", "close"}, {"caption", open->second}}};
    if (const std::optional<INT_PTR> result = TakeDialogResult(dialog))
        event.fields.emplace_back("result", std::to_string(*result));
    Trace(event);
    d.captions.erase(open);
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
    if (IsWindow(dialog) && !IsWindowVisible(dialog)) {
        // Activated before it is shown: the modal loop shows it once its queue is empty.
        at->first = SetTimer(nullptr, 0, 10, ServeDialog);
        return;
    }
    d.waiting.erase(at);
    if (!d.user || !IsWindow(dialog))
        return;
    d.served.push_back(dialog);
    if (IsFolderPicker(dialog)) {
        ServeFolderPicker(*d.user, dialog);
        return;
    }
    TraceDialogOpen(d, dialog);
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
        TraceDialogClose(d, window);
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
    WatchShellRequests(user);
    if (user && !d.hook) {
        d.hook = SetWindowsHookExW(WH_CBT, WatchWindows, nullptr, GetCurrentThreadId());
        WatchDialogResults(true);
    } else if (!user && d.hook) {
        UnhookWindowsHookEx(d.hook);
        d.hook = nullptr;
        WatchDialogResults(false);
    }
    return previous;
}

} // namespace winenv
