// ShellExecuteW: the request is traced and handed to the desktop's user, who on a real screen
// opens the document or folder.
#include <string>

#include "WindowSystem.h"
#include "shellapi.h"
#include "win32host/Desktop.h"
#include "win32host/Trace.h"

extern "C" {

HINSTANCE WINAPI ShellExecuteW(HWND, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory,
    INT nShowCmd)
{
    std::wstring verb = lpOperation ? lpOperation : L"";
    std::wstring file = lpFile ? lpFile : L"";
    win32host::Trace("shell_execute", {{"verb", win32host::ToUtf8(verb)}, {"file", win32host::ToUtf8(file)},
                                          {"parameters", win32host::ToUtf8(lpParameters ? lpParameters : L"")},
                                          {"directory", win32host::ToUtf8(lpDirectory ? lpDirectory : L"")},
                                          {"show", std::to_string(nShowCmd)}});
    if (file.empty())
        return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(SE_ERR_FNF));
    win32host::GetDesktopUser().OnShellExecute(verb.empty() ? L"open" : verb, file);
    return reinterpret_cast<HINSTANCE>(static_cast<ULONG_PTR>(42)); // above 32: success
}

} // extern "C"
