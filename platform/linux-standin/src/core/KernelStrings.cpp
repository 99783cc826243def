// kernel32's string helpers, MulDiv and the debugger output.
#include <cstdio>
#include <cwchar>

#include <winbase.h>
#include <win32crt.h>

#include "winenv/Trace.h"

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
