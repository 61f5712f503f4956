// The resizable docking bar in a real frame: its frame parts on each edge, hit testing,
// sizing by dragging an edge, the close box, docking, floating, and the size it keeps for
// each state.
#include "PictureKit.h"

#include "controls/SizingControlBar.h"
#include "platform/gdi/SysColors.h"

namespace {

constexpr UINT IDC_BAR = 0xE820, IDC_OTHER = 0xE821;

class SizingControlBarTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 600, 400)));
        frame->EnableDocking(CBRS_ALIGN_ANY);
        ASSERT_TRUE(bar.Create("Sizing", frame, CSize(150, 100), IDC_BAR));
        bar.EnableDocking(CBRS_ALIGN_ANY);
    }
    void TearDown() override
    {
        if (frame->m_hWnd)
            frame->DestroyWindow();
        UiTest::TearDown();
    }
    void Dock(CControlBar& which, UINT dockBar, bool sameRow = false)
    {
        CRect row(0, 0, 0, 0);
        frame->DockControlBar(&which, dockBar, sameRow ? &row : nullptr);
        UiTestHook::PumpPending();
    }
    CRect WindowRect(CWnd& wnd)
    {
        CRect r;
        wnd.GetWindowRect(&r);
        return r;
    }
    // The client area in the bar's window coordinates.
    CRect ClientInWindow()
    {
        CRect client;
        bar.GetClientRect(&client);
        bar.ClientToScreen(&client);
        const CRect window = WindowRect(bar);
        return client - window.TopLeft();
    }
    LRESULT HitAt(int x, int y)
    {
        const CRect window = WindowRect(bar);
        return bar.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(window.left + x, window.top + y));
    }
    CRect FrameClient()
    {
        CRect client;
        frame->GetClientRect(&client);
        return client;
    }
    // Presses at a window point of the bar's frame part and drags by (dx, dy).
    void DragEdge(int x, int y, int dx, int dy)
    {
        const CRect window = WindowRect(bar);
        const CPoint screen(window.left + x, window.top + y);
        bar.SendMessage(WM_NCLBUTTONDOWN, static_cast<WPARAM>(HitAt(x, y)), MAKELPARAM(screen.x, screen.y));
        // The bar moves while its edge follows the mouse: each message is in its client
        // coordinates of the moment.
        for (UINT message : {UINT(WM_MOUSEMOVE), UINT(WM_LBUTTONUP)}) {
            CPoint end(screen.x + dx, screen.y + dy);
            bar.ScreenToClient(&end);
            bar.SendMessage(message, message == WM_MOUSEMOVE ? MK_LBUTTON : 0, MAKELPARAM(end.x, end.y));
        }
        UiTestHook::PumpPending();
    }

    CFrameWnd* frame = nullptr;
    CSizingControlBar bar;
};

TEST_F(SizingControlBarTest, EachEdgeGivesItsGripperSizingEdgeAndCloseBox)
{
    struct Case {
        UINT dockBar;
        DWORD edges;
        CRect client; // insets from the window's left, top, right, bottom
        bool closeAtRight;
    };
    const Case cases[] = {
        {AFX_IDW_DOCKBAR_TOP, CSizingControlBar::EdgeBottom, CRect(17, 5, 5, 10), false},
        {AFX_IDW_DOCKBAR_BOTTOM, CSizingControlBar::EdgeTop, CRect(17, 10, 5, 5), false},
        {AFX_IDW_DOCKBAR_LEFT, CSizingControlBar::EdgeRight, CRect(5, 17, 10, 5), true},
        {AFX_IDW_DOCKBAR_RIGHT, CSizingControlBar::EdgeLeft, CRect(10, 17, 5, 5), true},
    };
    for (const Case& c : cases) {
        Dock(bar, c.dockBar);
        EXPECT_EQ(bar.GetDockBarID(), c.dockBar);
        EXPECT_EQ(bar.GetSizingEdges(), c.edges) << c.dockBar;
        const CRect window = WindowRect(bar);
        const CRect inside = ClientInWindow();
        EXPECT_EQ(inside, CRect(c.client.left, c.client.top, window.Width() - c.client.right,
                                window.Height() - c.client.bottom))
            << c.dockBar;
        const CPoint close = c.closeAtRight ? CPoint(inside.right - 11, inside.top - 12 - 1)
                                            : CPoint(inside.left - 12 - 1, inside.top - 1);
        EXPECT_EQ(bar.GetCloseRect(), CRect(close, CSize(11, 11))) << c.dockBar;
        const bool horizontal = c.dockBar == AFX_IDW_DOCKBAR_TOP || c.dockBar == AFX_IDW_DOCKBAR_BOTTOM;
        EXPECT_EQ(horizontal ? window.Height() : window.Width(), horizontal ? 100 : 150) << "the docked thickness";
        EXPECT_EQ(horizontal ? window.Width() : window.Height(), horizontal ? FrameClient().Width() : FrameClient().Height())
            << "a bar alone in its row takes the whole row";
    }
}

TEST_F(SizingControlBarTest, HitTestingFindsTheSizingEdgeAndTheCloseBox)
{
    Dock(bar, AFX_IDW_DOCKBAR_TOP);
    const CRect window = WindowRect(bar);
    const int w = window.Width(), h = window.Height();
    struct Case {
        CPoint at;
        LRESULT hit;
    };
    const Case cases[] = {
        {{w / 2, h - 3}, HTBOTTOM}, {{w / 2, h - 2}, HTBOTTOM}, {{w / 2, h / 2}, HTCLIENT}, {{2, h / 2}, HTCLIENT},
        {{w - 2, h / 2}, HTCLIENT}, {{w / 2, 1}, HTCLIENT},     {{9, 9}, HTCLOSE},          {{4, 4}, HTCLOSE},
        {{15, 15}, HTCLIENT},
    };
    for (const Case& c : cases)
        EXPECT_EQ(HitAt(c.at.x, c.at.y), c.hit) << c.at.x << "," << c.at.y;
}

TEST_F(SizingControlBarTest, BarsSideBySideShareTheEdgeBetweenThem)
{
    CSizingControlBar other;
    ASSERT_TRUE(other.Create("Other", frame, CSize(120, 80), IDC_OTHER));
    other.EnableDocking(CBRS_ALIGN_ANY);
    Dock(bar, AFX_IDW_DOCKBAR_TOP);
    Dock(other, AFX_IDW_DOCKBAR_TOP, true);
    bar.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(bar.GetSizingEdges(), CSizingControlBar::EdgeBottom | CSizingControlBar::EdgeRight);
    EXPECT_EQ(other.GetSizingEdges(), CSizingControlBar::EdgeBottom | CSizingControlBar::EdgeLeft);
    EXPECT_EQ(WindowRect(bar).Width(), 150);
    EXPECT_EQ(WindowRect(other).left, WindowRect(bar).right);
    EXPECT_EQ(WindowRect(other).Height(), 100) << "a row is as thick as its thickest bar";
    const CRect window = WindowRect(bar);
    EXPECT_EQ(HitAt(window.Width() - 3, window.Height() / 2), HTRIGHT);
    other.DestroyWindow();
    bar.SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(bar.GetSizingEdges(), CSizingControlBar::EdgeBottom) << "alone again";
}

TEST_F(SizingControlBarTest, DraggingTheEdgeResizesWithinLimits)
{
    struct Case {
        UINT dockBar;
        CPoint move;
        int thickness;
    };
    const Case cases[] = {
        {AFX_IDW_DOCKBAR_TOP, {0, 40}, 140},   {AFX_IDW_DOCKBAR_TOP, {0, -500}, 32},
        {AFX_IDW_DOCKBAR_LEFT, {25, 0}, 125},  {AFX_IDW_DOCKBAR_RIGHT, {30, 0}, 70},
        {AFX_IDW_DOCKBAR_BOTTOM, {0, -20}, 120}, {AFX_IDW_DOCKBAR_BOTTOM, {0, -2000}, 0},
    };
    for (const Case& c : cases) {
        bar.SetSize(c.dockBar, CSize(100, 100));
        Dock(bar, c.dockBar);
        const CRect window = WindowRect(bar);
        const int x = c.dockBar == AFX_IDW_DOCKBAR_LEFT ? window.Width() - 3 : c.dockBar == AFX_IDW_DOCKBAR_RIGHT ? 2
                                                                                                                  : window.Width() / 2;
        const int y = c.dockBar == AFX_IDW_DOCKBAR_TOP ? window.Height() - 3 : c.dockBar == AFX_IDW_DOCKBAR_BOTTOM ? 2
                                                                                                                     : window.Height() / 2;
        DragEdge(x, y, c.move.x, c.move.y);
        EXPECT_FALSE(bar.IsTracking());
        const bool horizontal = c.dockBar == AFX_IDW_DOCKBAR_TOP || c.dockBar == AFX_IDW_DOCKBAR_BOTTOM;
        const CRect after = WindowRect(bar);
        const int expected = c.thickness ? c.thickness : FrameClient().Height();
        EXPECT_EQ(horizontal ? after.Height() : after.Width(), expected) << c.dockBar << " by " << c.move.x << "," << c.move.y;
        EXPECT_EQ(horizontal ? bar.GetSize(c.dockBar).cy : bar.GetSize(c.dockBar).cx, expected);
    }
}

TEST_F(SizingControlBarTest, TheCloseBoxHidesTheBarAndItsRoom)
{
    Dock(bar, AFX_IDW_DOCKBAR_TOP);
    CWnd* dock = frame->GetDockBar(AFX_IDW_DOCKBAR_TOP);
    EXPECT_EQ(WindowRect(*dock).Height(), 100);
    const CRect window = WindowRect(bar);
    const CPoint close = window.TopLeft() + bar.GetCloseRect().CenterPoint();
    bar.SendMessage(WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(close.x, close.y));
    UiTestHook::PumpPending();
    EXPECT_FALSE(bar.IsWindowVisible());
    EXPECT_EQ(WindowRect(*dock).Height(), 0);
    frame->ShowControlBar(&bar, TRUE, FALSE);
    EXPECT_EQ(WindowRect(*dock).Height(), 100);
}

TEST_F(SizingControlBarTest, FloatingAndDockingAgainKeepsEachStatesSize)
{
    bar.SetSize(AFX_IDW_DOCKBAR_TOP, CSize(150, 90));
    bar.SetSize(AFX_IDW_DOCKBAR_FLOAT, CSize(220, 160));
    Dock(bar, AFX_IDW_DOCKBAR_TOP);
    frame->FloatControlBar(&bar, CPoint(300, 200));
    UiTestHook::PumpPending();
    ASSERT_TRUE(bar.IsFloating());
    CFrameWnd* floating = bar.GetParentFrame();
    ASSERT_NE(floating, frame);
    EXPECT_TRUE(floating->IsWindowVisible());
    EXPECT_EQ(WindowRect(bar).Size(), CSize(220, 160));
    EXPECT_EQ(WindowRect(*floating).TopLeft(), CPoint(300, 200));
    EXPECT_EQ(bar.GetSizingEdges(), 0u) << "a floating bar is sized by its small frame";
    EXPECT_EQ(WindowRect(*frame->GetDockBar(AFX_IDW_DOCKBAR_TOP)).Height(), 0);

    bar.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    UiTestHook::PumpPending();
    EXPECT_FALSE(bar.IsFloating());
    EXPECT_EQ(bar.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_TOP)) << "back where it was docked";
    EXPECT_EQ(WindowRect(bar).Height(), 90);

    bar.SendMessage(WM_LBUTTONDBLCLK, 0, MAKELPARAM(10, 10));
    UiTestHook::PumpPending();
    ASSERT_TRUE(bar.IsFloating());
    EXPECT_EQ(WindowRect(*bar.GetParentFrame()).TopLeft(), CPoint(300, 200)) << "and floats where it floated";
    bar.GetParentFrame()->SendMessage(WM_CLOSE);
    UiTestHook::PumpPending();
    EXPECT_FALSE(bar.IsWindowVisible()) << "closing the small frame hides the bar";
    EXPECT_NE(bar.m_hWnd, nullptr);
}

TEST_F(SizingControlBarTest, ReleasingADraggedBarDocksNearAnEdgeAndFloatsElsewhere)
{
    Dock(bar, AFX_IDW_DOCKBAR_TOP);
    CRect area = FrameClient();
    frame->ClientToScreen(&area);
    const CPoint middle = area.CenterPoint();
    struct Case {
        CPoint at;
        UINT dockBar;
    };
    const Case cases[] = {
        {{middle.x, area.top + 5}, AFX_IDW_DOCKBAR_TOP},     {{middle.x, area.bottom - 5}, AFX_IDW_DOCKBAR_BOTTOM},
        {{area.left + 5, middle.y}, AFX_IDW_DOCKBAR_LEFT},   {{area.right - 5, middle.y}, AFX_IDW_DOCKBAR_RIGHT},
        {middle, AFX_IDW_DOCKBAR_FLOAT},                     {{area.right + 50, middle.y}, AFX_IDW_DOCKBAR_FLOAT},
    };
    for (const Case& c : cases) {
        ASSERT_NE(bar.m_pDockContext, nullptr);
        EXPECT_EQ(bar.m_pDockContext->DockBarAt(c.at), c.dockBar) << c.at.x << "," << c.at.y;
    }
    bar.EnableDocking(CBRS_ALIGN_TOP);
    EXPECT_EQ(bar.m_pDockContext->DockBarAt(cases[2].at), static_cast<UINT>(AFX_IDW_DOCKBAR_FLOAT))
        << "an edge the bar may not dock to";
    bar.EnableDocking(CBRS_ALIGN_ANY);

    // A real drag of the client area to the left edge.
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 40));
    EXPECT_TRUE(bar.m_pDockContext->IsDragging());
    CPoint end = cases[2].at;
    bar.ScreenToClient(&end);
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(end.x, end.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(end.x, end.y));
    UiTestHook::PumpPending();
    EXPECT_FALSE(bar.m_pDockContext->IsDragging());
    EXPECT_EQ(bar.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));

    // A click without a move leaves it where it is.
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 30));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(31, 31));
    EXPECT_EQ(bar.GetDockBarID(), static_cast<UINT>(AFX_IDW_DOCKBAR_LEFT));
}

TEST_F(SizingControlBarTest, TheFramePartsAreDrawnRaisedWithACloseCross)
{
    Dock(bar, AFX_IDW_DOCKBAR_TOP);
    bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    UiTestHook::PumpPending();
    const CRect inside = ClientInWindow();
    // Window points as client points of the bar.
    auto at = [&](CPoint window) {
        return UiTestHook::PixelAt(bar.m_hWnd, CPoint(window.x - inside.left, window.y - inside.top));
    };
    const CRect edge = bar.GetEdgeRect(CSizingControlBar::EdgeBottom);
    EXPECT_EQ(at(CPoint(edge.left + 20, edge.top)), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(at(CPoint(edge.left + 20, edge.bottom - 1)), ::GetSysColor(COLOR_BTNSHADOW));
    const CRect close = bar.GetCloseRect();
    EXPECT_EQ(at(CPoint(close.left + 5, close.top + 5)), ::GetSysColor(COLOR_BTNTEXT)) << "the cross";
    EXPECT_EQ(at(CPoint(close.left + 5, close.top + 1)), ::GetSysColor(COLOR_BTNFACE));
}

} // namespace
