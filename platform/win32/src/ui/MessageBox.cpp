// MessageBoxW: a modal loop of its own, answered by the desktop's user. The owner is disabled
// while the box is up, as Windows does.
#include <string>

#include "WindowSystem.h"
#include "win32host/Desktop.h"
#include "win32host/Trace.h"

namespace win32ui {

const char* IconName(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONERROR: return "error";
    case MB_ICONQUESTION: return "question";
    case MB_ICONWARNING: return "warning";
    case MB_ICONINFORMATION: return "information";
    }
    return "none";
}

const char* ButtonsName(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return "okcancel";
    case MB_ABORTRETRYIGNORE: return "abortretryignore";
    case MB_YESNOCANCEL: return "yesnocancel";
    case MB_YESNO: return "yesno";
    case MB_RETRYCANCEL: return "retrycancel";
    case MB_CANCELTRYCONTINUE: return "canceltrycontinue";
    }
    return "ok";
}

std::string ResultName(int id)
{
    switch (id) {
    case IDOK: return "ok";
    case IDCANCEL: return "cancel";
    case IDABORT: return "abort";
    case IDRETRY: return "retry";
    case IDIGNORE: return "ignore";
    case IDYES: return "yes";
    case IDNO: return "no";
    case IDTRYAGAIN: return "tryagain";
    case IDCONTINUE: return "continue";
    }
    return std::to_string(id);
}

} // namespace win32ui

using namespace win32ui;

extern "C" {

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    std::wstring text = lpText ? lpText : L"";
    // Windows captions an untitled box "Error".
    std::wstring caption = lpCaption ? lpCaption : L"Error";
    HWND owner = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
    bool ownerDisabled = owner && IsWindowEnabled(owner) && !(uType & MB_SYSTEMMODAL);
    if (ownerDisabled)
        EnableWindow(owner, FALSE);
    int result = win32host::GetDesktopUser().OnMessageBox(hWnd, text, caption, uType);
    if (ownerDisabled && IsWindow(owner))
        EnableWindow(owner, TRUE);
    win32host::Trace("messagebox", {{"text", win32host::ToUtf8(text)}, {"caption", win32host::ToUtf8(caption)},
                                       {"icon", IconName(uType)}, {"buttons", ButtonsName(uType)},
                                       {"result", ResultName(result)}});
    return result;
}

} // extern "C"
