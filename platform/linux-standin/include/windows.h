// The Windows API as this platform offers it: types, errors, kernel32, COM and automation, the
// C runtime with its Windows meaning and, when present, the user interface.
// As the SDK's, it gives neither the common controls (commctrl.h) nor the generic-text names
// (tchar.h), and leaves UNICODE to the build (the win32 target defines it).
#pragma once

#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#if __has_include("libloaderapi.h")
#include "libloaderapi.h"
#endif
#include "winnls.h"
#include "objbase.h"
#include "oleauto.h"
#include "win32crt.h"

#if __has_include("winuser.h")
#include "winuser.h"
#endif
