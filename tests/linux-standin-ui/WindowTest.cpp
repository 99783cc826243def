// Windows, their messages and their placement, as user32 behaves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestSupport.h"

namespace {

std::vector<std::pair<HWND, UINT>> g_log;
LPARAM g_lastSize = 0;
WPARAM g_lastSizeKind = 0;

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE || msg == WM_CREATE || msg == WM_DESTROY || msg == WM_NCDESTROY || msg == WM_SIZE ||
        msg == WM_USER)
        g_log.emplace_back(hwnd, msg);
    if (msg == WM_SIZE) {
        g_lastSize = lParam;
        g_lastSizeKind = wParam;
    }
    if (msg == WM_USER + 1)
        return 1234;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = RecordingProc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.lpszClassName = L"RecordingWindow";
        ASSERT_NE(RegisterClassExW(&wc), 0);
    }
    void SetUp() override { g_log.clear(); }
};

HWND Create(DWORD style, int x, int y, int cx, int cy, HWND parent = nullptr, const wchar_t* cls = L"RecordingWindow",
    DWORD exStyle = 0)
{
    return CreateWindowExW(exStyle, cls, L"", style, x, y, cx, cy, parent, nullptr, nullptr, nullptr);
}

std::vector<UINT> MessagesOf(HWND hwnd)
{
    std::vector<UINT> messages;
    for (auto& entry : g_log)
        if (entry.first == hwnd)
            messages.push_back(entry.second);
    return messages;
}

TEST_F(WindowTest, CreationSendsNcCreateCreateThenSizeAndDestructionNotifiesParentFirstNcDestroyChildFirst)
{
    HWND parent = CreateWindowExW(0, L"recordingwindow", L"Parent", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
        nullptr, nullptr, nullptr);
    ASSERT_TRUE(IsWindow(parent));
    HWND child = CreateWindowExW(0, L"RecordingWindow", L"Child", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, parent,
        reinterpret_cast<HMENU>(77), nullptr, nullptr);
    ASSERT_TRUE(IsWindow(child));
    EXPECT_EQ(MessagesOf(child), (std::vector<UINT>{WM_NCCREATE, WM_CREATE, WM_SIZE}));
    EXPECT_EQ(GetDlgCtrlID(child), 77);
    EXPECT_EQ(GetDlgItem(parent, 77), child);
    EXPECT_EQ(GetParent(child), parent);

    g_log.clear();
    EXPECT_TRUE(DestroyWindow(parent));
    std::vector<std::pair<HWND, UINT>> expected{
        {parent, WM_DESTROY}, {child, WM_DESTROY}, {child, WM_NCDESTROY}, {parent, WM_NCDESTROY}};
    EXPECT_EQ(g_log, expected);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));
    EXPECT_EQ(Create(0, 0, 0, 1, 1, nullptr, L"NoSuchClass"), nullptr);
    EXPECT_EQ(Create(WS_CHILD, 0, 0, 1, 1), nullptr) << "a child window needs a parent";
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_USER + 1) {
        auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        return CallWindowProcW(previous, hwnd, msg, wParam, lParam) + 1;
    }
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return CallWindowProcW(previous, hwnd, msg, wParam, lParam);
}

TEST_F(WindowTest, SubclassingReplacesTheProcedureAndCanCallThePreviousOne)
{
    HWND hwnd = CreateWindowExW(0, L"RecordingWindow", L"Text", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    LONG_PTR previous = SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc));
    EXPECT_EQ(previous, reinterpret_cast<LONG_PTR>(RecordingProc));
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, previous);
    EXPECT_EQ(SendMessageW(hwnd, WM_USER + 1, 0, 0), 1235);

    wchar_t text[16];
    EXPECT_EQ(GetWindowTextW(hwnd, text, 16), 4);
    EXPECT_STREQ(text, L"Text");
    EXPECT_EQ(GetWindowTextW(hwnd, text, 3), 2) << "the text is cut to the buffer";
    EXPECT_STREQ(text, L"Te");
    DestroyWindow(hwnd);
}

TEST_F(WindowTest, PostedMessagesWaitForTheLoop)
{
    HWND hwnd = Create(WS_POPUP, 0, 0, 10, 10);
    g_log.clear();
    EXPECT_TRUE(PostMessageW(hwnd, WM_USER, 0, 0));
    EXPECT_TRUE(MessagesOf(hwnd).empty());
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
    DispatchMessageW(&msg);
    EXPECT_EQ(MessagesOf(hwnd), std::vector<UINT>{WM_USER});
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));

    PostMessageW(hwnd, WM_USER, 0, 0);
    DestroyWindow(hwnd);
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) << "a destroyed window's messages are dropped";
}

// That a new size reaches WM_SIZE as the client area is the viewer dialog's tests'.
TEST_F(WindowTest, MovingWithoutResizingSendsNoSizeAndMaximisingFillsTheWorkArea)
{
    HWND hwnd = Create(WS_POPUP | WS_CAPTION | WS_THICKFRAME | WS_SYSMENU, 50, 60, 400, 300);
    RECT client;
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, WS_POPUP | WS_CAPTION | WS_THICKFRAME, FALSE, 0);
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right + frame.right - frame.left, 400);
    MoveWindow(hwnd, 0, 0, 500, 350, TRUE);
    g_log.clear();
    MoveWindow(hwnd, 20, 20, 500, 350, TRUE);
    EXPECT_TRUE(MessagesOf(hwnd).empty()) << "a move without a size change sends no WM_SIZE";

    ShowWindow(hwnd, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(IsZoomed(hwnd));
    EXPECT_EQ(g_lastSizeKind, static_cast<WPARAM>(SIZE_MAXIMIZED));
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT window;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    EXPECT_EQ(origin.x, work.left);
    EXPECT_EQ(client.right, work.right - work.left);
    EXPECT_EQ(origin.y + client.bottom, work.bottom) << "the client area reaches the bottom of the work area";
    EXPECT_EQ(LOWORD(g_lastSize), client.right);

    ShowWindow(hwnd, SW_RESTORE);
    EXPECT_FALSE(IsZoomed(hwnd));
    GetWindowRect(hwnd, &window);
    EXPECT_EQ(window.right - window.left, 500);
    EXPECT_EQ(g_lastSizeKind, static_cast<WPARAM>(SIZE_RESTORED));
    DestroyWindow(hwnd);
}

TEST_F(WindowTest, CoordinatesMapBetweenClientAreasAndTheScreen)
{
    HWND top = Create(WS_POPUP | WS_VISIBLE, 100, 200, 300, 300);
    HWND child = Create(WS_CHILD | WS_VISIBLE, 10, 20, 100, 50, top, L"RecordingWindow", WS_EX_CLIENTEDGE);
    POINT p{0, 0};
    ClientToScreen(child, &p);
    EXPECT_EQ(p.x, 100 + 10 + 2);
    EXPECT_EQ(p.y, 200 + 20 + 2);
    POINT q{5, 5};
    MapWindowPoints(child, top, &q, 1);
    EXPECT_EQ(q.x, 17);
    EXPECT_EQ(q.y, 27);
    EXPECT_EQ(WindowFromPoint(POINT{150, 250}), child);
    EXPECT_EQ(WindowFromPoint(POINT{390, 490}), top);
    EnableWindow(child, FALSE);
    EXPECT_EQ(WindowFromPoint(POINT{150, 250}), top) << "a disabled window does not take the mouse";
    DestroyWindow(top);
}

TEST_F(WindowTest, FocusMovesWithKillFocusAndSetFocus)
{
    HWND top = Create(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND a = Create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, L"Button");
    HWND b = Create(WS_CHILD | WS_VISIBLE, 0, 20, 10, 10, top, L"Button");
    SetFocus(a);
    EXPECT_EQ(GetFocus(), a);
    EXPECT_EQ(SetFocus(b), a);
    EXPECT_EQ(SendMessageW(a, BM_GETSTATE, 0, 0) & BST_FOCUS, 0);
    EXPECT_NE(SendMessageW(b, BM_GETSTATE, 0, 0) & BST_FOCUS, 0);
    DestroyWindow(b);
    EXPECT_EQ(GetFocus(), nullptr);
    DestroyWindow(top);
}

} // namespace
