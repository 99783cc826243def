#include "ScriptedUser.h"

namespace viztest {

std::vector<std::wstring> ScriptedUser::MessageTexts() const
{
    std::vector<std::wstring> texts;
    for (const MessageSeen& m : messages)
        texts.push_back(m.text);
    return texts;
}

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
    wchar_t caption[128] = {};
    GetWindowTextW(dialog, caption, 128);
    if (std::wstring(caption) == kViewerCaption) {
        ++viewerDialogs;
        if (onViewer)
            onViewer(dialog);
    } else if (std::wstring(caption) == kManagerCaption) {
        ++managerDialogs;
        if (onManager)
            onManager(dialog);
    } else {
        otherDialogs.push_back(caption);
    }
}

} // namespace viztest
