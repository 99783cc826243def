#include "UnknownArray.h"

namespace qvclient {

HRESULT MakeUnknownArray(const std::vector<IUnknown*>& items, VARIANT* pvar)
{
    if (pvar == nullptr)
        return E_POINTER;
    VariantInit(pvar);
    SAFEARRAY* psa = SafeArrayCreateVector(VT_UNKNOWN, 0, static_cast<ULONG>(items.size()));
    if (psa == nullptr)
        return E_OUTOFMEMORY;
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
        // SafeArrayPutElement adds the array's own reference.
        const HRESULT hr = SafeArrayPutElement(psa, &i, items[static_cast<size_t>(i)]);
        if (FAILED(hr)) {
            SafeArrayDestroy(psa);
            return hr;
        }
    }
    pvar->vt = VT_ARRAY | VT_UNKNOWN;
    pvar->parray = psa;
    return S_OK;
}

HRESULT ReadUnknownArray(const VARIANT& varIn, std::vector<IUnknownPtr>& items)
{
    const VARIANT* pvar = &varIn;
    if (pvar->vt == (VT_BYREF | VT_VARIANT) && pvar->pvarVal != nullptr)
        pvar = pvar->pvarVal;
    if (pvar->vt == VT_EMPTY)
        return S_OK;
    SAFEARRAY* psa = nullptr;
    const VARTYPE vtElement = pvar->vt & VT_TYPEMASK;
    if ((pvar->vt & VT_ARRAY) == 0 || (vtElement != VT_UNKNOWN && vtElement != VT_DISPATCH && vtElement != VT_VARIANT))
        return DISP_E_TYPEMISMATCH;
    psa = (pvar->vt & VT_BYREF) ? (pvar->pparray != nullptr ? *pvar->pparray : nullptr) : pvar->parray;
    if (psa == nullptr)
        return S_OK;
    if (SafeArrayGetDim(psa) != 1)
        return DISP_E_TYPEMISMATCH;
    LONG lower = 0;
    LONG upper = -1;
    HRESULT hr = SafeArrayGetLBound(psa, 1, &lower);
    if (SUCCEEDED(hr))
        hr = SafeArrayGetUBound(psa, 1, &upper);
    for (LONG i = lower; SUCCEEDED(hr) && i <= upper; ++i) {
        IUnknownPtr pItem;
        if (vtElement == VT_VARIANT) {
            _variant_t element;
            hr = SafeArrayGetElement(psa, &i, &element);
            if (SUCCEEDED(hr) && element.vt != VT_UNKNOWN && element.vt != VT_DISPATCH)
                hr = DISP_E_TYPEMISMATCH;
            if (SUCCEEDED(hr))
                pItem = element.punkVal;
        } else {
            hr = SafeArrayGetElement(psa, &i, &pItem);
        }
        if (SUCCEEDED(hr))
            items.push_back(pItem);
    }
    if (FAILED(hr))
        items.clear();
    return hr;
}

} // namespace qvclient
