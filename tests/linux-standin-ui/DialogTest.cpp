// Dialogs made from DLGTEMPLATEEX: WM_INITDIALOG, buttons, the keyboard interface and
// the modal loop that the desktop's user drives. Dialog units are held to the layout Windows gives
// by the resource tests; a check box toggled before its handler runs, by the framework's.
#include <gtest/gtest.h>

#include <vector>

#include "TestSupport.h"
#include "winenv/Trace.h"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_FIXEDSYS;
constexpr int kCheckId = 101;
constexpr int kTreeId = 102;
constexpr int kActionId = 103;

DialogTemplateBuilder ManagerLikeTemplate()
{
    RegisterTreeViewClass();
    DialogTemplateBuilder t(kDialogStyle, 427, 310, L"Files");
    t.Control(kCheckId, 0x0080, L"PDF", BS_AUTOCHECKBOX | WS_VISIBLE | WS_TABSTOP, 45, 7, 29, 10)
        .Control(static_cast<DWORD>(-1), 0x0082, L"Hint", WS_VISIBLE | WS_GROUP, 126, 7, 33, 8)
        .Control(kTreeId, L"SysTreeView32", L"", WS_BORDER | WS_VISIBLE | WS_TABSTOP | 0x0107, 7, 20, 413, 264)
        .Control(kActionId, 0x0080, L"Go", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 259, 289, 50, 14)
        .Control(IDCANCEL, 0x0080, L"Cancel", BS_PUSHBUTTON | WS_VISIBLE | WS_TABSTOP, 369, 289, 50, 14);
    return t;
}

// What the dialog procedure saw.
struct Probe {
    std::vector<WPARAM> commands; // WM_COMMAND wParam in order
    HWND focusParam = nullptr;
    INT_PTR initResult = TRUE;
    bool endOnCommand = true; // IDOK / IDCANCEL end the dialog, as a dialog procedure usually does
};

INT_PTR CALLBACK ProbeProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* probe = reinterpret_cast<Probe*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    switch (msg) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        probe = reinterpret_cast<Probe*>(lParam);
        probe->focusParam = reinterpret_cast<HWND>(wParam);
        return probe->initResult;
    case WM_COMMAND:
        probe->commands.push_back(wParam);
        if (probe->endOnCommand && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == kActionId))
            EndDialog(hwnd, LOWORD(wParam) == kActionId ? 42 : LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

TEST(ModalDialog, EscapeEnterSpaceAndTheCloseBoxBecomeCommands)
{
    auto t = ManagerLikeTemplate();
    struct Case {
        const char* name;
        std::function<void(HWND)> act;
        WPARAM expected;
    };
    std::vector<Case> cases{
        {"escape", [](HWND) { winenv::PressKey(VK_ESCAPE); }, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
        {"enter on a check box presses the default id", [](HWND) { winenv::PressKey(VK_RETURN); },
            MAKEWPARAM(IDOK, BN_CLICKED)},
        {"close box", [](HWND d) { winenv::CloseWindowByUser(d); }, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
        {"space on a focused button clicks it",
            [](HWND d) {
                SetFocus(GetDlgItem(d, kActionId));
                winenv::PressKey(VK_SPACE);
            },
            MAKEWPARAM(kActionId, BN_CLICKED)},
    };
    for (const auto& c : cases) {
        Probe probe;
        ScriptedUser user;
        user.dialog = c.act;
        winenv::ScopedDesktopUser scoped(user);
        INT_PTR result = DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, ProbeProc, reinterpret_cast<LPARAM>(&probe));
        ASSERT_EQ(probe.commands.size(), 1u) << c.name;
        EXPECT_EQ(probe.commands[0], c.expected) << c.name;
        EXPECT_EQ(result, LOWORD(c.expected) == kActionId ? 42 : static_cast<INT_PTR>(LOWORD(c.expected))) << c.name;
    }
}

TEST(ModalDialog, AUserWhoWalksAwayClosesTheDialogAndARefusingDialogIsCancelled)
{
    auto t = ManagerLikeTemplate();
    winenv::TraceRecorder trace;
    Probe polite;
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, ProbeProc, reinterpret_cast<LPARAM>(&polite)), IDCANCEL);
    EXPECT_EQ(polite.commands, std::vector<WPARAM>{MAKEWPARAM(IDCANCEL, BN_CLICKED)}) << "the close box was used";

    Probe stubborn;
    stubborn.endOnCommand = false;
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), nullptr, ProbeProc, reinterpret_cast<LPARAM>(&stubborn)), IDCANCEL);

    EXPECT_EQ(trace.OfKind("dialog").size(), 4u) << "each dialog's opening and closing";
}

TEST(ModalDialog, TheOwnerIsDisabledWhileTheDialogRunsAndTheDialogIsGoneAfterwards)
{
    HWND owner = CreateWindowExW(0, L"#32770", L"Owner", WS_POPUP | WS_VISIBLE, 0, 0, 1900, 1000, nullptr, nullptr,
        nullptr, nullptr);
    auto t = ManagerLikeTemplate();
    Probe probe;
    ScriptedUser user;
    HWND seen = nullptr;
    bool ownerEnabled = true;
    user.dialog = [&](HWND dialog) {
        seen = dialog;
        ownerEnabled = IsWindowEnabled(owner);
        EXPECT_EQ(winenv::ActiveModalDialog(), dialog);
        EXPECT_FALSE(winenv::ClickWindow(owner)) << "the owner takes no input";
        EndDialog(dialog, 7);
    };
    winenv::ScopedDesktopUser scoped(user);
    EXPECT_EQ(DialogBoxIndirectParamW(nullptr, t.Get(), owner, ProbeProc, reinterpret_cast<LPARAM>(&probe)), 7);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_FALSE(IsWindow(seen));
    EXPECT_EQ(winenv::ActiveModalDialog(), nullptr);
    DestroyWindow(owner);
}

} // namespace

namespace {

// A modal dialog takes the focus from its owner when it shows, and the owner's control gets it
// back when the dialog ends; keys reach the focused window.
INT_PTR CALLBACK ChoosesGoProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) {
        ProbeProc(hwnd, msg, wParam, lParam);
        SetFocus(GetDlgItem(hwnd, kActionId));
        return FALSE; // the procedure placed the focus itself
    }
    return ProbeProc(hwnd, msg, wParam, lParam);
}

TEST(ModalDialog, TakesTheFocusFromItsOwnerAndGivesItBackWhenItEnds)
{
    DialogTemplateBuilder noTabStops(kDialogStyle, 200, 100, L"Viewer");
    noTabStops.Control(kTreeId, 0x0082, L"a picture", WS_VISIBLE | SS_NOTIFY, 7, 7, 100, 50);
    struct Case {
        const char* what;
        DialogTemplateBuilder tmpl;
        DLGPROC proc;
        int focusId; // 0: the dialog window itself
    } cases[] = {
        {"first tab stop", ManagerLikeTemplate(), ProbeProc, kCheckId},
        {"chosen in WM_INITDIALOG", ManagerLikeTemplate(), ChoosesGoProc, kActionId},
        {"no tab stop: the first enabled control", noTabStops, ProbeProc, kTreeId},
    };
    // The owner is a dialog too; the user opens each case's dialog from it.
    HWND owner = nullptr;
    HWND dialogSeen = nullptr;
    int focusSeen = -1;
    ScriptedUser user([&](HWND dialog) {
        if (owner) {
            dialogSeen = dialog;
            HWND focus = GetFocus();
            focusSeen = focus == dialog ? 0 : IsChild(dialog, focus) ? GetDlgCtrlID(focus) : -1;
            EXPECT_TRUE(winenv::PressKey(VK_ESCAPE)) << "the key reaches the dialog";
            return;
        }
        owner = dialog;
        HWND ownerControl = GetDlgItem(owner, kActionId);
        for (Case& c : cases) {
            SCOPED_TRACE(c.what);
            SetFocus(ownerControl);
            ASSERT_EQ(ownerControl, GetFocus());
            Probe probe;
            dialogSeen = nullptr;
            INT_PTR result = DialogBoxIndirectParamW(nullptr, c.tmpl.Get(), owner, c.proc, reinterpret_cast<LPARAM>(&probe));
            EXPECT_EQ(IDCANCEL, result);
            ASSERT_NE(nullptr, dialogSeen);
            EXPECT_EQ(c.focusId, focusSeen);
            EXPECT_EQ(ownerControl, GetFocus()) << "the owner's control has the focus again";
            EXPECT_EQ(owner, GetActiveWindow());
        }
    });
    winenv::ScopedDesktopUser scoped(user);
    Probe ownerProbe;
    DialogBoxIndirectParamW(nullptr, ManagerLikeTemplate().Get(), nullptr, ProbeProc, reinterpret_cast<LPARAM>(&ownerProbe));
    EXPECT_NE(nullptr, owner);
}

} // namespace
