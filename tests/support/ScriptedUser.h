// The person at the desktop, scripted by a test: answers message boxes with OK and the folder
// picker from a queue, and acts on the manager and viewer dialogs through callbacks.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <win32host/Desktop.h>

namespace viztest {

struct MessageSeen {
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
};

class ScriptedUser : public win32host::DesktopUser {
public:
    // Acts on the light file manager; it is closed afterwards if still open.
    std::function<void(HWND)> onManager;
    // Acts on each viewer dialog; by default it is closed at once.
    std::function<void(HWND)> onViewer;
    // The folder picker's answers in order; none left means cancel.
    std::deque<std::optional<std::wstring>> folders;

    std::vector<MessageSeen> messages;
    std::vector<std::wstring> pickerTitles;
    int managerDialogs = 0;
    int viewerDialogs = 0;
    std::vector<std::wstring> otherDialogs; // captions of any other dialog

    std::vector<std::wstring> MessageTexts() const;

    int OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    std::optional<std::wstring> OnBrowseForFolder(HWND owner, const std::wstring& title) override;
    void OnModalDialog(HWND dialog) override;
};

// The manager's caption and the viewer's, as their templates give them.
inline constexpr const wchar_t* kManagerCaption = L"轻量化文件管理";
inline constexpr const wchar_t* kViewerCaption = L"浏览";

} // namespace viztest
