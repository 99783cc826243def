// Module and thread state: which module's application and resources are current.
#include <afxwin.h>

AFX_MODULE_STATE::AFX_MODULE_STATE(BOOL bDLL)
    : m_pCurrentWinApp(NULL), m_hCurrentInstanceHandle(NULL), m_hCurrentResourceHandle(NULL),
      m_lpszCurrentAppName(NULL), m_bDLL(static_cast<BYTE>(bDLL)), m_pOccManager(NULL)
{
}

_AFX_THREAD_STATE::_AFX_THREAD_STATE() : m_pModuleState(NULL), m_pPrevModuleState(NULL)
{
}

_AFX_THREAD_STATE::~_AFX_THREAD_STATE() = default;

_AFX_THREAD_STATE* AFXAPI AfxGetThreadState()
{
    thread_local _AFX_THREAD_STATE threadState;
    return &threadState;
}

AFX_MODULE_STATE* AFXAPI AfxGetAppModuleState()
{
    static AFX_MODULE_STATE baseModuleState(FALSE);
    return &baseModuleState;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState()
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    return pState->m_pModuleState != NULL ? pState->m_pModuleState : AfxGetAppModuleState();
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState)
{
    _AFX_THREAD_STATE* pState = AfxGetThreadState();
    AFX_MODULE_STATE* pPrevState = pState->m_pModuleState;
    pState->m_pModuleState = pNewState;
    return pPrevState;
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState)
    : m_pThreadState(AfxGetThreadState())
{
    m_pPrevModuleState = m_pThreadState->m_pModuleState;
    m_pThreadState->m_pModuleState = pNewState;
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2()
{
    m_pThreadState->m_pModuleState = m_pPrevModuleState;
}

CWinApp* AFXAPI AfxGetApp()
{
    return AfxGetModuleState()->m_pCurrentWinApp;
}

LPCWSTR AFXAPI AfxGetAppName()
{
    return AfxGetModuleState()->m_lpszCurrentAppName;
}

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

HINSTANCE AFXAPI AfxFindResourceHandle(LPCWSTR lpszName, LPCWSTR lpszType)
{
    return AfxGetResourceHandle();
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow)
{
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    pModuleState->m_hCurrentInstanceHandle = hInstance;
    pModuleState->m_hCurrentResourceHandle = hInstance;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL)
        pApp->SetCurrentHandles();
    return TRUE;
}

void AFXAPI AfxWinTerm()
{
}
