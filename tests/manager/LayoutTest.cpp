// The manager's layout when the user resizes it, compared in pixels.
#include "ManagerTestBase.h"

namespace managertest {
namespace {

int Width(const RECT& rc) { return rc.right - rc.left; }
int Height(const RECT& rc) { return rc.bottom - rc.top; }

class LayoutTest : public ManagerTest {
protected:
    void SetUp() override
    {
        ManagerTest::SetUp();
        auto& f = Fixture();
        m_top = f.AddPart(L"Top");
        const LONG sub = f.AddPart(L"Sub");
        f.AddSubPart(m_top, sub);
        f.AddPartDocument(sub, L"Document", Document(L"Document", {{L"sub.pdf", L"pdf"}, {L"sub.dwg", L"dwg"}}));
        f.AddPartDocument(m_top, L"3DDocument", Document(L"3DDocument", {{L"top.step", L"step"}}));
    }

    LONG m_top = 0;
};

TEST_F(LayoutTest, ButtonsKeepTheBottomRightCornerAndTheTreeFillsTheRest)
{
    user.onManager = [&](HWND dialog) {
        const RECT print0 = ControlRect(dialog, kPrintButton);
        const RECT tree0 = ControlRect(dialog, 27000);
        const RECT boxes0[] = {ControlRect(dialog, kDwgBox), ControlRect(dialog, kPdfBox), ControlRect(dialog, kStepBox)};
        const int w = Width(print0);
        const int h = Height(print0);
        ASSERT_GT(w, 0);
        ASSERT_GT(h, 0);

        const SIZE sizes[] = {{1000, 760}, {640, 480}, {420, 330}, {1300, 900}};
        for (const SIZE& size : sizes) {
            ASSERT_TRUE(winenv::ResizeWindow(dialog, size.cx, size.cy));
            RECT client = {};
            GetClientRect(dialog, &client);
            const int W = client.right;
            const int H = client.bottom;
            SCOPED_TRACE(testing::Message() << "client " << W << " x " << H);

            const RECT cancel = ControlRect(dialog, IDCANCEL);
            const RECT download = ControlRect(dialog, kDownloadButton);
            const RECT print = ControlRect(dialog, kPrintButton);
            const RECT tree = ControlRect(dialog, 27000);

            // The three buttons: the Print button's size, 5 pixels from the edges and apart.
            for (const RECT* button : {&cancel, &download, &print}) {
                EXPECT_EQ(w, Width(*button));
                EXPECT_EQ(h, Height(*button));
                EXPECT_EQ(H - 5, button->bottom);
            }
            EXPECT_EQ(W - 5, cancel.right);
            EXPECT_EQ(cancel.left - 5, download.right);
            EXPECT_EQ(download.left - 5, print.right);

            // The tree keeps its corner and ends 5 pixels from the right edge and above the buttons.
            EXPECT_EQ(tree0.left, tree.left);
            EXPECT_EQ(tree0.top, tree.top);
            EXPECT_EQ(W - 5, tree.right);
            EXPECT_EQ(print.top - 5, tree.bottom);

            // The filter boxes stay where the template put them.
            const RECT boxes[] = {ControlRect(dialog, kDwgBox), ControlRect(dialog, kPdfBox), ControlRect(dialog, kStepBox)};
            for (int i = 0; i < 3; ++i)
                EXPECT_TRUE(EqualRect(&boxes0[i], &boxes[i])) << "filter box " << i;
        }
    };
    RunOn(L"Part", m_top);
}

} // namespace
} // namespace managertest
