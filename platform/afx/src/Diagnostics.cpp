// The report of a failed ASSERT: file and line, where the debug runtime's report gives them,
// then the caller breaks.
#include <afx.h>

#include <cstdio>

BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    std::fprintf(stderr, "Debug Assertion Failed! File: %s, Line: %d\n", lpszFileName, nLine);
    std::fflush(stderr);
    return TRUE;
}
