// The object tracker's loops driven by synthetic input in-process: moves, the eight resize
// handles, grid, proportions, 45-degree line ends, minimum sizes, cancelling, rubber bands,
// rotation and auto-scrolling; and its feedback on pixels.
#include "objects/HyperTracker.h"
#include "objects/ViewSettings.h"
#include "objects/tests/PageTestKit.h"
#include "platform/core/String.h"
#include "platform/gdi/tests/Canvas.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// The view answers of a page being edited: grid, cell mode, zoom both ways, tips.
class TrackHost : public CTestPageView {
public:
    int GetGridStepX() const override { return grid; }
    int GetGridStepY() const override { return grid; }
    BOOL IsCellMode() const override { return cellMode; }
    int GetFlagsLow() const override { return flagsLow; }
    BOOL HasEmptySelection() const override { return emptySelection; }
    void DeviceToLogicalPoints(POINT* points, int count) const override
    {
        for (int i = 0; i < count; ++i) {
            if (scrolled) {
                points[i].x += scrolled->GetScrollPos(SB_HORZ);
                points[i].y += scrolled->GetScrollPos(SB_VERT);
            }
            points[i].x = MulDiv(points[i].x, 100, zoom);
            points[i].y = MulDiv(points[i].y, 100, zoom);
        }
    }
    void LogicalToDevice(POINT* points, int count) const override
    {
        CTestPageView::LogicalToDevice(points, count);
        for (int i = 0; scrolled && i < count; ++i) {
            points[i].x -= scrolled->GetScrollPos(SB_HORZ);
            points[i].y -= scrolled->GetScrollPos(SB_VERT);
        }
    }
    void ShowAngleTip(const CString& text, POINT, SIZE) override { tips.push_back(std::string(text)); }
    void HideAngleTip() override { ++tipsHidden; }

    int grid = 1;
    BOOL cellMode = FALSE;
    int flagsLow = 0;
    BOOL emptySelection = FALSE;
    std::vector<std::string> tips;
    int tipsHidden = 0;
    // The window whose scroll position shifts the page, when there is one.
    CWnd* scrolled = nullptr;
};

// Scrolls ten pixels a line.
class CScrollingWnd : public CWnd {
public:
    LRESULT OnHScrollLine(WPARAM code, LPARAM) { return ScrollLine(SB_HORZ, code); }
    LRESULT OnVScrollLine(WPARAM code, LPARAM) { return ScrollLine(SB_VERT, code); }
    LRESULT ScrollLine(int bar, WPARAM code)
    {
        SetScrollPos(bar, GetScrollPos(bar) + (LOWORD(code) == SB_LINEDOWN ? 10 : -10), FALSE);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

// A window that is a page view too.
class CPageWnd : public CWnd, public TrackHost {
};

BEGIN_MESSAGE_MAP(CScrollingWnd, CWnd)
    ON_MESSAGE(WM_HSCROLL, OnHScrollLine)
    ON_MESSAGE(WM_VSCROLL, OnVScrollLine)
END_MESSAGE_MAP()

// A kind whose picture stays upright when it turns, so its handles resize it turned.
class CUprightPictureOb : public CTestBoxOb {
public:
    BOOL TurnsWithRotation() const override { return FALSE; }
};

// A line: two end handles, top-left and bottom-right.
class CTestLineOb : public CTestBoxOb {
public:
    CTestLineOb() { m_keepsDirection = TRUE; }
    int GetHandleLayout() const override { return 0; }
};

struct Step {
    enum Kind { Move, Up, Escape, RightDown, AltDown, AltUp, Quit } kind;
    int x = 0;
    int y = 0;
    UINT keys = 0;
};

class TrackerTest;
TrackerTest* g_running = nullptr;
std::vector<Step> g_pending;
constexpr UINT_PTR DriveTimer = 77;

class TrackerTest : public ::testing::Test {
public:
    void SetUp() override
    {
        UiTestHook::Reset();
        ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "page", WS_OVERLAPPED | WS_VISIBLE, 100, 100,
                                 400, 300, nullptr, nullptr));
        wnd.SetFocus();
        UiTestHook::PumpPending();
    }
    void TearDown() override
    {
        wnd.KillTimer(DriveTimer);
        wnd.DestroyWindow();
        UiTestHook::PumpPending();
        MSG msg;
        while (PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        UiTestHook::Reset();
    }
    POINT Screen(int x, int y)
    {
        POINT p{x, y};
        wnd.ClientToScreen(&p);
        return p;
    }
    // The input arrives once the loop runs and holds the capture, so that points outside
    // the window still reach it.
    void Drive(const std::vector<Step>& steps)
    {
        g_running = this;
        g_pending = steps;
        wnd.SetTimer(DriveTimer, 1, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
            KillTimer(hwnd, id);
            g_running->Post(g_pending);
        });
    }
    void Post(const std::vector<Step>& steps)
    {
        for (const Step& s : steps) {
            switch (s.kind) {
            case Step::Move: UiTestHook::MouseMove(Screen(s.x, s.y), MK_LBUTTON | s.keys); break;
            case Step::Up: UiTestHook::MouseUp(WM_LBUTTONUP, Screen(s.x, s.y), s.keys); break;
            case Step::Escape: UiTestHook::KeyDown(VK_ESCAPE); break;
            case Step::RightDown: UiTestHook::MouseDown(WM_RBUTTONDOWN, Screen(s.x, s.y), MK_RBUTTON); break;
            case Step::AltDown: UiTestHook::KeyDown(VK_MENU); break;
            case Step::AltUp: UiTestHook::KeyUp(VK_MENU); break;
            case Step::Quit: PostQuitMessage(5); break;
            }
        }
    }
    // A selected object on (40, 40, 100, 80).
    template <typename Kind = CTestBoxOb>
    std::unique_ptr<Kind> Selected(CRect rect = CRect(40, 40, 100, 80))
    {
        auto object = std::make_unique<Kind>();
        object->Init(host, &rect, FALSE);
        object->Select(TRUE);
        return object;
    }

    TrackHost host;
    CScrollingWnd wnd;
};

constexpr UINT Shift = MK_SHIFT;
constexpr UINT Ctrl = MK_CONTROL;

// Handle centres of the rectangle (40, 40, 100, 80) at 100 %.
constexpr POINT handleAt[9] = {{37, 37}, {102, 37}, {102, 82}, {37, 82}, {69, 37}, {102, 59}, {69, 82}, {37, 59}, {70, 60}};

TEST_F(TrackerTest, MovesAndEveryHandleFollowTheMouseWithAndWithoutGrid)
{
    struct Case {
        int handle;
        int grid;
        POINT by;
        UINT keys;
        CRect expected;
    };
    const Case cases[] = {
        {8, 1, {10, 15}, 0, {50, 55, 110, 95}},
        {0, 1, {10, 5}, 0, {50, 45, 100, 80}},
        {1, 1, {10, 5}, 0, {40, 45, 110, 80}},
        {2, 1, {10, 5}, 0, {40, 40, 110, 85}},
        {3, 1, {10, 5}, 0, {50, 40, 100, 85}},
        {4, 1, {10, 5}, 0, {40, 45, 100, 80}},
        {5, 1, {10, 5}, 0, {40, 40, 110, 80}},
        {6, 1, {10, 5}, 0, {40, 40, 100, 85}},
        {7, 1, {10, 5}, 0, {50, 40, 100, 80}},
        {8, 10, {13, 7}, 0, {50, 50, 110, 90}},
        {0, 10, {13, 7}, 0, {50, 50, 100, 80}},
        {1, 10, {13, 7}, 0, {40, 50, 110, 80}},
        {2, 10, {13, 7}, 0, {40, 40, 110, 90}},
        {3, 10, {13, 7}, 0, {50, 40, 100, 90}},
        {4, 10, {13, 7}, 0, {40, 50, 100, 80}},
        {5, 10, {13, 7}, 0, {40, 40, 110, 80}},
        {6, 10, {13, 7}, 0, {40, 40, 100, 90}},
        {7, 10, {13, 7}, 0, {50, 40, 100, 80}},
        {8, 10, {-13, -7}, 0, {30, 30, 90, 70}},
        // Negative page coordinates round to the nearer line too: -14 to -10, -15 to -20.
        {8, 10, {-54, -55}, 0, {-10, -20, 50, 20}},
        // Ctrl is the view's (a copy); the tracker drags the same.
        {2, 10, {13, 7}, Ctrl, {40, 40, 110, 90}},
        // Shift keeps the proportions of the start rectangle (3 : 2).
        {2, 1, {30, 0}, Shift, {40, 40, 130, 100}},
        {0, 1, {-30, 0}, Shift, {10, 20, 100, 80}},
        {4, 1, {0, -20}, Shift, {40, 20, 130, 80}},
        {7, 1, {-30, 0}, Shift, {10, 40, 100, 100}},
        {8, 1, {10, 10}, Shift, {50, 50, 110, 90}},
    };
    for (const Case& c : cases) {
        host.grid = c.grid;
        auto object = Selected();
        POINT from = handleAt[c.handle];
        Drive({{Step::Move, from.x + c.by.x, from.y + c.by.y, c.keys}, {Step::Up, from.x + c.by.x, from.y + c.by.y, c.keys}});
        CHyperObTracker* tracker = object->GetTracker();
        EXPECT_TRUE(tracker->Track(&wnd, from)) << "handle " << c.handle << " grid " << c.grid;
        EXPECT_EQ(tracker->m_rect, c.expected) << "handle " << c.handle << " grid " << c.grid << " keys " << c.keys;
        EXPECT_EQ(tracker->m_trackedHandle, c.handle);
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(TrackerTest, AltDragsOffTheGrid)
{
    host.grid = 10;
    auto object = Selected();
    Drive({{Step::AltDown}, {Step::Move, 115, 89}, {Step::Up, 115, 89}, {Step::AltUp}});
    ASSERT_TRUE(object->GetTracker()->Track(&wnd, handleAt[2]));
    EXPECT_EQ(object->GetTracker()->m_rect, CRect(40, 40, 113, 87));
    UiTestHook::PumpPending();
}

TEST_F(TrackerTest, SizesStopAtTheMinimum)
{
    struct Case {
        int handle;
        POINT to;
        CRect expected;
    };
    const Case cases[] = {
        {2, {-50, -50}, {40, 40, 50, 50}},
        {0, {200, 200}, {90, 70, 100, 80}},
        {5, {0, 59}, {40, 40, 50, 80}},
        {4, {69, 250}, {40, 70, 100, 80}},
    };
    for (const Case& c : cases) {
        auto object = Selected();
        Drive({{Step::Move, c.to.x, c.to.y}, {Step::Up, c.to.x, c.to.y}});
        ASSERT_TRUE(object->GetTracker()->Track(&wnd, handleAt[c.handle])) << c.handle;
        EXPECT_EQ(object->GetTracker()->m_rect, c.expected) << c.handle;
    }
}

TEST_F(TrackerTest, NothingChangesWhenTheDragIsCancelledOrGoesNowhere)
{
    const struct {
        const char* name;
        std::vector<Step> steps;
    } cases[] = {
        {"escape", {{Step::Move, 90, 90}, {Step::Escape}}},
        {"right button", {{Step::Move, 90, 90}, {Step::RightDown, 90, 90}}},
        {"click", {{Step::Up, 70, 60}}},
        {"back where it began", {{Step::Move, 90, 90}, {Step::Move, 70, 60}, {Step::Up, 70, 60}}},
    };
    for (const auto& c : cases) {
        auto object = Selected();
        Drive(c.steps);
        EXPECT_FALSE(object->GetTracker()->Track(&wnd, CPoint(70, 60))) << c.name;
        EXPECT_EQ(object->GetTracker()->m_rect, CRect(40, 40, 100, 80)) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        UiTestHook::PumpPending();
    }
}

TEST_F(TrackerTest, AMissedPressAndABusyCaptureChangeNothing)
{
    auto object = Selected();
    EXPECT_FALSE(object->GetTracker()->Track(&wnd, CPoint(300, 200)));
    EXPECT_EQ(object->GetTracker()->m_rect, CRect(40, 40, 100, 80));

    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                               nullptr));
    other.SetCapture();
    EXPECT_FALSE(object->GetTracker()->Track(&wnd, CPoint(70, 60)));
    EXPECT_EQ(object->GetTracker()->m_rect, CRect(40, 40, 100, 80));
    EXPECT_FALSE(object->GetTracker()->TrackRotate(&wnd, CPoint(70, 60)));
    ReleaseCapture();
    other.DestroyWindow();
}

TEST_F(TrackerTest, ADragThatLeavesTheWindowStillEndsWhereTheMouseWasLetGo)
{
    auto object = Selected();
    Drive({{Step::Move, -40, -20}, {Step::Move, 500, 400}, {Step::Up, 500, 400}});
    ASSERT_TRUE(object->GetTracker()->Track(&wnd, CPoint(70, 60)));
    EXPECT_EQ(object->GetTracker()->m_rect, CRect(470, 380, 530, 420));
}

TEST_F(TrackerTest, QuittingDuringADragCancelsItAndHandsTheQuitBack)
{
    auto object = Selected();
    Drive({{Step::Move, 90, 90}, {Step::Quit}});
    EXPECT_FALSE(object->GetTracker()->Track(&wnd, CPoint(70, 60)));
    EXPECT_EQ(object->GetTracker()->m_rect, CRect(40, 40, 100, 80));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 5u);
}

TEST_F(TrackerTest, TheRectangleComesBackInPageUnitsAtAnyZoom)
{
    host.zoom = 200;
    auto object = Selected();
    Drive({{Step::Move, 160, 140}, {Step::Up, 160, 140}});
    ASSERT_TRUE(object->GetTracker()->Track(&wnd, CPoint(140, 120)));
    EXPECT_EQ(object->GetTracker()->m_rect, CRect(50, 50, 110, 90));
}

TEST_F(TrackerTest, TurnedObjectsMoveByTheirHandlesUnlessTheirPictureStaysUpright)
{
    auto turned = Selected();
    turned->SetRotateAngle(30.0);
    Drive({{Step::Move, 112, 92}, {Step::Up, 112, 92}});
    ASSERT_TRUE(turned->GetTracker()->Track(&wnd, handleAt[2]));
    EXPECT_EQ(turned->GetTracker()->m_rect, CRect(50, 50, 110, 90)) << "a corner moves a turned object";

    auto upright = Selected<CUprightPictureOb>();
    upright->SetRotateAngle(30.0);
    Drive({{Step::Move, 132, 82}, {Step::Up, 132, 82}});
    ASSERT_TRUE(upright->GetTracker()->Track(&wnd, handleAt[2]));
    EXPECT_EQ(upright->GetTracker()->m_rect, CRect(40, 40, 130, 100)) << "proportions kept without Shift";
}

TEST_F(TrackerTest, ShiftPutsALineEndOnTheNearest45Degrees)
{
    auto line = Selected<CTestLineOb>(CRect(40, 40, 100, 60));
    // The bottom-right end at (100, 60) is dragged to 30 degrees from (40, 40).
    Drive({{Step::Move, 142, 100, Shift}, {Step::Up, 142, 100, Shift}});
    ASSERT_TRUE(line->GetTracker()->Track(&wnd, CPoint(102, 62)));
    CRect r = line->GetTracker()->m_rect;
    EXPECT_EQ(r, CRect(40, 40, 140, 140)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

TEST_F(TrackerTest, LineEndsSnapByTheirSector)
{
    const struct {
        POINT dragged;
        POINT expected;
    } cases[] = {
        {{100, 58}, {100, 100}},   // 30 degrees: the horizontal offset is kept
        {{100, 18}, {100, 0}},     // 10 degrees: horizontal
        {{50, 100}, {100, 100}},   // 63 degrees
        {{0, 100}, {0, 100}},      // straight down
        {{-50, 100}, {-100, 100}}, // 117 degrees
        {{-100, 50}, {-100, 100}}, // 153 degrees
        {{-100, -50}, {-100, -100}},
        {{-50, -100}, {-100, -100}},
        {{50, -100}, {100, -100}}, // 297 degrees: the larger, vertical offset is kept
        {{100, -50}, {100, -100}}, // 333 degrees
        {{100, -10}, {100, 0}},
    };
    for (const auto& c : cases) {
        POINT result = SnapTo45Degrees(POINT{0, 0}, c.dragged);
        EXPECT_EQ(result.x, c.expected.x) << c.dragged.x << "," << c.dragged.y;
        EXPECT_EQ(result.y, c.expected.y) << c.dragged.x << "," << c.dragged.y;
    }
}

TEST_F(TrackerTest, CellModeCentresObjectsOnLinesOrInCells)
{
    host.grid = 10;
    host.cellMode = TRUE;
    auto object = Selected();
    const struct {
        CRect rect;
        CRect expected;
    } cases[] = {
        {{3, 3, 23, 13}, {0, 0, 20, 10}},
        {{12, 14, 42, 44}, {10, 10, 40, 40}},
        {{-12, -14, 18, 16}, {-10, -10, 20, 20}},
    };
    for (const auto& c : cases) {
        CRect rect = c.rect;
        object->GetTracker()->SnapMoveToGrid(8, &rect);
        EXPECT_EQ(rect, c.expected) << c.rect.left << "," << c.rect.top;
    }
}

TEST_F(TrackerTest, ANewObjectSnapsItsFirstCornerToo)
{
    host.grid = 10;
    auto object = std::make_unique<CTestBoxOb>();
    object->Init(host, nullptr, TRUE);
    CHyperObTracker* tracker = object->GetTracker();
    Drive({{Step::Move, 87, 94}, {Step::Up, 87, 94}});
    ASSERT_TRUE(tracker->TrackRubberBand(&wnd, CPoint(23, 27)));
    EXPECT_EQ(tracker->m_rect, CRect(20, 30, 90, 90));
    EXPECT_TRUE(tracker->m_dragShown);
}

TEST_F(TrackerTest, AClickWithoutADragCentresTheDefaultSizeOnTheClick)
{
    auto object = std::make_unique<CTestBoxOb>();
    object->Init(host, nullptr, TRUE);
    CRect rect(0, 0, 80, 80);
    object->SetRect(rect);
    CHyperObTracker* tracker = object->GetTracker();
    Drive({{Step::Up, 150, 100}});
    EXPECT_FALSE(tracker->TrackRubberBand(&wnd, CPoint(150, 100)));
    EXPECT_EQ(tracker->m_rect, CRect(110, 60, 190, 140));
    EXPECT_FALSE(tracker->m_dragShown);

    host.zoom = 200;
    Drive({{Step::Up, 300, 200}});
    tracker->m_rect = rect;
    EXPECT_FALSE(tracker->TrackRubberBand(&wnd, CPoint(300, 200)));
    EXPECT_EQ(tracker->m_rect, CRect(110, 60, 190, 140)) << "the click is taken in page units";
}

TEST_F(TrackerTest, ARubberBandWithoutObjectStaysInDeviceUnits)
{
    host.zoom = 200;
    CHyperTracker band;
    Drive({{Step::Move, 60, 40}, {Step::Up, 60, 40}});
    ASSERT_TRUE(band.TrackRubberBand(&wnd, CPoint(10, 10)));
    EXPECT_EQ(band.m_rect, CRect(10, 10, 60, 40));
}

TEST_F(TrackerTest, RotationFollowsTheMouseAboutTheCentreAndShowsTheAngle)
{
    struct Case {
        const char* name;
        std::vector<Step> steps;
        BOOL result;
        double angle;
        const char* lastTip;
    };
    // The centre is (70, 60); the press is straight right of it. The grid plays no part.
    const Case cases[] = {
        {"quarter turn", {{Step::Move, 70, 100}, {Step::Up, 70, 100}}, TRUE, 90.0, "{ +90.00\xB0 }"},
        {"back the other way", {{Step::Move, 70, 20}, {Step::Up, 70, 20}}, TRUE, -90.0, "{ -90.00\xB0 }"},
        {"past the far side", {{Step::Move, 30, 59}, {Step::Up, 30, 59}}, TRUE, -178.567, "{ -178.57\xB0 }"},
        {"escape", {{Step::Move, 70, 100}, {Step::Escape}}, FALSE, 0.0, "{ +90.00\xB0 }"},
        {"no turn", {{Step::Up, 110, 60}}, FALSE, 0.0, "{  0.00\xB0 }"},
    };
    for (int grid : {1, 10}) {
        for (const Case& c : cases) {
            host.grid = grid;
            host.tips.clear();
            auto object = Selected();
            object->SetRotateAngle(0.0);
            Drive(c.steps);
            CHyperObTracker* tracker = object->GetTracker();
            EXPECT_EQ(tracker->TrackRotate(&wnd, CPoint(110, 60)), c.result) << c.name;
            EXPECT_NEAR(tracker->RotateAngle, c.angle, 0.01) << c.name;
            ASSERT_FALSE(host.tips.empty()) << c.name;
            EXPECT_EQ(host.tips.back(), c.lastTip) << c.name;
            EXPECT_GT(host.tipsHidden, 0) << c.name;
            EXPECT_EQ(GetCapture(), nullptr) << c.name;
            UiTestHook::PumpPending();
        }
    }
}

TEST_F(TrackerTest, TheTipTextCarriesSignAndTwoDecimals)
{
    EXPECT_EQ(std::string(FormatRotationTip(12.5)), "{ +12.50\xB0 }");
    EXPECT_EQ(std::string(FormatRotationTip(-179.996)), "{ -180.00\xB0 }");
    EXPECT_EQ(std::string(FormatRotationTip(0.0)), "{  0.00\xB0 }");
}

TEST_F(TrackerTest, AutoScrollStartsAtTheEdgeAndRunsFasterFartherOut)
{
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 1000, 100, 500, 0};
    wnd.SetScrollInfo(SB_HORZ, &info, FALSE);
    wnd.SetScrollInfo(SB_VERT, &info, FALSE);
    CRect client;
    wnd.GetClientRect(&client);
    struct Case {
        const char* name;
        POINT at;
        int scrollsIn6Ticks;
        int dx;
        int dy;
    };
    const Case cases[] = {
        {"middle", {client.Width() / 2, client.Height() / 2}, 0, 0, 0},
        {"15 from the bottom", {client.Width() / 2, client.bottom - 15}, 0, 0, 0},
        {"3 from the left", {3, client.Height() / 2}, 0, 0, 0},
        {"on the bottom row", {client.Width() / 2, client.bottom - 1}, 2, 0, 1},
        {"on the left column", {0, client.Height() / 2}, 2, -1, 0},
        {"20 past the bottom", {client.Width() / 2, client.bottom + 20}, 3, 0, 1},
        {"40 past the right", {client.right + 40, client.Height() / 2}, 6, 1, 0},
    };
    CHyperTracker tracker;
    for (const Case& c : cases) {
        POINT screen = Screen(c.at.x, c.at.y);
        SetCursorPos(screen.x, screen.y);
        int scrolls = 0;
        int dx = 0;
        int dy = 0;
        for (int tick = 0; tick < 6; ++tick) {
            int x, y;
            if (tracker.AutoScrollTest(&wnd, &x, &y)) {
                ++scrolls;
                dx = x;
                dy = y;
            }
        }
        EXPECT_EQ(scrolls, c.scrollsIn6Ticks) << c.name;
        EXPECT_EQ(dx, c.dx) << c.name;
        EXPECT_EQ(dy, c.dy) << c.name;
    }
    info.nPos = 0;
    wnd.SetScrollInfo(SB_HORZ, &info, FALSE);
    POINT left = Screen(-20, client.Height() / 2);
    SetCursorPos(left.x, left.y);
    int dx = 0;
    int dy = 0;
    EXPECT_FALSE(tracker.AutoScrollTest(&wnd, &dx, &dy)) << "nothing further left to show";
}

TEST_F(TrackerTest, ScrollingDuringAResizeKeepsTheFixedCornerOnItsPagePoint)
{
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 1000, 100, 0, 0};
    wnd.SetScrollInfo(SB_HORZ, &info, FALSE);
    host.scrolled = &wnd;
    auto object = Selected();
    CRect client;
    wnd.GetClientRect(&client);
    static int outsideX;
    outsideX = client.right + 20;
    Drive({{Step::Move, outsideX, 60}});
    wnd.SetTimer(DriveTimer + 1, 150, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
        KillTimer(hwnd, id);
        g_running->Post({{Step::Up, outsideX, 60}});
    });
    ASSERT_TRUE(object->GetTracker()->Track(&wnd, handleAt[5]));
    int scrolled = wnd.GetScrollPos(SB_HORZ);
    EXPECT_GT(scrolled, 0);
    EXPECT_EQ(object->GetTracker()->m_rect, CRect(40, 40, outsideX - 2 + scrolled, 80));
    host.scrolled = nullptr;
}

TEST_F(TrackerTest, TheScrollPeriodGrowsWithTheGridSizeAndZoom)
{
    const struct {
        int flagsLow;
        int zoom;
        UINT period;
    } cases[] = {{0, 100, 30}, {20, 100, 30}, {40, 100, 60}, {40, 200, 120}, {400, 50, 300}};
    for (const auto& c : cases) {
        host.flagsLow = c.flagsLow;
        host.zoom = c.zoom;
        auto object = Selected();
        EXPECT_EQ(object->GetTracker()->GetAutoScrollPeriod(&wnd), c.period) << c.flagsLow << " at " << c.zoom;
    }
    CHyperTracker band;
    EXPECT_EQ(band.GetAutoScrollPeriod(&wnd), 30u) << "a plain window";
    CPageWnd page;
    page.flagsLow = 40;
    page.zoom = 200;
    EXPECT_EQ(band.GetAutoScrollPeriod(&page), 120u) << "a page view's window";
}

TEST(TrackerFeedback, InvertingTheOutlineTwiceRestoresThePixels)
{
    Canvas canvas(40, 40);
    const POINT points[] = {{5, 5}, {30, 5}, {30, 30}, {CHyperTracker::OutlineBreak, CHyperTracker::OutlineBreak},
                            {5, 20}, {15, 20}};
    CHyperTracker::FillOutlineRgn(&canvas.dc, points, 6);
    CRect ink = canvas.Ink();
    EXPECT_LE(ink.left, 5);
    EXPECT_GE(ink.right, 30);
    EXPECT_EQ(canvas.Pixel(20, 25), RGB(255, 255, 255)) << "only the outline is inverted";
    int second = 0;
    for (int x = 7; x < 14; ++x)
        for (int y = 18; y < 23; ++y)
            second += canvas.Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_GT(second, 0) << "the second polyline is drawn";
    CHyperTracker::FillOutlineRgn(&canvas.dc, points, 6);
    EXPECT_EQ(canvas.Ink(), CRect(40, 40, 0, 0));
}

TEST(TrackerFeedback, ABandLeavesOnlyItsLatestFrameAndNothingOnceDone)
{
    Canvas canvas(40, 40);
    CHyperTracker band;
    CRect first(5, 5, 20, 20);
    CRect second(10, 10, 30, 30);
    band.DrawTrackerRect(&first, nullptr, &canvas.dc, nullptr);
    band.m_bErase = TRUE;
    band.DrawTrackerRect(&first, nullptr, &canvas.dc, nullptr);
    band.m_bErase = FALSE;
    band.DrawTrackerRect(&second, nullptr, &canvas.dc, nullptr);
    EXPECT_EQ(canvas.Ink(), CRect(10, 10, 30, 30)) << "the first frame is gone";
    band.m_bErase = band.m_bFinalErase = TRUE;
    band.DrawTrackerRect(&second, nullptr, &canvas.dc, nullptr);
    EXPECT_EQ(canvas.Ink(), CRect(40, 40, 0, 0));
}

TEST(TrackerFeedback, TheOutlineIsScaledOntoTheTrackedRectangle)
{
    CTestPageView host;
    CTestBoxOb object;
    CRect rect(10, 10, 30, 30);
    object.Init(host, &rect, TRUE);
    CHyperObTracker* tracker = object.GetTracker();
    tracker->m_rectLast = rect;
    Canvas canvas(60, 40);
    CRect tracked(10, 10, 50, 30);
    tracker->DrawTrackerRect(&tracked, nullptr, &canvas.dc, nullptr);
    CRect ink = canvas.Ink();
    EXPECT_NEAR(ink.left, 10, 2);
    EXPECT_NEAR(ink.right, 50, 2);
    EXPECT_NEAR(ink.bottom, 30, 2);
    tracker->m_bErase = TRUE;
    tracker->DrawTrackerRect(&tracked, nullptr, &canvas.dc, nullptr);
    EXPECT_EQ(canvas.Ink(), CRect(60, 40, 0, 0)) << "erasing draws the stored outline again";
}

} // namespace
