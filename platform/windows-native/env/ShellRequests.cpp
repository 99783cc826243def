#include "ShellRequests.h"

#include <windows.h>

#include "ImportSlots.h"

namespace winenv {
namespace {

DesktopUser* theUser = nullptr;

HINSTANCE WINAPI ShellExecuteOnUsersDesktop(
    HWND, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT show)
{
    return ShellExecuteOnDesktop(*theUser, operation, file, parameters, directory, show);
}

} // namespace

void WatchShellRequests(DesktopUser* user)
{
    if (!user == !theUser) {
        theUser = user;
        return;
    }
    theUser = user;
    const HMODULE shell = GetModuleHandleW(L"shell32.dll");
    const FARPROC real = shell ? GetProcAddress(shell, "ShellExecuteW") : nullptr;
    const auto desktop = reinterpret_cast<FARPROC>(&ShellExecuteOnUsersDesktop);
    RedirectImports(user ? real : desktop, user ? desktop : real);
}

} // namespace winenv
