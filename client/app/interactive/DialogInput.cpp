#include "DialogInput.h"

#include <chrono>
#include <cwctype>

#include <winenv/Desktop.h>

#include "DialogState.h"

namespace plmclient {
namespace {

const unsigned long long kDoubleClickMs = 500;

unsigned long long NowMs()
{
    return static_cast<unsigned long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch()).count());
}

HWND FindTree(HWND dialog) { return ReadDialogState(dialog).tree; }

// A person scrolls an item into sight before clicking it.
void ShowItem(HWND tree, HTREEITEM item) { SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item)); }

// Tree navigation keys go to the tree, as after a click into it.
bool PressOnTree(HWND tree, UINT vk, int times = 1)
{
    if (!tree)
        return false;
    if (GetFocus() != tree)
        SetFocus(tree);
    bool done = true;
    for (int i = 0; i < times; ++i)
        done = winenv::PressKey(vk) && done;
    return done;
}

bool ClickSelectedCheckBox(HWND tree)
{
    HTREEITEM item = tree ? TreeSelection(tree) : nullptr;
    if (!item)
        return false;
    ShowItem(tree, item);
    return winenv::ClickTreeItemCheckBox(tree, item);
}

bool DoubleClickSelected(HWND tree)
{
    HTREEITEM item = tree ? TreeSelection(tree) : nullptr;
    if (!item)
        return false;
    ShowItem(tree, item);
    return winenv::DoubleClickTreeItemLabel(tree, item);
}

bool ClickByText(HWND dialog, const wchar_t* text)
{
    HWND control = FindControlByText(dialog, text);
    return control && winenv::ClickWindow(control);
}

// A check box whose text starts with this letter (DWG, PDF, STEP).
bool ClickCheckBoxByLetter(HWND dialog, wchar_t letter)
{
    for (const ControlState& c : ReadDialogState(dialog).controls)
        if (c.kind == ControlState::CheckBox && !c.text.empty() && static_cast<wchar_t>(std::towlower(static_cast<wint_t>(c.text[0]))) == letter)
            return winenv::ClickWindow(c.hwnd);
    return false;
}

bool FocusIsButton()
{
    wchar_t cls[64] = {};
    return GetFocus() && GetClassNameW(GetFocus(), cls, 64) && _wcsicmp(cls, L"Button") == 0;
}

} // namespace

bool DialogInput::Act(HWND dialog, const InputEvent& event, const std::vector<ScreenTarget>& targets)
{
    if (event.key == Key::Mouse)
        return ActOnMouse(event, targets);
    return ActOnKey(dialog, event);
}

bool DialogInput::ActOnKey(HWND dialog, const InputEvent& e)
{
    HWND tree = FindTree(dialog);
    switch (e.key) {
    case Key::Up: return PressOnTree(tree, VK_UP);
    case Key::Down: return PressOnTree(tree, VK_DOWN);
    case Key::Left: return PressOnTree(tree, VK_LEFT);
    case Key::Right: return PressOnTree(tree, VK_RIGHT);
    case Key::Home: return PressOnTree(tree, VK_HOME);
    case Key::End: return PressOnTree(tree, VK_END);
    case Key::PageUp: return PressOnTree(tree, VK_UP, 10);
    case Key::PageDown: return PressOnTree(tree, VK_DOWN, 10);
    case Key::Tab: return winenv::PressKey(VK_TAB);
    case Key::BackTab:
        // The dialog manager's Shift+Tab: the previous tab stop.
        if (HWND previous = GetNextDlgTabItem(dialog, GetFocus(), TRUE)) {
            SetFocus(previous);
            return true;
        }
        return false;
    case Key::Escape: return winenv::PressKey(VK_ESCAPE);
    case Key::F5: return DoubleClickSelected(tree);
    case Key::Enter:
        if (tree && !FocusIsButton())
            return ClickSelectedCheckBox(tree);
        return winenv::PressKey(VK_RETURN);
    case Key::Char: break;
    default: return false;
    }
    switch (e.ch) {
    case L' ': return winenv::PressKey(VK_SPACE);
    case L'+': return PressOnTree(tree, VK_ADD);
    case L'-': return PressOnTree(tree, VK_SUBTRACT);
    case L'c': return ClickSelectedCheckBox(tree);
    case L'o': return DoubleClickSelected(tree);
    case L'P': return ClickByText(dialog, L"打印");
    case L'D': return ClickByText(dialog, L"下载");
    case L'q': return ClickByText(dialog, L"取消") || winenv::PressKey(VK_ESCAPE);
    default:
        if (e.ch >= L'a' && e.ch <= L'z')
            return ClickCheckBoxByLetter(dialog, e.ch);
        return false;
    }
}

bool DialogInput::ActOnMouse(const InputEvent& e, const std::vector<ScreenTarget>& targets)
{
    if (!e.press || e.button != 0)
        return false;
    const ScreenTarget* hit = nullptr;
    for (const ScreenTarget& t : targets)
        if (t.row == e.row && e.column >= t.left && e.column < t.right)
            hit = &t;
    const unsigned long long now = NowMs();
    const bool twice = e.row == m_lastRow && e.column == m_lastColumn && now - m_lastPressMs <= kDoubleClickMs;
    m_lastPressMs = twice ? 0 : now; // a third press starts again
    m_lastRow = e.row;
    m_lastColumn = e.column;
    if (!hit)
        return false;
    switch (hit->kind) {
    case ScreenTarget::TreeCheckBox:
        ShowItem(hit->control, hit->item);
        return winenv::ClickTreeItemCheckBox(hit->control, hit->item);
    case ScreenTarget::TreeLabel:
        ShowItem(hit->control, hit->item);
        // The first press was already a click; the second one makes it a double click.
        return twice ? winenv::DoubleClickTreeItemLabel(hit->control, hit->item)
                     : winenv::ClickTreeItemLabel(hit->control, hit->item);
    case ScreenTarget::TreeExpander:
        SendMessageW(hit->control, TVM_EXPAND, TVE_TOGGLE, reinterpret_cast<LPARAM>(hit->item));
        return true;
    case ScreenTarget::Control:
        return winenv::ClickWindow(hit->control);
    default:
        return false;
    }
}

} // namespace plmclient
