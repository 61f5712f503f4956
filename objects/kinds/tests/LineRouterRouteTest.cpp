#include "objects/kinds/tests/LineRouterTestKit.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace {

int Length(const std::vector<POINT>& points)
{
    int length = 0;
    for (size_t k = 1; k < points.size(); ++k)
        length += std::abs(points[k].x - points[k - 1].x) + std::abs(points[k].y - points[k - 1].y);
    return length;
}

struct RouteCase {
    const char* name;
    SIZE page;
    std::vector<RECT> boxes;
    int offset;
    POINT start;
    int startSide;
    POINT end;
    int endSide;
    std::vector<POINT> path;
};

// Box A (100, 100)-(160, 140) holds the start on its right edge.
TEST(LineRouterRoute, PathsWithoutSearch)
{
    const RECT a { 100, 100, 160, 140 };
    const RouteCase cases[] = {
        { "one free bend, its middle leg centred", { 600, 400 }, { a, { 300, 200, 360, 240 } }, 0,
          { 160, 120 }, 5, { 300, 220 }, 7, { { 300, 220 }, { 230, 220 }, { 230, 120 }, { 160, 120 } } },
        { "an offset moves the middle leg, the end legs stay straight", { 600, 400 },
          { a, { 300, 200, 360, 240 } }, 5, { 160, 120 }, 5, { 300, 220 }, 7,
          { { 300, 220 }, { 235, 220 }, { 235, 120 }, { 160, 120 } } },
        { "a box in the middle keeps the bend at the end", { 600, 400 },
          { a, { 300, 200, 360, 240 }, { 220, 150, 240, 170 } }, 0, { 160, 120 }, 5, { 300, 220 }, 7,
          { { 300, 220 }, { 290, 220 }, { 290, 120 }, { 160, 120 } } },
        { "ends too far apart for a search take the bend across a box", { 2200, 400 },
          { a, { 1800, 200, 1860, 240 }, { 900, 60, 960, 300 } }, 0, { 160, 120 }, 5, { 1800, 220 }, 7,
          { { 1800, 220 }, { 980, 220 }, { 980, 120 }, { 160, 120 } } },
        { "a blocked start cell takes the bend", { 600, 400 },
          { a, { 175, 100, 200, 140 }, { 400, 200, 460, 240 } }, 0, { 160, 120 }, 5, { 400, 220 }, 7,
          { { 400, 220 }, { 280, 220 }, { 280, 120 }, { 160, 120 } } },
        { "an end outside the page is joined by a plain bend", { 600, 400 }, { a }, 5, { 160, 120 }, 5,
          { 700, 100 }, -1, { { 700, 100 }, { 700, 120 }, { 160, 120 } } },
        { "ends on one line", { 600, 400 }, { a, { 300, 100, 360, 140 } }, 3, { 160, 120 }, 5, { 300, 120 }, 7,
          { { 300, 120 }, { 160, 120 } } },
    };
    for (const RouteCase& c : cases) {
        RouteTestView view;
        view.extent = c.page;
        for (const RECT& box : c.boxes)
            view.AddBox(box);
        CLineRouter router;
        router.PrepareArea(view);
        auto path = router.Route(c.offset, c.start.x, c.start.y, c.startSide, c.end.x, c.end.y, c.endSide);
        std::vector<POINT> points = PathPoints(path);
        EXPECT_EQ(points, c.path) << c.name;
        ASSERT_EQ(path.size(), points.size() + 1) << c.name;
        EXPECT_EQ(path.back(), (POINT { -1, -1 })) << c.name;
    }
}

TEST(LineRouterRoute, AnEnclosedEndTakesTheBend)
{
    RouteTestView view;
    view.extent = { 600, 400 };
    view.AddBox({ 100, 100, 160, 140 });
    view.AddBox({ 300, 200, 360, 240 });
    for (const RECT& wall : { RECT { 260, 160, 400, 170 }, RECT { 260, 270, 400, 280 }, RECT { 260, 160, 270, 280 },
                              RECT { 390, 160, 400, 280 } })
        view.AddBox(wall);
    CLineRouter router;
    router.PrepareArea(view);
    EXPECT_EQ(PathPoints(router.Route(0, 160, 120, 5, 300, 220, 7)),
              (std::vector<POINT> { { 300, 220 }, { 290, 220 }, { 290, 120 }, { 160, 120 } }));
}

TEST(LineRouterRoute, ARouterThatWasNeverPreparedJoinsTheEndsByABend)
{
    CLineRouter router;
    EXPECT_EQ(PathPoints(router.Route(0, 10, 10, -1, 50, 60, -1)),
              (std::vector<POINT> { { 50, 60 }, { 50, 10 }, { 10, 10 } }));
}

// A box C stands between A's right edge and B's left edge on the same line.
TEST(LineRouterRoute, ABoxBetweenTheEndsIsGoneAround)
{
    const RECT c { 250, 60, 310, 180 };
    RouteTestView view;
    view.extent = { 600, 400 };
    view.AddBox({ 100, 100, 160, 140 });
    view.AddBox({ 400, 100, 460, 140 });
    view.AddBox(c);
    CLineRouter router;
    router.PrepareArea(view);
    std::vector<POINT> points = PathPoints(router.Route(0, 160, 120, 5, 400, 120, 7));
    ASSERT_EQ(points.size(), 6u);
    EXPECT_EQ(points[1], (POINT { 390, 120 }));
    EXPECT_TRUE(points[2].y == 50 || points[2].y == 190) << points[2].y;
    EXPECT_EQ(points[3].y, points[2].y);
    EXPECT_EQ(Length(points), 380);
    for (size_t k = 1; k < points.size(); ++k)
        EXPECT_FALSE(Crosses(points[k - 1], points[k], c)) << k;
}

// Two equally short corridors join the ends: one bends twice, the other three times and is
// the one the search walks first.
TEST(LineRouterRoute, AmongEquallyShortPathsFewerTurnsWin)
{
    RouteTestView view;
    view.extent = { 150, 190 };
    view.AddWallsAround({
        "................",
        "................",
        "................",
        "................",
        "................",
        ".....ooooooo....",
        ".....o.....o....",
        ".....o.....o....",
        ".....oooo..o....",
        "........o..o....",
        "........o..o....",
        "........o..o....",
        "........o..o....",
        "........o..o....",
        "........ooooooo.",
        "................",
        "................",
        "................",
        "................",
        "................",
    });
    CLineRouter router;
    router.PrepareArea(view);
    EXPECT_EQ(PathPoints(router.Route(0, 50, 40, -1, 140, 150, -1)),
              (std::vector<POINT> { { 140, 150 }, { 140, 140 }, { 110, 140 }, { 110, 50 }, { 50, 50 }, { 50, 40 } }));
}

} // namespace

namespace {

// On a page of 20000 x 20000 units an end that cannot be reached would have the search
// flood four million grid points; it gives up long before and takes the bend.
TEST(LineRouterRoute, AnUnreachableEndOnAHugePageStillGetsItsBend)
{
    RouteTestView view;
    view.extent = { 20000, 20000 };
    view.AddBox({ 10100, 10100, 10160, 10140 });
    view.AddBox({ 10300, 10200, 10360, 10240 });
    for (const RECT& wall : { RECT { 10260, 10160, 10400, 10170 }, RECT { 10260, 10270, 10400, 10280 },
                              RECT { 10260, 10160, 10270, 10280 }, RECT { 10390, 10160, 10400, 10280 } })
        view.AddBox(wall);
    CLineRouter router;
    router.PrepareArea(view);
    EXPECT_EQ(PathPoints(router.Route(0, 10160, 10120, 5, 10300, 10220, 7)),
              (std::vector<POINT> { { 10300, 10220 }, { 10290, 10220 }, { 10290, 10120 }, { 10160, 10120 } }));
}

} // namespace

namespace {

// Boxes, ends and grids from a damaged page may hold any value; the sanitizers watch every sum.
TEST(LineRouterRoute, ExtremeCoordinatesAndGridsStillGiveAPath)
{
    const int values[] = { INT_MIN, -1, 7, INT_MAX - 5 };
    for (int a : values) {
        for (int b : values) {
            RouteTestView view;
            view.extent = { 600, 400 };
            view.AddBox({ a, b, b, a });
            view.AddBox({ 100, 100, 160, 140 });
            view.margins = { a, 0, b, 0 };
            CLineRouter router;
            router.PrepareArea(view);
            EXPECT_GE(PathPoints(router.Route(3, a, b, 5, 160, 120, 7)).size(), 2u);
            EXPECT_GE(PathPoints(router.Route(a, 160, 120, 8, b, a, 8)).size(), 2u);
            view.attach = TRUE;
            router.PrepareArea(view);
            EXPECT_GE(PathPoints(router.Route(b, a, b, 5, 160, 120, 7)).size(), 2u);
            view.attach = FALSE;
            view.gridX = a;
            view.gridY = b;
            router.PrepareArea(view);
            EXPECT_GE(PathPoints(router.Route(3, a, b, 5, 160, 120, 7)).size(), 2u);
        }
    }
}

} // namespace
