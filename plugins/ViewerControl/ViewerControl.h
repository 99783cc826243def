// The PLM system's viewer control: an automation object with two methods,
// SetViewerMap (dispatch id 3) and OpenFile (dispatch id 1), each taking one BSTR.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>

#include "ViewerMap.h"

namespace viewer {

enum ViewerDispId : DISPID { DISPID_OpenFile = 1, DISPID_SetViewerMap = 3 };

class CViewerControl : public IDispatch {
public:
    CViewerControl();

    STDMETHOD(QueryInterface)(REFIID riid, void** ppv) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    virtual ~CViewerControl() = default;
    HRESULT SetViewerMap(const std::wstring& path);
    HRESULT OpenFile(const std::wstring& path);

    std::atomic<ULONG> m_cRef;
    std::wstring m_strViewerMap;
    ViewerMap m_map;
    bool m_bMapLoaded;
};

} // namespace viewer
