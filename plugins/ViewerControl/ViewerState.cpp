// The viewer control's saved state, as its container (a dialog template's initialisation data)
// hands it over and takes it back.
#include "ViewerControl.h"

namespace viewer {

const CLSID CLSID_ViewerControl = {0xCB9BBBDA, 0x7B6D, 0x4523, {0xA6, 0xB3, 0xCC, 0x95, 0xE0, 0xAF, 0x2F, 0x9F}};

namespace {

const ULONG kStateSize = 4 * sizeof(DWORD);

} // namespace

STDMETHODIMP CViewerControl::GetClassID(CLSID* pClassID)
{
    if (!pClassID)
        return E_POINTER;
    *pClassID = CLSID_ViewerControl;
    return S_OK;
}

STDMETHODIMP CViewerControl::IsDirty() { return S_FALSE; }

STDMETHODIMP CViewerControl::Load(LPSTREAM pStm)
{
    if (!pStm)
        return E_POINTER;
    DWORD fields[4];
    ULONG cbRead = 0;
    HRESULT hr = pStm->Read(fields, kStateSize, &cbRead);
    if (FAILED(hr))
        return hr;
    // A state cut short, or of a later major version, is none this control can show.
    if (cbRead != kStateSize || HIWORD(fields[1]) > HIWORD(ViewerState().dwVersion))
        return E_FAIL;
    m_state.dwFlags = fields[0];
    m_state.dwVersion = fields[1];
    m_state.sizeExtent.cx = static_cast<LONG>(fields[2]);
    m_state.sizeExtent.cy = static_cast<LONG>(fields[3]);
    return S_OK;
}

STDMETHODIMP CViewerControl::Save(LPSTREAM pStm, BOOL)
{
    if (!pStm)
        return E_POINTER;
    const DWORD fields[4] = {m_state.dwFlags, m_state.dwVersion, static_cast<DWORD>(m_state.sizeExtent.cx),
        static_cast<DWORD>(m_state.sizeExtent.cy)};
    return pStm->Write(fields, kStateSize, NULL);
}

STDMETHODIMP CViewerControl::GetSizeMax(ULARGE_INTEGER* pCbSize)
{
    if (!pCbSize)
        return E_POINTER;
    pCbSize->QuadPart = kStateSize;
    return S_OK;
}

STDMETHODIMP CViewerControl::InitNew()
{
    m_state = ViewerState();
    return S_OK;
}

} // namespace viewer
