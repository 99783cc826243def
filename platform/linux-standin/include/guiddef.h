// GUID, IID and CLSID, and __uuidof for GCC.
//
// MSVC attaches a GUID to a type with __declspec(uuid). GCC has no such attribute, so an interface
// header names its GUID once, after the type, with __CRT_UUID_DECL(Type, l, w1, w2, b1, ..., b8)
// as mingw-w64 does; then __uuidof(Type), __uuidof(pointer) and __uuidof(object) give it as on
// Windows. A type without a declared GUID fails to compile rather than yielding a wrong one.
//
// DEFINE_GUID declares a named GUID; it defines it only where <initguid.h> came first, as on
// Windows, so a binary that uses a GUID needs one source that defines it.
#pragma once

#include <cstring>
#include <type_traits>

#include "windef.h"

typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;

typedef GUID IID;
typedef GUID CLSID;
typedef GUID* LPGUID;
typedef IID* LPIID;
typedef CLSID* LPCLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

inline bool IsEqualGUID(REFGUID a, REFGUID b) { return std::memcmp(&a, &b, sizeof(GUID)) == 0; }
#define IsEqualIID(a, b) IsEqualGUID(a, b)
#define IsEqualCLSID(a, b) IsEqualGUID(a, b)
inline bool operator==(REFGUID a, REFGUID b) { return IsEqualGUID(a, b); }
inline bool operator!=(REFGUID a, REFGUID b) { return !IsEqualGUID(a, b); }

#ifdef INITGUID
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) \
    extern "C" __attribute__((weak)) const GUID name = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}}
#else
#define DEFINE_GUID(name, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8) extern "C" const GUID name
#endif

namespace win32_guid {

constexpr int hex_digit(char c)
{
    return (c >= '0' && c <= '9') ? c - '0'
        : (c >= 'a' && c <= 'f')  ? c - 'a' + 10
        : (c >= 'A' && c <= 'F')  ? c - 'A' + 10
                                  : throw "not a hexadecimal digit in a GUID";
}

constexpr unsigned long long hex_field(const char* s, int pos, int digits)
{
    unsigned long long v = 0;
    for (int i = 0; i < digits; ++i)
        v = v * 16 + static_cast<unsigned>(hex_digit(s[pos + i]));
    return v;
}

// "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx", with or without braces.
template <std::size_t N>
constexpr GUID parse(const char (&text)[N])
{
    static_assert(N == 37 || N == 39, "a GUID text has 36 characters, or 38 with braces");
    const char* s = text + (N == 39 ? 1 : 0);
    if (s[8] != '-' || s[13] != '-' || s[18] != '-' || s[23] != '-')
        throw "malformed GUID";
    return GUID{static_cast<DWORD>(hex_field(s, 0, 8)),
        static_cast<WORD>(hex_field(s, 9, 4)),
        static_cast<WORD>(hex_field(s, 14, 4)),
        {static_cast<BYTE>(hex_field(s, 19, 2)), static_cast<BYTE>(hex_field(s, 21, 2)),
            static_cast<BYTE>(hex_field(s, 24, 2)), static_cast<BYTE>(hex_field(s, 26, 2)),
            static_cast<BYTE>(hex_field(s, 28, 2)), static_cast<BYTE>(hex_field(s, 30, 2)),
            static_cast<BYTE>(hex_field(s, 32, 2)), static_cast<BYTE>(hex_field(s, 34, 2))}};
}

template <class T>
struct uuid_of; // specialised by __CRT_UUID_DECL

template <class T>
using uuid_subject = std::remove_cv_t<std::remove_pointer_t<std::remove_cv_t<std::remove_reference_t<T>>>>;

} // namespace win32_guid

#define __CRT_UUID_DECL(type, l, w1, w2, b1, b2, b3, b4, b5, b6, b7, b8)                    \
    template <>                                                                           \
    struct win32_guid::uuid_of<type> {                                                    \
        static constexpr GUID value = {l, w1, w2, {b1, b2, b3, b4, b5, b6, b7, b8}};      \
    };

#define __uuidof(x) (::win32_guid::uuid_of<::win32_guid::uuid_subject<__typeof__(x)>>::value)

extern "C++" {
inline constexpr GUID GUID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
}
#define IID_NULL GUID_NULL
#define CLSID_NULL GUID_NULL
