// kernel32's string helpers, MulDiv and the debugger output.
#include <cstdio>
#include <cwchar>

#include <winbase.h>
#include <win32crt.h>

#include "win32host/Trace.h"

extern "C" int WINAPI lstrlenW(LPCWSTR s) { return s ? static_cast<int>(std::wcslen(s)) : 0; }

extern "C" int WINAPI lstrcmpW(LPCWSTR a, LPCWSTR b)
{
    const int r = std::wcscmp(a ? a : L"", b ? b : L"");
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

extern "C" LPWSTR WINAPI lstrcpyW(LPWSTR dst, LPCWSTR src)
{
    if (!dst || !src)
        return nullptr;
    return std::wcscpy(dst, src);
}

// Copies at most iMaxLength - 1 characters and always terminates.
extern "C" LPWSTR WINAPI lstrcpynW(LPWSTR dst, LPCWSTR src, int iMaxLength)
{
    if (!dst || !src || iMaxLength <= 0)
        return dst;
    int i = 0;
    for (; i + 1 < iMaxLength && src[i]; ++i)
        dst[i] = src[i];
    dst[i] = 0;
    return dst;
}

extern "C" LPWSTR WINAPI lstrcatW(LPWSTR dst, LPCWSTR src)
{
    if (!dst || !src)
        return nullptr;
    return std::wcscat(dst, src);
}

// nNumber * nNumerator / nDenominator with a 64-bit product, rounded half away from zero; -1 when
// nDenominator is 0 or the result overflows.
extern "C" int WINAPI MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    long long product = static_cast<long long>(nNumber) * nNumerator;
    long long denominator = nDenominator;
    if (denominator < 0)
        product = -product, denominator = -denominator;
    const long long half = denominator / 2;
    const long long result = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
    if (result > 0x7FFFFFFFLL || result < -0x80000000LL)
        return -1;
    return static_cast<int>(result);
}

extern "C" void WINAPI OutputDebugStringW(LPCWSTR lpOutputString)
{
    win32host::Trace("debug_output", {{"text", win32host::ToUtf8(lpOutputString)}});
}
