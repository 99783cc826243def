// What a person's key or mouse click does on a dialog, given to the window system as the input
// a person at a Windows desktop would give (winenv's input functions), never as a change of
// state behind the dialog's back.
#pragma once

#include <windows.h>

#include <vector>

#include "DialogPainter.h"
#include "InputDecoder.h"

namespace plmclient {

// Keys of a dialog with a tree (the light file manager):
//   Up/Down/Home/End/PgUp/PgDn  move the selection        Right/Left  open/close a branch
//   Space     the focused control's space bar: on the tree it toggles the selected item's box only
//   Enter, c  click the selected item's check box (the click carries to its branch)
//   o, F5     double-click the selected item (a file opens in the viewer)
//   d p s     click the filter box DWG, PDF, STEP (any check box by its first letter)
//   P D       click 打印 (Print), 下载 (Download)       q  click 取消 (Cancel)
//   Tab, Shift-Tab  move the focus                      Esc  the dialog's Escape (cancel)
// On other dialogs Enter and Space go to the focused control, Esc cancels.
// Mouse: a click on [ ] clicks the check box, on a label the label (twice quickly: a double
// click), on +/- opens or closes the branch, on a button or box clicks it.
class DialogInput {
public:
    // Gives the event to the dialog; false when the event means nothing there.
    bool Act(HWND dialog, const InputEvent& event, const std::vector<ScreenTarget>& targets);

private:
    bool ActOnKey(HWND dialog, const InputEvent& event);
    bool ActOnMouse(const InputEvent& event, const std::vector<ScreenTarget>& targets);

    // The last left press, to tell a double click.
    unsigned long long m_lastPressMs = 0;
    int m_lastRow = -1, m_lastColumn = -1;
};

} // namespace plmclient
