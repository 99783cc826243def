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
// argument (0x40 added: passed by reference). A VTS_BSTR argument is an LPCOLESTR.

#define VTS_I2 "\x02"       // short
#define VTS_I4 "\x03"       // LONG
#define VTS_R4 "\x04"       // float
#define VTS_R8 "\x05"       // double
#define VTS_CY "\x06"       // CY
#define VTS_DATE "\x07"     // DATE
#define VTS_WBSTR "\x08"    // LPCOLESTR
#define VTS_BSTR VTS_WBSTR  // LPCOLESTR (Unicode build)
#define VTS_DISPATCH "\x09" // IDispatch*
#define VTS_SCODE "\x0A"    // SCODE
#define VTS_BOOL "\x0B"     // BOOL, passed as VARIANT_BOOL
#define VTS_VARIANT "\x0C"  // const VARIANT*
#define VTS_UNKNOWN "\x0D"  // IUnknown*
#define VTS_I1 "\x10"       // char
#define VTS_UI1 "\x11"      // BYTE
#define VTS_UI2 "\x12"      // WORD
#define VTS_UI4 "\x13"      // DWORD
#define VTS_I8 "\x14"       // LONGLONG
#define VTS_UI8 "\x15"      // ULONGLONG
#define VTS_PI2 "\x42"      // short*
#define VTS_PI4 "\x43"      // LONG*
#define VTS_PR4 "\x44"      // float*
#define VTS_PR8 "\x45"      // double*
#define VTS_PBSTR "\x48"    // BSTR*
#define VTS_PDISPATCH "\x49"
#define VTS_PSCODE "\x4A"
#define VTS_PBOOL "\x4B"    // VARIANT_BOOL*
#define VTS_PVARIANT "\x4C" // VARIANT*
#define VTS_PUNKNOWN "\x4D"
#define VTS_NONE NULL

// VT_ code of a parameter passed by reference in a VTS_ string.
#define VT_MFCBYREF 0x40

/////////////////////////////////////////////////////////////////////////////
// Control containment

// Lets the current module's dialogs host ActiveX controls named by CLSID in their templates.
void AFXAPI AfxEnableControlContainer(COccManager* pOccManager = NULL);
