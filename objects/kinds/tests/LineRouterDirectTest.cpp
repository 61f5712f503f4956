#include "objects/kinds/tests/LineRouterTestKit.h"

#include <gtest/gtest.h>

namespace {

struct DirectCase {
    const char* name;
    int offset;
    std::vector<RECT> boxes;
    std::vector<POINT> path;
};

// From (15, 15) in cell (1, 1) to (55, 45) in cell (5, 4) on a grid of 10: the start leaves
// right, the end left, and the pattern runs along the start's row and the end's column.
TEST(LineRouterDirect, PatternsBendOnTheCellsGridLines)
{
    const DirectCase cases[] = {
        { "open page", 0, {}, { { 55, 45 }, { 50, 45 }, { 50, 15 }, { 15, 15 } } },
        { "offset moves the grid lines", 3, {}, { { 55, 45 }, { 53, 45 }, { 53, 15 }, { 15, 15 } } },
        { "a box in the start's row sends the path down first",
          0,
          { { 30, 10, 40, 20 } },
          { { 55, 45 }, { 50, 45 }, { 50, 50 }, { 20, 50 }, { 20, 15 }, { 15, 15 } } },
        { "boxes in the end cells or outside the span do not count",
          0,
          { { 10, 10, 20, 20 }, { 50, 40, 60, 50 }, { 90, 10, 99, 20 } },
          { { 55, 45 }, { 50, 45 }, { 50, 15 }, { 15, 15 } } },
    };
    for (const DirectCase& c : cases) {
        RouteTestView view;
        view.attach = TRUE;
        for (const RECT& box : c.boxes)
            view.AddBox(box);
        CLineRouter router;
        router.PrepareArea(view);
        EXPECT_EQ(PathPoints(router.Route(c.offset, 15, 15, -1, 55, 45, -1)), c.path) << c.name;
    }
}

// Every pair of end positions and every placement of the end around the start.
TEST(LineRouterDirect, EveryPatternIsMadeOfStraightLegs)
{
    RouteTestView view;
    view.attach = TRUE;
    CLineRouter router;
    router.PrepareArea(view);
    const POINT start { 55, 55 };
    const POINT ends[] = { { 15, 15 }, { 55, 15 }, { 95, 15 }, { 15, 55 }, { 55, 58 },
                           { 95, 55 }, { 15, 95 }, { 55, 95 }, { 95, 95 } };
    for (int startSide = -1; startSide <= 8; ++startSide) {
        for (int endSide = -1; endSide <= 8; ++endSide) {
            for (POINT end : ends) {
                auto path = router.RouteDirect(2, start.x, start.y, startSide, end.x, end.y, endSide);
                std::vector<POINT> points = PathPoints(path);
                ASSERT_GE(points.size(), 2u);
                EXPECT_EQ(points.front(), end);
                EXPECT_EQ(points.back(), start);
                for (size_t k = 1; k < points.size(); ++k) {
                    EXPECT_TRUE(points[k].x == points[k - 1].x || points[k].y == points[k - 1].y)
                        << startSide << " " << endSide << " to " << end.x << "," << end.y << " leg " << k;
                }
            }
        }
    }
}

TEST(LineRouterDirect, AGridOfNothingStillDivides)
{
    RouteTestView view;
    view.attach = TRUE;
    view.gridX = 0;
    view.gridY = -5;
    CLineRouter router;
    router.PrepareArea(view);
    std::vector<POINT> points = PathPoints(router.Route(0, 15, 15, 5, 55, 45, 7));
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points.front(), (POINT { 55, 45 }));
    EXPECT_EQ(points.back(), (POINT { 15, 15 }));
}

} // namespace
