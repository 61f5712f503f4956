// The status bar's position panes driven by message 0x8100, and the floating tip's placement.
#include "shell/FrameStatusBar.h"
#include "shell/TipWnd.h"
#include "shell/VantrelServices.h"

#include "UiFixture.h"
#include "platform/core/StringTable.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WinApp.h"

namespace {

class StatusBarTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        RegisterStringResource(CFrameStatusBar::kNotAvailableText, "N/A");
        ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(bar.Create(&parent));
        static const UINT indicators[] = {ID_SEPARATOR};
        ASSERT_TRUE(bar.SetIndicators(indicators, 1));
    }
    void TearDown() override
    {
        tip.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    LRESULT Send(WPARAM wParam, LPARAM lParam) { return bar.SendMessage(CFrameStatusBar::WM_STATUSPOSITION, wParam, lParam); }
    LRESULT SendRect(RECT rect) { return Send(1, reinterpret_cast<LPARAM>(&rect)); }
    std::string Pane(int index) const { return std::string(bar.GetPaneText(index)); }

    CWnd parent;
    CFrameStatusBar bar;
    CTipWnd tip;
};

TEST_F(StatusBarTest, ShowingTwiceAddsTwoPanesOnceAndHidingRemovesExactlyTwo)
{
    EXPECT_EQ(Send(0, TRUE), 0);
    Send(0, TRUE);
    ASSERT_EQ(bar.GetCount(), 3);
    UINT id = 1, style = 0;
    int width = 0;
    for (int i = 1; i < 3; ++i) {
        bar.GetPaneInfo(i, id, style, width);
        EXPECT_EQ(id, 0u);
        EXPECT_EQ(style, 0u);
        EXPECT_EQ(width, 80);
    }
    EXPECT_TRUE(bar.GetPaneStyle(0) & SBPS_STRETCH);
    Send(0, FALSE);
    Send(0, FALSE);
    EXPECT_EQ(bar.GetCount(), 1);
    EXPECT_TRUE(bar.GetPaneStyle(0) & SBPS_STRETCH);
}

TEST_F(StatusBarTest, RectanglesShowPositionAndSizeOrNotAvailable)
{
    struct Case {
        RECT rect;
        const char* position;
        const char* size;
    };
    const Case cases[] = {
        {{10, 20, 110, 70}, "10,20", "100x50"},
        {{0, 0, 0, 0}, "N/A", "N/A"},
        {{0, 0, 5, 0}, "0,0", "5x0"},
        {{-30, -5, -10, 15}, "-30,-5", "20x20"},
    };
    Send(0, TRUE);
    for (const Case& c : cases) {
        SendRect(c.rect);
        EXPECT_EQ(Pane(1), c.position);
        EXPECT_EQ(Pane(2), c.size);
    }
}

TEST_F(StatusBarTest, ARectangleWhileHiddenIsRememberedAndShownOnRedisplay)
{
    SendRect({10, 20, 110, 70});
    EXPECT_EQ(bar.GetCount(), 1);
    EXPECT_EQ(Pane(0), "");
    Send(0, TRUE);
    EXPECT_EQ(Pane(1), "");
    Send(2, 1);
    EXPECT_EQ(Pane(1), "10,20");
    EXPECT_EQ(Pane(2), "100x50");
}

TEST_F(StatusBarTest, RedisplayWithZeroBlanksOnlyTheSizePane)
{
    Send(0, TRUE);
    SendRect({10, 20, 110, 70});
    Send(2, 0);
    EXPECT_EQ(Pane(1), "10,20");
    EXPECT_EQ(Pane(2), " ");
    EXPECT_EQ(Send(7, 1), 0);
    EXPECT_EQ(Send(1, 0), 0) << "a missing rectangle is ignored";
    EXPECT_EQ(Pane(1), "10,20");
}

TEST_F(StatusBarTest, TheTipSitsBelowTheObjectCentredOnIt)
{
    parent.MoveWindow(0, 0, 400, 300);
    ASSERT_TRUE(tip.Show(&parent, 100, 50, 40, 20, "{ +12.50\xB0 }"));
    CRect rect;
    tip.GetWindowRect(&rect);
    CPoint centre(100, 50);
    parent.ClientToScreen(&centre);
    EXPECT_NEAR(rect.CenterPoint().x, centre.x, 1);
    EXPECT_EQ(rect.top, centre.y + 20 + 5);
    EXPECT_GT(rect.Width(), 6);
    EXPECT_TRUE(tip.IsWindowVisible());
    CString text;
    tip.GetWindowText(text);
    EXPECT_EQ(std::string(text), "{ +12.50\xB0 }");
}

TEST_F(StatusBarTest, TheTipNeverGoesMoreThanTwoPixelsBelowTheParent)
{
    ASSERT_TRUE(tip.Show(&parent, 100, 50, 4000, 4000, "x"));
    CRect client, rect;
    parent.GetClientRect(&client);
    CPoint bottom(0, client.Height() + 2);
    parent.ClientToScreen(&bottom);
    tip.GetWindowRect(&rect);
    EXPECT_EQ(rect.top, bottom.y);
}

TEST_F(StatusBarTest, TheTipIsPulledInsideTheRightAndBottomEdgesOnly)
{
    parent.MoveWindow(0, 0, 400, 300);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    CPoint origin(0, 0);
    parent.ClientToScreen(&origin);
    ASSERT_TRUE(tip.Show(&parent, screenWidth - origin.x + 50, 10, 0, 0, "angle"));
    CRect rect;
    tip.GetWindowRect(&rect);
    EXPECT_EQ(rect.right, screenWidth);
    tip.Show(&parent, -origin.x - 100, 10, 0, 0, "angle");
    tip.GetWindowRect(&rect);
    EXPECT_LT(rect.left, 0) << "the left edge is not corrected";
    parent.MoveWindow(0, screenHeight - 20, 400, 300);
    tip.Show(&parent, 50, 100, 0, 0, "angle");
    tip.GetWindowRect(&rect);
    EXPECT_EQ(rect.bottom, screenHeight);
}

TEST_F(StatusBarTest, TheShellShowsOneTipForAViewAndDropsItWhenTheTurnEnds)
{
    CVantrelServices services;
    services.ShowTip(parent.m_hWnd, "{ +1.00\xB0 }", POINT{50, 50}, SIZE{20, 20});
    CWnd* tip = services.GetTipWindow();
    ASSERT_NE(tip, nullptr);
    services.ShowTip(parent.m_hWnd, "{ +2.00\xB0 }", POINT{60, 50}, SIZE{20, 20});
    EXPECT_EQ(services.GetTipWindow(), tip) << "the same window follows the angle";
    CString text;
    tip->GetWindowText(text);
    EXPECT_EQ(std::string(text), "{ +2.00\xB0 }");
    services.HideTip();
    EXPECT_EQ(services.GetTipWindow(), nullptr);
}

} // namespace
