// The framework's exception classes and the functions that raise them.
#include <afxwin.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError > 0)
        *lpszError = L'\0';
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    wchar_t szMessage[512];
    if (GetErrorMessage(szMessage, _countof(szMessage)))
        return AfxMessageBox(szMessage, nType);
    if (nMessageID != 0)
        return AfxMessageBox(nMessageID, nType);
    return AfxMessageBox(L"An unknown error has occurred.", nType);
}

BOOL CSimpleException::GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    wcsncpy_s(lpszError, nMaxError, GetDefaultMessage(), _TRUNCATE);
    return TRUE;
}

// Memory exceptions are static: raising one must not need memory.
void AFXAPI AfxThrowMemoryException()
{
    static CMemoryException simpleMemoryException(FALSE);
    throw &simpleMemoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    static CNotSupportedException simpleNotSupportedException(FALSE);
    throw &simpleNotSupportedException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    static CInvalidArgException simpleInvalidArgException(FALSE);
    throw &simpleInvalidArgException;
}

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}
