// CWnd objects and their window handles: the permanent and temporary maps, Attach and Detach,
// subclassing.
#include <afxwin.h>

#include "HandleMaps.h"

namespace afx_internal {

HandleMaps& ThreadHandleMaps()
{
    thread_local HandleMaps maps;
    return maps;
}

} // namespace afx_internal

using afx_internal::ThreadHandleMaps;

namespace {

// The window's own procedure, kept as a window property so that a window whose object went
// away still reaches it.
const wchar_t kSuperProcProperty[] = L"AfxSuperWndProc";

void DropTemporaryObjectsOfDeadWindows()
{
    auto& temporary = ThreadHandleMaps().temporary;
    for (auto it = temporary.begin(); it != temporary.end();) {
        if (!::IsWindow(it->first)) {
            it->second->m_hWnd = NULL;
            it = temporary.erase(it);
        } else {
            ++it;
        }
    }
}

} // namespace

CWnd* PASCAL CWnd::FromHandlePermanent(HWND hWnd)
{
    auto& permanent = ThreadHandleMaps().permanent;
    auto it = permanent.find(hWnd);
    return it == permanent.end() ? NULL : it->second;
}

CWnd* PASCAL CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    auto& temporary = ThreadHandleMaps().temporary;
    auto it = temporary.find(hWnd);
    if (it != temporary.end() && ::IsWindow(hWnd))
        return it->second.get();
    DropTemporaryObjectsOfDeadWindows();
    std::unique_ptr<CWnd> pTemp(new CWnd);
    pTemp->m_hWnd = hWnd;
    CWnd* pWnd = pTemp.get();
    temporary[hWnd] = std::move(pTemp);
    return pWnd;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (hWndNew == NULL || m_hWnd != NULL || FromHandlePermanent(hWndNew) != NULL)
        return FALSE;
    ThreadHandleMaps().permanent[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL) {
        auto& permanent = ThreadHandleMaps().permanent;
        auto it = permanent.find(hWnd);
        if (it != permanent.end() && it->second == this)
            permanent.erase(it);
    }
    m_hWnd = NULL;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld == NULL) {
        Detach();
        return FALSE;
    }
    if (pfnOld != &AfxWndProc) {
        m_pfnSuper = pfnOld;
        ::SetPropW(hWnd, kSuperProcProperty, reinterpret_cast<HANDLE>(pfnOld));
    }
    return TRUE;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == NULL) {
        WNDPROC pfnSuper = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kSuperProcProperty));
        if (pfnSuper != NULL)
            return ::CallWindowProcW(pfnSuper, hWnd, nMsg, wParam, lParam);
        return ::DefWindowProcW(hWnd, nMsg, wParam, lParam);
    }
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

void CWnd::OnNcDestroy()
{
    // The window's own procedure sees the end of the window first; then it is given back its
    // procedure and the object lets go of it.
    LONG_PTR pfnCurrent = ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC);
    Default();
    if (m_pfnSuper != NULL && ::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == pfnCurrent)
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropW(m_hWnd, kSuperProcProperty);
    m_pfnSuper = NULL;
    Detach();
    PostNcDestroy();
}
