// The desktop's user for tests of dialogs, message boxes, the folder picker and the shell.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <win32host/Desktop.h>

// A user whose answers a test writes down beforehand; unset answers behave as the default user.
struct ScriptedUser : win32host::DefaultDesktopUser {
    std::function<int(HWND, const std::wstring&, const std::wstring&, UINT)> messageBox;
    std::function<std::optional<std::wstring>(HWND, const std::wstring&)> folder;
    std::function<void(HWND)> dialog;
    std::vector<std::wstring> opened;

    ScriptedUser() = default;
    explicit ScriptedUser(std::function<void(HWND)> onDialog) : dialog(std::move(onDialog)) {}

    int OnMessageBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT type) override
    {
        return messageBox ? messageBox(owner, text, caption, type)
                          : DefaultDesktopUser::OnMessageBox(owner, text, caption, type);
    }
    std::optional<std::wstring> OnBrowseForFolder(HWND owner, const std::wstring& title) override
    {
        return folder ? folder(owner, title) : DefaultDesktopUser::OnBrowseForFolder(owner, title);
    }
    void OnModalDialog(HWND hwnd) override
    {
        if (dialog)
            dialog(hwnd);
    }
    void OnShellExecute(const std::wstring& verb, const std::wstring& file) override { opened.push_back(verb + L" " + file); }
};
