// ShellExecuteW: the request is traced and handed to the desktop's user, who on a real screen
// opens the document or folder.
#include <windows.h>

#include <shellapi.h>

#include "winenv/Desktop.h"

extern "C" {

HINSTANCE WINAPI ShellExecuteW(HWND, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters, LPCWSTR lpDirectory,
    INT nShowCmd)
{
    return winenv::ShellExecuteOnDesktop(
        winenv::GetDesktopUser(), lpOperation, lpFile, lpParameters, lpDirectory, nShowCmd);
}

} // extern "C"
