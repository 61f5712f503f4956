#include "platform/ink/InkGesture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace {

using G = InkApplicationGesture;

// The corners joined by straight runs of 20 steps, as a drag delivers them.
std::vector<POINT> Through(const std::vector<POINT>& corners)
{
    std::vector<POINT> points{corners.front()};
    for (size_t i = 1; i < corners.size(); ++i)
        for (int k = 1; k <= 20; ++k)
            points.push_back({corners[i - 1].x + (corners[i].x - corners[i - 1].x) * k / 20,
                              corners[i - 1].y + (corners[i].y - corners[i - 1].y) * k / 20});
    return points;
}

// Loops along a line (a stretched cycloid): `turns` loops, each 80 high, moving on by `advance`.
std::vector<POINT> Loops(double turns, double advance)
{
    std::vector<POINT> points;
    for (int i = 0; i <= 200; ++i) {
        const double t = 2 * std::numbers::pi * turns * i / 200;
        points.push_back({static_cast<LONG>(std::lround(advance * t - 40 * std::sin(t))),
                          static_cast<LONG>(std::lround(40 - 40 * std::cos(t)))});
    }
    return points;
}

TEST(InkGestureTest, ShapesTable)
{
    struct Case {
        const char* name;
        std::vector<POINT> points;
        G gesture;
    };
    const Case cases[] = {
        {"zigzag across", Through({{0, 0}, {100, 10}, {0, 20}, {100, 30}, {0, 40}}), G::Scratchout},
        {"zigzag down", Through({{0, 0}, {10, 100}, {20, 0}, {30, 100}, {40, 0}, {50, 100}}), G::Scratchout},
        {"one loop", Loops(1, 10), G::Curlicue},
        {"two loops", Loops(2, 10), G::DoubleCurlicue},
        {"twice round in place", Loops(2, 0), G::DoubleCircle},
        {"once round in place", Loops(1, 0), G::NoGesture},
        {"chevron up", Through({{0, 100}, {50, 0}, {100, 100}}), G::ChevronUp},
        {"chevron down", Through({{0, 0}, {50, 100}, {100, 0}}), G::ChevronDown},
        {"up and back down", Through({{0, 100}, {5, 0}, {10, 100}}), G::UpDown},
        {"down and back up", Through({{0, 0}, {5, 100}, {10, 0}}), G::DownUp},
        {"left and back right", Through({{100, 0}, {0, 5}, {100, 10}}), G::LeftRight},
        {"right and back left", Through({{0, 0}, {100, 5}, {0, 10}}), G::RightLeft},
        {"a straight stroke", Through({{0, 0}, {200, 30}}), G::NoGesture},
        {"a corner", Through({{0, 0}, {0, 100}, {100, 100}}), G::NoGesture},
        {"a wide zigzag back once", Through({{0, 0}, {100, 60}, {0, 120}}), G::NoGesture},
        {"two corners", Through({{0, 0}, {100, 0}, {100, 100}, {0, 100}}), G::NoGesture},
        {"a scribble below the smallest size", Through({{0, 0}, {5, 1}, {0, 2}, {5, 3}, {0, 4}}), G::NoGesture},
        {"one point", {{10, 10}}, G::NoGesture},
        {"a dot", {{10, 10}, {10, 10}, {10, 10}, {10, 10}}, G::NoGesture},
    };
    for (const Case& c : cases) {
        const InkGesture gesture = RecognizeInkGesture(c.points, 20);
        EXPECT_EQ(static_cast<int>(gesture.Id), static_cast<int>(c.gesture)) << c.name;
        if (gesture.Id != G::NoGesture) {
            EXPECT_EQ(gesture.Confidence, InkRecognitionConfidence::Strong) << c.name;
        }
    }
}

TEST(InkGestureTest, TheSameShapeIsReadAtAnySize)
{
    std::vector<POINT> large;
    for (const POINT& p : Through({{0, 0}, {100, 10}, {0, 20}, {100, 30}, {0, 40}}))
        large.push_back({p.x * 26, p.y * 26});
    EXPECT_EQ(RecognizeInkGesture(large, 20 * 26).Id, G::Scratchout);
    EXPECT_EQ(RecognizeInkGesture(large, 3000).Id, G::NoGesture) << "smaller than asked";
}

} // namespace
