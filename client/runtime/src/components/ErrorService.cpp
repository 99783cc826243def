#include "ErrorService.h"

#include <cstdio>

#include <winenv/Trace.h>

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

STDMETHODIMP ErrorList::SetIconStyle(INT nStyle)
{
    m_nIconStyle = nStyle;
    return S_OK;
}

STDMETHODIMP ErrorList::AddFromVariant(VARIANT* pvarErrors)
{
    if (pvarErrors == nullptr)
        return E_POINTER;
    std::vector<IUnknownPtr> items;
    HRESULT hr = ReadUnknownArray(*pvarErrors, items);
    if (FAILED(hr))
        return hr;
    for (const IUnknownPtr& pItem : items) {
        IQvErrorRecordPtr pRecord;
        if (pItem != nullptr && SUCCEEDED(pItem->QueryInterface(__uuidof(IQvErrorRecord), reinterpret_cast<void**>(&pRecord))))
            m_records.push_back(pRecord);
        else
            hr = S_FALSE; // an element that is no error record is passed over
    }
    return hr;
}

STDMETHODIMP ErrorList::AddRecord(IQvErrorRecord* pRecord)
{
    if (pRecord == nullptr)
        return E_POINTER;
    m_records.push_back(pRecord);
    return S_OK;
}

STDMETHODIMP ErrorList::Clear()
{
    m_records.clear();
    return S_OK;
}

// ---- ErrorReporter ----------------------------------------------------------------------------

STDMETHODIMP ErrorReporter::ShowErrors(INT* pnResult)
{
    if (pnResult != nullptr)
        *pnResult = 0;
    if (m_pRecords == nullptr || m_pRecords->GetRecords().empty())
        return S_FALSE;
    std::string codes;
    std::string locations;
    for (const IQvErrorRecordPtr& pRecord : m_pRecords->GetRecords()) {
        HRESULT hrCode = S_OK;
        pRecord->GetCode(&hrCode);
        char szCode[16];
        std::snprintf(szCode, sizeof(szCode), "%08X", static_cast<unsigned>(hrCode));
        std::string location;
        IQvErrorRecordDetailsPtr pDetails;
        if (SUCCEEDED(pRecord->QueryInterface(__uuidof(IQvErrorRecordDetails), reinterpret_cast<void**>(&pDetails)))) {
            _bstr_t bstrLocation;
            if (SUCCEEDED(pDetails->GetLocation(bstrLocation.GetAddress())) && !!bstrLocation)
                location = winenv::ToUtf8(static_cast<const wchar_t*>(bstrLocation));
        }
        if (!codes.empty()) {
            codes += ",";
            locations += ",";
        }
        codes += szCode;
        locations += location;
    }
    winenv::Trace("error_report", {{"style", std::to_string(m_pRecords->GetIconStyle())},
                                         {"count", std::to_string(m_pRecords->GetRecords().size())},
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
    m_pList.AddRef();
    return S_OK;
}

STDMETHODIMP ErrorReporter::CreateErrorList(IQvErrorList** ppList)
{
    if (ppList == nullptr)
        return E_POINTER;
    m_pRecords = new ErrorList();
    m_pList = static_cast<IQvErrorList*>(m_pRecords);
    *ppList = m_pList;
    m_pList.AddRef();
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
    std::vector<IQvErrorRecordPtr> held;
    std::vector<IUnknown*> records;
    for (const PendingError& error : pending) {
        held.push_back(IQvErrorRecordPtr(static_cast<IQvErrorRecord*>(new ErrorRecord(error.code, error.location, error.flag))));
        records.push_back(held.back());
    }
    return MakeUnknownArray(records, pvarErrors);
}

STDMETHODIMP PendingErrors::ClearErrors()
{
    std::lock_guard<std::mutex> lock(m_state->mutex);
    m_state->pendingErrors.clear();
    return S_OK;
}

} // namespace qvclient
