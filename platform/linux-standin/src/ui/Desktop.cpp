// The desktop's user and the screen.
#include "WindowSystem.h"
#include "winenv/Desktop.h"

namespace winenv {

namespace {
DesktopUser*& InstalledUser()
{
    static DesktopUser* user = nullptr;
    return user;
}
} // namespace

int DefaultDesktopUser::OnMessageBox(HWND, const std::wstring&, const std::wstring&, UINT type)
{
    return MessageBoxDefaultButton(type);
}

std::optional<std::wstring> DefaultDesktopUser::OnBrowseForFolder(HWND, const std::wstring&) { return std::nullopt; }

void DefaultDesktopUser::OnModalDialog(HWND) {}

DesktopUser& GetDesktopUser()
{
    static DefaultDesktopUser defaultUser;
    DesktopUser* user = InstalledUser();
    return user ? *user : defaultUser;
}

DesktopUser* SetDesktopUser(DesktopUser* user)
{
    DesktopUser* previous = InstalledUser();
    InstalledUser() = user;
    return previous;
}

RECT ScreenRect() { return RECT{0, 0, 1920, 1080}; }

RECT WorkArea() { return RECT{0, 0, 1920, 1040}; }

} // namespace winenv
