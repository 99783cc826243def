#include "ZORRTWrapper.h"

#include "BstrCopy.h"
#include "SystemObject.h"

namespace {

using PathGetter = HRESULT (STDMETHODCALLTYPE IQvPlmSystem::*)(BSTR*);

HRESULT GetSystemPath(PathGetter getter, CString& strPath)
{
    IQvPlmSystemPtr pSystem;
    HRESULT hr = qvsdk::CreateSystemObject(&pSystem);
    if (FAILED(hr))
        return hr;
    _bstr_t bstrPath;
    hr = (pSystem.GetInterfacePtr()->*getter)(bstrPath.GetAddress());
    if (SUCCEEDED(hr))
        strPath = static_cast<const wchar_t*>(bstrPath) != nullptr ? static_cast<const wchar_t*>(bstrPath) : L"";
    return hr;
}

} // namespace

// ---- CPlmSystemRef ----------------------------------------------------------------------------

CPlmSystemRef::CPlmSystemRef() = default;

CPlmSystemRef::~CPlmSystemRef() = default;

HRESULT CPlmSystemRef::Create()
{
    m_pSystem = nullptr;
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
    const _bstr_t bstrName = qvsdk::CopyText(lpszName);
    if (!bstrName)
        return E_OUTOFMEMORY;
    LONG lValue = 0;
    const HRESULT hr = m_pSystem->GetGlobalParam(bstrName, &lValue);
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
    IQvPlmSystemPtr pSystem;
    HRESULT hr = qvsdk::CreateSystemObject(&pSystem);
    if (FAILED(hr))
        return hr;
    const _bstr_t bstrBehavior = qvsdk::CopyText(lpszBehavior);
    const _bstr_t bstrMethod = qvsdk::CopyText(lpszMethod);
    if (!bstrBehavior || !bstrMethod)
        return E_OUTOFMEMORY;
    SHORT bAllowed = 0;
    hr = pSystem->CheckObjectBehaviorMethod(pObject, bstrBehavior, bstrMethod, &bAllowed);
    if (SUCCEEDED(hr))
        *pbAllowed = bAllowed;
    return hr;
}
