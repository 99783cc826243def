// The tree view's rows as drawn, for the picture of a window and for input aimed at a part of an
// item (its check box, its label).
#pragma once

#include <string>
#include <vector>

#include "commctrl.h"

namespace win32ui {

struct TreeRow {
    HTREEITEM item = nullptr;
    int depth = 0;
    RECT row{};       // the whole row, client coordinates
    RECT button{};    // the expand box; empty when the item shows none
    bool expanded = false;
    RECT stateIcon{}; // empty when the item has no state image
    int stateIndex = 0;
    RECT icon{};      // empty without an image list
    int image = 0;
    RECT label{};
    std::wstring text;
    bool selected = false;
};

struct TreePicture {
    std::vector<TreeRow> rows; // the rows shown, top to bottom
    HIMAGELIST normalImages = nullptr;
    DWORD style = 0;
    int indent = 0;
};

// False when the window is not a tree view.
bool DescribeTree(HWND tree, TreePicture& picture);

} // namespace win32ui
