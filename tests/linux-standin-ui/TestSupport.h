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

// Items "prefix0", "prefix1", ... appended at the tree's root, in that order.
inline std::vector<HTREEITEM> InsertRootItems(HWND tree, int count, const std::wstring& prefix)
{
    std::vector<HTREEITEM> items;
    for (int i = 0; i < count; ++i) {
        std::wstring text = prefix + std::to_wstring(i);
        TVINSERTSTRUCTW is{};
        is.hParent = TVI_ROOT;
        is.hInsertAfter = TVI_LAST;
        is.item.mask = TVIF_TEXT;
        is.item.pszText = &text[0];
        items.push_back(TreeView_InsertItem(tree, &is));
    }
    return items;
}

// A program registers the tree view class before it makes a tree, as comctl32 requires.
inline void RegisterTreeViewClass()
{
    INITCOMMONCONTROLSEX init{sizeof(init), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&init);
}

