// The PLM system's viewer control: an automation object with two methods,
// SetViewerMap (dispatch id 3) and OpenFile (dispatch id 1), each taking one BSTR.
#pragma once

#include <windows.h>

#include <string>

#include <comkit/ComObject.h>

#include "ViewerMap.h"

namespace viewer {

enum ViewerDispId : DISPID { DISPID_OpenFile = 1, DISPID_SetViewerMap = 3 };

class CViewerControl : public comkit::ComObject<IDispatch> {
public:
    CViewerControl();

    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

private:
    HRESULT SetViewerMap(const std::wstring& path);
    HRESULT OpenFile(const std::wstring& path);

    std::wstring m_strViewerMap;
    ViewerMap m_map;
    bool m_bMapLoaded;
};

} // namespace viewer
