// A request to the shell as the desktop sees it: traced and handed to the desktop's user. The
// stand-in's ShellExecuteW and the Windows build's scripted desktop share it, so the two builds
// describe a request alike.
#include <windows.h>

#include <shellapi.h>

#include <string>

#include "winenv/Desktop.h"
#include "winenv/Trace.h"

namespace winenv {

HINSTANCE ShellExecuteOnDesktop(
    DesktopUser& user, LPCWSTR operation, LPCWSTR file, LPCWSTR parameters, LPCWSTR directory, INT show)
{
    const std::wstring verb = operation ? operation : L"";
    const std::wstring target = file ? file : L"";
    Trace("shell_execute", {{"verb", ToUtf8(verb)}, {"file", ToUtf8(target)},
                               {"parameters", ToUtf8(parameters ? parameters : L"")},
                               {"directory", ToUtf8(directory ? directory : L"")}, {"show", std::to_string(show)}});
    if (target.empty())
        return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(SE_ERR_FNF));
    user.OnShellExecute(verb.empty() ? L"open" : verb, target);
    return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(42)); // above 32: success
}

} // namespace winenv
