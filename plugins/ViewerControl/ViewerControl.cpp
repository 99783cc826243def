#include "ViewerControl.h"

#include <winenv/Paths.h>
#include <winenv/Trace.h>

#include "ViewerLauncher.h"

namespace viewer {

CViewerControl::CViewerControl()
    : m_bMapLoaded(false),
      m_pEmbedding(CreateEmbedding(static_cast<IDispatch*>(this), &m_state.sizeExtent))
{
}

CViewerControl::~CViewerControl()
{
    DestroyEmbedding(m_pEmbedding);
}

// IPersist is the base of IPersistStreamInit.
HRESULT CViewerControl::QueryOther(REFIID riid, void** ppv)
{
    if (riid != IID_IPersist)
        return QueryEmbedding(m_pEmbedding, riid, ppv);
    *ppv = static_cast<IPersistStreamInit*>(this);
    return S_OK;
}

STDMETHODIMP CViewerControl::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

STDMETHODIMP CViewerControl::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CViewerControl::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (!rgszNames || !rgDispId)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < cNames; ++i) {
        if (_wcsicmp(rgszNames[i], L"OpenFile") == 0)
            rgDispId[i] = DISPID_OpenFile;
        else if (_wcsicmp(rgszNames[i], L"SetViewerMap") == 0)
            rgDispId[i] = DISPID_SetViewerMap;
        else {
            rgDispId[i] = DISPID_UNKNOWN;
            hr = DISP_E_UNKNOWNNAME;
        }
    }
    return hr;
}

STDMETHODIMP CViewerControl::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
    VARIANT* pVarResult, EXCEPINFO*, UINT* puArgErr)
{
    if (dispIdMember != DISPID_OpenFile && dispIdMember != DISPID_SetViewerMap)
        return DISP_E_MEMBERNOTFOUND;
    if (!(wFlags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    if (!pDispParams || pDispParams->cArgs != 1)
        return DISP_E_BADPARAMCOUNT;
    VARIANT arg;
    VariantInit(&arg);
    if (FAILED(VariantChangeType(&arg, &pDispParams->rgvarg[0], 0, VT_BSTR))) {
        if (puArgErr)
            *puArgErr = 0;
        return DISP_E_TYPEMISMATCH;
    }
    const std::wstring text = arg.bstrVal ? arg.bstrVal : L"";
    VariantClear(&arg);
    if (pVarResult)
        VariantInit(pVarResult);
    return dispIdMember == DISPID_OpenFile ? OpenFile(text) : SetViewerMap(text);
}

HRESULT CViewerControl::SetViewerMap(const std::wstring& path)
{
    m_strViewerMap = path;
    m_bMapLoaded = m_map.Load(winenv::ToPosixPath(path.c_str()));
    winenv::Trace("viewer", {{"method", "SetViewerMap"}, {"dispid", "3"}, {"path", winenv::ToUtf8(path)},
                                   {"loaded", m_bMapLoaded ? "yes" : "no"}});
    return S_OK;
}

HRESULT CViewerControl::OpenFile(const std::wstring& path)
{
    const std::string posix = winenv::ToPosixPath(path.c_str());
    const std::string program = m_map.ProgramFor(posix);
    bool launched = false;
    if (!program.empty() && LaunchingEnabled())
        launched = LaunchViewer(program, posix);
    ShowFile(m_pEmbedding, path);
    winenv::Trace("viewer", {{"method", "OpenFile"}, {"dispid", "1"}, {"path", winenv::ToUtf8(path)},
                                   {"program", program}, {"launched", launched ? "yes" : "no"}});
    return S_OK;
}

} // namespace viewer
