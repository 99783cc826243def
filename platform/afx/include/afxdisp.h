// OLE automation support of the framework: the OLE exceptions, the VTS_ parameter codes of
// InvokeHelper and control containment.
#pragma once

#include "afxwin.h"

#include <oleauto.h>

/////////////////////////////////////////////////////////////////////////////
// Exceptions

// A failing HRESULT (SCODE) from an OLE or automation call.
class COleException : public CException {
    DECLARE_DYNAMIC(COleException)
public:
    COleException() : m_sc(S_OK) {}

    SCODE m_sc;

    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext = NULL) const override;
};

// An exception raised by the automation member that was called (DISP_E_EXCEPTION).
class COleDispatchException : public CException {
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCWSTR lpszDescription, UINT nHelpID, WORD wCode);

    WORD m_wCode;
    SCODE m_scError;
    CString m_strSource;
    CString m_strDescription;
    CString m_strHelpFile;
    DWORD m_dwHelpContext;

    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, UINT* pnHelpContext = NULL) const override;
};

[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);

/////////////////////////////////////////////////////////////////////////////
// Parameter codes of InvokeHelper: each string is one byte per argument, the VARTYPE of the
// argument. The module passes strings only (a VTS_BSTR argument is an LPCOLESTR).

#define VTS_WBSTR "\x08"   // LPCOLESTR
#define VTS_BSTR VTS_WBSTR // LPCOLESTR (Unicode build)
#define VTS_NONE NULL

/////////////////////////////////////////////////////////////////////////////
// Control containment

// Lets the current module's dialogs host ActiveX controls named by CLSID in their templates.
void AFXAPI AfxEnableControlContainer(COccManager* pOccManager = NULL);
