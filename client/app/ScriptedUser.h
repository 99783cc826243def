// The desktop's user as a script: answers message boxes and the folder picker and acts on
// dialogs, line by line.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include <winenv/Desktop.h>

#include "Script.h"

namespace plmclient {

class ScriptedUser : public winenv::DesktopUser {
public:
    explicit ScriptedUser(std::deque<ScriptAction> actions);

    int OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override;
    std::optional<std::wstring> OnBrowseForFolder(HWND owner, const std::wstring& title) override;
    // Runs the script's dialog lines; defined with the dialog actions of each build.
    void OnModalDialog(HWND dialog) override;

    // Script lines that could not be carried out, and lines never reached.
    const std::vector<std::string>& Errors() const { return m_errors; }
    size_t Remaining() const { return m_actions.size(); }

private:
    std::deque<ScriptAction> m_actions;
    std::vector<std::string> m_errors;
};

} // namespace plmclient
