// The flat tool bar: flat faces with edges only on hot and checked buttons, the hot edge
// leaving with the mouse, and the parent's custom drawing.
#include "PictureKit.h"

#include "controls/ToolBarEx.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TreeCtrl.h"
#include "platform/ui/WinApp.h"

#include <QThread>

namespace {

constexpr UINT IDR_BAR = 9801, ID_RED = 100, ID_GREEN = 101, ID_BLUE = 102;
constexpr COLORREF kRed = RGB(220, 0, 0), kGreen = RGB(0, 200, 0), kBlue = RGB(0, 0, 230);

// Asks for item notifications and skips the blue button's default drawing.
class DrawingParent : public RecordingWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
        if (message != WM_NOTIFY || draw->hdr.code != NM_CUSTOMDRAW)
            return RecordingWindow::WindowProc(message, wParam, lParam);
        if (draw->dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        return draw->dwDrawStage == CDDS_ITEMPREPAINT && draw->dwItemSpec == ID_BLUE ? CDRF_SKIPDEFAULT : CDRF_DODEFAULT;
    }
};

class ToolBarExTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterToolBarResource(IDR_BAR, ToolBarTemplate{16, 15, {ID_RED, ID_GREEN, ID_SEPARATOR, ID_BLUE}});
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        RegisterBinaryResource(ResourceKind::Bitmap, IDR_BAR, MakeBmp(48, 15, [face](int x, int y) {
            if (x % 16 < 2 || y < 2)
                return face; // the face colour is the mask
            return x < 16 ? kRed : x < 32 ? kGreen : kBlue;
        }));
    }
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.Open());
        ASSERT_TRUE(bar.Create(&parent, WS_CHILD | WS_VISIBLE | CBRS_TOP));
        ASSERT_TRUE(bar.LoadToolBar(IDR_BAR));
        bar.MoveWindow(0, 0, 200, 30);
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    COLORREF At(int x, int y)
    {
        bar.Invalidate();
        UiTestHook::PumpPending();
        return UiTestHook::PixelAt(bar.GetSafeHwnd(), CPoint(x, y));
    }
    CRect Item(int index)
    {
        CRect r;
        bar.GetItemRect(index, &r);
        return r;
    }

    DrawingParent parent;
    CToolBarEx bar;
};

TEST_F(ToolBarExTest, ButtonsAreFlatUntilTheMouseRestsOnOne)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const CRect red = Item(0), green = Item(1);
    const CPoint offset = bar.GetImageOffset();
    EXPECT_EQ(At(red.left + offset.x + 8, red.top + offset.y + 8), kRed);
    EXPECT_EQ(At(green.left + offset.x + 8, green.top + offset.y + 8), kGreen);
    EXPECT_EQ(At(red.left, red.top), face);

    UiTestHook::MouseMove(POINT{green.left + 5, green.top + 5});
    UiTestHook::PumpPending();
    EXPECT_EQ(bar.GetHotIndex(), 1);
    EXPECT_EQ(At(green.left, green.top), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(At(green.right - 1, green.bottom - 1), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(red.left, red.top), face);

    // Resting: the timer keeps the highlight while the cursor stays on the button.
    QThread::msleep(300);
    UiTestHook::PumpPending();
    EXPECT_EQ(bar.GetHotIndex(), 1);
}

TEST_F(ToolBarExTest, LeavingTheBarClearsTheHighlightWithoutAnotherMove)
{
    const CRect green = Item(1);
    UiTestHook::MouseMove(POINT{green.left + 5, green.top + 5});
    UiTestHook::PumpPending();
    ASSERT_EQ(bar.GetHotIndex(), 1);
    ::SetCursorPos(150, 150); // away, without a move message to the bar
    QThread::msleep(300);
    UiTestHook::PumpPending();
    EXPECT_EQ(bar.GetHotIndex(), -1);
    EXPECT_EQ(At(green.left, green.top), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(ToolBarExTest, CheckedButtonsAreSunkenOnTheLightColour)
{
    bar.SetButtonStyle(0, bar.GetButtonStyle(0) | TBBS_CHECKED);
    const CRect red = Item(0);
    EXPECT_EQ(At(red.left, red.top), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(red.right - 1, red.bottom - 1), ::GetSysColor(COLOR_3DHILIGHT));
    COLORREF light = ::GetSysColor(COLOR_3DLIGHT);
    if (light == ::GetSysColor(COLOR_BTNFACE))
        light = ::GetSysColor(COLOR_3DHILIGHT);
    EXPECT_EQ(At(red.left + 3, red.top + 3), light);
    const CPoint offset = bar.GetImageOffset();
    EXPECT_EQ(At(red.left + offset.x + 3, red.top + offset.y + 3), kRed); // one pixel down and right
}

TEST_F(ToolBarExTest, AParentSkippingAButtonLeavesItUnpainted)
{
    const CRect blue = Item(3);
    const CPoint offset = bar.GetImageOffset();
    EXPECT_NE(At(blue.left + offset.x + 8, blue.top + offset.y + 8), kBlue);
    const CRect green = Item(1);
    EXPECT_EQ(At(green.left + offset.x + 8, green.top + offset.y + 8), kGreen);
}

} // namespace
