// Reads the manager's tree through the tree view's own messages, as another program could.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

namespace managertest {

HWND ManagerTree(HWND dialog);

std::wstring ItemText(HWND tree, HTREEITEM item);
LPARAM ItemData(HWND tree, HTREEITEM item);
int ItemImage(HWND tree, HTREEITEM item);
bool IsChecked(HWND tree, HTREEITEM item);

// The tree as text: "label{child,child}" for every root, roots separated by ";".
std::wstring DescribeTree(HWND tree);
// Labels of the checked items, depth first.
std::wstring CheckedItems(HWND tree);
// The first item, depth first, with this label; null when none.
HTREEITEM FindItem(HWND tree, const std::wstring& label);
// Expands every item, so that every item is shown and can be clicked.
void ExpandAll(HWND tree);

} // namespace managertest
