#include "ScriptedUser.h"

namespace viztest {

std::vector<std::wstring> ScriptedUser::MessageTexts() const
{
    std::vector<std::wstring> texts;
    for (const MessageSeen& m : messages)
        texts.push_back(m.text);
    return texts;
}

int ScriptedUser::OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type)
{
    messages.push_back({text, caption, type});
    return messageBox ? messageBox(owner, text, caption, type) : DefaultDesktopUser::OnMessageBox(owner, text, caption, type);
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

void ScriptedUser::OnModalDialog(HWND hwnd)
{
    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    const std::wstring caption(text);
    if (caption == kViewerCaption)
        ++viewerDialogs;
    else if (caption == kManagerCaption)
        ++managerDialogs;
    else
        otherDialogs.push_back(caption);
    const std::function<void(HWND)>& act = dialog ? dialog
        : caption == kViewerCaption                ? onViewer
        : caption == kManagerCaption               ? onManager
                                                   : dialog;
    if (act)
        act(hwnd);
}

} // namespace viztest
