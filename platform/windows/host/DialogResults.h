// The result each modal dialog is ended with. Windows keeps it inside user32 until DialogBox hands
// it to the program, so the desktop takes EndDialog's place in the import tables of the modules
// that are loaded while it watches, as a test harness does, and notes each call.
#pragma once

#include <windows.h>

#include <optional>

namespace win32host {

void WatchDialogResults(bool watch);

// The result the dialog was ended with, forgotten once taken; none if it was not seen.
std::optional<INT_PTR> TakeDialogResult(HWND dialog);

} // namespace win32host
