// The part of the framework inside every module: the module's own state and its DllMain.
//
// When the module is loaded, this file's state becomes current before any of the module's own
// static objects are made (so that the module's CWinApp registers with its module, not with
// the loader's), and DllMain then starts the application and gives the caller's state back.
#include <afxwin.h>

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState()
{
    static AFX_MODULE_STATE moduleState(TRUE);
    return &moduleState;
}

namespace {

// True from the switch to the module's state until DllMain gives the loader's state back.
bool g_bLoadStatePending = false;

// Made before the module's other static objects.
struct RawDllInit {
    RawDllInit()
    {
        _AFX_THREAD_STATE* pState = AfxGetThreadState();
        pState->m_pPrevModuleState = AfxSetModuleState(AfxGetStaticModuleState());
        g_bLoadStatePending = true;
    }
};

#if defined(_MSC_VER)
#pragma init_seg(lib)
RawDllInit rawDllInit;
#else
RawDllInit rawDllInit __attribute__((init_priority(101)));
#endif

} // namespace

extern "C" AFX_MODULE_EXPORT BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID lpReserved)
{
    AFX_MODULE_STATE* pModuleState = AfxGetStaticModuleState();
    if (dwReason == DLL_PROCESS_ATTACH) {
        // Give back the state the loader had before the module's static objects were made.
        if (g_bLoadStatePending) {
            g_bLoadStatePending = false;
            _AFX_THREAD_STATE* pState = AfxGetThreadState();
            AfxSetModuleState(pState->m_pPrevModuleState);
            pState->m_pPrevModuleState = NULL;
        }

        AFX_MANAGE_STATE(pModuleState);
        if (!AfxWinInit(hInstance, NULL, const_cast<LPWSTR>(L""), 0))
            return FALSE;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && !pApp->InitInstance()) {
            pApp->ExitInstance();
            return FALSE;
        }
        return TRUE;
    }
    if (dwReason == DLL_PROCESS_DETACH) {
        AFX_MANAGE_STATE(pModuleState);
        if (CWinApp* pApp = AfxGetApp())
            pApp->ExitInstance();
        AfxWinTerm();
    }
    return TRUE;
}
