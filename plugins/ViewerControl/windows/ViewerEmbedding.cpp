// The viewer control embedded in place by its container: DoVerb makes the control's window a
// child of the window the site names, at the site's rectangle, and the window paints the file
// last opened. Methods a host may call that the control has no use for answer as an OLE
// control does (E_NOTIMPL, OLE_E_ADVISENOTSUPPORTED, OLE_S_USEREG).
#include <windows.h>
#include <comdef.h>
#include <ole2.h>
#include <olectl.h>

#include <string>

#include "../ViewerControl.h"
#include "../ViewerEmbedding.h"

namespace viewer {

namespace {

const wchar_t kWindowClass[] = L"QvViewerControlWindow";

HINSTANCE ThisModule()
{
    HMODULE hModule = NULL;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &hModule);
    return hModule;
}

// The window's text is the file shown.
LRESULT CALLBACK ViewerWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (uMsg == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(hWnd, &ps);
        RECT rc;
        GetClientRect(hWnd, &rc);
        FillRect(hdc, &rc, GetSysColorBrush(COLOR_WINDOW));
        FrameRect(hdc, &rc, GetSysColorBrush(COLOR_BTNSHADOW));
        wchar_t szPath[MAX_PATH] = L"";
        GetWindowTextW(hWnd, szPath, MAX_PATH);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, GetSysColor(COLOR_WINDOWTEXT));
        SelectObject(hdc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(hdc, szPath, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_PATH_ELLIPSIS);
        EndPaint(hWnd, &ps);
        return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

} // namespace

class ViewerEmbedding final : public IOleObject, public IOleInPlaceObject {
public:
    ViewerEmbedding(IUnknown* pOuter, SIZE* pExtent) : m_pOuter(pOuter), m_pExtent(pExtent) {}
    ViewerEmbedding(const ViewerEmbedding&) = delete;
    ViewerEmbedding& operator=(const ViewerEmbedding&) = delete;

    ~ViewerEmbedding()
    {
        InPlaceDeactivate();
        SetClientSite(NULL);
    }

    void Show(const std::wstring& path)
    {
        m_strPath = path;
        if (m_hWnd != NULL) {
            SetWindowTextW(m_hWnd, m_strPath.c_str());
            InvalidateRect(m_hWnd, NULL, TRUE);
        }
    }

    // IUnknown: the control's.
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_pOuter->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_pOuter->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_pOuter->Release(); }

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* pClientSite) override
    {
        m_spClientSite = pClientSite;
        return S_OK;
    }
    STDMETHODIMP GetClientSite(IOleClientSite** ppClientSite) override
    {
        if (ppClientSite == NULL)
            return E_POINTER;
        *ppClientSite = IOleClientSitePtr(m_spClientSite).Detach();
        return S_OK;
    }
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP Close(DWORD) override { return InPlaceDeactivate(); }
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** ppmk) override
    {
        if (ppmk != NULL)
            *ppmk = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject** ppDataObject) override
    {
        if (ppDataObject != NULL)
            *ppDataObject = NULL;
        return E_NOTIMPL;
    }
    STDMETHODIMP DoVerb(LONG iVerb, LPMSG, IOleClientSite* pActiveSite, LONG, HWND, LPCRECT) override
    {
        switch (iVerb) {
        case OLEIVERB_PRIMARY:
        case OLEIVERB_SHOW:
        case OLEIVERB_INPLACEACTIVATE:
        case OLEIVERB_UIACTIVATE:
            return InPlaceActivate(pActiveSite != NULL ? pActiveSite : m_spClientSite.GetInterfacePtr());
        case OLEIVERB_HIDE:
            if (m_hWnd != NULL)
                ShowWindow(m_hWnd, SW_HIDE);
            return S_OK;
        default:
            // A verb the control does not list runs its primary verb.
            if (iVerb > 0) {
                const HRESULT hr = InPlaceActivate(pActiveSite != NULL ? pActiveSite : m_spClientSite.GetInterfacePtr());
                return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
            }
            return E_NOTIMPL;
        }
    }
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** ppEnumOleVerb) override
    {
        if (ppEnumOleVerb != NULL)
            *ppEnumOleVerb = NULL;
        return OLE_S_USEREG;
    }
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* pClsid) override
    {
        if (pClsid == NULL)
            return E_POINTER;
        *pClsid = CLSID_ViewerControl;
        return S_OK;
    }
    STDMETHODIMP GetUserType(DWORD, LPOLESTR* pszUserType) override
    {
        if (pszUserType != NULL)
            *pszUserType = NULL;
        return OLE_S_USEREG;
    }
    STDMETHODIMP SetExtent(DWORD dwDrawAspect, SIZEL* psizel) override
    {
        if (dwDrawAspect != DVASPECT_CONTENT)
            return DV_E_DVASPECT;
        if (psizel == NULL)
            return E_POINTER;
        m_pExtent->cx = psizel->cx;
        m_pExtent->cy = psizel->cy;
        return S_OK;
    }
    STDMETHODIMP GetExtent(DWORD dwDrawAspect, SIZEL* psizel) override
    {
        if (psizel == NULL)
            return E_POINTER;
        if (dwDrawAspect != DVASPECT_CONTENT)
            return DV_E_DVASPECT;
        psizel->cx = m_pExtent->cx;
        psizel->cy = m_pExtent->cy;
        return S_OK;
    }
    STDMETHODIMP Advise(IAdviseSink*, DWORD* pdwConnection) override
    {
        if (pdwConnection != NULL)
            *pdwConnection = 0;
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP Unadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** ppenumAdvise) override
    {
        if (ppenumAdvise != NULL)
            *ppenumAdvise = NULL;
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP GetMiscStatus(DWORD, DWORD* pdwStatus) override
    {
        if (pdwStatus == NULL)
            return E_POINTER;
        *pdwStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
            OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;
        return S_OK;
    }
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject
    STDMETHODIMP GetWindow(HWND* phwnd) override
    {
        if (phwnd == NULL)
            return E_POINTER;
        *phwnd = m_hWnd;
        return m_hWnd != NULL ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override
    {
        if (!m_spInPlaceSite)
            return S_OK;
        if (m_hWnd != NULL) {
            DestroyWindow(m_hWnd);
            m_hWnd = NULL;
            // Fails while another control's window still has the class; the last one removes it,
            // as a DLL's classes outlive it otherwise.
            UnregisterClassW(kWindowClass, ThisModule());
        }
        // Let go before the site hears of it, so a call back finds the control inactive.
        const IOleInPlaceSitePtr spSite(m_spInPlaceSite.Detach(), false);
        spSite->OnInPlaceDeactivate();
        return S_OK;
    }
    STDMETHODIMP UIDeactivate() override { return S_OK; }
    STDMETHODIMP SetObjectRects(LPCRECT lprcPosRect, LPCRECT) override
    {
        if (lprcPosRect == NULL)
            return E_POINTER;
        if (m_hWnd != NULL)
            MoveWindow(m_hWnd, lprcPosRect->left, lprcPosRect->top, lprcPosRect->right - lprcPosRect->left,
                lprcPosRect->bottom - lprcPosRect->top, TRUE);
        return S_OK;
    }
    STDMETHODIMP ReactivateAndUndo() override { return INPLACE_E_NOTUNDOABLE; }

private:
    // The site's window gets the control's window at the site's rectangle.
    HRESULT InPlaceActivate(IOleClientSite* pClientSite)
    {
        if (m_hWnd != NULL) {
            ShowWindow(m_hWnd, SW_SHOW);
            return S_OK;
        }
        if (pClientSite == NULL)
            return E_UNEXPECTED;
        IOleInPlaceSitePtr spSite;
        if (FAILED(pClientSite->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&spSite))) || !spSite)
            return E_NOINTERFACE;
        HWND hParent = NULL;
        RECT rcPos = {}, rcClip = {};
        OLEINPLACEFRAMEINFO frameInfo = {};
        frameInfo.cb = sizeof(frameInfo);
        HRESULT hr = spSite->CanInPlaceActivate();
        if (hr == S_OK)
            hr = spSite->GetWindow(&hParent);
        if (hr == S_OK) {
            // The control puts no menus or tools in the frame or the document window.
            IOleInPlaceFramePtr spFrame;
            IOleInPlaceUIWindowPtr spDoc;
            hr = spSite->GetWindowContext(&spFrame, &spDoc, &rcPos, &rcClip, &frameInfo);
        }
        if (hr != S_OK)
            return FAILED(hr) ? hr : E_FAIL;
        hr = spSite->OnInPlaceActivate();
        if (FAILED(hr))
            return hr;
        m_spInPlaceSite = spSite;
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ViewerWindowProc;
        wc.hInstance = ThisModule();
        wc.hCursor = LoadCursorW(NULL, IDC_ARROW);
        wc.lpszClassName = kWindowClass;
        RegisterClassW(&wc); // already there while another control shows
        m_hWnd = CreateWindowExW(0, kWindowClass, m_strPath.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
            rcPos.left, rcPos.top, rcPos.right - rcPos.left, rcPos.bottom - rcPos.top, hParent, NULL, ThisModule(),
            NULL);
        if (m_hWnd == NULL) {
            InPlaceDeactivate();
            return E_FAIL;
        }
        return S_OK;
    }

    IUnknown* m_pOuter;
    SIZE* m_pExtent;
    IOleClientSitePtr m_spClientSite;
    IOleInPlaceSitePtr m_spInPlaceSite;
    HWND m_hWnd = NULL;
    std::wstring m_strPath;
};

ViewerEmbedding* CreateEmbedding(IUnknown* pOuter, SIZE* pExtent)
{
    return new ViewerEmbedding(pOuter, pExtent);
}

void DestroyEmbedding(ViewerEmbedding* pEmbedding)
{
    delete pEmbedding;
}

HRESULT QueryEmbedding(ViewerEmbedding* pEmbedding, REFIID riid, void** ppv)
{
    if (riid == IID_IOleObject)
        *ppv = static_cast<IOleObject*>(pEmbedding);
    else if (riid == IID_IOleInPlaceObject || riid == IID_IOleWindow)
        *ppv = static_cast<IOleInPlaceObject*>(pEmbedding);
    else
        return E_NOINTERFACE;
    return S_OK;
}

void ShowFile(ViewerEmbedding* pEmbedding, const std::wstring& path)
{
    pEmbedding->Show(path);
}

} // namespace viewer
