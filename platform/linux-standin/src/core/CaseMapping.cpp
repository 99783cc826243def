// Case mapping as user32 and kernel32 do it: every letter with a one-to-one partner (Latin,
// Greek, Cyrillic, Armenian, full-width Latin) in any locale; a letter whose other case is longer
// (the sharp s) keeps its case.
#include <algorithm>
#include <array>
#include <cwchar>

#include <winbase.h>
#include <winnls.h>
#include <winuser.h>

#include "CaseTable.h"

namespace win32core {

namespace {

// Both directions indexed by the BMP code unit; 0 where a character has no partner.
struct CaseMaps {
    std::array<unsigned short, 0x10000> toLower{};
    std::array<unsigned short, 0x10000> toUpper{};
    CaseMaps()
    {
        for (size_t i = 0; i < kCasePairCount; ++i) {
            toLower[kCasePairs[i].upper] = kCasePairs[i].lower;
            toUpper[kCasePairs[i].lower] = kCasePairs[i].upper;
        }
    }
};

const CaseMaps& Maps()
{
    static const CaseMaps maps;
    return maps;
}

wchar_t Map(wchar_t c, const std::array<unsigned short, 0x10000>& map)
{
    if (c < 0 || static_cast<unsigned long>(c) > 0xFFFF)
        return c;
    unsigned short partner = map[static_cast<size_t>(c)];
    return partner ? static_cast<wchar_t>(partner) : c;
}

} // namespace

wchar_t ToLowerCase(wchar_t c) { return Map(c, Maps().toLower); }
wchar_t ToUpperCase(wchar_t c) { return Map(c, Maps().toUpper); }

} // namespace win32core

using win32core::ToLowerCase;
using win32core::ToUpperCase;

namespace {

void MapBuffer(LPWSTR text, DWORD length, wchar_t (*map)(wchar_t))
{
    for (DWORD i = 0; i < length; ++i)
        text[i] = map(text[i]);
}

} // namespace

extern "C" {

DWORD WINAPI CharLowerBuffW(LPWSTR lpsz, DWORD cchLength)
{
    if (!lpsz)
        return 0;
    MapBuffer(lpsz, cchLength, ToLowerCase);
    return cchLength;
}

DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength)
{
    if (!lpsz)
        return 0;
    MapBuffer(lpsz, cchLength, ToUpperCase);
    return cchLength;
}

// Equality as Windows decides it; the order of unequal texts is that of their code units once
// folded, which agrees with the linguistic order only for unaccented letters of one script.
int WINAPI CompareStringW(LCID, DWORD dwCmpFlags, PCNZWCH lpString1, int cchCount1, PCNZWCH lpString2, int cchCount2)
{
    if (!lpString1 || !lpString2) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (dwCmpFlags & ~static_cast<DWORD>(NORM_IGNORECASE)) {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    int length1 = cchCount1 < 0 ? static_cast<int>(std::wcslen(lpString1)) : cchCount1;
    int length2 = cchCount2 < 0 ? static_cast<int>(std::wcslen(lpString2)) : cchCount2;
    bool fold = (dwCmpFlags & NORM_IGNORECASE) != 0;
    for (int i = 0; i < std::min(length1, length2); ++i) {
        wchar_t a = fold ? ToLowerCase(lpString1[i]) : lpString1[i];
        wchar_t b = fold ? ToLowerCase(lpString2[i]) : lpString2[i];
        if (a != b)
            return a < b ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
    }
    return length1 == length2 ? CSTR_EQUAL : length1 < length2 ? CSTR_LESS_THAN : CSTR_GREATER_THAN;
}

int WINAPI lstrcmpiW(LPCWSTR a, LPCWSTR b)
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a ? a : L"", -1, b ? b : L"", -1) - CSTR_EQUAL;
}

} // extern "C"
