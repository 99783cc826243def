// The tree view class exists only once the program asks comctl32 for it: a dialog whose template
// names it fails to be created before, and is created after (the user walks away from it). Its own program, so that nothing
// has registered the class before the test looks.
#include <gtest/gtest.h>

#include "TestSupport.h"

namespace {

INT_PTR CALLBACK PlainProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

TEST(CommonControls, ADialogWithATreeNeedsTheClassRegisteredFirst)
{
    DialogTemplateBuilder t(WS_POPUP | WS_CAPTION, 200, 100, L"Tree");
    t.Control(1, L"SysTreeView32", L"", WS_VISIBLE | WS_BORDER, 5, 5, 190, 90);
    struct Case {
        const char* when;
        DWORD classes; // registered just before; 0: nothing
        bool created;
    } cases[] = {
        {"nothing registered", 0, false},
        {"other classes registered", ICC_STANDARD_CLASSES, false},
        {"tree view registered", ICC_TREEVIEW_CLASSES, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.when);
        if (c.classes) {
            INITCOMMONCONTROLSEX init{sizeof(init), c.classes};
            ASSERT_TRUE(InitCommonControlsEx(&init));
        }
        EXPECT_EQ(c.created, DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, PlainProc, 0) != -1);
    }
    INITCOMMONCONTROLSEX wrongSize{sizeof(wrongSize) + 1, ICC_TREEVIEW_CLASSES};
    EXPECT_FALSE(InitCommonControlsEx(&wrongSize));
}

} // namespace
