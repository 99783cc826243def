#include "DialogState.h"

#include <algorithm>

namespace plmclient {
namespace {

std::wstring ClassOf(HWND hwnd)
{
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

HTREEITEM Next(HWND tree, HTREEITEM item, UINT code)
{
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
}

ControlState::Kind KindOf(HWND hwnd)
{
    const std::wstring cls = ClassOf(hwnd);
    if (_wcsicmp(cls.c_str(), L"Button") == 0) {
        switch (GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK) {
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return ControlState::CheckBox;
        case BS_GROUPBOX:
            return ControlState::Label;
        default:
            return ControlState::PushButton;
        }
    }
    if (_wcsicmp(cls.c_str(), L"Static") == 0)
        return ControlState::Label;
    if (_wcsicmp(cls.c_str(), WC_TREEVIEWW) == 0)
        return ControlState::Tree;
    if (_wcsicmp(cls.c_str(), L"AtlAxWin") == 0)
        return ControlState::ActiveX;
    return ControlState::Other;
}

void AppendRows(HWND tree, HTREEITEM first, int depth, HTREEITEM caret, std::vector<TreeRowState>& rows)
{
    for (HTREEITEM item = first; item; item = Next(tree, item, TVGN_NEXT)) {
        wchar_t buffer[1024] = {};
        TVITEMW tvi = {};
        tvi.mask = TVIF_TEXT | TVIF_HANDLE | TVIF_STATE | TVIF_CHILDREN;
        tvi.hItem = item;
        tvi.stateMask = TVIS_EXPANDED | TVIS_SELECTED | TVIS_STATEIMAGEMASK;
        tvi.pszText = buffer;
        tvi.cchTextMax = 1024;
        SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
        TreeRowState row;
        row.item = item;
        row.depth = depth;
        row.text = buffer;
        row.hasChildren = tvi.cChildren != 0 || Next(tree, item, TVGN_CHILD) != nullptr;
        row.expanded = (tvi.state & TVIS_EXPANDED) != 0;
        row.selected = item == caret;
        const UINT image = (tvi.state & TVIS_STATEIMAGEMASK) >> 12;
        row.check = image == 0 ? -1 : image == 1 ? 0 : 1;
        rows.push_back(row);
        if (row.expanded)
            AppendRows(tree, Next(tree, item, TVGN_CHILD), depth + 1, caret, rows);
    }
}

} // namespace

std::wstring WindowTextOf(HWND hwnd)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    std::wstring text;
    for (const wchar_t* p = buffer; *p; ++p)
        if (*p != L'&')
            text += *p;
    return text;
}

HWND FindControlByText(HWND dialog, const std::wstring& text)
{
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (WindowTextOf(child) == text)
            return child;
    return nullptr;
}

HTREEITEM TreeSelection(HWND tree) { return Next(tree, nullptr, TVGN_CARET); }

DialogState ReadDialogState(HWND dialog)
{
    DialogState state;
    state.dialog = dialog;
    state.caption = WindowTextOf(dialog);
    const HWND focus = GetFocus();
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        ControlState c;
        c.hwnd = child;
        c.kind = KindOf(child);
        c.text = WindowTextOf(child);
        c.focused = child == focus || IsChild(child, focus);
        c.enabled = IsWindowEnabled(child) != FALSE;
        if (c.kind == ControlState::CheckBox)
            c.checked = SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED;
        GetWindowRect(child, &c.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<LPPOINT>(&c.rect), 2);
        if (c.kind == ControlState::Tree && !state.tree)
            state.tree = child;
        state.controls.push_back(c);
    }
    std::stable_sort(state.controls.begin(), state.controls.end(), [](const ControlState& a, const ControlState& b) {
        return a.rect.top != b.rect.top ? a.rect.top < b.rect.top : a.rect.left < b.rect.left;
    });
    if (state.tree)
        AppendRows(state.tree, Next(state.tree, nullptr, TVGN_ROOT), 0, TreeSelection(state.tree), state.rows);
    return state;
}

} // namespace plmclient

