#include "objects/kinds/tests/LineRouterTestKit.h"

#include "objects/GroupInfo.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct MaskCase {
    const char* name;
    int i, j;
    int mask;
};

// A 400 x 300 page with a grid of 20 and one box; the box grown by the margin reaches
// half a cell past its edges.
TEST(LineRouterGrid, MasksFollowTheAreaAndTheObstacles)
{
    RouteTestView view;
    view.gridX = view.gridY = 20;
    view.AddBox({ 95, 100, 140, 140 });
    CLineRouter router;
    router.PrepareArea(view);
    const MaskCase cases[] = {
        { "top-left corner can only go right and down", 0, 0, 2 | 4 | 16 },
        { "on the right edge nothing leads out", 20, 7, 31 & ~2 },
        { "on the bottom edge nothing leads down", 7, 15, 31 & ~4 },
        { "all four cells outside the area", 22, 3, 0 },
        { "a box beside the point leaves only the leg away from it", 4, 6, 8 },
        { "a box that only touches the four cells changes nothing", 4, 4, 31 },
        { "open page", 12, 12, 31 },
    };
    for (const MaskCase& c : cases)
        EXPECT_EQ(router.GetCellMask(c.i, c.j), c.mask) << c.name;
    EXPECT_TRUE(router.IsCellBlocked(22, 3));
    EXPECT_TRUE(router.IsCellBlocked(5, 6));
    EXPECT_FALSE(router.IsCellBlocked(4, 6));
}

TEST(LineRouterGrid, MarginsShrinkTheRoutingArea)
{
    RouteTestView view;
    view.margins = { 25, 10, 30, 40 };
    CLineRouter router;
    router.PrepareArea(view);
    EXPECT_EQ(CRect(router.GetRoutingArea()), CRect(25, 10, 370, 260));
    EXPECT_EQ(router.GetCellMask(3, 5), 31 & ~8);
    // A point left of the area may not even step right into it.
    EXPECT_EQ(router.GetCellMask(2, 5), 31 & ~8 & ~2);
    EXPECT_EQ(router.GetCellMask(1, 5), 0);
    // Columns and rows come from the whole page.
    EXPECT_EQ(router.GetColumns(), 41);
    EXPECT_EQ(router.GetRows(), 31);
}

TEST(LineRouterGrid, CellSizesBelowTenAreRaisedExceptForDirectRouting)
{
    RouteTestView view;
    view.gridX = 4;
    view.gridY = 25;
    CLineRouter router;
    router.PrepareArea(view);
    EXPECT_EQ(CSize(router.GetCellSize()), CSize(10, 25));
    EXPECT_EQ(router.GetColumns(), 41);
    EXPECT_EQ(router.GetRows(), 13);
    view.attach = TRUE;
    router.PrepareArea(view);
    EXPECT_EQ(CSize(router.GetCellSize()), CSize(4, 25));
    view.gridX = 0;
    router.PrepareArea(view);
    EXPECT_EQ(CSize(router.GetCellSize()), CSize(1, 25));
}

TEST(LineRouterGrid, AnUnmappedViewRoutesInItsClientArea)
{
    RouteTestView view;
    view.mapped = FALSE;
    view.client = { 100, 50, 300, 250 };
    CLineRouter router;
    router.PrepareArea(view);
    EXPECT_EQ(CRect(router.GetRoutingArea()), CRect(100, 50, 300, 250));
    EXPECT_EQ(router.GetCellMask(10, 5), 2 | 4 | 16);
    EXPECT_EQ(router.GetCellMask(5, 5), 0);
}

TEST(LineRouterGrid, GroupedObjectsObstructWithTheirGroupsRectangle)
{
    RouteTestView view;
    view.AddBox({ 10, 20, 30, 40 });
    CHyperOb* grouped = view.AddBox({ 100, 100, 120, 120 });
    auto* group = grouped->CreateGroupInfo();
    group->m_rect = CRect(90, 90, 200, 150);
    grouped->SetOwnGroupInfo(group);
    CLineRouter router;
    router.PrepareArea(view);
    ASSERT_EQ(router.GetObstacles().size(), 2u);
    EXPECT_EQ(CRect(router.GetObstacles()[0]), CRect(90, 90, 200, 150));
    EXPECT_EQ(CRect(router.GetObstacles()[1]), CRect(10, 20, 30, 40));
}

struct PageChange {
    const char* name;
    std::function<void(RouteTestView&)> change;
    bool keepsMasks;
};

TEST(LineRouterGrid, MasksAreForgottenOnlyWhenThePageChanges)
{
    const PageChange changes[] = {
        { "nothing", [](RouteTestView&) { }, true },
        { "scrolling a mapped view", [](RouteTestView& v) { v.client = { 50, 50, 450, 350 }; }, true },
        { "a box moves", [](RouteTestView& v) { v.boxes[0]->SetRect(CRect(210, 100, 260, 140)); }, false },
        { "a box is added", [](RouteTestView& v) { v.AddBox({ 10, 10, 20, 20 }); }, false },
        { "the grid changes", [](RouteTestView& v) { v.gridY = 20; }, false },
        { "the page grows", [](RouteTestView& v) { v.extent = { 500, 300 }; }, false },
        { "the margins change", [](RouteTestView& v) { v.margins = { 0, 0, 10, 0 }; }, false },
        { "a view that is not mapped scrolls",
          [](RouteTestView& v) {
              v.mapped = FALSE;
              v.client = { 50, 50, 450, 350 };
          },
          false },
        { "the attach switch goes on", [](RouteTestView& v) { v.attach = TRUE; }, false },
    };
    for (const PageChange& c : changes) {
        RouteTestView view;
        view.AddBox({ 200, 100, 250, 140 });
        CLineRouter router;
        router.PrepareArea(view);
        int before = router.GetCellMask(20, 11);
        ASSERT_EQ(router.GetCachedMaskCount(), 1);
        c.change(view);
        EXPECT_TRUE(router.PrepareArea(view));
        EXPECT_EQ(router.GetCachedMaskCount() == 1, c.keepsMasks) << c.name;
        if (c.keepsMasks) {
            EXPECT_EQ(router.GetCellMask(20, 11), before) << c.name;
        }
    }
}

TEST(LineRouterGrid, AMovedBoxIsSeenAtItsNewPlace)
{
    RouteTestView view;
    view.AddBox({ 200, 100, 250, 140 });
    CLineRouter router;
    router.PrepareArea(view);
    ASSERT_TRUE(router.IsCellBlocked(22, 12));
    view.boxes[0]->SetRect(CRect(20, 100, 70, 140));
    router.PrepareArea(view);
    EXPECT_FALSE(router.IsCellBlocked(22, 12));
    EXPECT_TRUE(router.IsCellBlocked(4, 12));
}

TEST(LineRouterGrid, ResetPathMakesTheNextPreparationStartAfresh)
{
    RouteTestView view;
    view.AddBox({ 200, 100, 250, 140 });
    CLineRouter router;
    router.PrepareArea(view);
    router.GetCellMask(1, 1);
    router.ResetPath();
    EXPECT_TRUE(router.GetObstacles().empty());
    router.PrepareArea(view);
    EXPECT_EQ(router.GetCachedMaskCount(), 0);
    EXPECT_EQ(router.GetObstacles().size(), 1u);
}

struct SegmentCase {
    const char* name;
    int x1, y1, x2, y2;
    BOOL passable;
};

// Box (100, 100)-(140, 140) on a grid of 10.
TEST(LineRouterGrid, SegmentsPassOnAndOffGridLines)
{
    RouteTestView view;
    view.AddBox({ 100, 100, 140, 140 });
    CLineRouter router;
    router.PrepareArea(view);
    const SegmentCase cases[] = {
        { "far above on a line", 0, 50, 300, 50, TRUE },
        { "far above, drawn right to left", 300, 50, 0, 50, TRUE },
        { "through the box on a line", 50, 100, 200, 100, FALSE },
        { "through the box between lines", 50, 105, 200, 105, FALSE },
        { "between lines above the box", 50, 85, 200, 85, TRUE },
        { "down to the box's top edge", 120, 0, 120, 100, TRUE },
        { "down into the box", 120, 0, 120, 110, FALSE },
        { "up out of the box", 120, 110, 120, 0, FALSE },
        { "vertical between lines beside the box", 75, 0, 75, 290, TRUE },
        { "vertical between lines through the box", 125, 0, 125, 290, FALSE },
        { "a single point", 120, 120, 120, 120, TRUE },
        { "sloped", 0, 0, 50, 60, FALSE },
        { "leaving the page", 390, 50, 420, 50, FALSE },
    };
    for (const SegmentCase& c : cases)
        EXPECT_EQ(router.IsSegmentPassable(c.x1, c.y1, c.x2, c.y2), c.passable) << c.name;
    EXPECT_TRUE(router.ArePathLegsPassable({ 0, 50 }, { 300, 50 }, { 300, 200 }));
    EXPECT_FALSE(router.ArePathLegsPassable({ 0, 50 }, { 120, 50 }, { 120, 200 }));
}

struct ExitCase {
    const char* name;
    POINT start;
    int side;
    POINT exit;
    POINT cell;
};

// Box (100, 100)-(160, 140) on a grid of 10: its exit box is (90, 90)-(170, 150).
TEST(LineRouterGrid, EndsLeaveTheirBoxBySide)
{
    RouteTestView view;
    view.AddBox({ 100, 100, 160, 140 });
    CLineRouter router;
    router.PrepareArea(view);
    const POINT other { 300, 125 };
    const ExitCase cases[] = {
        { "right edge", { 160, 120 }, 5, { 170, 120 }, { 17, 12 } },
        { "right edge but anywhere: the nearest side", { 160, 120 }, 8, { 170, 120 }, { 17, 12 } },
        { "no position counts as anywhere", { 155, 120 }, -1, { 170, 120 }, { 17, 12 } },
        { "an unknown position counts as anywhere", { 155, 120 }, 42, { 170, 120 }, { 17, 12 } },
        { "top-left corner: left before top", { 100, 100 }, 0, { 90, 100 }, { 9, 10 } },
        { "bottom edge", { 130, 140 }, 6, { 130, 150 }, { 13, 15 } },
        { "top edge off the grid: the line nearer the other end", { 134, 100 }, 4, { 134, 90 }, { 14, 9 } },
        { "left edge though the other end is right", { 100, 120 }, 7, { 90, 120 }, { 9, 12 } },
        { "bottom-right corner: right before bottom", { 160, 140 }, 2, { 170, 140 }, { 17, 14 } },
        { "free end between lines", { 305, 125 }, 8, { 310, 125 }, { 31, 12 } },
        { "free end on a grid point", { 300, 200 }, -1, { 310, 200 }, { 31, 20 } },
    };
    for (const ExitCase& c : cases) {
        router.SetEnds(c.start, c.side, other, 8);
        EXPECT_EQ(router.GetStartExit(), c.exit) << c.name;
        EXPECT_EQ(router.GetStartCell(), c.cell) << c.name;
    }
}

TEST(LineRouterGrid, AFreeGridPointBeatsANearerBlockedOne)
{
    RouteTestView view;
    view.AddBox({ 100, 100, 160, 140 });
    view.AddBox({ 175, 100, 200, 140 });
    CLineRouter router;
    router.PrepareArea(view);
    router.SetEnds({ 160, 120 }, 8, { 300, 120 }, 8);
    EXPECT_EQ(router.GetStartExit(), (POINT { 160, 90 }));
    EXPECT_EQ(router.GetStartCell(), (POINT { 16, 9 }));
    // With only the right side to leave by, the blocked point is all there is.
    router.SetEnds({ 160, 120 }, 5, { 300, 120 }, 8);
    EXPECT_EQ(router.GetStartExit(), (POINT { 170, 120 }));
    EXPECT_TRUE(router.IsCellBlocked(17, 12));
}

TEST(LineRouterGrid, ChooseByFlagsPrefersTheUnsetSecondFlag)
{
    EXPECT_TRUE(ChooseByFlags(TRUE, FALSE, FALSE));
    EXPECT_FALSE(ChooseByFlags(FALSE, TRUE, TRUE));
    EXPECT_TRUE(ChooseByFlags(TRUE, TRUE, TRUE));
    EXPECT_FALSE(ChooseByFlags(FALSE, FALSE, FALSE));
}

} // namespace
