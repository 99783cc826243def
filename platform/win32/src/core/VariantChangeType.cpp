// VariantChangeType for the scalar types, strings and interfaces. Numbers are written and read in
// the invariant form ('.' as decimal point); a floating value becomes an integer by rounding half
// to even, as the automation library does; values outside the target's range give DISP_E_OVERFLOW.
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <cwctype>
#include <string>

#include <oleauto.h>
#include <win32crt.h>

namespace {

// A number as read from a VARIANT.
struct Number {
    bool isFloat = false;
    long double value = 0; // exact for every 64-bit integer
};

bool IsNumeric(VARTYPE vt)
{
    switch (vt) {
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_BOOL:
        return true;
    default:
        return false;
    }
}

Number NumberOf(const VARIANT& v)
{
    Number n;
    switch (v.vt) {
    case VT_I1: n.value = v.cVal; break;
    case VT_I2: n.value = v.iVal; break;
    case VT_I4: n.value = v.lVal; break;
    case VT_INT: n.value = v.intVal; break;
    case VT_I8: n.value = v.llVal; break;
    case VT_UI1: n.value = v.bVal; break;
    case VT_UI2: n.value = v.uiVal; break;
    case VT_UI4: n.value = v.ulVal; break;
    case VT_UINT: n.value = v.uintVal; break;
    case VT_UI8: n.value = v.ullVal; break;
    case VT_R4: n.value = v.fltVal, n.isFloat = true; break;
    case VT_R8: n.value = v.dblVal, n.isFloat = true; break;
    case VT_BOOL: n.value = v.boolVal ? -1 : 0; break;
    default: break;
    }
    return n;
}

HRESULT ParseNumber(BSTR text, Number& n)
{
    if (!text)
        return DISP_E_TYPEMISMATCH;
    const wchar_t* p = text;
    while (std::iswspace(static_cast<wint_t>(*p)))
        ++p;
    if (!*p)
        return DISP_E_TYPEMISMATCH;
    wchar_t* end = nullptr;
    const long double value = std::wcstold(p, &end);
    if (end == p)
        return DISP_E_TYPEMISMATCH;
    while (std::iswspace(static_cast<wint_t>(*end)))
        ++end;
    if (*end)
        return DISP_E_TYPEMISMATCH;
    n.value = value;
    n.isFloat = true;
    return S_OK;
}

HRESULT ParseBool(BSTR text, VARIANT_BOOL& result)
{
    std::wstring word = text ? text : L"";
    const size_t begin = word.find_first_not_of(L" \t");
    const size_t end = word.find_last_not_of(L" \t");
    word = begin == std::wstring::npos ? std::wstring() : word.substr(begin, end - begin + 1);
    if (_wcsicmp(word.c_str(), L"True") == 0 || _wcsicmp(word.c_str(), L"#TRUE#") == 0) {
        result = VARIANT_TRUE;
        return S_OK;
    }
    if (_wcsicmp(word.c_str(), L"False") == 0 || _wcsicmp(word.c_str(), L"#FALSE#") == 0) {
        result = VARIANT_FALSE;
        return S_OK;
    }
    Number n;
    const HRESULT hr = ParseNumber(text, n);
    if (SUCCEEDED(hr))
        result = n.value != 0 ? VARIANT_TRUE : VARIANT_FALSE;
    return hr;
}

HRESULT StoreNumber(const Number& n, VARTYPE vt, VARIANT& out)
{
    long double v = n.value;
    if (vt != VT_R4 && vt != VT_R8 && vt != VT_BOOL && n.isFloat)
        v = std::nearbyintl(v); // the default rounding mode: half to even
    auto fits = [&](long double low, long double high) { return v >= low && v <= high; };
    out.vt = vt;
    switch (vt) {
    case VT_I1: if (!fits(-128, 127)) return DISP_E_OVERFLOW; out.cVal = static_cast<CHAR>(v); break;
    case VT_I2: if (!fits(-32768, 32767)) return DISP_E_OVERFLOW; out.iVal = static_cast<SHORT>(v); break;
    case VT_I4: if (!fits(-2147483648.0L, 2147483647.0L)) return DISP_E_OVERFLOW; out.lVal = static_cast<LONG>(v); break;
    case VT_INT: if (!fits(-2147483648.0L, 2147483647.0L)) return DISP_E_OVERFLOW; out.intVal = static_cast<INT>(v); break;
    case VT_I8: if (!fits(-9223372036854775808.0L, 9223372036854775807.0L)) return DISP_E_OVERFLOW; out.llVal = static_cast<LONGLONG>(v); break;
    case VT_UI1: if (!fits(0, 255)) return DISP_E_OVERFLOW; out.bVal = static_cast<BYTE>(v); break;
    case VT_UI2: if (!fits(0, 65535)) return DISP_E_OVERFLOW; out.uiVal = static_cast<USHORT>(v); break;
    case VT_UI4: if (!fits(0, 4294967295.0L)) return DISP_E_OVERFLOW; out.ulVal = static_cast<ULONG>(v); break;
    case VT_UINT: if (!fits(0, 4294967295.0L)) return DISP_E_OVERFLOW; out.uintVal = static_cast<UINT>(v); break;
    case VT_UI8: if (!fits(0, 18446744073709551615.0L)) return DISP_E_OVERFLOW; out.ullVal = static_cast<ULONGLONG>(v); break;
    case VT_R4: if (std::isfinite(v) && !fits(-3.402823466e38L, 3.402823466e38L)) return DISP_E_OVERFLOW; out.fltVal = static_cast<FLOAT>(v); break;
    case VT_R8: out.dblVal = static_cast<DOUBLE>(v); break;
    case VT_BOOL: out.boolVal = v != 0 ? VARIANT_TRUE : VARIANT_FALSE; break;
    default: return DISP_E_BADVARTYPE;
    }
    return S_OK;
}

HRESULT NumberToText(const VARIANT& v, USHORT flags, VARIANT& out)
{
    wchar_t buffer[64];
    switch (v.vt) {
    case VT_BOOL:
        if (flags & VARIANT_ALPHABOOL)
            std::swprintf(buffer, 64, L"%ls", v.boolVal ? L"True" : L"False");
        else
            std::swprintf(buffer, 64, L"%d", v.boolVal ? -1 : 0);
        break;
    case VT_R4: std::swprintf(buffer, 64, L"%.7G", static_cast<double>(v.fltVal)); break;
    case VT_R8: std::swprintf(buffer, 64, L"%.15G", v.dblVal); break;
    case VT_UI8: std::swprintf(buffer, 64, L"%llu", static_cast<unsigned long long>(v.ullVal)); break;
    default: std::swprintf(buffer, 64, L"%lld", static_cast<long long>(NumberOf(v).value)); break;
    }
    out.vt = VT_BSTR;
    out.bstrVal = SysAllocString(buffer);
    return out.bstrVal ? S_OK : E_OUTOFMEMORY;
}

// The value a VT_BYREF variant points at, as a variant that owns nothing.
bool Dereference(const VARIANT& in, VARIANT& out)
{
    out = VARIANT{};
    const VARTYPE vt = static_cast<VARTYPE>(in.vt & ~VT_BYREF);
    if (!in.byref)
        return false;
    if (vt == VT_VARIANT) {
        out = *in.pvarVal;
        return !(out.vt & VT_BYREF);
    }
    out.vt = vt;
    if (vt & VT_ARRAY) {
        out.parray = *in.pparray;
        return true;
    }
    switch (vt) {
    case VT_I1: case VT_UI1: out.bVal = *in.pbVal; break;
    case VT_I2: case VT_UI2: case VT_BOOL: out.iVal = *in.piVal; break;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: out.lVal = *in.plVal; break;
    case VT_R4: out.fltVal = *in.pfltVal; break;
    case VT_I8: case VT_UI8: case VT_R8: case VT_DATE: case VT_CY: out.llVal = *in.pllVal; break;
    case VT_BSTR: out.bstrVal = *in.pbstrVal; break;
    case VT_UNKNOWN: out.punkVal = *in.ppunkVal; break;
    case VT_DISPATCH: out.pdispVal = *in.ppdispVal; break;
    default: return false;
    }
    return true;
}

HRESULT Convert(const VARIANT& src, USHORT flags, VARTYPE vt, VARIANT& out)
{
    if (src.vt == vt)
        return VariantCopy(&out, &src);
    if (vt == VT_EMPTY)
        return S_OK;
    if (src.vt == VT_NULL || vt == VT_NULL)
        return DISP_E_TYPEMISMATCH;

    if (vt == VT_BSTR) {
        if (src.vt == VT_EMPTY) {
            out.vt = VT_BSTR;
            out.bstrVal = SysAllocString(L"");
            return out.bstrVal ? S_OK : E_OUTOFMEMORY;
        }
        if (IsNumeric(src.vt))
            return NumberToText(src, flags, out);
        return DISP_E_TYPEMISMATCH;
    }
    if (IsNumeric(vt)) {
        if (src.vt == VT_EMPTY)
            return StoreNumber(Number{}, vt, out);
        if (IsNumeric(src.vt))
            return StoreNumber(NumberOf(src), vt, out);
        if (src.vt == VT_BSTR) {
            if (vt == VT_BOOL) {
                out.vt = VT_BOOL;
                return ParseBool(src.bstrVal, out.boolVal);
            }
            Number n;
            const HRESULT hr = ParseNumber(src.bstrVal, n);
            return FAILED(hr) ? hr : StoreNumber(n, vt, out);
        }
        return DISP_E_TYPEMISMATCH;
    }
    if (vt == VT_UNKNOWN && src.vt == VT_DISPATCH) {
        out.vt = VT_UNKNOWN;
        out.punkVal = src.pdispVal;
        if (out.punkVal)
            out.punkVal->AddRef();
        return S_OK;
    }
    if (vt == VT_DISPATCH && src.vt == VT_UNKNOWN) {
        if (!src.punkVal) {
            out.vt = VT_DISPATCH;
            out.pdispVal = nullptr;
            return S_OK;
        }
        IDispatch* dispatch = nullptr;
        if (FAILED(src.punkVal->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))))
            return DISP_E_TYPEMISMATCH;
        out.vt = VT_DISPATCH;
        out.pdispVal = dispatch;
        return S_OK;
    }
    if (vt == VT_EMPTY || src.vt == VT_EMPTY)
        return DISP_E_TYPEMISMATCH;
    return (vt & ~VT_TYPEMASK) || vt > VT_UINT ? DISP_E_BADVARTYPE : DISP_E_TYPEMISMATCH;
}

} // namespace

extern "C" HRESULT WINAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT wFlags, VARTYPE vt)
{
    if (!pvargDest || !pvarSrc)
        return E_INVALIDARG;
    VARIANT source = *pvarSrc;
    if (pvarSrc->vt & VT_BYREF) {
        if (!Dereference(*pvarSrc, source))
            return DISP_E_BADVARTYPE;
    }
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = Convert(source, wFlags, vt, result);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    // The destination may be the source: it is cleared only once the new value exists.
    VariantClear(pvargDest);
    *pvargDest = result;
    return S_OK;
}
