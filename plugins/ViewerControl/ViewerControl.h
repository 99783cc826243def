// The PLM system's viewer control: an automation object with two methods,
// SetViewerMap (dispatch id 3) and OpenFile (dispatch id 1), each taking one BSTR, whose
// saved state (flags, version, extent) its container loads and saves through a stream.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include <string>

#include <comkit/ComObject.h>

#include "ViewerEmbedding.h"
#include "ViewerMap.h"

namespace viewer {

enum ViewerDispId : DISPID { DISPID_OpenFile = 1, DISPID_SetViewerMap = 3 };

// The state a container saves: 16 bytes, all little-endian DWORDs.
struct ViewerState {
    DWORD dwFlags = 0;
    DWORD dwVersion = MAKELONG(0, 1); // minor, major
    SIZE sizeExtent = {0, 0};         // HIMETRIC
};

class CViewerControl : public comkit::ComObject<IDispatch, IPersistStreamInit> {
public:
    CViewerControl();
    ~CViewerControl() override;

    STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
    STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    STDMETHOD(Invoke)(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    STDMETHOD(GetClassID)(CLSID* pClassID) override;
    STDMETHOD(IsDirty)() override;
    STDMETHOD(Load)(LPSTREAM pStm) override;
    STDMETHOD(Save)(LPSTREAM pStm, BOOL fClearDirty) override;
    STDMETHOD(GetSizeMax)(ULARGE_INTEGER* pCbSize) override;
    STDMETHOD(InitNew)() override;

protected:
    // IPersist, and the embedding's interfaces where the host embeds controls in place.
    HRESULT QueryOther(REFIID riid, void** ppv) override;

private:
    HRESULT SetViewerMap(const std::wstring& path);
    HRESULT OpenFile(const std::wstring& path);

    std::wstring m_strViewerMap;
    ViewerMap m_map;
    bool m_bMapLoaded;
    ViewerState m_state;
    ViewerEmbedding* m_pEmbedding;
};

extern const CLSID CLSID_ViewerControl;

} // namespace viewer
