// Finds an installed TrueType face for a Windows font name, preferring one that covers the text.
#pragma once

#include <string>

namespace pdfstamp {

struct FontFile {
    std::string path;
    int index = 0; // face index inside a collection (.ttc)
};

// Maps Windows names ("宋体", "SimSun", "黑体", "Arial", "Times New Roman", ...) to the families that
// stand in for them, lets fontconfig rank the installed faces, and picks the first TrueType face
// that has every character of `text` (the best-covering one when none has all). Empty path when
// no TrueType face is installed at all.
FontFile LocateFont(const std::wstring& windowsName, const std::wstring& text);

} // namespace pdfstamp
