// The flat icon button in its states and the two-state bitmap button, drawn on small
// windows and read back pixel by pixel.
#include "PictureKit.h"

#include "controls/FlatButton.h"
#include "controls/TwoStateButton.h"
#include "platform/ui/Resources.h"

namespace {

constexpr UINT IDI_GREEN = 9601, IDI_RED = 9602, IDB_OFF = 9603, IDB_ON = 9604, IDC_FLAT = 31, IDC_PIN = 32;
constexpr COLORREF kGreen = RGB(0, 160, 0), kRed = RGB(200, 0, 0), kOff = RGB(10, 20, 30), kOn = RGB(200, 210, 220);

class OwnerDrawnButtonsTest : public UiTest {
protected:
    static void SetUpTestSuite()
    {
        UiTest::SetUpTestSuite();
        RegisterBinaryResource(ResourceKind::Icon, IDI_GREEN, MakeIco(16, kGreen));
        RegisterBinaryResource(ResourceKind::Icon, IDI_RED, MakeIco(16, kRed));
        RegisterBinaryResource(ResourceKind::Bitmap, IDB_OFF, SolidBmp(20, 20, kOff));
        RegisterBinaryResource(ResourceKind::Bitmap, IDB_ON, SolidBmp(20, 20, kOn));
    }
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.Open());
        parent.SetActiveWindow();
    }
    void TearDown() override
    {
        flat.DestroyWindow();
        pin.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    void MakeFlat(UINT hoverIcon)
    {
        ASSERT_TRUE(flat.Create("Go", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 90, 40), &parent, IDC_FLAT));
        ASSERT_TRUE(flat.SetIcon(IDI_GREEN, hoverIcon, 16, 16));
    }
    COLORREF At(CWnd& wnd, int x, int y)
    {
        wnd.Invalidate();
        UiTestHook::PumpPending();
        return UiTestHook::PixelAt(wnd.GetSafeHwnd(), CPoint(x, y));
    }

    RecordingWindow parent;
    CFlatButton flat;
    CTwoStateButton pin;
};

const COLORREF face = ::GetSysColor(COLOR_BTNFACE);

// The icon sits 3 pixels from the left, centred vertically: (3..18, 7..22) of 80 x 30.
TEST_F(OwnerDrawnButtonsTest, FlatButtonShowsItsEdgeOnlyWhenHoveredOrPressed)
{
    MakeFlat(0);
    EXPECT_EQ(At(flat, 0, 0), face);            // flat at rest
    EXPECT_EQ(At(flat, 79, 29), face);
    EXPECT_EQ(At(flat, 10, 14), kGreen);        // the icon
    EXPECT_EQ(At(flat, 60, 2), face);

    UiTestHook::MouseMove(POINT{10 + 50, 10 + 15}); // hover: thin raised edge
    UiTestHook::PumpPending();
    ASSERT_TRUE(flat.IsMouseOver());
    EXPECT_EQ(At(flat, 0, 0), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(At(flat, 79, 29), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(flat, 10, 14), kGreen); // no second icon: the same icon

    flat.SendMessage(BM_SETSTATE, TRUE); // pressed: thin sunken edge, icon one pixel down-right
    EXPECT_EQ(At(flat, 0, 0), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(At(flat, 79, 29), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(At(flat, 19, 23), kGreen);
    EXPECT_NE(At(flat, 3, 7), kGreen);
    flat.SendMessage(BM_SETSTATE, FALSE);

    UiTestHook::MouseMove(POINT{200, 150}); // leaving clears the hover
    UiTestHook::PumpPending();
    EXPECT_FALSE(flat.IsMouseOver());
    EXPECT_EQ(At(flat, 0, 0), face);
}

TEST_F(OwnerDrawnButtonsTest, FlatButtonSwapsToTheSecondIconAndEmbossesWhenDisabled)
{
    MakeFlat(IDI_RED);
    EXPECT_EQ(At(flat, 10, 14), kGreen);
    UiTestHook::MouseMove(POINT{10 + 50, 10 + 15});
    UiTestHook::PumpPending();
    EXPECT_EQ(At(flat, 10, 14), kRed);
    UiTestHook::MouseMove(POINT{200, 150});
    UiTestHook::PumpPending();
    flat.EnableWindow(FALSE);
    COLORREF disabled = At(flat, 10, 14);
    EXPECT_NE(disabled, kGreen);
    EXPECT_NE(disabled, kRed);
}

TEST_F(OwnerDrawnButtonsTest, PressingAndDraggingOffKeepsTheCaptureUntilRelease)
{
    MakeFlat(0);
    UiTestHook::MouseMove(POINT{60, 25});
    UiTestHook::PumpPending();
    UiTestHook::MouseDown(WM_LBUTTONDOWN, POINT{60, 25}, MK_LBUTTON);
    UiTestHook::PumpPending();
    ASSERT_TRUE(flat.IsMouseOver());
    UiTestHook::MouseMove(POINT{200, 150}, MK_LBUTTON);
    UiTestHook::PumpPending();
    EXPECT_EQ(CWnd::GetCapture(), &flat);
    EXPECT_FALSE(flat.IsMouseOver());
    UiTestHook::MouseUp(WM_LBUTTONUP, POINT{200, 150});
    UiTestHook::PumpPending();
    EXPECT_NE(CWnd::GetCapture(), &flat);
}

TEST_F(OwnerDrawnButtonsTest, FlatButtonResetsItsColoursToTheSystemOnes)
{
    MakeFlat(0);
    flat.ResetHoverBackground();
    flat.ResetNormalText(FALSE);
    EXPECT_EQ(flat.GetNormalBackground(), face);
    EXPECT_EQ(flat.GetHoverBackground(), face);
    EXPECT_EQ(flat.GetNormalText(), ::GetSysColor(COLOR_BTNTEXT));
    EXPECT_EQ(flat.GetHoverText(), ::GetSysColor(COLOR_BTNTEXT));
}

TEST_F(OwnerDrawnButtonsTest, TwoStateButtonFlipsItsBitmapOnEveryClick)
{
    ASSERT_TRUE(pin.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(100, 10, 120, 30), &parent, IDC_PIN));
    pin.m_bitmaps[0].Attach(LoadBitmapResource(IDB_OFF));
    pin.m_bitmaps[1].Attach(LoadBitmapResource(IDB_ON));
    const COLORREF expected[] = {kOff, kOn, kOff};
    for (int click = 0; click < 3; ++click) {
        EXPECT_EQ(pin.m_state, click % 2 == 1) << click;
        EXPECT_EQ(At(pin, 10, 10), expected[click]) << click;
        pin.SendMessage(BM_CLICK);
        UiTestHook::PumpPending();
    }
}

} // namespace
