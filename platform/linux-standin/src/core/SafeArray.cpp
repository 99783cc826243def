// SAFEARRAY with the Windows layout: the bounds are stored right-most dimension first, the element
// type sits in the four bytes before the descriptor (FADF_HAVEVARTYPE), and index 0 of an index
// vector is the left-most dimension, which varies fastest in memory. An array owns its BSTR,
// interface and VARIANT elements: PutElement copies (or AddRefs) what it stores and GetElement
// hands out a copy (or a reference). A locked array cannot be destroyed.
#include <cstdlib>
#include <cstring>

#include <oleauto.h>

namespace {

constexpr size_t kHeader = 16; // keeps the descriptor 16-byte aligned, the VARTYPE just before it

ULONG ElementSize(VARTYPE vt)
{
    switch (vt) {
    case VT_I1: case VT_UI1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR: return 4;
    case VT_I8: case VT_UI8: case VT_R8: case VT_CY: case VT_DATE: return 8;
    case VT_BSTR: case VT_UNKNOWN: case VT_DISPATCH: return sizeof(void*);
    case VT_VARIANT: return sizeof(VARIANT);
    case VT_DECIMAL: return sizeof(DECIMAL);
    default: return 0;
    }
}

USHORT FeaturesOf(VARTYPE vt)
{
    switch (vt) {
    case VT_BSTR: return FADF_HAVEVARTYPE | FADF_BSTR;
    case VT_UNKNOWN: return FADF_HAVEVARTYPE | FADF_UNKNOWN;
    case VT_DISPATCH: return FADF_HAVEVARTYPE | FADF_DISPATCH;
    case VT_VARIANT: return FADF_HAVEVARTYPE | FADF_VARIANT;
    default: return FADF_HAVEVARTYPE;
    }
}

ULONG ElementCount(const SAFEARRAY* psa)
{
    ULONG count = 1;
    for (USHORT d = 0; d < psa->cDims; ++d)
        count *= psa->rgsabound[d].cElements;
    return count;
}

DWORD& StoredVartype(SAFEARRAY* psa) { return reinterpret_cast<DWORD*>(psa)[-1]; }

SAFEARRAY* AllocateDescriptor(UINT cDims)
{
    const size_t size = kHeader + sizeof(SAFEARRAY) + (cDims - 1) * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<unsigned char*>(std::calloc(1, size));
    return block ? reinterpret_cast<SAFEARRAY*>(block + kHeader) : nullptr;
}

void FreeDescriptor(SAFEARRAY* psa) { std::free(reinterpret_cast<unsigned char*>(psa) - kHeader); }

void ReleaseElements(SAFEARRAY* psa)
{
    if (!psa->pvData)
        return;
    const ULONG count = ElementCount(psa);
    if (psa->fFeatures & FADF_BSTR) {
        auto* items = static_cast<BSTR*>(psa->pvData);
        for (ULONG i = 0; i < count; ++i)
            SysFreeString(items[i]), items[i] = nullptr;
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        auto* items = static_cast<IUnknown**>(psa->pvData);
        for (ULONG i = 0; i < count; ++i)
            if (items[i])
                items[i]->Release(), items[i] = nullptr;
    } else if (psa->fFeatures & FADF_VARIANT) {
        auto* items = static_cast<VARIANT*>(psa->pvData);
        for (ULONG i = 0; i < count; ++i)
            VariantClear(&items[i]);
    }
}

HRESULT ElementAddress(SAFEARRAY* psa, const LONG* rgIndices, void** address)
{
    if (!psa || !rgIndices)
        return E_INVALIDARG;
    size_t cell = 0;
    size_t stride = 1;
    for (USHORT d = 0; d < psa->cDims; ++d) {
        const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - 1 - d];
        const long long offset = static_cast<long long>(rgIndices[d]) - bound.lLbound;
        if (offset < 0 || offset >= static_cast<long long>(bound.cElements))
            return DISP_E_BADINDEX;
        cell += static_cast<size_t>(offset) * stride;
        stride *= bound.cElements;
    }
    *address = static_cast<unsigned char*>(psa->pvData) + cell * psa->cbElements;
    return S_OK;
}

} // namespace

extern "C" SAFEARRAY* WINAPI SafeArrayCreateVector(VARTYPE vt, LONG lLbound, ULONG cElements)
{
    const ULONG elementSize = ElementSize(vt);
    if (elementSize == 0)
        return nullptr;
    SAFEARRAY* psa = AllocateDescriptor(1);
    if (!psa)
        return nullptr;
    psa->cDims = 1;
    psa->fFeatures = FeaturesOf(vt);
    psa->cbElements = elementSize;
    StoredVartype(psa) = vt;
    psa->rgsabound[0] = SAFEARRAYBOUND{cElements, lLbound};
    const size_t bytes = static_cast<size_t>(cElements) * elementSize;
    psa->pvData = std::calloc(1, bytes ? bytes : 1);
    if (!psa->pvData) {
        FreeDescriptor(psa);
        return nullptr;
    }
    return psa;
}

extern "C" HRESULT WINAPI SafeArrayDestroy(SAFEARRAY* psa)
{
    if (!psa)
        return S_OK;
    if (psa->cLocks > 0)
        return DISP_E_ARRAYISLOCKED;
    ReleaseElements(psa);
    std::free(psa->pvData);
    FreeDescriptor(psa);
    return S_OK;
}

extern "C" HRESULT WINAPI SafeArrayCopy(SAFEARRAY* psa, SAFEARRAY** ppsaOut)
{
    if (!ppsaOut)
        return E_INVALIDARG;
    *ppsaOut = nullptr;
    if (!psa)
        return S_OK;
    VARTYPE vt;
    HRESULT hr = SafeArrayGetVartype(psa, &vt);
    if (FAILED(hr))
        return hr;
    SAFEARRAY* copy = AllocateDescriptor(psa->cDims);
    if (!copy)
        return E_OUTOFMEMORY;
    std::memcpy(copy, psa, sizeof(SAFEARRAY) + (psa->cDims - 1) * sizeof(SAFEARRAYBOUND));
    StoredVartype(copy) = vt;
    copy->cLocks = 0;
    const size_t count = ElementCount(psa);
    const size_t bytes = count * psa->cbElements;
    copy->pvData = std::calloc(1, bytes > 0 ? bytes : 1);
    if (!copy->pvData) {
        FreeDescriptor(copy);
        return E_OUTOFMEMORY;
    }
    for (size_t i = 0; i < count && SUCCEEDED(hr); ++i) {
        if (psa->fFeatures & FADF_BSTR) {
            BSTR source = static_cast<BSTR*>(psa->pvData)[i];
            if (source) {
                BSTR item = SysAllocStringLen(source, SysStringLen(source));
                static_cast<BSTR*>(copy->pvData)[i] = item;
                if (!item)
                    hr = E_OUTOFMEMORY;
            }
        } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
            IUnknown* item = static_cast<IUnknown**>(psa->pvData)[i];
            static_cast<IUnknown**>(copy->pvData)[i] = item;
            if (item)
                item->AddRef();
        } else if (psa->fFeatures & FADF_VARIANT) {
            hr = VariantCopy(&static_cast<VARIANT*>(copy->pvData)[i], &static_cast<VARIANT*>(psa->pvData)[i]);
        } else {
            std::memcpy(copy->pvData, psa->pvData, count * psa->cbElements);
            break;
        }
    }
    if (FAILED(hr)) {
        SafeArrayDestroy(copy);
        return hr;
    }
    *ppsaOut = copy;
    return S_OK;
}

extern "C" HRESULT WINAPI SafeArrayGetVartype(SAFEARRAY* psa, VARTYPE* pvt)
{
    if (!psa || !pvt)
        return E_INVALIDARG;
    if (psa->fFeatures & FADF_HAVEVARTYPE)
        *pvt = static_cast<VARTYPE>(StoredVartype(psa));
    else if (psa->fFeatures & FADF_BSTR)
        *pvt = VT_BSTR;
    else if (psa->fFeatures & FADF_UNKNOWN)
        *pvt = VT_UNKNOWN;
    else if (psa->fFeatures & FADF_DISPATCH)
        *pvt = VT_DISPATCH;
    else if (psa->fFeatures & FADF_VARIANT)
        *pvt = VT_VARIANT;
    else
        return E_INVALIDARG;
    return S_OK;
}

extern "C" UINT WINAPI SafeArrayGetDim(SAFEARRAY* psa) { return psa ? psa->cDims : 0; }

// nDim counts from 1, the left-most dimension.
extern "C" HRESULT WINAPI SafeArrayGetLBound(SAFEARRAY* psa, UINT nDim, LONG* plLbound)
{
    if (!psa || !plLbound)
        return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    *plLbound = psa->rgsabound[psa->cDims - nDim].lLbound;
    return S_OK;
}

extern "C" HRESULT WINAPI SafeArrayGetUBound(SAFEARRAY* psa, UINT nDim, LONG* plUbound)
{
    if (!psa || !plUbound)
        return E_INVALIDARG;
    if (nDim < 1 || nDim > psa->cDims)
        return DISP_E_BADINDEX;
    const SAFEARRAYBOUND& bound = psa->rgsabound[psa->cDims - nDim];
    *plUbound = static_cast<LONG>(bound.lLbound + static_cast<long long>(bound.cElements) - 1);
    return S_OK;
}

extern "C" HRESULT WINAPI SafeArrayLock(SAFEARRAY* psa)
{
    if (!psa)
        return E_INVALIDARG;
    if (__atomic_add_fetch(&psa->cLocks, 1, __ATOMIC_SEQ_CST) > 0xFFFF) {
        __atomic_sub_fetch(&psa->cLocks, 1, __ATOMIC_SEQ_CST);
        return E_UNEXPECTED;
    }
    return S_OK;
}

extern "C" HRESULT WINAPI SafeArrayUnlock(SAFEARRAY* psa)
{
    if (!psa)
        return E_INVALIDARG;
    ULONG locks = __atomic_load_n(&psa->cLocks, __ATOMIC_SEQ_CST);
    do {
        if (locks == 0)
            return E_UNEXPECTED;
    } while (!__atomic_compare_exchange_n(&psa->cLocks, &locks, locks - 1, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST));
    return S_OK;
}

extern "C" HRESULT WINAPI SafeArrayAccessData(SAFEARRAY* psa, void** ppvData)
{
    if (!psa || !ppvData)
        return E_INVALIDARG;
    const HRESULT hr = SafeArrayLock(psa);
    *ppvData = SUCCEEDED(hr) ? psa->pvData : nullptr;
    return hr;
}

extern "C" HRESULT WINAPI SafeArrayUnaccessData(SAFEARRAY* psa) { return SafeArrayUnlock(psa); }

// pv is the BSTR or interface pointer itself for those types, else the address of the value.
extern "C" HRESULT WINAPI SafeArrayPutElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    void* cell = nullptr;
    HRESULT hr = ElementAddress(psa, rgIndices, &cell);
    if (FAILED(hr))
        return hr;
    if (FAILED(hr = SafeArrayLock(psa)))
        return hr;
    if (psa->fFeatures & FADF_BSTR) {
        BSTR source = static_cast<BSTR>(pv);
        BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        if (source && !copy) {
            hr = E_OUTOFMEMORY;
        } else {
            SysFreeString(*static_cast<BSTR*>(cell));
            *static_cast<BSTR*>(cell) = copy;
        }
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        auto* item = static_cast<IUnknown*>(pv);
        if (item)
            item->AddRef();
        if (IUnknown* old = *static_cast<IUnknown**>(cell))
            old->Release();
        *static_cast<IUnknown**>(cell) = item;
    } else if (psa->fFeatures & FADF_VARIANT) {
        hr = pv ? VariantCopy(static_cast<VARIANT*>(cell), static_cast<VARIANT*>(pv)) : E_INVALIDARG;
    } else if (pv) {
        std::memcpy(cell, pv, psa->cbElements);
    } else {
        hr = E_INVALIDARG;
    }
    SafeArrayUnlock(psa);
    return hr;
}

// The caller owns what it receives: a new BSTR, an AddRef'd interface, a copied VARIANT.
extern "C" HRESULT WINAPI SafeArrayGetElement(SAFEARRAY* psa, LONG* rgIndices, void* pv)
{
    if (!pv)
        return E_INVALIDARG;
    void* cell = nullptr;
    HRESULT hr = ElementAddress(psa, rgIndices, &cell);
    if (FAILED(hr))
        return hr;
    if (FAILED(hr = SafeArrayLock(psa)))
        return hr;
    if (psa->fFeatures & FADF_BSTR) {
        BSTR source = *static_cast<BSTR*>(cell);
        BSTR copy = source ? SysAllocStringLen(source, SysStringLen(source)) : nullptr;
        if (source && !copy)
            hr = E_OUTOFMEMORY;
        *static_cast<BSTR*>(pv) = copy;
    } else if (psa->fFeatures & (FADF_UNKNOWN | FADF_DISPATCH)) {
        IUnknown* item = *static_cast<IUnknown**>(cell);
        if (item)
            item->AddRef();
        *static_cast<IUnknown**>(pv) = item;
    } else if (psa->fFeatures & FADF_VARIANT) {
        VariantInit(static_cast<VARIANT*>(pv));
        hr = VariantCopy(static_cast<VARIANT*>(pv), static_cast<VARIANT*>(cell));
    } else {
        std::memcpy(pv, cell, psa->cbElements);
    }
    SafeArrayUnlock(psa);
    return hr;
}
