// A desktop user whose actions on a modal dialog are given by the test.
#pragma once

#include <functional>

#include <win32host/Desktop.h>

class ScriptedUser : public win32host::DefaultDesktopUser {
public:
    explicit ScriptedUser(std::function<void(HWND)> onDialog) : m_onDialog(std::move(onDialog)) {}
    void OnModalDialog(HWND dialog) override { m_onDialog(dialog); }

private:
    std::function<void(HWND)> m_onDialog;
};
