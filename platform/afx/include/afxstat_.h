// Module and thread state of the framework.
//
// Every module (the program and each DLL built on the framework) has its own AFX_MODULE_STATE:
// its application object, its instance and resource handles. The thread's current module
// state says whose resources and application AfxGetApp, AfxGetResourceHandle and the dialogs
// use. An entry point of a DLL makes its own state current with
// AFX_MANAGE_STATE(AfxGetStaticModuleState()) and the caller's state comes back on every way
// out of the scope, exceptions included.
#pragma once

#include "afx.h"

class CWinApp;
class COccManager;

class AFX_MODULE_STATE {
public:
    explicit AFX_MODULE_STATE(BOOL bDLL);
    ~AFX_MODULE_STATE() = default;
    AFX_MODULE_STATE(const AFX_MODULE_STATE&) = delete;
    AFX_MODULE_STATE& operator=(const AFX_MODULE_STATE&) = delete;

    CWinApp* m_pCurrentWinApp;
    HINSTANCE m_hCurrentInstanceHandle;
    HINSTANCE m_hCurrentResourceHandle;
    LPCWSTR m_lpszCurrentAppName;
    BYTE m_bDLL;
    // Non-null once AfxEnableControlContainer has run: dialogs then host ActiveX controls.
    COccManager* m_pOccManager;
};

class _AFX_THREAD_STATE {
public:
    _AFX_THREAD_STATE();
    ~_AFX_THREAD_STATE();

    AFX_MODULE_STATE* m_pModuleState;     // null: the process's base state
    AFX_MODULE_STATE* m_pPrevModuleState; // kept while a DLL initialises
};

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState();

// The current module state of the thread.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
// Makes pNewState current and returns the state it replaces.
AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState);
// The state of the module the calling code is linked into (defined by afx_module, one per
// module).
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
// The process's own state, current when no module has switched.
AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState();

// Makes a module state current for the life of the object.
class AFX_MAINTAIN_STATE2 {
public:
    explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pModuleState);
    ~AFX_MAINTAIN_STATE2();
    AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
    AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

protected:
    AFX_MODULE_STATE* m_pPrevModuleState;
    _AFX_THREAD_STATE* m_pThreadState;
};
typedef AFX_MAINTAIN_STATE2 AFX_MAINTAIN_STATE;

#define AFX_MANAGE_STATE(p) AFX_MAINTAIN_STATE2 _ctlState(p);
