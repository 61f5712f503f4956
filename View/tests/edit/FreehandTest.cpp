// Freehand drawing: a traced drag becomes a thinned polyline, closed when it ends near its
// start; Escape abandons it; and the point tracker's constraints when a vertex is dragged.
#include "EditViewFixture.h"

#include "View/PointTracker.h"
#include "objects/kinds/BasePolyOb.h"

#include <vector>

namespace {

using Points = std::vector<CPoint>;

Points Thinned(const std::vector<POINT>& trace)
{
    const std::vector<POINT> thinned = ThinTrace(trace, 5.0, 1.0);
    return Points(thinned.begin(), thinned.end());
}

Points PointsOf(const CHyperOb* object)
{
    auto* polyline = dynamic_cast<const CBasePolyOb*>(object);
    Points points;
    for (int i = 0; polyline && i < polyline->GetNumberOfPoints(); ++i)
        points.push_back(polyline->GetPoint(i));
    return points;
}

class FreehandTest : public EditViewTest {
protected:
    // A press at the first point, moves over all but the last, the release at the last.
    void Trace(const std::vector<POINT>& path)
    {
        Post(WM_LBUTTONDOWN, path.front(), MK_LBUTTON);
        for (size_t i = 0; i + 1 < path.size(); ++i)
            Post(WM_MOUSEMOVE, path[i], MK_LBUTTON);
        Post(WM_LBUTTONUP, path.back());
        Pump();
    }
};

TEST(ThinTraceTest, KeepsTurnsOfFiveDegreesBetweenStepsOfOnePixel)
{
    struct Case {
        const char* name;
        std::vector<POINT> trace;
        Points thinned;
    };
    const Case cases[] = {
        {"straight", {{0, 0}, {10, 0}, {20, 0}, {30, 0}}, {{0, 0}, {30, 0}}},
        {"right angle", {{0, 0}, {10, 0}, {10, 10}}, {{0, 0}, {10, 0}, {10, 10}}},
        {"4 degrees", {{0, 0}, {100, 0}, {200, 7}}, {{0, 0}, {200, 7}}},
        {"6 degrees", {{0, 0}, {100, 0}, {200, 11}}, {{0, 0}, {100, 0}, {200, 11}}},
        {"repeated point", {{0, 0}, {10, 0}, {10, 0}, {10, 10}}, {{0, 0}, {10, 10}}},
        {"one point", {{5, 5}}, {{5, 5}}},
        {"reversal", {{0, 0}, {10, 0}, {0, 0}}, {{0, 0}, {10, 0}, {0, 0}}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Thinned(c.trace), c.thinned) << c.name;
    }
}

TEST_F(FreehandTest, AStrokeEndingNearItsStartBecomesAClosedThinnedPolyline)
{
    PickTool(CMyView::ToolFreehand);
    Trace({{100, 100}, {150, 100}, {200, 100}, {200, 150}, {200, 200}, {150, 200}, {100, 200}, {100, 150},
           {103, 104}});
    ASSERT_EQ(ObjectCount(), 1);
    const Points expected = {{100, 100}, {200, 100}, {200, 200}, {100, 200}, {103, 104}, {100, 100}};
    EXPECT_EQ(PointsOf(Object(0)), expected);
    EXPECT_EQ(view->GetUndoCount(), 1);
    EXPECT_EQ(CurrentTool(), CHyperView::ToolSelect);
    EXPECT_FALSE(Object(0)->IsSelected());
    view->Undo();
    EXPECT_EQ(ObjectCount(), 0);
}

TEST_F(FreehandTest, AStraightStrokeFarFromItsStartStaysOpenWithItsTwoEnds)
{
    view->SendMessage(WM_COMMAND, CFreeHandView::CmdFreehand);
    EXPECT_TRUE(view->IsDrawingFreehand());
    Trace({{100, 300}, {150, 300}, {200, 300}, {250, 300}});
    ASSERT_EQ(ObjectCount(), 1);
    const Points expected = {{100, 300}, {250, 300}};
    EXPECT_EQ(PointsOf(Object(0)), expected);
    EXPECT_FALSE(view->IsDrawingFreehand()) << "the mode ends with the stroke";
}

TEST_F(FreehandTest, EscapeOrASinglePointAddsNothing)
{
    PickTool(CMyView::ToolFreehand);
    Post(WM_LBUTTONDOWN, {100, 100}, MK_LBUTTON);
    Post(WM_MOUSEMOVE, {150, 120}, MK_LBUTTON);
    PostKey(VK_ESCAPE);
    Pump();
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_TRUE(view->m_trace.empty());
    PickTool(CMyView::ToolFreehand);
    Click({100, 100});
    EXPECT_EQ(ObjectCount(), 0);
    EXPECT_EQ(view->GetUndoCount(), 0);
}

TEST_F(FreehandTest, AStrokeLeavingThePageStaysOnItsBorder)
{
    PickTool(CMyView::ToolFreehand);
    Trace({{100, 100}, {300, 100}, {5000, 100}});
    ASSERT_EQ(ObjectCount(), 1);
    CRect page;
    view->GetPageRect(&page, TRUE);
    const Points points = PointsOf(Object(0));
    ASSERT_EQ(points.size(), 2U);
    EXPECT_EQ(points.back(), CPoint(page.right - 1, 100));
}

TEST_F(FreehandTest, ThePointTrackerClampsSnapsOrPullsInLineWithANeighbour)
{
    struct Case {
        const char* name;
        int grid;
        POINT mouse;
        POINT expected;
    };
    // The neighbours are (20, 40) and (80, 90); the bounds (0, 0, 100, 100).
    const Case cases[] = {
        {"clamped", 1, {150, -5}, {99, 0}},
        {"in line with the previous", 1, {23, 60}, {20, 60}},
        {"in line with the next", 1, {60, 87}, {60, 90}},
        {"free", 1, {50, 60}, {50, 60}},
        {"snapped", 10, {54, 56}, {50, 60}},
        {"snapped after clamping", 10, {150, 96}, {100, 100}},
    };
    for (const Case& c : cases) {
        CPointTracker tracker(50, 50, 20, 40, 80, 90, c.grid, c.grid, 0, 0, 100, 100);
        POINT out{};
        tracker.AdjustPoint(&out, view, c.mouse.x, c.mouse.y);
        EXPECT_EQ(CPoint(out), CPoint(c.expected)) << c.name;
    }
    CPointTracker unbounded(50, 50, 20, 40, 80, 90, 10, 10, 0, 0, 0, 0);
    POINT out{};
    unbounded.AdjustPoint(&out, view, 203, 7);
    EXPECT_EQ(CPoint(out), CPoint(203, 7));
}

TEST_F(FreehandTest, DraggingAVertexMovesItAndEscapePutsItBack)
{
    Post(WM_MOUSEMOVE, {143, 157}, MK_LBUTTON);
    Post(WM_LBUTTONUP, {143, 157});
    EXPECT_EQ(CPoint(view->TrackEditPoint({100, 100}, {120, 120}, {200, 100})), CPoint(140, 160));
    Post(WM_MOUSEMOVE, {143, 157}, MK_LBUTTON);
    PostKey(VK_ESCAPE);
    EXPECT_EQ(CPoint(view->TrackEditPoint({100, 100}, {120, 120}, {200, 100})), CPoint(120, 120));
    HWND other = MakeWindow(WS_OVERLAPPEDWINDOW, {0, 0, 50, 50});
    ::SetCapture(other);
    EXPECT_EQ(CPoint(view->TrackEditPoint({100, 100}, {120, 120}, {200, 100})), CPoint(120, 120)) << "mouse held elsewhere";
    ::ReleaseCapture();
}

} // namespace
