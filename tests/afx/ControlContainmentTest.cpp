// ActiveX control containment: CreateControl hosts a control by CLSID, InvokeHelper calls its
// automation members with the VTS_ argument codes. The viewer dialog's tests show a template naming
// the control by CLSID.
#include <afxcmn.h>
#include <afxdisp.h>
#include <afxwin.h>

#include <gtest/gtest.h>

#include "FakeDispatch.h"

namespace {

class ControlContainment : public ::testing::Test {
protected:
    void SetUp() override
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.lpszClassName = L"AfxTestParent";
        RegisterClassExW(&wc);
        ASSERT_TRUE(m_parent.CreateEx(0, L"AfxTestParent", L"parent", WS_POPUP | WS_VISIBLE, CRect(0, 0, 640, 480),
            NULL, 0));
    }
    void TearDown() override
    {
        m_control.DestroyWindow();
        m_parent.DestroyWindow();
    }
    BOOL CreateViewer()
    {
        return m_control.CreateControl(CLSID_FakeViewer, NULL, WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 100), &m_parent, 27008);
    }
    // The exception a call raises, NULL if none.
    template <class E, class F>
    static E* Raised(F call)
    {
        try {
            call();
        } catch (E* e) {
            return e;
        }
        return NULL;
    }

    FakeViewerRegistration m_registration;
    CWnd m_parent;
    CWnd m_control;
};

TEST_F(ControlContainment, CreateControlHostsTheControlAsAChildWindowOrFails)
{
    ASSERT_TRUE(CreateViewer());
    EXPECT_EQ(1, FakeViewer::s_nLive);
    EXPECT_EQ(m_control.m_hWnd, ::GetDlgItem(m_parent.m_hWnd, 27008));
    IUnknown* pUnknown = m_control.GetControlUnknown();
    ASSERT_NE(nullptr, pUnknown);
    IDispatch* pDispatch = NULL;
    EXPECT_EQ(S_OK, pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch)));
    pDispatch->Release();

    m_control.DestroyWindow();
    EXPECT_EQ(nullptr, m_control.m_hWnd);
    EXPECT_EQ(0, FakeViewer::s_nLive); // the host released the control

    const CLSID clsidUnknown = {0x12345678, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_FALSE(m_control.CreateControl(clsidUnknown, NULL, WS_CHILD, CRect(0, 0, 10, 10), &m_parent, 1));
    EXPECT_EQ(nullptr, m_control.m_hWnd);
    EXPECT_EQ(nullptr, ::GetDlgItem(m_parent.m_hWnd, 1));
}

// String arguments in the order written; anything else the module never passes is refused.
TEST_F(ControlContainment, InvokeHelperPassesStringArgumentsInOrder)
{
    ASSERT_TRUE(CreateViewer());
    static BYTE parms[] = VTS_BSTR VTS_BSTR;
    CString strMap(L"C:\\cfg\\commcfg\\Viewermap.xml");
    m_control.InvokeHelper(3, DISPATCH_METHOD, VT_EMPTY, NULL, parms, (LPCWSTR)strMap, L"文件.pdf");
    auto& calls = FakeViewer::s_calls;
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(3, calls[0].dispid);
    EXPECT_EQ(DISPATCH_METHOD, calls[0].wFlags);
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\cfg\\commcfg\\Viewermap.xml", L"文件.pdf"}), calls[0].args);

    static BYTE parmsNumber[] = "\x03"; // VT_I4
    CInvalidArgException* pRefused =
        Raised<CInvalidArgException>([&] { m_control.InvokeHelper(1, DISPATCH_METHOD, VT_EMPTY, NULL, parmsNumber, 1L); });
    ASSERT_NE(nullptr, pRefused);
    pRefused->Delete();
    EXPECT_EQ(1u, calls.size()) << "a refused call never reaches the control";
}

TEST_F(ControlContainment, FailuresRaiseOleExceptions)
{
    COleException* pNoInterface = Raised<COleException>([&] { m_parent.InvokeHelper(1, DISPATCH_METHOD, VT_EMPTY, NULL, NULL); });
    ASSERT_TRUE(CreateViewer());
    COleException* pFailed = Raised<COleException>([&] { m_control.InvokeHelper(DISPID_FAILS, DISPATCH_METHOD, VT_EMPTY, NULL, NULL); });
    COleDispatchException* pRaised =
        Raised<COleDispatchException>([&] { m_control.InvokeHelper(DISPID_RAISES, DISPATCH_METHOD, VT_EMPTY, NULL, NULL); });
    ASSERT_TRUE(pNoInterface && pFailed && pRaised);
    EXPECT_EQ(E_NOINTERFACE, pNoInterface->m_sc) << "a window without a control";
    EXPECT_EQ(DISP_E_MEMBERNOTFOUND, pFailed->m_sc);
    EXPECT_STREQ(L"viewer is busy", pRaised->m_strDescription);
    EXPECT_STREQ(L"FakeViewer", pRaised->m_strSource);
    EXPECT_EQ(1001, pRaised->m_wCode);
    pNoInterface->Delete();
    pFailed->Delete();
    pRaised->Delete();
}

} // namespace
