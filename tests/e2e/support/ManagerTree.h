// The manager's tree read and worked through the tree view's own messages, as another program
// on the desktop could.
#pragma once

#include <string>

#include <windows.h>
#include <commctrl.h>

namespace e2e {

inline constexpr int kTreeControl = 27000;
inline constexpr int kDownloadButton = 27004;

HWND ManagerTree(HWND dialog);
std::wstring ItemText(HWND tree, HTREEITEM item);
// "label{child,child}" for every root, roots separated by ";".
std::wstring DescribeTree(HWND tree);
// Labels of the checked items, depth first, separated by ",".
std::wstring CheckedItems(HWND tree);
// The first item with this label, depth first; null when none.
HTREEITEM FindItem(HWND tree, const std::wstring& label);
// Opens every branch, so that every item is shown and can be clicked.
void ExpandAll(HWND tree);

} // namespace e2e
