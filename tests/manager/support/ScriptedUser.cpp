#include "ScriptedUser.h"

namespace managertest {

int ScriptedUser::OnMessageBox(HWND, const std::wstring& text, const std::wstring& caption, UINT type)
{
    messages.push_back({text, caption, type});
    return IDOK;
}

std::optional<std::wstring> ScriptedUser::OnBrowseForFolder(HWND, const std::wstring& title)
{
    pickerTitles.push_back(title);
    if (folders.empty())
        return std::nullopt;
    std::optional<std::wstring> answer = folders.front();
    folders.pop_front();
    return answer;
}

void ScriptedUser::OnModalDialog(HWND dialog)
{
    wchar_t caption[256] = {};
    GetWindowTextW(dialog, caption, 256);
    if (std::wstring(caption) == L"浏览") {
        ++viewerDialogs;
        if (onViewer)
            onViewer(dialog);
    } else if (onManager) {
        onManager(dialog);
    }
}

} // namespace managertest
