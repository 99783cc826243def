// Draws a dialog's state on the terminal picture and says what lies where, so that a mouse click
// on a cell can be given to the window system as a click on that control or tree item.
#pragma once

#include <string>
#include <vector>

#include "DialogState.h"
#include "ScreenBuffer.h"

namespace plmclient {

struct ScreenTarget {
    enum Kind { TreeCheckBox, TreeLabel, TreeExpander, Control, MessageBoxButton };
    int row = 0, left = 0, right = 0; // cells [left, right) of one row
    Kind kind = Control;
    HTREEITEM item = nullptr;
    HWND control = nullptr;
    int id = 0; // MessageBoxButton: IDOK, IDCANCEL, ...
};

struct DialogPaintInput {
    const DialogState* state = nullptr;
    int* treeScroll = nullptr;                // first tree row shown; kept so the selection shows
    std::vector<std::wstring> activeXLines;   // what an ActiveX control shows (the viewer's file)
    std::vector<std::wstring> log;            // the latest events, newest last
    std::wstring help;                        // the key line at the bottom
};

void PaintDialog(ScreenBuffer& screen, const DialogPaintInput& input, std::vector<ScreenTarget>& targets);

// The tree row text a person reads: indentation, +/- for a closed/open branch, [ ]/[x], label.
std::wstring TreeRowText(const TreeRowState& row);

} // namespace plmclient
