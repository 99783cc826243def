// A tiny automation object for control containment tests: records every Invoke and fails two
// dispatch ids. Registered under its CLSID with CoRegisterClassObject while it lives.
#pragma once

#include <windows.h>

#include <comkit/ComObject.h>

#include <string>
#include <vector>

const CLSID CLSID_FakeViewer = {0x0F1E2D3C, 0x4B5A, 0x4978, {0x86, 0x95, 0xA4, 0xB3, 0xC2, 0xD1, 0xE0, 0xF0}};

struct InvokeRecord {
    DISPID dispid;
    WORD wFlags;
    std::vector<std::wstring> args; // the string arguments in the order the caller wrote them
};

// Dispatch ids the fake answers besides recording.
enum : DISPID {
    DISPID_FAILS = 12,  // DISP_E_MEMBERNOTFOUND
    DISPID_RAISES = 13, // DISP_E_EXCEPTION, "viewer is busy" from "FakeViewer"
};

class FakeViewer : public comkit::ComObject<IDispatch> {
public:
    static inline std::vector<InvokeRecord> s_calls;
    static inline LONG s_nLive = 0;

    FakeViewer() { ++s_nLive; }
    ~FakeViewer() override { --s_nLive; }

    STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override
    {
        *pctinfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        *ppTInfo = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
};

// Keeps the fake's class registered for the life of the object.
class FakeViewerRegistration {
public:
    FakeViewerRegistration();
    ~FakeViewerRegistration();

private:
    DWORD m_dwCookie = 0;
};
