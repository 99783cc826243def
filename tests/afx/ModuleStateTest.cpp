// Module state: each module has its own application and resources, an entry point makes its
// module's state current and every way out gives the caller's back.
#include <afxdisp.h>
#include <afxwin.h>

#include <stdexcept>

#include <winenv/Trace.h>

#include <gtest/gtest.h>

namespace {

TEST(ModuleState, ManageStateSwitchesAndRestoresHoweverTheScopeIsLeftAndOwnsTheAppMadeInIt)
{
    AFX_MODULE_STATE* pCaller = AfxGetModuleState();
    AFX_MODULE_STATE other(TRUE);
    other.m_hCurrentResourceHandle = reinterpret_cast<HINSTANCE>(0x1234);
    {
        AFX_MANAGE_STATE(&other);
        EXPECT_EQ(&other, AfxGetModuleState());
        EXPECT_EQ(reinterpret_cast<HINSTANCE>(0x1234), AfxGetResourceHandle());
    }
    EXPECT_EQ(pCaller, AfxGetModuleState());
    auto command = [&]() {
        AFX_MANAGE_STATE(&other);
        throw std::runtime_error("failed COM call");
    };
    EXPECT_THROW(command(), std::runtime_error);
    EXPECT_EQ(pCaller, AfxGetModuleState());

    AFX_MANAGE_STATE(&other);
    {
        CWinApp app(L"Named app");
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_STREQ(L"Named app", app.m_pszAppName);
    }
    EXPECT_EQ(nullptr, AfxGetApp());
}

// The test module, loaded by name as the client loads the light file module.
class LoadedModule : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hModule = LoadLibraryW(L"AfxTestModule.dll");
        ASSERT_NE(nullptr, m_hModule);
    }
    void TearDown() override
    {
        if (m_hModule != NULL)
            FreeLibrary(m_hModule);
    }

    template <class F>
    F* Export(const char* name)
    {
        FARPROC p = GetProcAddress(m_hModule, name);
        EXPECT_NE(nullptr, p) << name;
        return reinterpret_cast<F*>(p);
    }

    HMODULE m_hModule = NULL;
};

// DllMain ran InitInstance once and left the caller's state current; inside an entry point the
// module's application, state and resources are, and its title is its AFX_IDS_APP_TITLE. That
// its dialogs and boxes come from there the transcripts show (the module's captions and title).
TEST_F(LoadedModule, InsideAnEntryPointTheModulesAppAndResourcesAreCurrent)
{
    EXPECT_EQ(1, Export<int()>("TestModule_InitInstanceCalls")());
    AFX_MODULE_STATE* pCallerBefore = AfxGetModuleState();
    FreeLibrary(LoadLibraryW(L"AfxTestModule.dll"));
    EXPECT_EQ(pCallerBefore, AfxGetModuleState());
    EXPECT_NE(Export<AFX_MODULE_STATE*()>("TestModule_StaticState")(), AfxGetModuleState());
    EXPECT_NE(Export<CWinApp*()>("TestModule_TheApp")(), AfxGetApp());

    CWinApp* pApp = NULL;
    HINSTANCE hResource = NULL;
    AFX_MODULE_STATE* pState = NULL;
    Export<void(CWinApp**, HINSTANCE*, AFX_MODULE_STATE**)>("TestModule_Observe")(&pApp, &hResource, &pState);
    EXPECT_EQ(Export<CWinApp*()>("TestModule_TheApp")(), pApp);
    EXPECT_EQ(Export<AFX_MODULE_STATE*()>("TestModule_StaticState")(), pState);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(m_hModule), hResource);
    ASSERT_NE(nullptr, pApp);
    EXPECT_EQ(reinterpret_cast<HINSTANCE>(m_hModule), pApp->m_hInstance);
    EXPECT_STREQ(L"测试模块标题", pApp->m_pszAppName);
}

TEST_F(LoadedModule, AnExceptionOutOfAnEntryPointRestoresTheCallersState)
{
    AFX_MODULE_STATE* pCaller = AfxGetModuleState();
    SCODE sc = S_OK;
    try {
        Export<void(SCODE)>("TestModule_ThrowInside")(E_ACCESSDENIED);
    } catch (COleException* e) {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(E_ACCESSDENIED, sc);
    EXPECT_EQ(pCaller, AfxGetModuleState());
}

TEST(AppTitle, WithoutATitleStringTheApplicationIsNamedAfterItsModule)
{
    AFX_MODULE_STATE moduleState(FALSE);
    AFX_MANAGE_STATE(&moduleState);
    CWinApp app;
    ASSERT_TRUE(AfxWinInit(GetModuleHandleW(NULL), NULL, const_cast<LPWSTR>(L""), 0));
    EXPECT_STREQ(L"afx_tests", app.m_pszAppName);
    EXPECT_STREQ(L"afx_tests", AfxGetAppName());
    EXPECT_EQ(GetModuleHandleW(NULL), AfxGetInstanceHandle());
}

TEST(LoadedModuleUnload, FreeLibraryRunsExitInstance)
{
    winenv::TraceRecorder trace;
    HMODULE hModule = LoadLibraryW(L"AfxTestModule.dll");
    ASSERT_NE(nullptr, hModule);
    EXPECT_TRUE(trace.OfKind("afx_test_module").empty());
    FreeLibrary(hModule);
    auto events = trace.OfKind("afx_test_module");
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ("ExitInstance", events[0].Get("event"));
}

} // namespace
