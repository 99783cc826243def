// Helpers for the window system's tests: a tree view's class and items.
#pragma once

#include <string>
#include <vector>

#include "commctrl.h"
#include "windows.h"
#include "winenv/Desktop.h"

#include "DialogTemplateBuilder.h"
#include "ScriptedUser.h"

using viztest::ScriptedUser;

// An item with its text, under the parent after the item given.
inline HTREEITEM InsertItem(HWND tree, const wchar_t* text, HTREEITEM parent = TVI_ROOT, HTREEITEM after = TVI_LAST)
{
    TVINSERTSTRUCTW is{};
    is.hParent = parent;
    is.hInsertAfter = after;
    is.item.mask = TVIF_TEXT;
    is.item.pszText = const_cast<LPWSTR>(text);
    return TreeView_InsertItem(tree, &is);
}

// Items "prefix0", "prefix1", ... appended at the tree's root, in that order.
inline std::vector<HTREEITEM> InsertRootItems(HWND tree, int count, const std::wstring& prefix)
{
    std::vector<HTREEITEM> items;
    for (int i = 0; i < count; ++i)
        items.push_back(InsertItem(tree, (prefix + std::to_wstring(i)).c_str()));
    return items;
}

// A program registers the tree view class before it makes a tree, as comctl32 requires.
inline void RegisterTreeViewClass()
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&init);
}

