// VariantChangeType for the conversions this code base makes: a scalar to text, a number to VT_I4
// and an IDispatch to IUnknown. Numbers are written in the invariant form ('.' as decimal point);
// a floating value becomes an integer by rounding half to even, as the automation library does,
// and one outside VT_I4's range gives DISP_E_OVERFLOW. Any other conversion is E_NOTIMPL, so that
// a new caller finds out here rather than from a value Windows would not give.
#include <cmath>
#include <cstdio>
#include <cwchar>

#include <oleauto.h>

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

HRESULT StoreLong(const Number& n, VARIANT& out)
{
    const long double v = n.isFloat ? std::nearbyintl(n.value) : n.value; // the default mode: half to even
    if (v < -2147483648.0L || v > 2147483647.0L)
        return DISP_E_OVERFLOW;
    out.vt = VT_I4;
    out.lVal = static_cast<LONG>(v);
    return S_OK;
}

HRESULT NumberToText(const VARIANT& v, VARIANT& out)
{
    wchar_t buffer[64];
    switch (v.vt) {
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

HRESULT Convert(const VARIANT& src, VARTYPE vt, VARIANT& out)
{
    if (src.vt == vt)
        return VariantCopy(&out, &src);
    if (vt == VT_BSTR && src.vt == VT_EMPTY) {
        out.vt = VT_BSTR;
        out.bstrVal = SysAllocString(L"");
        return out.bstrVal ? S_OK : E_OUTOFMEMORY;
    }
    if (src.vt == VT_NULL && (vt == VT_BSTR || vt == VT_I4))
        return DISP_E_TYPEMISMATCH;
    if (vt == VT_BSTR && IsNumeric(src.vt))
        return NumberToText(src, out);
    if (vt == VT_I4 && (src.vt == VT_EMPTY || IsNumeric(src.vt)))
        return StoreLong(src.vt == VT_EMPTY ? Number{} : NumberOf(src), out);
    if (vt == VT_UNKNOWN && src.vt == VT_DISPATCH) {
        out.vt = VT_UNKNOWN;
        out.punkVal = src.pdispVal;
        if (out.punkVal)
            out.punkVal->AddRef();
        return S_OK;
    }
    return E_NOTIMPL;
}

} // namespace

extern "C" HRESULT WINAPI VariantChangeType(VARIANTARG* pvargDest, const VARIANTARG* pvarSrc, USHORT /*wFlags*/, VARTYPE vt)
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
    const HRESULT hr = Convert(source, vt, result);
    if (FAILED(hr)) {
        VariantClear(&result);
        return hr;
    }
    // The destination may be the source: it is cleared only once the new value exists.
    VariantClear(pvargDest);
    *pvargDest = result;
    return S_OK;
}
