// ActiveX host windows (atl.dll): the window class "AtlAxWin" creates the control named by its
// window text ("{CLSID}"); AtlAxGetControl hands the control out.
#pragma once

#include <windows.h>

extern "C" {
BOOL WINAPI AtlAxWinInit();
HRESULT WINAPI AtlAxGetControl(HWND h, IUnknown** pp);
}
