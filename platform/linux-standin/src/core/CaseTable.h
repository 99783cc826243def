// The letters that have a case partner, as pairs (upper, lower), ordered by the upper-case letter.
#pragma once

#include <cstddef>

namespace win32core {

struct CasePair {
    unsigned short upper;
    unsigned short lower;
};

extern const CasePair kCasePairs[];
extern const size_t kCasePairCount;

// The partner of a letter, or the character itself when it has none.
wchar_t ToLowerCase(wchar_t c);
wchar_t ToUpperCase(wchar_t c);

} // namespace win32core
