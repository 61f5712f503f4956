#include "platform/ink/InkRenderer.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>

namespace {

double PixelsPerInch(HDC dc, int axis)
{
    int dpi = dc ? GetDeviceCaps(dc, axis) : 0;
    return dpi > 0 ? dpi : 96;
}

// The part [t0, t1] of the segment a -> b that lies within the box, by clipping the line's
// parameter against each side; empty when t0 > t1.
std::pair<double, double> SegmentInside(POINT a, POINT b, const RECT& box)
{
    double t0 = 0, t1 = 1;
    auto side = [&](double p, double q) {
        if (p == 0) {
            if (q < 0)
                t0 = 2;
            return;
        }
        double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    };
    double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    side(-dx, double(a.x) - box.left);
    side(dx, double(box.right) - a.x);
    side(-dy, double(a.y) - box.top);
    side(dy, double(box.bottom) - a.y);
    return {t0, t1};
}

// Stamps the pen's shape along the device-pixel path: rectangles for a rectangular tip, ellipses
// for a round tip whose width and height differ. Stamps that could not reach the clip box are
// skipped, so far-flung points in stored ink cost no more than the visible part of their segments.
void StampPath(CDC& dc, const std::vector<POINT>& path, SIZE pen, bool round)
{
    double step = std::max(1.0, std::min(pen.cx, pen.cy) / 2.0);
    auto stamp = [&](double x, double y) {
        int left = int(std::lround(x - pen.cx / 2.0)), top = int(std::lround(y - pen.cy / 2.0));
        if (round)
            dc.Ellipse(left, top, left + pen.cx + 1, top + pen.cy + 1);
        else
            dc.Rectangle(left, top, left + pen.cx + 1, top + pen.cy + 1);
    };
    RECT reach{INT_MIN / 2, INT_MIN / 2, INT_MAX / 2, INT_MAX / 2};
    RECT clip;
    if (dc.GetClipBox(&clip) != ERROR && clip.right > clip.left && clip.bottom > clip.top)
        reach = {clip.left - pen.cx - 2, clip.top - pen.cy - 2, clip.right + pen.cx + 2, clip.bottom + pen.cy + 2};
    stamp(path[0].x, path[0].y);
    for (size_t i = 1; i < path.size(); ++i) {
        POINT a = path[i - 1], b = path[i];
        double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
        auto steps = int64_t(std::ceil(std::hypot(dx, dy) / step));
        auto [t0, t1] = SegmentInside(a, b, reach);
        if (steps == 0 || t0 > t1)
            continue;
        int64_t first = std::max<int64_t>(1, int64_t(std::floor(t0 * double(steps))));
        int64_t last = std::min<int64_t>(steps, int64_t(std::ceil(t1 * double(steps))));
        for (int64_t k = first; k <= last; ++k)
            stamp(a.x + dx * double(k) / double(steps), a.y + dy * double(k) / double(steps));
    }
}

// std::lround without the library call that every ink point would pay: the fraction left by
// truncation is exact, so halves still round away from zero.
LONG RoundHalfAway(double v)
{
    if (!(std::fabs(v) < 1e15))
        return LONG(std::lround(v));
    auto whole = int64_t(v);
    const double fraction = v - double(whole);
    whole += fraction >= 0.5 ? 1 : fraction <= -0.5 ? -1 : 0;
    return LONG(whole);
}

}  // namespace

InkRenderer::Dpi InkRenderer::DpiOf(HDC dc) { return {PixelsPerInch(dc, LOGPIXELSX), PixelsPerInch(dc, LOGPIXELSY)}; }

InkRenderer::PixelMap InkRenderer::MapFor(Dpi dpi) const
{
    double kx = dpi.x / kInkSpacePerInch, ky = dpi.y / kInkSpacePerInch;
    return {m_scaleX * kx, m_scaleY * ky, m_offsetX * kx, m_offsetY * ky};
}

void InkRenderer::PixelToInk(Dpi dpi, POINT& p) const
{
    double x = p.x * kInkSpacePerInch / dpi.x;
    double y = p.y * kInkSpacePerInch / dpi.y;
    p = {LONG(std::lround((x - m_offsetX) / m_scaleX)), LONG(std::lround((y - m_offsetY) / m_scaleY))};
}

void InkRenderer::InkToPixel(Dpi dpi, POINT& p) const
{
    double x = (p.x * m_scaleX + m_offsetX) * dpi.x / kInkSpacePerInch;
    double y = (p.y * m_scaleY + m_offsetY) * dpi.y / kInkSpacePerInch;
    p = {LONG(std::lround(x)), LONG(std::lround(y))};
}

void InkRenderer::PixelToInkSpace(HDC dc, POINT& p) const { PixelToInk(DpiOf(dc), p); }

void InkRenderer::InkSpaceToPixel(HDC dc, POINT& p) const { InkToPixel(DpiOf(dc), p); }

void InkRenderer::PixelToInkSpace(HDC dc, RECT& r) const
{
    const Dpi dpi = DpiOf(dc);
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    PixelToInk(dpi, a);
    PixelToInk(dpi, b);
    r = {a.x, a.y, b.x, b.y};
}

void InkRenderer::InkSpaceToPixel(HDC dc, RECT& r) const
{
    const Dpi dpi = DpiOf(dc);
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    InkToPixel(dpi, a);
    InkToPixel(dpi, b);
    r = {a.x, a.y, b.x, b.y};
}

void InkRenderer::Move(double dx, double dy)
{
    m_offsetX += dx;
    m_offsetY += dy;
}

void InkRenderer::ScaleTransform(double horizontal, double vertical, bool applyOnPenWidth)
{
    if (horizontal == 0 || vertical == 0)
        return;  // a transform without an inverse would make conversions divide by zero
    m_scaleX *= horizontal;
    m_scaleY *= vertical;
    m_offsetX *= horizontal;
    m_offsetY *= vertical;
    if (applyOnPenWidth)
        m_penScale *= std::sqrt(std::abs(horizontal * vertical));
}

void InkRenderer::ResetTransform() { *this = InkRenderer(); }

namespace {

// Thin strokes of one colour drawn by a raster operation that gives the same result when a
// pixel is drawn twice go out together under one pen and one drawing state.
bool ShareThinPath(const InkDrawingAttributes& pen, const InkStrokeDisp& a, const InkStrokeDisp& b)
{
    return a.DrawingAttributes() == b.DrawingAttributes() && pen.PenTip == InkPenTip::Ball &&
           pen.Width == pen.Height && (pen.RasterOperation == kInkCopyPen || pen.RasterOperation == kInkMaskPen) &&
           pen.Transparency < 255 && a.Points().size() > 1 && b.Points().size() > 1;
}

}  // namespace

// The device's resolution is read once for all the strokes: every stroke needs it.
void InkRenderer::Draw(CDC& dc, const InkStrokes& strokes) const
{
    const auto& all = strokes.All();
    const Dpi dpi = DpiOf(dc.GetSafeHdc());
    for (size_t first = 0; first < all.size();) {
        const InkDrawingAttributes& pen = all[first]->DrawingAttributes();
        size_t end = first + 1;
        if (PenSize(dpi, pen).cx == 1)
            while (end < all.size() && ShareThinPath(pen, *all[first], *all[end]))
                ++end;
        if (end - first > 1)
            DrawThinLines(dc, dpi, &all[first], end - first);
        else
            DrawStroke(dc, dpi, *all[first], pen);
        first = end;
    }
}

POINT* InkRenderer::DevicePath(const PixelMap& map, const InkStrokeDisp& stroke, POINT* out)
{
    for (const POINT& p : stroke.Points())
        *out++ = {RoundHalfAway(p.x * map.sx + map.ox), RoundHalfAway(p.y * map.sy + map.oy)};
    return out;
}

SIZE InkRenderer::PenSize(Dpi dpi, const InkDrawingAttributes& a) const
{
    double toPixels = m_penScale * dpi.x / kInkSpacePerInch;
    // The view transform scales pens only when it was asked to.
    SIZE pen{std::max<LONG>(1, LONG(std::lround(a.Width * toPixels))),
             std::max<LONG>(1, LONG(std::lround(a.Height * toPixels)))};
    if (a.PenTip == InkPenTip::Ball && a.Width == a.Height)
        pen.cy = pen.cx;
    return pen;
}

void InkRenderer::DrawThinLines(CDC& dc, Dpi dpi, const std::shared_ptr<InkStrokeDisp>* strokes, size_t count) const
{
    const InkDrawingAttributes& a = strokes[0]->DrawingAttributes();
    const PixelMap map = MapFor(dpi);
    size_t total = 0;
    for (size_t i = 0; i < count; ++i)
        total += strokes[i]->Points().size();
    // Sized once and written in place: a redraw of a full page allocates nothing per stroke.
    std::unique_ptr<POINT[]> points(new POINT[total]);
    std::unique_ptr<DWORD[]> counts(new DWORD[count]);
    POINT* next = points.get();
    for (size_t i = 0; i < count; ++i) {
        next = DevicePath(map, *strokes[i], next);
        counts[i] = DWORD(strokes[i]->Points().size());
    }
    CPen line;
    line.CreatePen(PS_SOLID, 1, a.Color);
    int saved = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
    dc.SetROP2(a.RasterOperation);
    dc.SelectObject(&line);
    dc.PolyPolyline(points.get(), counts.get(), int(count));
    dc.RestoreDC(saved);
}

void InkRenderer::DrawStroke(CDC& dc, const InkStrokeDisp& stroke, const InkDrawingAttributes* attributes) const
{
    DrawStroke(dc, DpiOf(dc.GetSafeHdc()), stroke, attributes ? *attributes : stroke.DrawingAttributes());
}

void InkRenderer::DrawStroke(CDC& dc, Dpi dpi, const InkStrokeDisp& stroke, const InkDrawingAttributes& a) const
{
    if (stroke.Points().empty() || a.Transparency >= 255)
        return;
    std::vector<POINT> path(stroke.Points().size());
    DevicePath(MapFor(dpi), stroke, path.data());
    SIZE pen = PenSize(dpi, a);
    CPen line;
    CBrush fill;
    int saved = dc.SaveDC();
    dc.SetMapMode(MM_TEXT);
    dc.SetViewportOrg(0, 0);
    dc.SetWindowOrg(0, 0);
    dc.SetROP2(a.RasterOperation);
    bool roundPen = a.PenTip == InkPenTip::Ball && pen.cx == pen.cy;
    if (roundPen && path.size() > 1) {
        line.CreatePen(PS_SOLID, pen.cx, a.Color);
        dc.SelectObject(&line);
        dc.Polyline(path.data(), int(path.size()));
    } else {
        fill.CreateSolidBrush(a.Color);
        dc.SelectStockObject(NULL_PEN);
        dc.SelectObject(&fill);
        StampPath(dc, path, pen, a.PenTip == InkPenTip::Ball);
    }
    dc.RestoreDC(saved);
}
