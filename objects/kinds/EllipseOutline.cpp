#include "objects/kinds/EllipseOutline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr int QuarterSteps = 90;
// Rounding noise that truncation toward zero should not turn into a whole unit.
constexpr double Noise = 1e-9;

LONG Truncate(double value)
{
    return static_cast<LONG>(value + std::copysign(Noise, value));
}

// The ellipse as seen from its left focus: r(theta) = p / (1 - eps cos theta), the point
// being (r cos theta - e, -r sin theta) from the centre. Built with the longer axis along x.
struct FocusRadius {
    double e;
    double eps;
    double p;

    FocusRadius(double a, double b)
    {
        double m = std::max(a, b);
        e = std::sqrt(std::fabs(a * a - b * b));
        eps = m > 0.0 ? e / m : 0.0;
        p = m > 0.0 ? std::min(a, b) * std::min(a, b) / m : 0.0;
    }
    double operator()(double theta) const { return p / (1.0 - eps * std::cos(theta)); }
    POINT At(double theta) const
    {
        double r = (*this)(theta);
        return {Truncate(r * std::cos(theta) - e), Truncate(-r * std::sin(theta))};
    }
};

// Angles from 0 to `span` in `steps` steps, each step weighted by 1 / r at its end.
std::vector<double> WeightedAngles(const FocusRadius& radius, double span, int steps)
{
    std::vector<double> weights(static_cast<size_t>(steps));
    double sum = 0.0;
    for (int k = 1; k <= steps; ++k) {
        double r = radius(k * span / steps);
        weights[static_cast<size_t>(k - 1)] = r > 0.0 ? 1.0 / r : 1.0;
        sum += weights[static_cast<size_t>(k - 1)];
    }
    std::vector<double> angles {0.0};
    double theta = 0.0;
    for (double w : weights) {
        theta += w * span / sum;
        angles.push_back(theta);
    }
    return angles;
}

// The point at the angle t of a flat ellipse, which has no focus to measure from.
POINT Flat(double a, double b, double t)
{
    return {Truncate(a * std::cos(t)), Truncate(-b * std::sin(t))};
}

// The upper right quarter from (a, 0) to (0, -b), 91 points.
std::vector<POINT> Quarter(double a, double b)
{
    std::vector<POINT> points;
    if (std::min(a, b) <= 0.0) {
        for (int i = 0; i <= QuarterSteps; ++i)
            points.push_back(Flat(a, b, i * std::numbers::pi / 2.0 / QuarterSteps));
        return points;
    }
    bool tall = b > a;
    double major = tall ? b : a;
    double minor = tall ? a : b;
    FocusRadius radius(major, minor);
    // From the left focus the top vertex is seen at this angle.
    double span = std::atan2(minor, radius.e);
    for (double theta : WeightedAngles(radius, span, QuarterSteps))
        points.push_back(radius.At(theta));
    points.front() = {static_cast<LONG>(major), 0};
    points.back() = {0, static_cast<LONG>(-minor)};
    if (tall) {
        // Turned a quarter about the diagonal; reversed so that it still runs from the right.
        std::reverse(points.begin(), points.end());
        for (POINT& p : points)
            p = {-p.y, -p.x};
    }
    return points;
}
}

std::vector<POINT> EllipseOutline(double a, double b, int steps)
{
    std::vector<POINT> points;
    points.reserve(static_cast<size_t>(steps) + 1);
    double step = 2.0 * std::numbers::pi / steps;
    if (a == b || std::min(a, b) <= 0.0) {
        for (int i = 0; i <= steps; ++i)
            points.push_back(Flat(a, b, i * step));
        return points;
    }
    FocusRadius radius(std::max(a, b), std::min(a, b));
    for (double theta : WeightedAngles(radius, 2.0 * std::numbers::pi, steps)) {
        POINT p = radius.At(theta);
        if (b > a)
            p = {p.y, p.x};
        points.push_back(p);
    }
    points.back().y += 1;
    return points;
}

std::vector<POINT> EllipseTable(double a, double b)
{
    std::vector<POINT> q = Quarter(a, b);
    std::vector<POINT> table;
    table.reserve(4 * QuarterSteps);
    for (int i = 0; i < QuarterSteps; ++i)
        table.push_back(q[static_cast<size_t>(i)]);
    for (int i = QuarterSteps; i > 0; --i)
        table.push_back({-q[static_cast<size_t>(i)].x, q[static_cast<size_t>(i)].y});
    for (int i = 0; i < QuarterSteps; ++i)
        table.push_back({-q[static_cast<size_t>(i)].x, -q[static_cast<size_t>(i)].y});
    for (int i = QuarterSteps; i > 0; --i)
        table.push_back({q[static_cast<size_t>(i)].x, -q[static_cast<size_t>(i)].y});
    return table;
}
