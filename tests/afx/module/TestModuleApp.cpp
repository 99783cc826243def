// A module on the framework: one application object, entry points that make the module's
// state current as the light file module's commands do.
#include <afxdisp.h>
#include <afxwin.h>

#include <winenv/Trace.h>

namespace {

int g_nInitInstanceCalls = 0;

class CTestModuleApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        CWinApp::InitInstance();
        AfxEnableControlContainer();
        ++g_nInitInstanceCalls;
        return TRUE;
    }

    int ExitInstance() override
    {
        winenv::Trace("afx_test_module", {{"event", "ExitInstance"}});
        return CWinApp::ExitInstance();
    }
};

CTestModuleApp theApp;

} // namespace

extern "C" {

__declspec(dllexport) int TestModule_InitInstanceCalls()
{
    return g_nInitInstanceCalls;
}

__declspec(dllexport) CWinApp* TestModule_TheApp()
{
    return &theApp;
}

__declspec(dllexport) AFX_MODULE_STATE* TestModule_StaticState()
{
    return AfxGetStaticModuleState();
}

// What the framework sees inside an entry point.
__declspec(dllexport) void TestModule_Observe(CWinApp** ppApp, HINSTANCE* phResource, AFX_MODULE_STATE** ppState)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    *ppApp = AfxGetApp();
    *phResource = AfxGetResourceHandle();
    *ppState = AfxGetModuleState();
}

// Leaves the entry point by an exception, as a failed COM call in a command does.
__declspec(dllexport) void TestModule_ThrowInside(SCODE sc)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    AfxThrowOleException(sc);
}

} // extern "C"
