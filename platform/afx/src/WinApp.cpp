// CWinThread and CWinApp: the application object of a module.
#include <afxwin.h>

#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)
IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread() : m_pMainWnd(NULL), m_bAutoDelete(TRUE)
{
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return 0;
}

CWnd* CWinThread::GetMainWnd()
{
    return m_pMainWnd;
}

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_pszAppName(NULL), m_hInstance(NULL), m_pszExeName(NULL), m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(NULL)
{
    if (lpszAppName != NULL) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    // The module state current during construction is the module's own (see afx_module).
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    pModuleState->m_pCurrentWinApp = this;
}

CWinApp::~CWinApp()
{
    AFX_MODULE_STATE* pModuleState = m_pModuleState;
    if (pModuleState->m_pCurrentWinApp == this) {
        pModuleState->m_pCurrentWinApp = NULL;
        if (pModuleState->m_lpszCurrentAppName == m_pszAppName)
            pModuleState->m_lpszCurrentAppName = NULL;
    }
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::SetCurrentHandles()
{
    AFX_MODULE_STATE* pModuleState = AfxGetModuleState();
    m_hInstance = pModuleState->m_hCurrentInstanceHandle;

    // The module's file name without folder and extension.
    wchar_t szPath[MAX_PATH];
    DWORD nLength = ::GetModuleFileNameW(m_hInstance, szPath, MAX_PATH);
    if (nLength > 0 && nLength < MAX_PATH) {
        m_strExeName = ::PathFindFileNameW(szPath);
        int nDot = m_strExeName.ReverseFind(L'.');
        if (nDot > 0)
            m_strExeName = m_strExeName.Left(nDot);
    }
    m_pszExeName = m_strExeName;

    if (m_pszAppName == NULL) {
        CString strTitle;
        if (strTitle.LoadString(pModuleState->m_hCurrentResourceHandle, AFX_IDS_APP_TITLE))
            m_strAppName = strTitle;
        else
            m_strAppName = m_strExeName;
        m_pszAppName = m_strAppName;
    }
    pModuleState->m_lpszCurrentAppName = m_pszAppName;
}

// nCode 1 begins a wait, -1 ends one, 0 shows the wait cursor again while a wait is on.
void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0) {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursorW(NULL, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    } else if (nCode < 0) {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    } else {
        m_nWaitCursorCount = 0;
    }
}
