// The Windows API as this platform offers it: types, errors, kernel32, COM and automation, the
// C runtime with its Windows meaning and, when present, the user interface.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#include "windef.h"
#include "winerror.h"
#include "winbase.h"
#if __has_include("libloaderapi.h")
#include "libloaderapi.h"
#endif
#include "winnls.h"
#include "objbase.h"
#include "oleauto.h"
#include "tchar.h"
#include "win32crt.h"

#if __has_include("winuser.h")
#include "winuser.h"
#endif
