// A message box as the desktop's user and the trace see it: the buttons of its type and its
// "messagebox" event. The stand-in's MessageBoxW and the Windows build's hook share it, so the
// two builds describe a box alike.
#include <windows.h>

#include <algorithm>
#include <string>

#include "winenv/Desktop.h"
#include "winenv/Trace.h"

namespace winenv {
namespace {

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

void TraceMessageBox(const std::wstring& text, const std::wstring& caption, UINT type, int result)
{
    Trace("messagebox", {{"text", ToUtf8(text)}, {"caption", ToUtf8(caption)}, {"icon", IconName(type)},
                            {"buttons", ButtonsName(type)}, {"result", ResultName(result)}});
}

} // namespace winenv
