#include "ZORRTWrapper.h"

#include "SystemObject.h"

namespace {

using PathGetter = HRESULT (STDMETHODCALLTYPE IQvPlmSystem::*)(BSTR*);

HRESULT GetSystemPath(PathGetter getter, CString& strPath)
{
    IQvPlmSystem* pSystem = nullptr;
    HRESULT hr = qvsdk::CreateSystemObject(&pSystem);
    if (FAILED(hr))
        return hr;
    BSTR bstrPath = nullptr;
    hr = (pSystem->*getter)(&bstrPath);
    if (SUCCEEDED(hr))
        strPath = bstrPath != nullptr ? bstrPath : L"";
    SysFreeString(bstrPath);
    pSystem->Release();
    return hr;
}

} // namespace

// ---- CPlmSystemRef ----------------------------------------------------------------------------

CPlmSystemRef::CPlmSystemRef() : m_pSystem(nullptr) {}

CPlmSystemRef::~CPlmSystemRef()
{
    if (m_pSystem != nullptr)
        m_pSystem->Release();
}

HRESULT CPlmSystemRef::Create()
{
    if (m_pSystem != nullptr) {
        m_pSystem->Release();
        m_pSystem = nullptr;
    }
    return qvsdk::CreateSystemObject(&m_pSystem);
}

HRESULT CPlmSystemRef::GetCurTransaction(IQvCslTransaction** ppTransaction)
{
    if (ppTransaction == nullptr)
        return E_POINTER;
    *ppTransaction = nullptr;
    if (m_pSystem == nullptr)
        return E_POINTER;
    return m_pSystem->GetCurTransaction(ppTransaction);
}

HRESULT CPlmSystemRef::GetZORGlobalParam(LPCWSTR lpszName, int* pnValue)
{
    if (pnValue == nullptr)
        return E_POINTER;
    if (m_pSystem == nullptr)
        return E_POINTER;
    BSTR bstrName = SysAllocString(lpszName != nullptr ? lpszName : L"");
    if (bstrName == nullptr)
        return E_OUTOFMEMORY;
    LONG lValue = 0;
    HRESULT hr = m_pSystem->GetGlobalParam(bstrName, &lValue);
    SysFreeString(bstrName);
    if (SUCCEEDED(hr))
        *pnValue = lValue;
    return hr;
}

// ---- CSystemPathHelper ------------------------------------------------------------------------

HRESULT CSystemPathHelper::GetSystemTempPath(CString& strPath)
{
    return GetSystemPath(&IQvPlmSystem::GetSystemTempPath, strPath);
}

HRESULT CSystemPathHelper::GetSystemConfigPath(CString& strPath)
{
    return GetSystemPath(&IQvPlmSystem::GetSystemConfigPath, strPath);
}

// ---- CSecurityHelper --------------------------------------------------------------------------

HRESULT CSecurityHelper::CheckObjectBehaviorMethod(IQvOtlObject* pObject, LPCWSTR lpszBehavior, LPCWSTR lpszMethod,
    short* pbAllowed)
{
    if (pbAllowed == nullptr)
        return E_POINTER;
    *pbAllowed = 0;
    IQvPlmSystem* pSystem = nullptr;
    HRESULT hr = qvsdk::CreateSystemObject(&pSystem);
    if (FAILED(hr))
        return hr;
    BSTR bstrBehavior = SysAllocString(lpszBehavior != nullptr ? lpszBehavior : L"");
    BSTR bstrMethod = SysAllocString(lpszMethod != nullptr ? lpszMethod : L"");
    if (bstrBehavior == nullptr || bstrMethod == nullptr) {
        hr = E_OUTOFMEMORY;
    } else {
        SHORT bAllowed = 0;
        hr = pSystem->CheckObjectBehaviorMethod(pObject, bstrBehavior, bstrMethod, &bAllowed);
        if (SUCCEEDED(hr))
            *pbAllowed = bAllowed;
    }
    SysFreeString(bstrBehavior);
    SysFreeString(bstrMethod);
    pSystem->Release();
    return hr;
}
