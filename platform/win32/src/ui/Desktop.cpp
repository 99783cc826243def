// The desktop's user and the screen.
#include <algorithm>

#include "WindowSystem.h"
#include "win32host/Desktop.h"

namespace win32host {

namespace {
DesktopUser*& InstalledUser()
{
    static DesktopUser* user = nullptr;
    return user;
}
} // namespace

std::vector<int> MessageBoxButtons(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {IDOK, IDCANCEL};
    case MB_ABORTRETRYIGNORE: return {IDABORT, IDRETRY, IDIGNORE};
    case MB_YESNOCANCEL: return {IDYES, IDNO, IDCANCEL};
    case MB_YESNO: return {IDYES, IDNO};
    case MB_RETRYCANCEL: return {IDRETRY, IDCANCEL};
    case MB_CANCELTRYCONTINUE: return {IDCANCEL, IDTRYAGAIN, IDCONTINUE};
    }
    return {IDOK};
}

int MessageBoxDefaultButton(UINT type)
{
    std::vector<int> buttons = MessageBoxButtons(type);
    size_t index = (type & MB_DEFMASK) >> 8;
    return buttons[std::min(index, buttons.size() - 1)];
}

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

} // namespace win32host
