#include "ScriptedUser.h"

#include <shlwapi.h>
#include <windows.h>

#include <winenv/Trace.h>

namespace plmclient {
namespace {

void MakeFolders(const std::wstring& folder)
{
    for (size_t i = 1; i <= folder.size(); ++i)
        if (i == folder.size() || folder[i] == L'/' || folder[i] == L'\\')
            CreateDirectoryW(folder.substr(0, i).c_str(), nullptr);
}

} // namespace

ScriptedUser::ScriptedUser(std::deque<ScriptAction> actions) : m_actions(std::move(actions)) {}

int ScriptedUser::OnMessageBox(HWND, const std::wstring&, const std::wstring&, UINT type)
{
    if (m_actions.empty() || m_actions.front().verb != "messagebox")
        return winenv::MessageBoxDefaultButton(type);
    const ScriptAction a = m_actions.front();
    m_actions.pop_front();
    const std::string& answer = a.args[0];
    const int button = answer == "ok" ? IDOK : answer == "cancel" ? IDCANCEL : answer == "yes" ? IDYES
        : answer == "no" ? IDNO : 0;
    const std::vector<int> offered = winenv::MessageBoxButtons(type);
    for (int b : offered)
        if (b == button)
            return b;
    m_errors.push_back("script line " + std::to_string(a.line) + ": the message box has no \"" + answer + "\" button");
    return winenv::MessageBoxDefaultButton(type);
}

std::optional<std::wstring> ScriptedUser::OnBrowseForFolder(HWND, const std::wstring&)
{
    if (m_actions.empty() || m_actions.front().verb != "folder")
        return std::nullopt;
    const ScriptAction a = m_actions.front();
    m_actions.pop_front();
    if (a.args[0] == "cancel")
        return std::nullopt;
    // The picker only returns folders that exist; a person makes a missing one with its
    // "Make New Folder" button.
    const std::wstring folder = winenv::FromUtf8(a.args[0]);
    if (!PathIsDirectoryW(folder.c_str()))
        MakeFolders(folder);
    return folder;
}

} // namespace plmclient
