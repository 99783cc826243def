#include "QvATLHelper.h"

#include <cstdio>
#include <cwctype>
#include <limits>
#include <string>

namespace {

const VARIANT& Dereferenced(const VARIANT& var)
{
    if (var.vt == (VT_BYREF | VT_VARIANT) && var.pvarVal != nullptr)
        return *var.pvarVal;
    return var;
}

// The value of an integral VARIANT; false for any other type.
bool IntegralValue(const VARIANT& var, LONGLONG& value)
{
    switch (var.vt) {
    case VT_I1: value = var.cVal; return true;
    case VT_UI1: value = var.bVal; return true;
    case VT_I2: value = var.iVal; return true;
    case VT_UI2: value = var.uiVal; return true;
    case VT_I4: value = var.lVal; return true;
    case VT_UI4: value = var.ulVal; return true;
    case VT_INT: value = var.intVal; return true;
    case VT_UINT: value = var.uintVal; return true;
    case VT_I8: value = var.llVal; return true;
    case VT_UI8:
        if (var.ullVal > static_cast<ULONGLONG>(std::numeric_limits<LONGLONG>::max()))
            return false;
        value = static_cast<LONGLONG>(var.ullVal);
        return true;
    default: return false;
    }
}

// Leading blanks, an optional sign and decimal digits, as the C runtime's _wtol reads them.
LONG ParseDecimal(const wchar_t* psz)
{
    if (psz == nullptr)
        return 0;
    while (std::iswspace(static_cast<wint_t>(*psz)))
        ++psz;
    bool bNegative = false;
    if (*psz == L'+' || *psz == L'-')
        bNegative = *psz++ == L'-';
    LONGLONG value = 0;
    const LONGLONG limit = static_cast<LONGLONG>(std::numeric_limits<LONG>::max()) + 1;
    for (; *psz >= L'0' && *psz <= L'9'; ++psz) {
        value = value * 10 + (*psz - L'0');
        if (value > limit)
            value = limit;
    }
    if (bNegative)
        return static_cast<LONG>(-value);
    return value >= limit ? std::numeric_limits<LONG>::max() : static_cast<LONG>(value);
}

} // namespace

CString CVariantHelper::VariantToString(const VARIANT& varIn)
{
    const VARIANT& var = Dereferenced(varIn);
    if (var.vt == VT_EMPTY || var.vt == VT_NULL)
        return CString();
    if (var.vt == VT_BSTR)
        return CString(var.bstrVal != nullptr ? var.bstrVal : L"");
    LONGLONG integral = 0;
    if (IntegralValue(var, integral))
        return CString(std::to_wstring(integral).c_str());
    if (var.vt == VT_R8 || var.vt == VT_R4) {
        // Fifteen significant digits, as the automation conversion gives them.
        wchar_t buffer[64];
        std::swprintf(buffer, 64, L"%.15G", var.vt == VT_R8 ? var.dblVal : static_cast<double>(var.fltVal));
        return CString(buffer);
    }
    VARIANT text;
    VariantInit(&text);
    CString strResult;
    if (SUCCEEDED(VariantChangeType(&text, const_cast<VARIANT*>(&var), 0, VT_BSTR)) && text.vt == VT_BSTR && text.bstrVal != nullptr)
        strResult = text.bstrVal;
    VariantClear(&text);
    return strResult;
}

LONG CVariantHelper::VariantToLong(const VARIANT& varIn)
{
    const VARIANT& var = Dereferenced(varIn);
    if (var.vt == VT_BSTR)
        return ParseDecimal(var.bstrVal);
    LONGLONG integral = 0;
    if (IntegralValue(var, integral)) {
        if (integral < std::numeric_limits<LONG>::min() || integral > std::numeric_limits<LONG>::max())
            return 0;
        return static_cast<LONG>(integral);
    }
    VARIANT number;
    VariantInit(&number);
    LONG lResult = 0;
    if (SUCCEEDED(VariantChangeType(&number, const_cast<VARIANT*>(&var), 0, VT_I4)) && number.vt == VT_I4)
        lResult = number.lVal;
    VariantClear(&number);
    return lResult;
}
