// What the scripted user does on a dialog: finds controls and tree items the way a person does
// (by their text) and acts through the desktop's input functions.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "Script.h"

namespace plmclient {

// Runs one action on the dialog. Returns false (with a reason) when the action cannot be done.
bool RunDialogAction(HWND dialog, const ScriptAction& action, std::string& error);

// Writes a picture of the dialog to the file and traces it; each build draws it its own way.
bool SaveDialogSnapshot(HWND dialog, const std::string& file, std::string& error);

// The tree item an ITEM text names (see the script help), or null.
HTREEITEM FindTreeItem(HWND tree, const std::wstring& spec);

} // namespace plmclient
