// The result each modal dialog is ended with. Windows keeps it inside user32 until DialogBox hands
// it to the program, so the desktop takes EndDialog's place in the import tables of the modules
// already loaded when it starts watching, as a test harness does, and notes each call. A module
// loaded later is not watched: the client loads the module and the framework before its user.
#pragma once

#include <windows.h>

#include <optional>

namespace winenv {

void WatchDialogResults(bool watch);

// The result the dialog was ended with, forgotten once taken; none if it was not seen.
std::optional<INT_PTR> TakeDialogResult(HWND dialog);

} // namespace winenv
