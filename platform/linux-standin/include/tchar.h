// Generic-text names. This platform is always _UNICODE: every _t name is the wide function with
// its Windows meaning (win32crt.h).
#pragma once

#include <cwchar>

#include "win32crt.h"

typedef wchar_t _TCHAR;
typedef wchar_t _TSCHAR;
typedef wchar_t _TUCHAR;
typedef wint_t _TINT;

#ifndef _TEOF
#define _TEOF WEOF
#endif

#define __T(x) L##x
#define _T(x) __T(x)

#define _tcslen wcslen
#define _tcscmp wcscmp
#define _tcsncmp wcsncmp
#define _tcsicmp _wcsicmp
#define _tcsnicmp _wcsnicmp
#define _tcschr wcschr
#define _tcsrchr wcsrchr
#define _tcsstr wcsstr
#define _tcstok wcstok
#define _tcscpy_s wcscpy_s
#define _tcsncpy_s wcsncpy_s
#define _tcstol wcstol
#define _tcstoul wcstoul
#define _tcstod wcstod
#define _ttoi _wtoi
#define _stprintf_s swprintf_s
#define _vstprintf_s vswprintf_s
#define _vsntprintf_s _vsnwprintf_s
#define _vsctprintf _vscwprintf
