// A picture of a window as the desktop shows it, with its children (buttons, check boxes and their
// state, static texts, tree views with their expand boxes, check boxes, icons and labels, ActiveX
// hosts as labelled boxes), as SVG text in UTF-8. Not a Windows API: never included by the module.
#pragma once

#include <string>

#include "winuser.h"

namespace winenv {

// The picture of a window and its children at the window's own size; empty for a window that
// does not exist.
std::string DrawWindowSvg(HWND window);

// Writes the picture to a POSIX file; false when the window does not exist or the file cannot be
// written.
bool SaveWindowSvg(HWND window, const std::string& path);

} // namespace winenv
