// VariantInit, VariantClear and VariantCopy: a VARIANT owns its BSTR, its interface reference
// and its SAFEARRAY; a VT_BYREF variant owns nothing.
#include <oleauto.h>

extern "C" void WINAPI VariantInit(VARIANTARG* pvarg)
{
    if (!pvarg)
        return;
    pvarg->vt = VT_EMPTY;
    pvarg->wReserved1 = pvarg->wReserved2 = pvarg->wReserved3 = 0;
}

extern "C" HRESULT WINAPI VariantClear(VARIANTARG* pvarg)
{
    if (!pvarg)
        return E_INVALIDARG;
    const VARTYPE vt = pvarg->vt;
    if (!(vt & VT_BYREF)) {
        if (vt & VT_ARRAY) {
            if (pvarg->parray) {
                const HRESULT hr = SafeArrayDestroy(pvarg->parray);
                if (FAILED(hr))
                    return hr; // a locked array stays where it is
            }
        } else {
            switch (vt) {
            case VT_BSTR: SysFreeString(pvarg->bstrVal); break;
            case VT_UNKNOWN:
                if (pvarg->punkVal)
                    pvarg->punkVal->Release();
                break;
            case VT_DISPATCH:
                if (pvarg->pdispVal)
                    pvarg->pdispVal->Release();
                break;
            default: break;
            }
        }
    }
    pvarg->vt = VT_EMPTY;
    pvarg->llVal = 0;
    return S_OK;
}

extern "C" HRESULT WINAPI VariantCopy(VARIANTARG* pvargDest, const VARIANTARG* pvargSrc)
{
    if (!pvargDest || !pvargSrc)
        return E_INVALIDARG;
    if (pvargDest == pvargSrc)
        return S_OK;
    VARIANT copy = *pvargSrc;
    const VARTYPE vt = pvargSrc->vt;
    if (!(vt & VT_BYREF)) {
        if (vt & VT_ARRAY) {
            if (pvargSrc->parray) {
                const HRESULT hr = SafeArrayCopy(pvargSrc->parray, &copy.parray);
                if (FAILED(hr))
                    return hr;
            }
        } else if (vt == VT_BSTR && pvargSrc->bstrVal) {
            copy.bstrVal = SysAllocStringLen(pvargSrc->bstrVal, SysStringLen(pvargSrc->bstrVal));
            if (!copy.bstrVal)
                return E_OUTOFMEMORY;
        } else if (vt == VT_UNKNOWN && pvargSrc->punkVal) {
            pvargSrc->punkVal->AddRef();
        } else if (vt == VT_DISPATCH && pvargSrc->pdispVal) {
            pvargSrc->pdispVal->AddRef();
        }
    }
    const HRESULT hr = VariantClear(pvargDest);
    if (FAILED(hr)) {
        VariantClear(&copy);
        return hr;
    }
    *pvargDest = copy;
    return S_OK;
}
