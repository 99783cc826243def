// Windows, dialogs and the application object of the framework: CCmdTarget and message maps,
// CWnd, CDialog with dialog data exchange, CWinThread, CWinApp, AfxMessageBox and the module
// state functions.
#pragma once

#include <windows.h>

#include "afx.h"
#include "afxcoll.h"
#include "afxmsg_.h"
#include "afxstat_.h"
#include "atltypes.h"

class CCmdTarget;
class CWnd;
class CDataExchange;
class CWinApp;

/////////////////////////////////////////////////////////////////////////////
// Message maps

typedef void (AFX_MSG_CALL CCmdTarget::*AFX_PMSG)(void);
typedef void (AFX_MSG_CALL CWnd::*AFX_PMSGW)(void);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message
    UINT nCode;     // control code or WM_NOTIFY code
    UINT nID;       // control id (0 for window messages)
    UINT nLastID;   // last id of a range of controls
    UINT_PTR nSig;  // AfxSig: how pfn is called
    AFX_PMSG pfn;   // the handler
};

struct AFX_MSGMAP {
    const AFX_MSGMAP*(PASCAL* pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What OnCmdMsg receives for a WM_NOTIFY.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// A map entry's handler seen with its real signature (the entry stores it as AFX_PMSG).
union MessageMapFunctions {
    AFX_PMSG pfn;
    void (AFX_MSG_CALL CCmdTarget::*pfnCmd_v_v)();
    void (AFX_MSG_CALL CCmdTarget::*pfnNotify_v_NMHDR_pl)(NMHDR*, LRESULT*);
    void (AFX_MSG_CALL CWnd::*pfn_v_v)();
    void (AFX_MSG_CALL CWnd::*pfn_v_u_i_i)(UINT, int, int);
    LRESULT (AFX_MSG_CALL CWnd::*pfn_l_w_l)(WPARAM, LPARAM);
};

struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    AFX_PMSG pmf;
};

/////////////////////////////////////////////////////////////////////////////
// CCmdTarget: an object that receives commands through its message map

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override = default;

    // Routes command nID (nCode: the control's notification, or MAKELONG(code, WM_NOTIFY) with
    // pExtra an AFX_NOTIFY) to the handler of the message map; TRUE when one was found.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

protected:
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The module state the object was made in.
    AFX_MODULE_STATE* m_pModuleState;
};

// The entry of lpEntry's map for (nMsg, nCode, nID), or null.
const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg, UINT nCode, UINT nID);

/////////////////////////////////////////////////////////////////////////////
// CWnd: a C++ object attached to a window handle

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    // Attributes
    HWND m_hWnd;

    CWnd();
    ~CWnd() override;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The permanent object of hWnd, or a temporary one made for it (kept until the window is
    // gone); null for a null handle.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The object attached to hWnd by Attach, SubclassWindow or a dialog, or null.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);

    BOOL Attach(HWND hWndNew);
    HWND Detach();

    // Routes the window's messages through this object's message map; the window's own
    // procedure handles what the map leaves.
    BOOL SubclassWindow(HWND hWnd);

    // Creation
    virtual BOOL Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
        const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    virtual BOOL DestroyWindow();

    // ActiveX controls: the control clsid in an "AtlAxWin" host window. Saved state (pPersist)
    // and licence keys are not supported.
    BOOL CreateControl(REFCLSID clsid, LPCWSTR pszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
        UINT nID, CFile* pPersist = NULL, BOOL bStorage = FALSE, BSTR bstrLicKey = NULL);
    // The hosted control; no reference is added. Null when the window hosts none.
    IUnknown* GetControlUnknown();
    // Calls the control's automation member dwDispID (DISPATCH_METHOD, _PROPERTYGET, ...). The
    // arguments follow pbParamInfo, a string of VTS_ codes; the result is converted to vtRet and
    // stored at pvRet (VT_BSTR: a CString). A failure raises COleException or
    // COleDispatchException.
    void AFX_CDECL InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);
    void InvokeHelperV(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, va_list argList);

    // Window state
    // Takes dwRemove off the style and puts dwAdd on; with nFlags also calls SetWindowPos with
    // them so that the frame follows. FALSE when the style did not change.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ShowWindow(int nCmdShow);
    CWnd* GetDlgItem(int nID) const;
    void GetDlgItem(int nID, HWND* phWnd) const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    // A message box owned by this window, captioned with the application's name when no caption
    // is given; unlike AfxMessageBox it adds no icon of its own.
    int MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption = NULL, UINT nType = MB_OK);

    // Size and position
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void GetWindowRect(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const;
    void ScreenToClient(LPRECT lpRect) const;

    // Messages
    UINT IsDlgButtonChecked(int nIDButton) const;

    // Dialog data exchange
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    // Message handling
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual void PreSubclassWindow();
    // Called after the window is gone and detached; a window that deletes itself does it here.
    virtual void PostNcDestroy();

    // Default handlers: each passes the message on to the window's own procedure.
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();

protected:
    // Passes the message being handled on to DefWindowProc.
    LRESULT Default();

    WNDPROC m_pfnSuper; // the window's own procedure, called for what the map leaves

    DECLARE_MESSAGE_MAP()

private:
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
};

// The window procedure of every window routed through a message map.
LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Sends the message to pWnd's WindowProc, as the window procedure does.
LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);

/////////////////////////////////////////////////////////////////////////////
// Dialog data exchange

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate; // TRUE: controls to members; FALSE: members to controls
    CWnd* m_pDlgWnd;
    UINT m_idLastControl;
    BOOL m_bEditLastControl;

    // The window of control nIDCtl; a missing control raises CNotSupportedException.
    HWND PrepareCtrl(int nIDC);
};

// Binds control nIDC of the dialog to rControl by subclassing its window (once).
void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

/////////////////////////////////////////////////////////////////////////////
// CDialog

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(LPCWSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CDialog() override;

    // A template in memory instead of the module's resources.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL, void* lpDialogInit = NULL);

    // Runs the dialog modally from its template, found in the resources of the current module
    // (AfxGetResourceHandle); returns the value given to EndDialog, or -1 when the dialog
    // could not be made.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    // Runs when the dialog window exists, before it is shown: exchanges data to the controls
    // (UpdateData(FALSE)). TRUE lets the dialog manager set the focus.
    virtual BOOL OnInitDialog();
    // The OK and Cancel buttons (and Escape / the close box) end the dialog.
    virtual void OnOK();
    virtual void OnCancel();

    CWnd* m_pParentWnd;

protected:
    LPCWSTR m_lpszTemplateName; // a resource name, or MAKEINTRESOURCE(id)
    UINT m_nIDHelp;
    LPCDLGTEMPLATE m_lpDialogTemplate;
    void* m_lpDialogInit;
    int m_nModalResult;
    // The ActiveX controls of the template, created beside the dialog's own controls.
    struct _AFX_OCC_DIALOG_INFO* m_pOccDialogInfo;

    DECLARE_MESSAGE_MAP()

    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

// The dialog procedure of the framework's dialogs.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

/////////////////////////////////////////////////////////////////////////////
// The application object

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override = default;

    CWnd* m_pMainWnd;
    BOOL m_bAutoDelete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd();
};

// The one application object of a module. Its constructor makes it the application of the
// module state current at the time (the module's own while a DLL loads).
class CWinApp : public CWinThread {
    DECLARE_DYNAMIC(CWinApp)
public:
    explicit CWinApp(LPCWSTR lpszAppName = NULL);
    ~CWinApp() override;

    // The title of message boxes: string AFX_IDS_APP_TITLE of the module, or the module's file
    // name without extension.
    LPCWSTR m_pszAppName;
    HINSTANCE m_hInstance;
    LPCWSTR m_pszExeName;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Shows a message box with the application's title as its caption.
    virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // Takes the instance handle and names from the current module state (AfxWinInit).
    void SetCurrentHandles();

    virtual void DoWaitCursor(int nCode);

protected:
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;

private:
    CString m_strAppName;
    CString m_strExeName;

    DECLARE_MESSAGE_MAP()
};

// The application title's string id in every module's string table.
#define AFX_IDS_APP_TITLE 0xE000

/////////////////////////////////////////////////////////////////////////////
// Global functions

CWinApp* AFXAPI AfxGetApp();
LPCWSTR AFXAPI AfxGetAppName();
HINSTANCE AFXAPI AfxGetInstanceHandle();
HINSTANCE AFXAPI AfxGetResourceHandle();
HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType);

// Starts the framework for the current module: its instance and resource handles and its
// application's names.
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
void AFXAPI AfxWinTerm();

// MessageBoxW with the application's title as caption, owned by the active window (or none).
// A type that names no icon gets the framework's default: the exclamation mark for MB_OK and
// MB_OKCANCEL, the question mark for MB_YESNO and MB_YESNOCANCEL.
int AFXAPI AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

