#include "ZORMetaWrapper.h"

#include "BstrCopy.h"
#include "SystemObject.h"

HRESULT CMetaClassRef::IsDescendentOrSelfClass(LPCWSTR lpszBaseClass, LPCWSTR lpszClass, int* pbResult)
{
    if (pbResult == nullptr)
        return E_POINTER;
    *pbResult = 0;
    IQvPlmSystemPtr pSystem;
    HRESULT hr = qvsdk::CreateSystemObject(&pSystem);
    if (FAILED(hr))
        return hr;
    const _bstr_t bstrBase = qvsdk::CopyText(lpszBaseClass);
    const _bstr_t bstrClass = qvsdk::CopyText(lpszClass);
    if (!bstrBase || !bstrClass)
        return E_OUTOFMEMORY;
    INT bResult = 0;
    hr = pSystem->IsDescendentOrSelfClass(bstrBase, bstrClass, &bResult);
    if (SUCCEEDED(hr))
        *pbResult = bResult;
    return hr;
}
