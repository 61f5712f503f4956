#include "objects/kinds/tests/LineRouterTestKit.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// A page of 900 x 700 cut into slots of 100 x 100 from (50, 50); a slot may hold a box that
// keeps 20 units clear of the slot's edges, so the slot lines stay free and a free path
// always joins any two boxes.
struct RandomPage {
    RouteTestView view;
    std::vector<RECT> boxes;

    explicit RandomPage(std::mt19937& random)
    {
        view.extent = { 900, 700 };
        std::uniform_int_distribution<int> inset(20, 40);
        std::bernoulli_distribution present(0.6);
        for (int top = 50; top < 650; top += 100) {
            for (int left = 50; left < 850; left += 100) {
                if (!present(random))
                    continue;
                RECT box { left + inset(random), top + inset(random), left + 100 - inset(random),
                           top + 100 - inset(random) };
                boxes.push_back(box);
                view.AddBox(box);
            }
        }
    }
};

struct End {
    POINT point;
    int side;
};

// A snap point on the box: a corner, the middle of an edge, or the centre.
End RandomEnd(const RECT& box, std::mt19937& random)
{
    int midX = (box.left + box.right) / 2;
    int midY = (box.top + box.bottom) / 2;
    const End ends[] = {
        { { box.left, box.top }, 0 },   { { box.right, box.top }, 1 }, { { box.right, box.bottom }, 2 },
        { { box.left, box.bottom }, 3 }, { { midX, box.top }, 4 },      { { box.right, midY }, 5 },
        { { midX, box.bottom }, 6 },     { { box.left, midY }, 7 },     { { midX, midY }, 8 },
        { { midX, midY }, -1 },
    };
    return ends[std::uniform_int_distribution<size_t>(0, std::size(ends) - 1)(random)];
}

void ExpectSoundPath(const std::vector<POINT>& points, End start, End end, const RECT& startBox,
                     const RECT& endBox, const std::vector<RECT>& boxes)
{
    ASSERT_GE(points.size(), 2u);
    EXPECT_EQ(points.front(), end.point);
    EXPECT_EQ(points.back(), start.point);
    for (size_t k = 1; k < points.size(); ++k) {
        POINT a = points[k - 1];
        POINT b = points[k];
        ASSERT_TRUE(a.x == b.x || a.y == b.y) << "leg " << k;
        for (const RECT& box : boxes) {
            // Only the end legs may cross the boxes the ends sit on.
            bool ownEnd = (k == 1 && EqualRect(&box, &endBox)) || (k + 1 == points.size() && EqualRect(&box, &startBox));
            EXPECT_FALSE(!ownEnd && Crosses(a, b, box)) << "leg " << k << " crosses " << box.left << "," << box.top;
        }
    }
}

TEST(LineRouterProperty, RoutesOnRandomPagesAreStraightLegsAroundEveryBox)
{
    std::mt19937 random(20261210);
    for (int page = 0; page < 40; ++page) {
        RandomPage layout(random);
        if (layout.boxes.empty())
            continue;
        CLineRouter router;
        router.PrepareArea(layout.view);
        std::uniform_int_distribution<size_t> pick(0, layout.boxes.size() - 1);
        std::uniform_int_distribution<int> offset(0, 5);
        for (int route = 0; route < 30; ++route) {
            const RECT& startBox = layout.boxes[pick(random)];
            const RECT& endBox = layout.boxes[pick(random)];
            End start = RandomEnd(startBox, random);
            End end = RandomEnd(endBox, random);
            auto path = router.Route(offset(random), start.point.x, start.point.y, start.side, end.point.x,
                                     end.point.y, end.side);
            SCOPED_TRACE(testing::Message() << "page " << page << " route " << route << " path "
                                            << testing::PrintToString(PathPoints(path)));
            ExpectSoundPath(PathPoints(path), start, end, startBox, endBox, layout.boxes);
        }
    }
}

} // namespace
