#include "PlmSystem.h"

#include "ClientState.h"
#include "components/TransactionQuery.h"

namespace qvclient {
namespace {

std::wstring FromBstr(BSTR bstr)
{
    return bstr != nullptr ? std::wstring(bstr, SysStringLen(bstr)) : std::wstring();
}

HRESULT ToBstr(const std::wstring& text, BSTR* pbstr)
{
    if (pbstr == nullptr)
        return E_POINTER;
    *pbstr = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *pbstr != nullptr ? S_OK : E_OUTOFMEMORY;
}

} // namespace

STDMETHODIMP PlmSystem::GetCurTransaction(IQvCslTransaction** ppTransaction)
{
    return Transaction::GetCurrent(m_state, ppTransaction);
}

STDMETHODIMP PlmSystem::GetGlobalParam(BSTR bstrName, LONG* plValue)
{
    if (plValue == nullptr)
        return E_POINTER;
    const std::wstring name = FromBstr(bstrName);
    {
        std::lock_guard<std::mutex> lock(m_state->transactionMutex);
        const auto cached = m_state->commandParams.find(name);
        if (cached != m_state->commandParams.end()) {
            *plValue = cached->second;
            return S_OK;
        }
    }
    LONG lValue = 0;
    const HRESULT hr = m_state->model->GetGlobalParam(name, lValue);
    if (FAILED(hr))
        return hr;
    *plValue = lValue;
    std::lock_guard<std::mutex> lock(m_state->transactionMutex);
    if (m_state->currentTransaction != nullptr)
        m_state->commandParams.emplace(name, lValue);
    return hr;
}

STDMETHODIMP PlmSystem::GetSystemTempPath(BSTR* pbstrPath)
{
    return ToBstr(m_state->tempPath, pbstrPath);
}

STDMETHODIMP PlmSystem::GetSystemConfigPath(BSTR* pbstrPath)
{
    return ToBstr(m_state->configPath, pbstrPath);
}

// Rights belong to the user, whatever the object.
STDMETHODIMP PlmSystem::CheckObjectBehaviorMethod(IQvOtlObject*, BSTR bstrBehavior, BSTR bstrMethod, SHORT* pbAllowed)
{
    if (pbAllowed == nullptr)
        return E_POINTER;
    *pbAllowed = 0;
    if (m_state->currentUserId == 0)
        return S_OK;
    bool bAllowed = false;
    const HRESULT hr =
        m_state->model->HasRight(m_state->currentUserId, FromBstr(bstrBehavior), FromBstr(bstrMethod), bAllowed);
    if (FAILED(hr))
        return hr;
    *pbAllowed = bAllowed ? 1 : 0;
    return S_OK;
}

STDMETHODIMP PlmSystem::IsDescendentOrSelfClass(BSTR bstrBaseClass, BSTR bstrClass, INT* pbResult)
{
    if (pbResult == nullptr)
        return E_POINTER;
    *pbResult = m_state->model->IsDescendentOrSelf(FromBstr(bstrBaseClass), FromBstr(bstrClass)) ? 1 : 0;
    return S_OK;
}

} // namespace qvclient
