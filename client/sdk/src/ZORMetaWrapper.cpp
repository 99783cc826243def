#include "ZORMetaWrapper.h"

#include "SystemObject.h"

HRESULT CMetaClassRef::IsDescendentOrSelfClass(LPCWSTR lpszBaseClass, LPCWSTR lpszClass, int* pbResult)
{
    if (pbResult == nullptr)
        return E_POINTER;
    *pbResult = 0;
    IQvPlmSystem* pSystem = nullptr;
    HRESULT hr = qvsdk::CreateSystemObject(&pSystem);
    if (FAILED(hr))
        return hr;
    BSTR bstrBase = SysAllocString(lpszBaseClass != nullptr ? lpszBaseClass : L"");
    BSTR bstrClass = SysAllocString(lpszClass != nullptr ? lpszClass : L"");
    if (bstrBase == nullptr || bstrClass == nullptr) {
        hr = E_OUTOFMEMORY;
    } else {
        INT bResult = 0;
        hr = pSystem->IsDescendentOrSelfClass(bstrBase, bstrClass, &bResult);
        if (SUCCEEDED(hr))
            *pbResult = bResult;
    }
    SysFreeString(bstrBase);
    SysFreeString(bstrClass);
    pSystem->Release();
    return hr;
}
