// AfxMessageBox picks an icon when the type names none, as MFC does; CWnd::MessageBox and
// ::MessageBoxW show exactly the type given.
#include <afxwin.h>

#include <gtest/gtest.h>

#include "ScriptedUser.h"

#include "../fidelity/MessageBoxIcons.h"

using viztest::ScriptedUser;

namespace {

// A user who notes the type of each box and presses OK.
struct TypeRecorder : ScriptedUser {
    UINT type = 0;
    TypeRecorder()
    {
        messageBox = [this](HWND, const std::wstring&, const std::wstring&, UINT uType) {
            type = uType;
            return IDOK;
        };
    }
};

TEST(AfxMessageBoxTest, OnlyAfxMessageBoxAddsTheFrameworksDefaultIcon)
{
    TypeRecorder user;
    win32host::ScopedDesktopUser scoped(user);
    for (const MessageBoxIconCase& c : kMessageBoxIconCases) {
        SCOPED_TRACE(c.type);
        user.type = 0xFFFF;
        AfxMessageBox(L"text", c.type);
        EXPECT_EQ(c.shown, user.type) << "AfxMessageBox";
        user.type = 0xFFFF;
        ::MessageBoxW(NULL, L"text", L"caption", c.type);
        EXPECT_EQ(c.type, user.type) << "MessageBoxW adds nothing";
    }
    // A window's own MessageBox shows no icon unless asked.
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, L"#32770", L"owner", WS_POPUP, CRect(0, 0, 100, 100), NULL, 0));
    window.MessageBox(L"text", NULL, MB_OK);
    EXPECT_EQ(static_cast<UINT>(MB_OK), user.type);
    window.MessageBox(L"text", L"caption", MB_OK | MB_ICONINFORMATION);
    EXPECT_EQ(static_cast<UINT>(MB_OK | MB_ICONINFORMATION), user.type);
    window.DestroyWindow();
}

} // namespace
