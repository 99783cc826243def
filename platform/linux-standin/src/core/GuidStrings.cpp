// GUIDs as text: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case when written.
#include <cwchar>

#include <objbase.h>

namespace {

int HexValue(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

bool ReadHex(const wchar_t* s, int digits, unsigned long long& value)
{
    value = 0;
    for (int i = 0; i < digits; ++i) {
        const int v = HexValue(s[i]);
        if (v < 0)
            return false;
        value = value * 16 + static_cast<unsigned>(v);
    }
    return true;
}

} // namespace

// Only the braced GUID form: there is no registry of ProgIDs on this platform.
extern "C" HRESULT WINAPI CLSIDFromString(LPCOLESTR lpsz, LPCLSID pclsid)
{
    if (!pclsid)
        return E_INVALIDARG;
    *pclsid = GUID_NULL;
    if (!lpsz || !*lpsz)
        return S_OK; // an empty string is CLSID_NULL
    if (std::wcslen(lpsz) != 38 || lpsz[0] != L'{' || lpsz[37] != L'}' || lpsz[9] != L'-' || lpsz[14] != L'-'
        || lpsz[19] != L'-' || lpsz[24] != L'-')
        return CO_E_CLASSSTRING;
    const wchar_t* s = lpsz + 1;
    unsigned long long v;
    GUID guid{};
    if (!ReadHex(s, 8, v))
        return CO_E_CLASSSTRING;
    guid.Data1 = static_cast<DWORD>(v);
    if (!ReadHex(s + 9, 4, v))
        return CO_E_CLASSSTRING;
    guid.Data2 = static_cast<WORD>(v);
    if (!ReadHex(s + 14, 4, v))
        return CO_E_CLASSSTRING;
    guid.Data3 = static_cast<WORD>(v);
    static const int offsets[8] = {19, 21, 24, 26, 28, 30, 32, 34};
    for (int i = 0; i < 8; ++i) {
        if (!ReadHex(s + offsets[i], 2, v))
            return CO_E_CLASSSTRING;
        guid.Data4[i] = static_cast<BYTE>(v);
    }
    *pclsid = guid;
    return S_OK;
}

// Returns the characters written including the terminator, or 0 when cchMax is below 39.
extern "C" int WINAPI StringFromGUID2(REFGUID rguid, LPOLESTR lpsz, int cchMax)
{
    if (!lpsz || cchMax < 39)
        return 0;
    std::swprintf(lpsz, static_cast<size_t>(cchMax), L"{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
        static_cast<unsigned>(rguid.Data1), rguid.Data2, rguid.Data3, rguid.Data4[0], rguid.Data4[1], rguid.Data4[2],
        rguid.Data4[3], rguid.Data4[4], rguid.Data4[5], rguid.Data4[6], rguid.Data4[7]);
    return 39;
}
