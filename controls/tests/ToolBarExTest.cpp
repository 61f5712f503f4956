// The flat tool bar: flat faces with edges only on hot and checked buttons, the hot edge
// leaving with the mouse, and the parent's custom drawing.
#include "PictureKit.h"

#include "controls/ToolBarEx.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TreeCtrl.h"
#include "platform/ui/WinApp.h"

#include <QThread>

#include <utility>

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
    POINT Screen(int x, int y)
    {
        CPoint p(x, y);
        bar.ClientToScreen(&p);
        return p;
    }
    // Where the client area starts inside the window.
    CPoint ClientOrigin()
    {
        CRect window;
        bar.GetWindowRect(&window);
        const POINT client = Screen(0, 0);
        return CPoint(client.x - window.left, client.y - window.top);
    }
    // A pixel in window coordinates, the non-client area included.
    COLORREF WindowAt(int x, int y)
    {
        const CPoint origin = ClientOrigin();
        return At(x - origin.x, y - origin.y);
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

    UiTestHook::MouseMove(Screen(green.left + 5, green.top + 5));
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
    UiTestHook::MouseMove(Screen(green.left + 5, green.top + 5));
    UiTestHook::PumpPending();
    ASSERT_EQ(bar.GetHotIndex(), 1);
    const POINT away = Screen(150, 150);
    ::SetCursorPos(away.x, away.y); // without a move message to the bar
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

TEST_F(ToolBarExTest, TheGripperShowsTwoRaisedStripsBeforeTheButtons)
{
    const COLORREF highlight = ::GetSysColor(COLOR_3DHILIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    struct Case {
        DWORD align;
        bool across;
    };
    for (const Case c : {Case{CBRS_ALIGN_TOP, true}, Case{CBRS_ALIGN_LEFT, false}, Case{0, false}}) {
        bar.SetBarStyle((bar.GetBarStyle() & ~CBRS_ALIGN_ANY) | c.align);
        bar.SetWindowPos(nullptr, 0, 0, 200, 60, SWP_NOZORDER | SWP_FRAMECHANGED);
        UiTestHook::PumpPending();
        EXPECT_EQ(ClientOrigin(), c.across ? CPoint(10, 0) : CPoint(0, 10)) << c.align;
        // Along a strip: window x (or y) 4..6 is the first, 7..9 the second; the middle of the other axis.
        auto at = [&](int along, int middle) { return c.across ? WindowAt(along, middle) : WindowAt(middle, along); };
        const int middle = c.across ? 30 : 100;
        const std::pair<int, COLORREF> expected[] = {
            {3, ::GetSysColor(COLOR_BTNFACE)}, {4, highlight}, {6, shadow}, {7, highlight}, {9, shadow}};
        for (const auto& [along, colour] : expected)
            EXPECT_EQ(at(along, middle), colour) << c.align << " at " << along;
        EXPECT_EQ(at(5, 2), ::GetSysColor(COLOR_BTNFACE)) << "4 pixels clear of the edge";
    }
}

TEST_F(ToolBarExTest, APlainBarKeepsTheOffsetButDrawsNoGripper)
{
    struct Case {
        DWORD align;
        CPoint origin;
    };
    for (const Case c : {Case{CBRS_ALIGN_BOTTOM, CPoint(4, 0)}, Case{CBRS_ALIGN_RIGHT, CPoint(0, 6)}}) {
        bar.SetBarStyle((bar.GetBarStyle() & ~CBRS_ALIGN_ANY) | c.align);
        bar.SetFlat(FALSE);
        UiTestHook::PumpPending();
        EXPECT_EQ(ClientOrigin(), c.origin) << c.align;
        EXPECT_NE(WindowAt(c.origin.x ? 2 : 50, c.origin.y ? 2 : 15), ::GetSysColor(COLOR_3DHILIGHT)) << c.align;
        bar.SetFlat(TRUE);
    }
}

TEST_F(ToolBarExTest, TheLayoutMakesRoomForTheOffset)
{
    bar.SetFlat(FALSE);
    const CSize plain = bar.CalcFixedLayout(FALSE, TRUE);
    bar.SetFlat(TRUE);
    const CSize flat = bar.CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(flat - plain, CSize(6, 0)); // 4 pixels plain, 10 past the gripper
    EXPECT_EQ(plain.cy, flat.cy);
}

TEST_F(ToolBarExTest, NewSizesRecentreThePictures)
{
    bar.SetSizes(CSize(30, 31), CSize(16, 15));
    EXPECT_EQ(bar.GetImageOffset(), CPoint(7, 8));
    const CRect green = Item(1);
    EXPECT_EQ(green.Width(), 30);
    EXPECT_EQ(At(green.left + 7 + 2, green.top + 8 + 2), kGreen);
    EXPECT_EQ(At(green.left + 7 + 1, green.top + 8 + 1), ::GetSysColor(COLOR_BTNFACE)); // the masked margin
}

TEST_F(ToolBarExTest, WithButtonTextsThePicturesKeepToTheTop)
{
    bar.SetButtonText(0, "Red");
    At(0, 0);
    EXPECT_EQ(bar.GetImageOffset(), CPoint(3, 0));
}

TEST_F(ToolBarExTest, HotButtonsAreRaisedAndCheckedHotOnesSunkenOnTheFace)
{
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE), highlight = ::GetSysColor(COLOR_3DHILIGHT),
                   shadow = ::GetSysColor(COLOR_BTNSHADOW);
    bar.SetButtonStyle(1, bar.GetButtonStyle(1) | TBBS_CHECKED);
    const CRect green = Item(1);
    UiTestHook::MouseMove(Screen(green.left + 5, green.top + 5));
    UiTestHook::PumpPending();
    ASSERT_EQ(bar.GetHotIndex(), 1);
    EXPECT_EQ(At(green.left, green.top), shadow);
    EXPECT_EQ(At(green.right - 1, green.bottom - 1), highlight);
    EXPECT_EQ(At(green.left + 1, green.top + 1), face); // no inner frame, no light fill under the mouse
    EXPECT_EQ(At(green.left + 3, green.top + 3), face);
}

TEST_F(ToolBarExTest, DisabledButtonsAreEmbossedAndNeverHot)
{
    bar.SetButtonStyle(0, bar.GetButtonStyle(0) | TBBS_DISABLED);
    const CRect red = Item(0);
    const CPoint offset = bar.GetImageOffset();
    EXPECT_EQ(At(red.left + offset.x + 8, red.top + offset.y + 8), ::GetSysColor(COLOR_3DSHADOW));
    // The highlight copy one pixel right and down shows past the picture's last column.
    EXPECT_EQ(At(red.left + offset.x + 16, red.top + offset.y + 8), ::GetSysColor(COLOR_3DHILIGHT));
    UiTestHook::MouseMove(Screen(red.left + 5, red.top + 5));
    UiTestHook::PumpPending();
    EXPECT_EQ(bar.GetHotIndex(), -1);
    EXPECT_EQ(At(red.left, red.top), ::GetSysColor(COLOR_BTNFACE));
}

// Docked and floating in a real frame: the gripper goes with the bar into its small frame.
TEST_F(ToolBarExTest, AFloatingBarDrawsNoGripperAndKeepsItsButtonsWhole)
{
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
    frame->EnableDocking(CBRS_ALIGN_ANY);
    CToolBarEx docked;
    ASSERT_TRUE(docked.Create(frame, WS_CHILD | WS_VISIBLE | CBRS_LEFT));
    ASSERT_TRUE(docked.LoadToolBar(IDR_BAR));
    docked.EnableDocking(CBRS_ALIGN_ANY);
    const auto clientOrigin = [&] {
        CRect window;
        docked.GetWindowRect(&window);
        CPoint client(0, 0);
        docked.ClientToScreen(&client);
        return client - window.TopLeft();
    };
    const auto windowAt = [&](int x, int y) {
        docked.Invalidate();
        UiTestHook::PumpPending();
        const CSize origin = clientOrigin();
        return UiTestHook::PixelAt(docked.GetSafeHwnd(), CPoint(x - origin.cx, y - origin.cy));
    };
    frame->DockControlBar(&docked, AFX_IDW_DOCKBAR_LEFT);
    UiTestHook::PumpPending();
    EXPECT_EQ(clientOrigin(), CSize(0, 10));
    EXPECT_EQ(windowAt(8, 4), ::GetSysColor(COLOR_3DHILIGHT));

    frame->FloatControlBar(&docked, CPoint(300, 200));
    UiTestHook::PumpPending();
    ASSERT_TRUE(docked.IsFloating());
    EXPECT_EQ(clientOrigin(), CSize(0, 6));
    EXPECT_EQ(windowAt(8, 4), ::GetSysColor(COLOR_BTNFACE));
    CRect window, last;
    docked.GetWindowRect(&window);
    docked.GetItemRect(docked.GetCount() - 1, &last);
    EXPECT_GE(window.Height(), 6 + last.bottom) << "the offset does not cut the buttons off";
    frame->DestroyWindow();
}

TEST(ToolBarExColours, CheckedButtonsUseTheHighlightWhenTheLightIsTheFace)
{
    struct Case {
        COLORREF face, highlight, light, checked;
    };
    const Case cases[] = {{RGB(192, 192, 192), RGB(255, 255, 255), RGB(223, 223, 223), RGB(223, 223, 223)},
                          {RGB(192, 192, 192), RGB(255, 255, 255), RGB(192, 192, 192), RGB(255, 255, 255)},
                          {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0)}};
    for (const Case& c : cases)
        EXPECT_EQ(CToolBarEx::CheckedColour(c.face, c.highlight, c.light), c.checked);
}

} // namespace
