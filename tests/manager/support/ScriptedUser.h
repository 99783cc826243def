// The person at the desktop, scripted by a test: acts on the manager dialog and on the viewer
// dialogs it opens, answers message boxes with OK and the folder picker from a queue.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <win32host/Desktop.h>

namespace managertest {

struct ShownMessage {
    std::wstring text;
    std::wstring caption;
    UINT type;
};

class ScriptedUser : public win32host::DesktopUser {
public:
    // Acts on the manager dialog; the dialog is closed afterwards.
    std::function<void(HWND)> onManager;
    // Acts on every viewer dialog (caption "浏览"); by default the viewer is closed at once.
    std::function<void(HWND)> onViewer;
    // Answers of the folder picker, in order; nothing left means cancel.
    std::deque<std::optional<std::wstring>> folders;

    std::vector<ShownMessage> messages;
    std::vector<std::wstring> pickerTitles;
    int viewerDialogs = 0;

    int OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    std::optional<std::wstring> OnBrowseForFolder(HWND owner, const std::wstring& title) override;
    void OnModalDialog(HWND dialog) override;
};

} // namespace managertest
