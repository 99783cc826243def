// The icon AfxMessageBox shows for each type: MFC adds its default when the type names none.
// The framework's tests and the Windows build under Wine hold AfxMessageBox to this table.
#pragma once

#include <windows.h>

struct MessageBoxIconCase {
    UINT type;
    UINT shown;
};

inline const MessageBoxIconCase kMessageBoxIconCases[] = {
    {MB_OK, MB_OK | MB_ICONEXCLAMATION},
    {MB_OKCANCEL, MB_OKCANCEL | MB_ICONEXCLAMATION},
    {MB_YESNO, MB_YESNO | MB_ICONQUESTION},
    {MB_YESNOCANCEL, MB_YESNOCANCEL | MB_ICONQUESTION},
    {MB_ABORTRETRYIGNORE, MB_ABORTRETRYIGNORE},
    {MB_RETRYCANCEL, MB_RETRYCANCEL},
    {MB_OK | MB_ICONERROR, MB_OK | MB_ICONERROR},
    {MB_OK | MB_ICONINFORMATION, MB_OK | MB_ICONINFORMATION},
    {MB_YESNO | MB_ICONWARNING, MB_YESNO | MB_ICONWARNING},
};
