// COleException and COleDispatchException.
#include <afxdisp.h>

IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

BOOL COleException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    CString strMessage;
    strMessage.Format(L"OLE error 0x%08X", static_cast<unsigned>(m_sc));
    wcsncpy_s(lpszError, nMaxError, strMessage, _TRUNCATE);
    return TRUE;
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    COleException* pException = new COleException;
    pException->m_sc = sc;
    throw pException;
}

COleDispatchException::COleDispatchException(LPCWSTR lpszDescription, UINT nHelpID, WORD wCode)
    : m_wCode(wCode), m_scError(wCode != 0 ? 0 : E_UNEXPECTED), m_strDescription(lpszDescription),
      m_dwHelpContext(nHelpID)
{
}

BOOL COleDispatchException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = m_dwHelpContext;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    wcsncpy_s(lpszError, nMaxError, m_strDescription, _TRUNCATE);
    return TRUE;
}
