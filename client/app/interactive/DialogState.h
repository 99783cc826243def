// A dialog as the window system holds it right now, read through its messages: the controls
// with their text and state, and the rows of its tree as a person sees them.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace plmclient {

struct ControlState {
    enum Kind { PushButton, CheckBox, Label, Tree, ActiveX, Other };
    HWND hwnd = nullptr;
    Kind kind = Other;
    std::wstring text; // without mnemonic markers
    bool checked = false;
    bool focused = false;
    bool enabled = true;
    RECT rect = {}; // in the dialog's client coordinates
};

struct TreeRowState {
    HTREEITEM item = nullptr;
    int depth = 0;
    std::wstring text;
    bool hasChildren = false;
    bool expanded = false;
    bool selected = false;
    int check = -1; // -1 no check box, 0 clear, 1 checked
};

struct DialogState {
    HWND dialog = nullptr;
    std::wstring caption;
    std::vector<ControlState> controls; // in reading order: top to bottom, left to right
    HWND tree = nullptr;                // the first tree view, if any
    std::vector<TreeRowState> rows;     // the tree's items that are not inside a closed branch
};

DialogState ReadDialogState(HWND dialog);

std::wstring WindowTextOf(HWND hwnd);
// The control whose text is `text` (mnemonic markers ignored), or null.
HWND FindControlByText(HWND dialog, const std::wstring& text);
HTREEITEM TreeSelection(HWND tree);

} // namespace plmclient
