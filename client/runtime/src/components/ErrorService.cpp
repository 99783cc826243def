#include "ErrorService.h"

#include <cstdio>

#include <win32host/Trace.h>

#include "ClientState.h"
#include "com/UnknownArray.h"

namespace qvclient {

// ---- ErrorRecord ------------------------------------------------------------------------------

STDMETHODIMP ErrorRecord::GetCode(HRESULT* phrCode)
{
    if (phrCode == nullptr)
        return E_POINTER;
    *phrCode = m_hrCode;
    return S_OK;
}

STDMETHODIMP ErrorRecord::SetCode(HRESULT hrCode)
{
    m_hrCode = hrCode;
    return S_OK;
}

STDMETHODIMP ErrorRecord::SetFlag(INT nFlag)
{
    m_nFlag = nFlag;
    return S_OK;
}

STDMETHODIMP ErrorRecord::SetLocation(const wchar_t* lpszLocation)
{
    m_strLocation = lpszLocation != nullptr ? lpszLocation : L"";
    return S_OK;
}

STDMETHODIMP ErrorRecord::GetLocation(BSTR* pbstrLocation)
{
    if (pbstrLocation == nullptr)
        return E_POINTER;
    *pbstrLocation = SysAllocStringLen(m_strLocation.data(), static_cast<UINT>(m_strLocation.size()));
    return *pbstrLocation != nullptr ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP ErrorRecord::GetFlag(INT* pnFlag)
{
    if (pnFlag == nullptr)
        return E_POINTER;
    *pnFlag = m_nFlag;
    return S_OK;
}

// ---- ErrorList --------------------------------------------------------------------------------

ErrorList::~ErrorList()
{
    Clear();
}

STDMETHODIMP ErrorList::SetIconStyle(INT nStyle)
{
    m_nIconStyle = nStyle;
    return S_OK;
}

STDMETHODIMP ErrorList::AddFromVariant(VARIANT* pvarErrors)
{
    if (pvarErrors == nullptr)
        return E_POINTER;
    std::vector<IUnknown*> items;
    HRESULT hr = ReadUnknownArray(*pvarErrors, items);
    if (FAILED(hr))
        return hr;
    for (IUnknown* pItem : items) {
        IQvErrorRecord* pRecord = nullptr;
        if (pItem != nullptr && SUCCEEDED(pItem->QueryInterface(__uuidof(IQvErrorRecord), reinterpret_cast<void**>(&pRecord))))
            m_records.push_back(pRecord);
        else
            hr = S_FALSE; // an element that is no error record is passed over
        if (pItem != nullptr)
            pItem->Release();
    }
    return hr;
}

STDMETHODIMP ErrorList::AddRecord(IQvErrorRecord* pRecord)
{
    if (pRecord == nullptr)
        return E_POINTER;
    pRecord->AddRef();
    m_records.push_back(pRecord);
    return S_OK;
}

STDMETHODIMP ErrorList::Clear()
{
    for (IQvErrorRecord* p : m_records)
        p->Release();
    m_records.clear();
    return S_OK;
}

// ---- ErrorReporter ----------------------------------------------------------------------------

ErrorReporter::~ErrorReporter()
{
    if (m_pList != nullptr)
        m_pList->Release();
}

STDMETHODIMP ErrorReporter::ShowErrors(INT* pnResult)
{
    if (pnResult != nullptr)
        *pnResult = 0;
    if (m_pList == nullptr || m_pList->GetRecords().empty())
        return S_FALSE;
    std::string codes;
    std::string locations;
    for (IQvErrorRecord* pRecord : m_pList->GetRecords()) {
        HRESULT hrCode = S_OK;
        pRecord->GetCode(&hrCode);
        char szCode[16];
        std::snprintf(szCode, sizeof(szCode), "%08X", static_cast<unsigned>(hrCode));
        std::string location;
        IQvErrorRecordDetails* pDetails = nullptr;
        if (SUCCEEDED(pRecord->QueryInterface(__uuidof(IQvErrorRecordDetails), reinterpret_cast<void**>(&pDetails)))) {
            BSTR bstrLocation = nullptr;
            if (SUCCEEDED(pDetails->GetLocation(&bstrLocation)) && bstrLocation != nullptr)
                location = win32host::ToUtf8(bstrLocation);
            SysFreeString(bstrLocation);
            pDetails->Release();
        }
        if (!codes.empty()) {
            codes += ",";
            locations += ",";
        }
        codes += szCode;
        locations += location;
    }
    win32host::Trace("error_report", {{"style", std::to_string(m_pList->GetIconStyle())},
                                         {"count", std::to_string(m_pList->GetRecords().size())},
                                         {"codes", codes}, {"locations", locations}});
    if (pnResult != nullptr)
        *pnResult = 1; // IDOK: the user closed the report
    return S_OK;
}

STDMETHODIMP ErrorReporter::GetErrorList(IQvErrorList** ppList)
{
    if (ppList == nullptr)
        return E_POINTER;
    *ppList = m_pList;
    if (m_pList == nullptr)
        return S_FALSE;
    m_pList->AddRef();
    return S_OK;
}

STDMETHODIMP ErrorReporter::CreateErrorList(IQvErrorList** ppList)
{
    if (ppList == nullptr)
        return E_POINTER;
    auto* pList = new ErrorList();
    pList->AddRef();
    if (m_pList != nullptr)
        m_pList->Release();
    m_pList = pList;
    *ppList = pList;
    pList->AddRef();
    return S_OK;
}

// ---- PendingErrors ----------------------------------------------------------------------------

STDMETHODIMP PendingErrors::GetErrors(VARIANT* pvarErrors)
{
    if (pvarErrors == nullptr)
        return E_POINTER;
    VariantInit(pvarErrors);
    std::vector<PendingError> pending;
    {
        std::lock_guard<std::mutex> lock(m_state->mutex);
        pending = m_state->pendingErrors;
    }
    if (pending.empty())
        return S_OK;
    std::vector<IUnknown*> records;
    for (const PendingError& error : pending) {
        auto* pRecord = new ErrorRecord(error.code, error.location, error.flag);
        pRecord->AddRef();
        records.push_back(static_cast<IQvErrorRecord*>(pRecord));
    }
    const HRESULT hr = MakeUnknownArray(records, pvarErrors);
    for (IUnknown* p : records)
        p->Release();
    return hr;
}

STDMETHODIMP PendingErrors::ClearErrors()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->pendingErrors.clear();
    return S_OK;
}

} // namespace qvclient
