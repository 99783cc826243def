// Icons and image lists as the window system keeps them. Images are known by their size and a
// label that says what they show (".pdf", "folder", "resource 27003"), which is what the SVG
// picture of a window draws; an icon from a module's resources also keeps its pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "commctrl.h"

struct _IMAGELIST {
    int cx = 16;
    int cy = 16;
    UINT flags = 0;
    std::vector<std::wstring> images; // one label per image
    COLORREF background = CLR_NONE;
    bool system = false; // the process-wide system list: never destroyed
};

namespace win32ui {

struct IconObject {
    int width = 32;
    int height = 32;
    std::wstring label;
    bool shared = false; // LoadIcon's icons: DestroyIcon leaves them alone
    std::vector<std::uint32_t> pixels; // 0xAARRGGBB, rows top-down; empty for the system's icons
};

HICON NewIcon(const IconObject& icon);
const IconObject* FindIcon(HICON icon);
std::wstring ImageListLabel(HIMAGELIST list, int index);

// The shell's small-icon list and the index of the icon for a kind of file.
HIMAGELIST SystemSmallImageList();
int SystemIconIndexForExtension(const std::wstring& extension); // ".pdf"; empty: a file without one
int SystemFolderIconIndex();
int SystemDriveIconIndex();

} // namespace win32ui
