// The person at the desktop, scripted by a test: answers message boxes (by default with their
// default button) and the folder picker from a queue, acts on dialogs through callbacks, and notes
// what it was shown.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <winenv/Desktop.h>

namespace viztest {

struct MessageSeen {
    std::wstring text;
    std::wstring caption;
    UINT type = 0;
};

class ScriptedUser : public winenv::DefaultDesktopUser {
public:
    ScriptedUser() = default;
    explicit ScriptedUser(std::function<void(HWND)> onDialog) : dialog(std::move(onDialog)) {}

    // Chooses the button of each message box; unset, the box's default button is pressed.
    std::function<int(HWND, const std::wstring&, const std::wstring&, UINT)> messageBox;
    // The folder picker's answers in order; none left means cancel.
    std::deque<std::optional<std::wstring>> folders;
    // Act on the light file manager (closed afterwards if still open) and on each viewer dialog (by
    // default closed at once); `dialog`, when set, acts on every dialog instead.
    std::function<void(HWND)> onManager;
    std::function<void(HWND)> onViewer;
    std::function<void(HWND)> dialog;

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
