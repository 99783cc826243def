#include "QvString.h"

#include <cwctype>

int CStringHelper::BSTRCompare(LPCWSTR lpszA, LPCWSTR lpszB, int nFlags)
{
    const wchar_t* a = lpszA != nullptr ? lpszA : L"";
    const wchar_t* b = lpszB != nullptr ? lpszB : L"";
    for (;; ++a, ++b) {
        wint_t ca = static_cast<wint_t>(*a);
        wint_t cb = static_cast<wint_t>(*b);
        if (nFlags & 1) {
            ca = std::towlower(ca);
            cb = std::towlower(cb);
        }
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}
