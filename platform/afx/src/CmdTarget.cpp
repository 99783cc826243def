// CCmdTarget: command routing through the message map.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY _messageEntries[] = {{0, 0, 0, 0, AfxSig_end, 0}};
    static const AFX_MSGMAP messageMap = {NULL, &_messageEntries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

CCmdTarget::CCmdTarget() : m_pModuleState(AfxGetModuleState())
{
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; lpEntry++) {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // nCode: the notification in the low word, the message (WM_NOTIFY) in the high word; a
    // plain control notification comes with WM_COMMAND.
    UINT nMsg = HIWORD(nCode);
    nCode = LOWORD(nCode);
    if (nMsg == 0)
        nMsg = WM_COMMAND;
    // Map entries hold control ids as WORDs.
    nID = LOWORD(nID);

    for (const AFX_MSGMAP* pMessageMap = GetMessageMap(); pMessageMap != NULL;
         pMessageMap = pMessageMap->pfnGetBaseMap == NULL ? NULL : (*pMessageMap->pfnGetBaseMap)()) {
        const AFX_MSGMAP_ENTRY* lpEntry =
            AfxFindMessageEntry(pMessageMap->lpEntries, nMsg, static_cast<UINT>(nCode), nID);
        if (lpEntry == NULL)
            continue;
        if (pHandlerInfo != NULL) {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = lpEntry->pfn;
            return TRUE;
        }
        MessageMapFunctions mmf;
        mmf.pfn = lpEntry->pfn;
        switch (lpEntry->nSig) {
        case AfxSigCmd_v:
            (this->*mmf.pfnCmd_v_v)();
            return TRUE;
        case AfxSigNotify_v: {
            AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
            (this->*mmf.pfnNotify_v_NMHDR_pl)(pNotify->pNMHDR, pNotify->pResult);
            return TRUE;
        }
        default:
            return FALSE;
        }
    }
    return FALSE;
}
