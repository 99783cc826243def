// _variant_t: a VARIANT that owns its value and clears it when it goes.
#include <comdef.h>

_variant_t::_variant_t() noexcept { ::VariantInit(this); }

_variant_t::_variant_t(const _variant_t& varSrc)
{
    ::VariantInit(this);
    const HRESULT hr = ::VariantCopy(this, &varSrc);
    if (FAILED(hr))
        _com_issue_error(hr);
}

_variant_t::_variant_t(_variant_t&& varSrc) noexcept : tagVARIANT(varSrc) { ::VariantInit(&varSrc); }

_variant_t::_variant_t(long lSrc, VARTYPE vtSrc)
{
    ::VariantInit(this);
    if (vtSrc != VT_I4 && vtSrc != VT_ERROR && vtSrc != VT_BOOL)
        _com_issue_error(E_INVALIDARG);
    vt = vtSrc;
    if (vtSrc == VT_BOOL)
        boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
    else
        lVal = static_cast<LONG>(lSrc);
}

_variant_t::~_variant_t() noexcept { ::VariantClear(this); }

_variant_t& _variant_t::operator=(const _variant_t& varSrc)
{
    const HRESULT hr = ::VariantCopy(this, &varSrc);
    if (FAILED(hr))
        _com_issue_error(hr);
    return *this;
}

_variant_t& _variant_t::operator=(_variant_t&& varSrc) noexcept
{
    if (this != &varSrc) {
        ::VariantClear(this);
        static_cast<VARIANT&>(*this) = varSrc;
        ::VariantInit(&varSrc);
    }
    return *this;
}
