// The C runtime with its Windows meaning, where glibc offers the same name with another one or
// lacks it.
//
// Wide formats: %s and %c take WIDE arguments in the wide functions (glibc: narrow); %S, %hs and
// %hc narrow (UTF-8); %ls, %ws, %lc wide. %ld/%lu/%lx take a 32-bit LONG/ULONG (long is 32 bits on
// Windows); %I64d, %lld 64 bits; %I32d 32 bits; %Id, %zd pointer-sized. %p prints the pointer as
// upper-case hexadecimal digits without "0x". Width, precision ('*' too) and the flags - + 0 # blank
// behave as in printf.
//
// wcstok with two arguments keeps its position per thread, as on Windows.
#pragma once

#include <cerrno>
#include <cstdarg>
#include <cstddef>
#include <cwchar>

#include "windef.h"

typedef int errno_t;
#ifndef _TRUNCATE
#define _TRUNCATE ((size_t)-1)
#endif
#ifndef STRUNCATE
#define STRUNCATE 80
#endif

extern "C" {
// Formatting. The _s functions write at most sizeOfBuffer characters including the terminator;
// they return the characters written, or -1 when the text did not fit.
int _vsnwprintf_s(wchar_t* buffer, size_t sizeOfBuffer, size_t count, const wchar_t* format, va_list argptr);
int vswprintf_s(wchar_t* buffer, size_t numberOfElements, const wchar_t* format, va_list argptr);
int swprintf_s(wchar_t* buffer, size_t sizeOfBuffer, const wchar_t* format, ...);
// Characters the format would produce, without the terminator; -1 for a bad format.
int _vscwprintf(const wchar_t* format, va_list argptr);

// Numbers from text: leading blanks and one sign, then digits up to the first other character;
// 0 when there are none; clamped on overflow.
int _wtoi(const wchar_t* str);

// Case-insensitive comparison (the "C" locale: A-Z only).
int _wcsicmp(const wchar_t* string1, const wchar_t* string2);
int _wcsnicmp(const wchar_t* string1, const wchar_t* string2, size_t count);

// Bounded copies: on overflow the destination becomes empty and ERANGE is returned, except that
// wcsncpy_s with _TRUNCATE keeps what fits and returns STRUNCATE.
errno_t wcscpy_s(wchar_t* dest, size_t destsz, const wchar_t* src);
errno_t wcsncpy_s(wchar_t* dest, size_t destsz, const wchar_t* src, size_t count);
}

// Two-argument wcstok: the position lives in per-thread state; runs of delimiters are skipped, so
// empty fields vanish.
wchar_t* wcstok(wchar_t* strToken, const wchar_t* strDelimit);

template <size_t N>
inline int swprintf_s(wchar_t (&buffer)[N], const wchar_t* format, ...)
{
    va_list args;
    va_start(args, format);
    int n = vswprintf_s(buffer, N, format, args);
    va_end(args);
    return n;
}
template <size_t N>
inline errno_t wcscpy_s(wchar_t (&dest)[N], const wchar_t* src) { return wcscpy_s(dest, N, src); }
template <size_t N>
inline errno_t wcsncpy_s(wchar_t (&dest)[N], const wchar_t* src, size_t count) { return wcsncpy_s(dest, N, src, count); }
