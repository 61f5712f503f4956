#include "platform/ink/InkGesture.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

// Turns sharper than this are reversals, not part of a loop.
constexpr double kSharpTurn = 120.0;
// One loop winds about 360 degrees, two about 720.
constexpr double kOneLoop = 300.0;
constexpr double kTwoLoops = 630.0;
// A stroke is closed when its ends are this near, and narrow when its small side is this much
// of its large side; a reversal goes back at least this much of the large side.
constexpr double kClosedShare = 0.25;
constexpr double kNarrowShare = 0.35;
constexpr double kReversalShare = 0.25;
// Thinning keeps points this share of the large side apart.
constexpr double kThinShare = 1.0 / 30.0;

struct Shape {
    double width = 0, height = 0;
    int turnsX = 0, turnsY = 0;
    int firstX = 0, firstY = 0;
    double winding = 0;
    bool closed = false;
};

// Differences in double, so points at the far ends of the range cannot overflow.
double Minus(LONG a, LONG b)
{
    return static_cast<double>(a) - static_cast<double>(b);
}

double Distance(POINT a, POINT b)
{
    return std::hypot(Minus(a.x, b.x), Minus(a.y, b.y));
}

std::vector<POINT> Thin(const std::vector<POINT>& points, double step)
{
    std::vector<POINT> kept{points.front()};
    for (const POINT& p : points)
        if (Distance(p, kept.back()) >= step)
            kept.push_back(p);
    if (kept.back().x != points.back().x || kept.back().y != points.back().y)
        kept.push_back(points.back());
    return kept;
}

// How often the stroke turns back along one axis by at least `threshold`; `first` is the
// direction of its first clear move (-1, 1, or 0 when it never moves that far).
int Reversals(const std::vector<POINT>& points, LONG POINT::*axis, double threshold, int* first)
{
    int direction = 0, reversals = 0;
    LONG extreme = points.front().*axis;
    *first = 0;
    for (const POINT& p : points) {
        const LONG v = p.*axis;
        const double moved = Minus(v, extreme);
        if (direction != 0 && moved * direction > 0) {
            extreme = v;
        } else if (std::abs(moved) >= threshold) {
            reversals += direction != 0;
            direction = v > extreme ? 1 : -1;
            *first = *first ? *first : direction;
            extreme = v;
        }
    }
    return reversals;
}

// Degrees the stroke winds through its gentle turns.
double Winding(const std::vector<POINT>& points)
{
    double total = 0;
    for (size_t i = 2; i < points.size(); ++i) {
        const double ax = Minus(points[i - 1].x, points[i - 2].x);
        const double ay = Minus(points[i - 1].y, points[i - 2].y);
        const double bx = Minus(points[i].x, points[i - 1].x);
        const double by = Minus(points[i].y, points[i - 1].y);
        const double turn = std::atan2(ax * by - ay * bx, ax * bx + ay * by) * 180.0 / std::numbers::pi;
        if (std::abs(turn) < kSharpTurn)
            total += turn;
    }
    return total;
}

Shape Measure(const std::vector<POINT>& points)
{
    Shape shape;
    const auto byX = [](POINT a, POINT b) { return a.x < b.x; };
    const auto byY = [](POINT a, POINT b) { return a.y < b.y; };
    auto [minX, maxX] = std::minmax_element(points.begin(), points.end(), byX);
    auto [minY, maxY] = std::minmax_element(points.begin(), points.end(), byY);
    shape.width = Minus(maxX->x, minX->x);
    shape.height = Minus(maxY->y, minY->y);
    const double size = std::max(shape.width, shape.height);
    const std::vector<POINT> thin = Thin(points, size * kThinShare);
    shape.turnsX = Reversals(thin, &POINT::x, size * kReversalShare, &shape.firstX);
    shape.turnsY = Reversals(thin, &POINT::y, size * kReversalShare, &shape.firstY);
    shape.winding = std::abs(Winding(thin));
    shape.closed = Distance(points.back(), points.front()) <= size * kClosedShare;
    return shape;
}

// One turn back along one axis: a chevron, or a flick there and back when the stroke is narrow.
InkApplicationGesture OneReversal(const Shape& s)
{
    using G = InkApplicationGesture;
    if (s.turnsY == 1 && s.turnsX == 0) {
        const bool narrow = s.width < s.height * kNarrowShare;
        if (s.firstY < 0)
            return narrow ? G::UpDown : G::ChevronUp;
        return narrow ? G::DownUp : G::ChevronDown;
    }
    if (s.turnsX == 1 && s.turnsY == 0 && s.height < s.width * kNarrowShare)
        return s.firstX < 0 ? G::LeftRight : G::RightLeft;
    return G::NoGesture;
}

InkApplicationGesture Classify(const Shape& s)
{
    using G = InkApplicationGesture;
    if (s.winding >= kTwoLoops)
        return s.closed ? G::DoubleCircle : G::DoubleCurlicue;
    if (s.winding >= kOneLoop)
        return s.closed ? G::NoGesture : G::Curlicue;
    if (std::max(s.turnsX, s.turnsY) >= 3)
        return G::Scratchout;
    return OneReversal(s);
}

} // namespace

InkGesture RecognizeInkGesture(const std::vector<POINT>& points, double minimumSize)
{
    if (points.size() < 3)
        return {};
    const Shape shape = Measure(points);
    if (std::max(shape.width, shape.height) < minimumSize)
        return {};
    const InkApplicationGesture id = Classify(shape);
    if (id == InkApplicationGesture::NoGesture)
        return {};
    return {id, InkRecognitionConfidence::Strong};
}
