// Wide string functions of the Windows C runtime.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cwchar>

#include <win32crt.h>

namespace {

thread_local wchar_t* t_wcstokNext = nullptr;

wchar_t LowerAscii(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool IsSpace(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r'); }

// Leading blanks, one sign, then decimal digits; clamped to [low, high].
long long ParseDecimal(const wchar_t* str, long long low, long long high)
{
    if (!str) {
        errno = EINVAL;
        return 0;
    }
    const wchar_t* p = str;
    while (IsSpace(*p))
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-')
        negative = *p++ == L'-';
    unsigned long long magnitude = 0;
    bool overflow = false;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        const unsigned digit = static_cast<unsigned>(*p - L'0');
        if (magnitude > (ULLONG_MAX - digit) / 10)
            overflow = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    if (negative) {
        if (overflow || magnitude > static_cast<unsigned long long>(-(low + 1)) + 1) {
            errno = ERANGE;
            return low;
        }
        return static_cast<long long>(0 - magnitude);
    }
    if (overflow || magnitude > static_cast<unsigned long long>(high)) {
        errno = ERANGE;
        return high;
    }
    return static_cast<long long>(magnitude);
}

} // namespace

wchar_t* wcstok(wchar_t* strToken, const wchar_t* strDelimit)
{
    return ::wcstok(strToken, strDelimit, &t_wcstokNext);
}

extern "C" int _wtoi(const wchar_t* str) { return static_cast<int>(ParseDecimal(str, INT_MIN, INT_MAX)); }

extern "C" int _wcsicmp(const wchar_t* string1, const wchar_t* string2)
{
    return _wcsnicmp(string1, string2, static_cast<size_t>(-1));
}

extern "C" int _wcsnicmp(const wchar_t* string1, const wchar_t* string2, size_t count)
{
    if (!string1 || !string2) {
        errno = EINVAL;
        return INT_MAX;
    }
    for (size_t i = 0; i < count; ++i) {
        const wchar_t a = LowerAscii(string1[i]);
        const wchar_t b = LowerAscii(string2[i]);
        if (a != b)
            return a < b ? -1 : 1;
        if (a == 0)
            break;
    }
    return 0;
}

extern "C" errno_t wcscpy_s(wchar_t* dest, size_t destsz, const wchar_t* src)
{
    if (!dest || destsz == 0)
        return EINVAL;
    if (!src) {
        dest[0] = 0;
        return EINVAL;
    }
    const size_t length = std::wcslen(src);
    if (length >= destsz) {
        dest[0] = 0;
        return ERANGE;
    }
    std::wmemcpy(dest, src, length + 1);
    return 0;
}

extern "C" errno_t wcsncpy_s(wchar_t* dest, size_t destsz, const wchar_t* src, size_t count)
{
    if (!dest || destsz == 0)
        return (!dest && destsz == 0 && count == 0) ? 0 : EINVAL;
    if (!src) {
        dest[0] = 0;
        return count == 0 ? 0 : EINVAL;
    }
    size_t length = 0;
    while (length < count && src[length])
        ++length;
    if (length >= destsz) {
        if (count == _TRUNCATE) {
            std::wmemcpy(dest, src, destsz - 1);
            dest[destsz - 1] = 0;
            return STRUNCATE;
        }
        dest[0] = 0;
        return ERANGE;
    }
    std::wmemcpy(dest, src, length);
    dest[length] = 0;
    return 0;
}
