#include "platform/ink/InkStrokeDisp.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The nearest ink-space value, halves away from zero; values beyond ink space give its edge.
LONG Round(double v)
{
    constexpr double lowest = std::numeric_limits<LONG>::min(), highest = std::numeric_limits<LONG>::max();
    return LONG(std::lround(std::clamp(v, lowest, highest)));
}

double SegmentDistance(POINT p, POINT a, POINT b)
{
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    double length = dx * dx + dy * dy;
    double t = length > 0 ? std::clamp(((double(p.x) - a.x) * dx + (double(p.y) - a.y) * dy) / length, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace

bool InkStrokeDisp::SetPoints(std::vector<POINT> points, std::vector<WORD> pressures)
{
    if (!pressures.empty() && pressures.size() != points.size())
        return false;
    for (WORD& p : pressures)
        p = std::min(p, kMaxInkPressure);
    m_points = std::move(points);
    m_pressures = std::move(pressures);
    return true;
}

RECT InkStrokeDisp::GetBoundingBox(InkBoundingBoxMode mode) const
{
    if (m_points.empty())
        return RECT{0, 0, 0, 0};
    RECT box{m_points[0].x, m_points[0].y, m_points[0].x, m_points[0].y};
    for (const POINT& p : m_points) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    if (mode != InkBoundingBoxMode::PointsOnly) {
        // Sums in double: a wide pen on a far point stays inside ink space.
        double halfWidth = Round(m_attributes.Width / 2), halfHeight = Round(m_attributes.Height / 2);
        box = {Round(box.left - halfWidth), Round(box.top - halfHeight), Round(box.right + halfWidth),
               Round(box.bottom + halfHeight)};
    }
    return box;
}

void InkStrokeDisp::Move(double dx, double dy)
{
    for (POINT& p : m_points)
        p = {Round(p.x + dx), Round(p.y + dy)};
}

void InkStrokeDisp::ScaleTransform(double horizontal, double vertical)
{
    for (POINT& p : m_points)
        p = {Round(p.x * horizontal), Round(p.y * vertical)};
}

void InkStrokeDisp::MapRectangle(const RECT& from, const RECT& to)
{
    double fw = double(from.right) - from.left, fh = double(from.bottom) - from.top;
    double sx = fw > 0 ? (double(to.right) - to.left) / fw : 1.0;
    double sy = fh > 0 ? (double(to.bottom) - to.top) / fh : 1.0;
    for (POINT& p : m_points)
        p = {Round(to.left + (double(p.x) - from.left) * sx), Round(to.top + (double(p.y) - from.top) * sy)};
}

double InkStrokeDisp::Distance(POINT point) const
{
    if (m_points.empty())
        return std::numeric_limits<double>::infinity();
    double best = SegmentDistance(point, m_points[0], m_points[0]);
    for (size_t i = 1; i < m_points.size(); ++i)
        best = std::min(best, SegmentDistance(point, m_points[i - 1], m_points[i]));
    return best;
}
