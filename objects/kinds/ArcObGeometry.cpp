// Geometry of the arc: angles, quarter presets, the frame derived from the ellipse, placing
// the ellipse when the rectangle changes, and the outline polygon.
#include "objects/HyperTracker.h"
#include "objects/kinds/ArcOb.h"
#include "objects/kinds/EllipseOutline.h"
#include "objects/kinds/KindShared.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {
constexpr double DegreesPerRadian = 0.017453292519943295;
// Points trimmed at each end of a long arc before its bounding box snaps to the ellipse.
constexpr size_t TrimmedPoints = 5;
constexpr size_t TrimFrom = 20;

enum Corner { LeftBottom, RightBottom, LeftTop, RightTop };
struct QuadrantPreset {
    Corner centre;
    double start;
    double end;
};
// Upper right, upper left, lower right and lower left quarter of the rectangle.
constexpr QuadrantPreset quadrantPresets[] = {
    {LeftBottom, 0.0, -90.0},
    {RightBottom, -90.0, 180.0},
    {LeftTop, 90.0, 0.0},
    {RightTop, 180.0, 90.0},
};

POINT CornerOf(const CRect& r, Corner corner)
{
    const POINT corners[] = {{r.left, r.bottom}, {r.right, r.bottom}, {r.left, r.top}, {r.right, r.top}};
    return corners[corner];
}

// Degrees into (-180, 180]; what cannot be an angle becomes 0.
double NormalizeAngle(double angle)
{
    if (!std::isfinite(angle))
        return 0.0;
    if (std::fabs(angle) >= 360.0)
        angle = std::fmod(angle, 360.0);
    if (angle > 180.0)
        angle -= 360.0;
    else if (angle <= -180.0)
        angle += 360.0;
    return angle;
}

// Whole degrees counter-clockwise on screen.
int CounterClockwise(double angle)
{
    int whole = static_cast<int>(std::floor(angle + 0.5));
    return whole > 0 ? 360 - whole : -whole;
}

long long SquaredDistance(POINT a, POINT b)
{
    long long dx = a.x - b.x;
    long long dy = a.y - b.y;
    return dx * dx + dy * dy;
}

size_t NearestIndex(const std::vector<POINT>& table, POINT p)
{
    auto nearest = std::min_element(table.begin(), table.end(), [&](POINT a, POINT b) {
        return SquaredDistance(a, p) < SquaredDistance(b, p);
    });
    return static_cast<size_t>(nearest - table.begin());
}

// Each side at the centre or at the full radius, as the points reach.
CRect SnapToEllipse(const std::vector<POINT>& points, int a, int b)
{
    auto [minX, maxX] = std::minmax_element(points.begin(), points.end(), [](POINT p, POINT q) { return p.x < q.x; });
    auto [minY, maxY] = std::minmax_element(points.begin(), points.end(), [](POINT p, POINT q) { return p.y < q.y; });
    return {minX->x < 0 ? -a : 0, minY->y < 0 ? -b : 0, maxX->x > 0 ? a : 0, maxY->y > 1 ? b : 0};
}
}

void CArcOb::NormalizeAngles()
{
    StartAngle = NormalizeAngle(StartAngle);
    EndAngle = NormalizeAngle(EndAngle);
}

void CArcOb::Remember()
{
    m_lastWedge = Wedge;
    m_lastStart = StartAngle;
    m_lastEnd = EndAngle;
}

void CArcOb::ApplyQuadrant(int quadrant, const RECT& rect)
{
    // Quarters outside the four known ones are read as the first.
    const QuadrantPreset& preset = quadrantPresets[quadrant >= 0 && quadrant < 4 ? quadrant : 0];
    CRect n(rect);
    n.NormalizeRect();
    // A stored rectangle can be wider than a coordinate reaches.
    m_radiusX = ClampCoordinate(int64_t {n.right} - n.left);
    m_radiusY = ClampCoordinate(int64_t {n.bottom} - n.top);
    m_centre = CornerOf(n, preset.centre);
    StartAngle = preset.start;
    EndAngle = preset.end;
    Wedge = 0;
    DeriveFrame();
}

POINT CArcOb::PointAt(double angle) const
{
    angle = NormalizeAngle(angle);
    double a = std::abs(m_radiusX);
    double b = std::abs(m_radiusY);
    if (angle == 0.0 || angle == 180.0)
        return {static_cast<LONG>(angle == 0.0 ? a : -a), 0};
    if (angle == 90.0 || angle == -90.0)
        return {0, static_cast<LONG>(angle == 90.0 ? b : -b)};
    if (a == 0.0 || b == 0.0)
        return {0, 0};
    double t = std::tan(angle * DegreesPerRadian);
    double x = std::floor(std::sqrt(b * b * a * a / (t * t * a * a + b * b)) + 0.5);
    double y = std::floor(x * t + 0.5);
    if (angle > 90.0 || angle < -90.0) {
        x = -x;
        y = -y;
    }
    return {static_cast<LONG>(x), static_cast<LONG>(y)};
}

std::vector<POINT> CArcOb::ArcPoints() const
{
    int s = CounterClockwise(StartAngle);
    int e = CounterClockwise(EndAngle);
    // Start and end on one degree draw the whole ellipse, as the drawing does.
    if (e <= s)
        e += 360;
    double a = std::abs(m_radiusX);
    double b = std::abs(m_radiusY);
    std::vector<POINT> points;
    if (a == b) {
        for (int degree = s; degree <= e; ++degree) {
            double theta = degree * DegreesPerRadian;
            points.push_back({static_cast<LONG>(a * std::cos(-theta)), static_cast<LONG>(a * std::sin(-theta))});
        }
        return points;
    }
    std::vector<POINT> table = EllipseTable(a, b);
    if (e - s == 360)
        return table;
    size_t first = NearestIndex(table, PointAt(StartAngle));
    size_t last = NearestIndex(table, PointAt(EndAngle));
    for (size_t i = first;; i = (i + 1) % table.size()) {
        points.push_back(table[i]);
        if (i == last)
            break;
    }
    return points;
}

std::vector<POINT> CArcOb::OutlinePoints() const
{
    std::vector<POINT> points = ArcPoints();
    CPoint middle = m_frame.CenterPoint();
    POINT offset {m_centre.x - middle.x, m_centre.y - middle.y};
    for (POINT& p : points) {
        p.x += offset.x;
        p.y += offset.y;
    }
    if (Wedge) {
        POINT first = points.front();
        points.push_back(offset);
        points.push_back(first);
    }
    return points;
}

void CArcOb::BuildOutline()
{
    std::vector<POINT> points = OutlinePoints();
    FreeOutline();
    m_outlineCount = static_cast<int>(points.size());
    m_outlinePoints = new POINT[points.size()];
    std::copy(points.begin(), points.end(), m_outlinePoints);
}

void CArcOb::DeriveFrame()
{
    int a = std::abs(m_radiusX);
    int b = std::abs(m_radiusY);
    auto either = [&](double angle) { return StartAngle == angle || EndAngle == angle; };
    CRect ends(either(180.0) ? -a : 0, either(-90.0) ? -b : 0, either(0.0) ? a : 0, either(90.0) ? b : 0);
    std::vector<POINT> points = ArcPoints();
    if (points.size() > TrimFrom)
        points = std::vector<POINT>(points.begin() + TrimmedPoints, points.end() - TrimmedPoints);
    CRect reached = SnapToEllipse(points, a, b);
    CRect frame(std::min(ends.left, reached.left), std::min(ends.top, reached.top), std::max(ends.right, reached.right),
                std::max(ends.bottom, reached.bottom));
    if (frame.IsRectNull())
        frame.SetRect(-1, -1, 1, 1);
    frame.OffsetRect(m_centre.x, m_centre.y);
    m_frame = frame;
}

void CArcOb::RecalcRect()
{
    EnsureShape();
    BOOL rotated = GetRotateAngle() != 0.0;
    PlaceEllipse(rotated ? Frame() : Rect());
    DeriveFrame();
    Remember();
    if (rotated)
        SetFrameRect(&m_frame);
    else
        SetRect(m_frame);
    // The outline follows the angles as well as the rectangle.
    FreeOutline();
    CHyperDrawOb::RecalcRect();
}

void CArcOb::PlaceEllipse(const CRect& raw)
{
    BOOL flipX = raw.left > raw.right;
    BOOL flipY = raw.top > raw.bottom;
    CRect n = raw;
    n.NormalizeRect();
    if (!m_initialised) {
        ApplyQuadrant((flipX ? 1 : 0) + (flipY ? 2 : 0), n);
        m_initialised = TRUE;
        return;
    }
    double sx = m_frame.Width() != 0 ? static_cast<double>(raw.Width()) / m_frame.Width() : 1.0;
    double sy = m_frame.Height() != 0 ? static_cast<double>(raw.Height()) / m_frame.Height() : 1.0;
    if (Wedge != m_lastWedge)
        sx = sy = 1.0;
    if (sx == 1.0 && sy == 1.0) {
        m_centre.x += n.left - m_frame.left;
        m_centre.y += n.top - m_frame.top;
        return;
    }
    BOOL fullWidth = m_frame.Width() == 2 * std::abs(m_radiusX);
    BOOL fullHeight = m_frame.Height() == 2 * std::abs(m_radiusY);
    if ((fullWidth && sx != 1.0) || (fullHeight && sy != 1.0))
        FitEllipse(n, flipX, flipY);
    else
        ScaleEllipse(raw, n, sx, sy);
}

void CArcOb::FitEllipse(const CRect& n, BOOL flipX, BOOL flipY)
{
    if (flipX)
        MirrorAngles(TRUE);
    if (flipY)
        MirrorAngles(FALSE);
    CPoint middle = n.CenterPoint();
    if (m_centre.x == m_frame.left || m_centre.x == m_frame.right) {
        BOOL left = (m_centre.x == m_frame.left) != static_cast<bool>(flipX);
        m_centre = {left ? n.left : n.right, middle.y};
        m_radiusX = n.Width();
        m_radiusY = n.Height() / 2;
    } else if (m_centre.y == m_frame.top || m_centre.y == m_frame.bottom) {
        BOOL top = (m_centre.y == m_frame.top) != static_cast<bool>(flipY);
        m_centre = {middle.x, top ? n.top : n.bottom};
        m_radiusX = n.Width() / 2;
        m_radiusY = n.Height();
    } else {
        m_centre = middle;
        m_radiusX = n.Width() / 2;
        m_radiusY = n.Height() / 2;
    }
}

namespace {
// One axis of scaling: the radius scaled (0 keeps the old one) and the centre following a
// side of the frame that moved, or jumping across it when the rectangle was turned over.
struct AxisScale {
    int* radius;
    LONG* centre;
    LONG frameLow, frameHigh;
    LONG rawLow, rawHigh;
    LONG low, high;
};

void ScaleAxis(const AxisScale& axis, double factor)
{
    int old = *axis.radius;
    int scaled = static_cast<int>(std::floor(old * factor + 0.5));
    if (scaled != 0)
        *axis.radius = scaled;
    int jump = std::abs(old) + std::abs(*axis.radius);
    if (*axis.centre == axis.frameLow && axis.rawLow != axis.frameLow)
        *axis.centre = factor < 0 ? *axis.centre + jump : axis.low;
    else if (*axis.centre == axis.frameHigh && axis.rawHigh != axis.frameHigh)
        *axis.centre = factor < 0 ? *axis.centre - jump : axis.high;
}
}

void CArcOb::ScaleEllipse(const CRect& raw, const CRect& n, double sx, double sy)
{
    if (sx < 0)
        MirrorAngles(TRUE);
    if (sy < 0)
        MirrorAngles(FALSE);
    ScaleAxis({&m_radiusX, &m_centre.x, m_frame.left, m_frame.right, raw.left, raw.right, n.left, n.right}, sx);
    ScaleAxis({&m_radiusY, &m_centre.y, m_frame.top, m_frame.bottom, raw.top, raw.bottom, n.top, n.bottom}, sy);
}

void CArcOb::MirrorAngles(BOOL horizontally)
{
    auto mirror = [&](double a) { return horizontally ? (a >= 0.0 ? 180.0 - a : -180.0 - a) : -a; };
    double start = StartAngle;
    StartAngle = mirror(EndAngle);
    EndAngle = mirror(start);
    NormalizeAngles();
}
