// The error service: CLSID_QvErrorRecord, the error list a reporter holds, CLSID_QvErrorReporter
// (ShowErrors traces "error_report": icon style, count, the codes as 8-digit upper-case
// hexadecimal and the locations, each list joined by ",") and CLSID_QvPendingErrors (the errors
// the client holds, as new records).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "QvInterfaces.h"
#include <comkit/ComObject.h>

namespace qvclient {

struct ClientState;

// What the service reads of its own records beyond the code.
struct IQvErrorRecordDetails : IUnknown {
    STDMETHOD(GetLocation)(BSTR* pbstrLocation) = 0;
    STDMETHOD(GetFlag)(INT* pnFlag) = 0;
};

} // namespace qvclient

__CRT_UUID_DECL(qvclient::IQvErrorRecordDetails, 0x6A0E3B52, 0x0C4D, 0x4E51, 0x9C, 0x8B, 0x2E, 0x61, 0xA4, 0xD0, 0xF7, 0xC1);

namespace qvclient {

_COM_SMARTPTR_TYPEDEF(IQvErrorRecordDetails, __uuidof(IQvErrorRecordDetails));

class ErrorRecord : public comkit::ComObject<IQvErrorRecord, IQvErrorRecordDetails> {
public:
    ErrorRecord() = default;
    ErrorRecord(HRESULT hrCode, std::wstring location, INT nFlag)
        : m_hrCode(hrCode), m_strLocation(std::move(location)), m_nFlag(nFlag) {}

    STDMETHODIMP GetCode(HRESULT* phrCode) override;
    STDMETHODIMP SetCode(HRESULT hrCode) override;
    STDMETHODIMP SetFlag(INT nFlag) override;
    STDMETHODIMP SetLocation(const wchar_t* lpszLocation) override;
    STDMETHODIMP GetLocation(BSTR* pbstrLocation) override;
    STDMETHODIMP GetFlag(INT* pnFlag) override;

private:
    HRESULT m_hrCode = S_OK;
    std::wstring m_strLocation;
    INT m_nFlag = 0;
};

class ErrorList : public comkit::ComObject<IQvErrorList> {
public:
    ErrorList() = default;

    STDMETHODIMP SetIconStyle(INT nStyle) override;
    STDMETHODIMP AddFromVariant(VARIANT* pvarErrors) override;
    STDMETHODIMP AddRecord(IQvErrorRecord* pRecord) override;
    STDMETHODIMP Clear() override;

    INT GetIconStyle() const { return m_nIconStyle; }
    const std::vector<IQvErrorRecordPtr>& GetRecords() const { return m_records; }

private:
    INT m_nIconStyle = 16; // MB_ICONERROR
    std::vector<IQvErrorRecordPtr> m_records;
};

class ErrorReporter : public comkit::ComObject<IQvErrorReporter> {
public:
    ErrorReporter() = default;

    STDMETHODIMP ShowErrors(INT* pnResult) override;
    STDMETHODIMP GetErrorList(IQvErrorList** ppList) override;
    STDMETHODIMP CreateErrorList(IQvErrorList** ppList) override;

private:
    IQvErrorListPtr m_pList; // none until CreateErrorList
    ErrorList* m_pRecords = nullptr; // the object behind m_pList
};

class PendingErrors : public comkit::ComObject<IQvPendingErrors> {
public:
    explicit PendingErrors(std::shared_ptr<ClientState> state) : m_state(std::move(state)) {}

    STDMETHODIMP GetErrors(VARIANT* pvarErrors) override;
    STDMETHODIMP ClearErrors() override;

private:
    std::shared_ptr<ClientState> m_state;
};

} // namespace qvclient
