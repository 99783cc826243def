// A control named by its CLSID in a dialog template lives in an ActiveX host window that creates
// it through COM and hands it out with AtlAxGetControl.
#include <gtest/gtest.h>

#include "TestSupport.h"

#include <atlhost.h>
#include <comdef.h>
#include <comkit/ClassFactory.h>

namespace {

const CLSID CLSID_TestViewer = {0x6B0F2C1E, 0x3D4A, 0x4E5B, {0x8C, 0x6D, 0x7E, 0x8F, 0x9A, 0x0B, 0x1C, 0x2D}};
constexpr int kViewerId = 27008;

struct TestControl final : comkit::ComObject<IUnknown> {
    static int alive;
    TestControl() { ++alive; }
    ~TestControl() override { --alive; }
};
int TestControl::alive = 0;

INT_PTR CALLBACK ViewerProc(HWND hwnd, UINT msg, WPARAM, LPARAM)
{
    if (msg == WM_COMMAND)
        EndDialog(hwnd, IDCANCEL);
    return msg == WM_INITDIALOG || msg == WM_COMMAND;
}

DialogTemplateBuilder ViewerTemplate(const wchar_t* clsid)
{
    DialogTemplateBuilder t(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 411, 234, L"浏览");
    t.Control(kViewerId, clsid, L"", WS_VISIBLE | WS_TABSTOP, 0, 0, 411, 234);
    return t;
}

class AxHostTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        ASSERT_EQ(CoRegisterClassObject(CLSID_TestViewer, m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &m_cookie), S_OK);
    }
    void TearDown() override
    {
        CoRevokeClassObject(m_cookie);
        CoUninitialize();
    }
    IClassFactoryPtr m_factory{new comkit::ClassFactory(
        [](REFIID riid, void** ppv) { return comkit::CreateComObject<TestControl>(riid, ppv); })};
    DWORD m_cookie = 0;
};

// Sizing the host with its dialog is the viewer dialog's own work, tested with it.
TEST_F(AxHostTest, TheHostCreatesTheControlHandsItOutAndReleasesItWithTheWindow)
{
    auto t = ViewerTemplate(L"{6B0F2C1E-3D4A-4E5B-8C6D-7E8F9A0B1C2D}");
    ScriptedUser user;
    user.dialog = [&](HWND dialog) {
        EXPECT_EQ(TestControl::alive, 1);
        HWND host = GetDlgItem(dialog, kViewerId);
        IUnknown* unknown = nullptr;
        ASSERT_EQ(AtlAxGetControl(host, &unknown), S_OK);
        ASSERT_NE(unknown, nullptr);
        unknown->Release();
        wchar_t className[16];
        GetClassNameW(host, className, 16);
        EXPECT_STREQ(className, L"AtlAxWin");
        winenv::PressKey(VK_ESCAPE);
        EXPECT_FALSE(IsWindowVisible(dialog)) << "Escape in the control ends the dialog";
    };
    winenv::ScopedDesktopUser scoped(user);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, ViewerProc, 0), IDCANCEL);
    EXPECT_EQ(TestControl::alive, 0);
}

TEST_F(AxHostTest, AnUnknownControlFailsTheDialog)
{
    auto t = ViewerTemplate(L"{00000000-1111-2222-3333-444444444444}");
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, ViewerProc, 0), -1);
    HWND plain = CreateWindowExW(0, L"Button", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    IUnknown* unknown = reinterpret_cast<IUnknown*>(1);
    EXPECT_EQ(AtlAxGetControl(plain, &unknown), E_FAIL);
    EXPECT_EQ(unknown, nullptr);
    DestroyWindow(plain);
}

} // namespace
