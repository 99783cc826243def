// _variant_t: a VARIANT that owns its value; conversions go through VariantChangeType and raise
// its status on failure.
#include <cstring>
#include <cwchar>
#include <utility>

#include <comdef.h>

namespace {

void RaiseIfFailed(HRESULT hr)
{
    if (FAILED(hr))
        _com_issue_error(hr);
}

BSTR AllocOrRaise(const wchar_t* text)
{
    if (!text)
        return nullptr;
    BSTR copy = SysAllocString(text);
    if (!copy)
        _com_issue_error(E_OUTOFMEMORY);
    return copy;
}

// A converted copy of the variant, for the extractors.
_variant_t Converted(const _variant_t& v, VARTYPE vt)
{
    _variant_t result;
    if (V_VT(&v) == vt)
        result = v;
    else
        result.ChangeType(vt, &v);
    return result;
}

} // namespace

_variant_t::_variant_t() noexcept { ::VariantInit(this); }

_variant_t::_variant_t(const VARIANT& varSrc)
{
    ::VariantInit(this);
    RaiseIfFailed(::VariantCopy(this, &varSrc));
}

_variant_t::_variant_t(const VARIANT* pSrc)
{
    if (!pSrc)
        _com_issue_error(E_POINTER);
    ::VariantInit(this);
    RaiseIfFailed(::VariantCopy(this, pSrc));
}

_variant_t::_variant_t(const _variant_t& varSrc) : _variant_t(static_cast<const VARIANT&>(varSrc)) {}

_variant_t::_variant_t(_variant_t&& varSrc) noexcept : tagVARIANT(varSrc) { ::VariantInit(&varSrc); }

_variant_t::_variant_t(VARIANT& varSrc, bool fCopy)
{
    ::VariantInit(this);
    if (fCopy) {
        RaiseIfFailed(::VariantCopy(this, &varSrc));
    } else {
        static_cast<VARIANT&>(*this) = varSrc;
        V_VT(&varSrc) = VT_EMPTY;
    }
}

_variant_t::_variant_t(short sSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc != VT_I2 && vtSrc != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = sSrc ? VARIANT_TRUE : VARIANT_FALSE;
    else
        iVal = sSrc;
}

_variant_t::_variant_t(int iSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc != VT_I4 && vtSrc != VT_INT && vtSrc != VT_ERROR && vtSrc != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = iSrc ? VARIANT_TRUE : VARIANT_FALSE;
    else
        lVal = iSrc;
}

_variant_t::_variant_t(long lSrc, VARTYPE vtSrc) : _variant_t(static_cast<int>(lSrc), vtSrc) {}

_variant_t::_variant_t(float fltSrc) noexcept
{
    ::VariantInit(this);
    vt = VT_R4;
    fltVal = fltSrc;
}

_variant_t::_variant_t(double dblSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc != VT_R8 && vtSrc != VT_DATE)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    dblVal = dblSrc;
}

_variant_t::_variant_t(const _bstr_t& bstrSrc)
{
    ::VariantInit(this);
    bstrVal = bstrSrc.copy();
    vt = VT_BSTR;
}

_variant_t::_variant_t(const wchar_t* pSrc)
{
    ::VariantInit(this);
    bstrVal = AllocOrRaise(pSrc);
    vt = VT_BSTR;
}

_variant_t::_variant_t(const char* pSrc)
{
    ::VariantInit(this);
    bstrVal = _com_util::ConvertStringToBSTR(pSrc);
    vt = VT_BSTR;
}

_variant_t::_variant_t(IDispatch* pSrc, bool fAddRef) noexcept
{
    ::VariantInit(this);
    vt = VT_DISPATCH;
    pdispVal = pSrc;
    if (fAddRef && pSrc)
        pSrc->AddRef();
}

_variant_t::_variant_t(bool boolSrc) noexcept
{
    ::VariantInit(this);
    vt = VT_BOOL;
    boolVal = boolSrc ? VARIANT_TRUE : VARIANT_FALSE;
}

_variant_t::_variant_t(IUnknown* pSrc, bool fAddRef) noexcept
{
    ::VariantInit(this);
    vt = VT_UNKNOWN;
    punkVal = pSrc;
    if (fAddRef && pSrc)
        pSrc->AddRef();
}

_variant_t::_variant_t(BYTE bSrc) noexcept
{
    ::VariantInit(this);
    vt = VT_UI1;
    bVal = bSrc;
}

_variant_t::_variant_t(char cSrc) noexcept
{
    ::VariantInit(this);
    vt = VT_I1;
    cVal = cSrc;
}

_variant_t::_variant_t(unsigned short usSrc) noexcept
{
    ::VariantInit(this);
    vt = VT_UI2;
    uiVal = usSrc;
}

_variant_t::_variant_t(unsigned int uiSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc != VT_UI4 && vtSrc != VT_UINT)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    ulVal = uiSrc;
}

_variant_t::_variant_t(unsigned long ulSrc) noexcept
{
    ::VariantInit(this);
    vt = VT_UI4;
    ulVal = static_cast<ULONG>(ulSrc);
}

_variant_t::_variant_t(long long i8Src) noexcept
{
    ::VariantInit(this);
    vt = VT_I8;
    llVal = i8Src;
}

_variant_t::_variant_t(unsigned long long ui8Src) noexcept
{
    ::VariantInit(this);
    vt = VT_UI8;
    ullVal = ui8Src;
}

_variant_t::~_variant_t() noexcept { ::VariantClear(this); }

// ---- extractors ----
_variant_t::operator short() const { return Converted(*this, VT_I2).iVal; }
_variant_t::operator int() const { return Converted(*this, VT_I4).lVal; }
_variant_t::operator long() const { return Converted(*this, VT_I4).lVal; }
_variant_t::operator float() const { return Converted(*this, VT_R4).fltVal; }
_variant_t::operator double() const { return Converted(*this, VT_R8).dblVal; }
_variant_t::operator _bstr_t() const { return _bstr_t(*this); }
_variant_t::operator bool() const { return Converted(*this, VT_BOOL).boolVal != VARIANT_FALSE; }
_variant_t::operator BYTE() const { return Converted(*this, VT_UI1).bVal; }
_variant_t::operator char() const { return Converted(*this, VT_I1).cVal; }
_variant_t::operator unsigned short() const { return Converted(*this, VT_UI2).uiVal; }
_variant_t::operator unsigned int() const { return Converted(*this, VT_UI4).ulVal; }
_variant_t::operator unsigned long() const { return Converted(*this, VT_UI4).ulVal; }
_variant_t::operator long long() const { return Converted(*this, VT_I8).llVal; }
_variant_t::operator unsigned long long() const { return Converted(*this, VT_UI8).ullVal; }

// The interface extractors hand out an AddRef'd pointer, as compiler COM support does.
_variant_t::operator IDispatch*() const
{
    _variant_t v = Converted(*this, VT_DISPATCH);
    if (v.pdispVal)
        v.pdispVal->AddRef();
    return v.pdispVal;
}

_variant_t::operator IUnknown*() const
{
    _variant_t v = Converted(*this, VT_UNKNOWN);
    if (v.punkVal)
        v.punkVal->AddRef();
    return v.punkVal;
}

// ---- assignment: each builds the new value first, so a failure leaves the old one ----
_variant_t& _variant_t::operator=(const VARIANT& varSrc)
{
    RaiseIfFailed(::VariantCopy(this, &varSrc));
    return *this;
}

_variant_t& _variant_t::operator=(const VARIANT* pSrc)
{
    if (!pSrc)
        _com_issue_error(E_POINTER);
    return *this = *pSrc;
}

_variant_t& _variant_t::operator=(const _variant_t& varSrc) { return *this = static_cast<const VARIANT&>(varSrc); }

_variant_t& _variant_t::operator=(_variant_t&& varSrc) noexcept
{
    if (this != &varSrc) {
        ::VariantClear(this);
        static_cast<VARIANT&>(*this) = varSrc;
        ::VariantInit(&varSrc);
    }
    return *this;
}

namespace {
template <class T>
_variant_t& AssignValue(_variant_t& target, T value)
{
    _variant_t fresh(value);
    return target = std::move(fresh);
}
} // namespace

_variant_t& _variant_t::operator=(short sSrc) { return AssignValue(*this, sSrc); }
_variant_t& _variant_t::operator=(int iSrc) { return AssignValue(*this, iSrc); }
_variant_t& _variant_t::operator=(long lSrc) { return AssignValue(*this, lSrc); }
_variant_t& _variant_t::operator=(float fltSrc) { return AssignValue(*this, fltSrc); }
_variant_t& _variant_t::operator=(double dblSrc) { return AssignValue(*this, dblSrc); }
_variant_t& _variant_t::operator=(const _bstr_t& bstrSrc) { return AssignValue<const _bstr_t&>(*this, bstrSrc); }
_variant_t& _variant_t::operator=(const wchar_t* pSrc) { return AssignValue(*this, pSrc); }
_variant_t& _variant_t::operator=(const char* pSrc) { return AssignValue(*this, pSrc); }
_variant_t& _variant_t::operator=(IDispatch* pSrc) { return AssignValue(*this, pSrc); }
_variant_t& _variant_t::operator=(bool boolSrc) { return AssignValue(*this, boolSrc); }
_variant_t& _variant_t::operator=(IUnknown* pSrc) { return AssignValue(*this, pSrc); }
_variant_t& _variant_t::operator=(BYTE bSrc) { return AssignValue(*this, bSrc); }
_variant_t& _variant_t::operator=(unsigned int uiSrc) { return AssignValue(*this, uiSrc); }
_variant_t& _variant_t::operator=(unsigned long ulSrc) { return AssignValue(*this, ulSrc); }
_variant_t& _variant_t::operator=(long long i8Src) { return AssignValue(*this, i8Src); }
_variant_t& _variant_t::operator=(unsigned long long ui8Src) { return AssignValue(*this, ui8Src); }

bool _variant_t::operator==(const VARIANT& other) const noexcept
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_BSTR: {
        const UINT length = SysStringLen(bstrVal);
        return length == SysStringLen(other.bstrVal) && std::wmemcmp(bstrVal ? bstrVal : L"", other.bstrVal ? other.bstrVal : L"", length) == 0;
    }
    case VT_R4: return fltVal == other.fltVal;
    case VT_R8:
    case VT_DATE: return dblVal == other.dblVal;
    case VT_I1:
    case VT_UI1: return bVal == other.bVal;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL: return iVal == other.iVal;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_ERROR: return lVal == other.lVal;
    case VT_I8:
    case VT_UI8:
    case VT_CY: return llVal == other.llVal;
    case VT_UNKNOWN:
    case VT_DISPATCH: return punkVal == other.punkVal;
    default: return std::memcmp(static_cast<const VARIANT*>(this), &other, sizeof(VARIANT)) == 0;
    }
}

bool _variant_t::operator==(const VARIANT* pSrc) const noexcept { return pSrc && *this == *pSrc; }

void _variant_t::Clear() { RaiseIfFailed(::VariantClear(this)); }

void _variant_t::Attach(VARIANT& varSrc)
{
    Clear();
    static_cast<VARIANT&>(*this) = varSrc;
    V_VT(&varSrc) = VT_EMPTY;
}

VARIANT _variant_t::Detach()
{
    VARIANT result = *this;
    ::VariantInit(this);
    return result;
}

VARIANT* _variant_t::GetAddress()
{
    Clear();
    return this;
}

void _variant_t::ChangeType(VARTYPE vartype, const _variant_t* pSrc)
{
    if (!pSrc)
        pSrc = this;
    if (pSrc != this || vt != vartype)
        RaiseIfFailed(::VariantChangeType(this, pSrc, 0, vartype));
}

void _variant_t::SetString(const char* pSrc) { *this = pSrc; }
