// A module on the framework: one application object, entry points that make the module's
// state current as the light file module's commands do.
#include <afxdisp.h>
#include <afxwin.h>

#include <win32host/Trace.h>

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
        win32host::Trace("afx_test_module", {{"event", "ExitInstance"}});
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

__declspec(dllexport) int TestModule_MessageBox(LPCWSTR lpszText)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    return AfxMessageBox(lpszText, MB_OK);
}

// Leaves the entry point by an exception, as a failed COM call in a command does.
__declspec(dllexport) void TestModule_ThrowInside(SCODE sc)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    AfxThrowOleException(sc);
}

// A dialog of the module's own resources, with a tree bound to a member.
__declspec(dllexport) INT_PTR TestModule_RunResourceDialog(HWND* phTree)
{
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    class CResourceDlg : public CDialog {
    public:
        CResourceDlg() : CDialog(100) {}
        CWnd m_tree;
        HWND* m_phTree = NULL;

    protected:
        void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, 1000, m_tree); }
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            *m_phTree = m_tree.m_hWnd;
            return TRUE;
        }
    };
    CResourceDlg dlg;
    dlg.m_phTree = phTree;
    return dlg.DoModal();
}

} // extern "C"
