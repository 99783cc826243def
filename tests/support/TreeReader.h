// Reads and works the manager's tree through the tree view's own messages, as another program on
// the desktop could.
#pragma once

#include <string>

#include <windows.h>
#include <commctrl.h>

namespace viztest {

// The manager's controls.
inline constexpr int kTreeControl = 27000, kPrintButton = 27003, kDownloadButton = 27004, kDwgBox = 27005,
                     kPdfBox = 27006, kStepBox = 27008;

HWND ManagerTree(HWND dialog);

int ItemImage(HWND tree, HTREEITEM item);

// The tree as text: "label{child,child}" for every root, roots separated by ";".
std::wstring DescribeTree(HWND tree);
// Labels of the checked items, depth first, separated by ",".
std::wstring CheckedItems(HWND tree);
// The first item, depth first, with this label; null when none.
HTREEITEM FindItem(HWND tree, const std::wstring& label);
// Expands every branch, so that every item is shown and can be clicked.
void ExpandAll(HWND tree);

} // namespace viztest
