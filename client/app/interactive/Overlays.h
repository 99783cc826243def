// What the terminal shows over a dialog: a message box, the folder prompt, the wait window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "DialogPainter.h"
#include "ScreenBuffer.h"

namespace plmclient {

struct MessageBoxView {
    std::wstring caption;
    std::wstring text;
    UINT type = MB_OK;
    std::vector<int> buttons; // left to right
    size_t chosen = 0;        // the button Enter presses
};

struct FolderPromptView {
    std::wstring title;
    std::wstring text;                 // what has been typed
    std::vector<std::wstring> choices; // folders matching after Tab
    std::wstring note;
};

struct WaitView {
    std::wstring caption;
    long position = 0;
    long total = 0;
    std::wstring file; // the file being written, when known
    double seconds = 0;
};

// The Chinese text a person reads on a message box button, and the icon as a word.
std::wstring ButtonText(int id);
std::wstring IconText(UINT type);

void PaintMessageBox(ScreenBuffer& screen, const MessageBoxView& box, std::vector<ScreenTarget>& targets);
void PaintFolderPrompt(ScreenBuffer& screen, const FolderPromptView& prompt);
void PaintWait(ScreenBuffer& screen, const WaitView& wait);

} // namespace plmclient
