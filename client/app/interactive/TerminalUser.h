// The desktop's user as a person at the terminal: every dialog, message box, folder picker and
// wait window of the window system is drawn on the terminal, and the person's keys and mouse
// clicks go back to the window system as input (see DialogInput.h for the keys).
#pragma once

#include <chrono>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <qvclient/Client.h>
#include <winenv/Desktop.h>
#include <winenv/Trace.h>

#include "DialogInput.h"
#include "Overlays.h"
#include "TerminalSession.h"

namespace plmclient {

class TerminalUser : public winenv::DesktopUser {
public:
    TerminalUser();
    ~TerminalUser() override;
    TerminalUser(const TerminalUser&) = delete;
    TerminalUser& operator=(const TerminalUser&) = delete;

    int OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    std::optional<std::wstring> OnBrowseForFolder(HWND owner, const std::wstring& title) override;
    void OnModalDialog(HWND dialog) override;

    // The client's wait window, shown as a progress box.
    void OnWait(const qvclient::WaitEvent& event);

    // Why the terminal could not be used, when it could not.
    const std::string& Error() const { return m_error; }

private:
    bool EnsureTerminal();
    void Redraw();
    // The next key or click; redraws on a resize. False when the terminal has gone.
    bool NextEvent(InputEvent& event);
    void Observe(const winenv::TraceEvent& e);

    TerminalSession m_terminal;
    std::string m_error;
    bool m_gone = false;
    std::string m_pending; // bytes read but not yet decoded
    DialogInput m_input;

    std::vector<HWND> m_dialogs; // innermost last
    std::map<HWND, int> m_treeScroll;
    std::vector<ScreenTarget> m_targets;
    std::optional<MessageBoxView> m_box;
    std::optional<FolderPromptView> m_prompt;
    std::optional<WaitView> m_wait;
    std::chrono::steady_clock::time_point m_waitStart;

    std::mutex m_mutex; // the trace may speak from other threads
    std::deque<std::wstring> m_log;
    std::vector<std::wstring> m_viewerLines;
    std::thread::id m_uiThread;
    int m_traceCookie;
};

} // namespace plmclient
