// CWnd message handling: the window procedure, the message map dispatch and the defaults.
#include <afxwin.h>

#include "HandleMaps.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
END_MESSAGE_MAP()

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    MSG& lastSentMsg = afx_internal::ThreadHandleMaps().lastSentMsg;
    MSG oldMsg = lastSentMsg;
    lastSentMsg.hwnd = hWnd;
    lastSentMsg.message = nMsg;
    lastSentMsg.wParam = wParam;
    lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (CException* e) {
        // A framework exception ends the message, not the program: it is reported to the user.
        e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
        e->Delete();
        lResult = nMsg == WM_CREATE ? -1 : 0;
    } catch (...) {
        afx_internal::ThreadHandleMaps().lastSentMsg = oldMsg;
        throw;
    }
    afx_internal::ThreadHandleMaps().lastSentMsg = oldMsg;
    return lResult;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        if (!OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else if (message == WM_NCDESTROY) {
        OnNcDestroy();
    } else {
        const AFX_MSGMAP_ENTRY* lpEntry = NULL;
        for (const AFX_MSGMAP* pMessageMap = GetMessageMap(); pMessageMap != NULL && lpEntry == NULL;
             pMessageMap = pMessageMap->pfnGetBaseMap == NULL ? NULL : (*pMessageMap->pfnGetBaseMap)())
            lpEntry = AfxFindMessageEntry(pMessageMap->lpEntries, message, 0, 0);
        if (lpEntry == NULL)
            return FALSE;
        MessageMapFunctions mmf;
        mmf.pfn = lpEntry->pfn;
        switch (lpEntry->nSig) {
        case AfxSig_vv:
            (this->*mmf.pfn_v_v)();
            break;
        case AfxSig_vwii:
            (this->*mmf.pfn_v_u_i_i)(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            break;
        case AfxSig_lwl:
            lResult = (this->*mmf.pfn_l_w_l)(wParam, lParam);
            break;
        default:
            return FALSE;
        }
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    // A menu or accelerator command has no control: it is the window's own command.
    if (hWndCtrl == NULL)
        nCode = CN_COMMAND;
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR == NULL)
        return FALSE;
    UINT nID = static_cast<UINT>(pNMHDR->idFrom);
    if (pNMHDR->hwndFrom != NULL)
        nID = static_cast<UINT>(::GetDlgCtrlID(pNMHDR->hwndFrom));
    AFX_NOTIFY notify;
    notify.pResult = pResult;
    notify.pNMHDR = pNMHDR;
    return OnCmdMsg(nID, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

LRESULT CWnd::DefWindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != NULL)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = afx_internal::ThreadHandleMaps().lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

void CWnd::OnSize(UINT, int, int)
{
    Default();
}

void CWnd::OnDestroy()
{
    Default();
}
