#include "platform/ink/InkRenderer.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <algorithm>
#include <cmath>

namespace {

double PixelsPerInch(HDC dc, int axis)
{
    int dpi = dc ? GetDeviceCaps(dc, axis) : 0;
    return dpi > 0 ? dpi : 96;
}

// Stamps the pen's shape along the device-pixel path: rectangles for a rectangular tip, ellipses
// for a round tip whose width and height differ.
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
    stamp(path[0].x, path[0].y);
    for (size_t i = 1; i < path.size(); ++i) {
        double dx = path[i].x - path[i - 1].x, dy = path[i].y - path[i - 1].y;
        int steps = int(std::ceil(std::hypot(dx, dy) / step));
        for (int k = 1; k <= steps; ++k)
            stamp(path[i - 1].x + dx * k / steps, path[i - 1].y + dy * k / steps);
    }
}

}  // namespace

void InkRenderer::PixelToInkSpace(HDC dc, POINT& p) const
{
    double x = p.x * kInkSpacePerInch / PixelsPerInch(dc, LOGPIXELSX);
    double y = p.y * kInkSpacePerInch / PixelsPerInch(dc, LOGPIXELSY);
    p = {LONG(std::lround((x - m_offsetX) / m_scaleX)), LONG(std::lround((y - m_offsetY) / m_scaleY))};
}

void InkRenderer::InkSpaceToPixel(HDC dc, POINT& p) const
{
    double x = (p.x * m_scaleX + m_offsetX) * PixelsPerInch(dc, LOGPIXELSX) / kInkSpacePerInch;
    double y = (p.y * m_scaleY + m_offsetY) * PixelsPerInch(dc, LOGPIXELSY) / kInkSpacePerInch;
    p = {LONG(std::lround(x)), LONG(std::lround(y))};
}

void InkRenderer::PixelToInkSpace(HDC dc, RECT& r) const
{
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    PixelToInkSpace(dc, a);
    PixelToInkSpace(dc, b);
    r = {a.x, a.y, b.x, b.y};
}

void InkRenderer::InkSpaceToPixel(HDC dc, RECT& r) const
{
    POINT a{r.left, r.top}, b{r.right, r.bottom};
    InkSpaceToPixel(dc, a);
    InkSpaceToPixel(dc, b);
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

void InkRenderer::Draw(CDC& dc, const InkStrokes& strokes) const
{
    for (const auto& s : strokes.All())
        DrawStroke(dc, *s);
}

void InkRenderer::DrawStroke(CDC& dc, const InkStrokeDisp& stroke, const InkDrawingAttributes* attributes) const
{
    const InkDrawingAttributes& a = attributes ? *attributes : stroke.DrawingAttributes();
    if (stroke.Points().empty() || a.Transparency >= 255)
        return;
    HDC hdc = dc.GetSafeHdc();
    std::vector<POINT> path = stroke.Points();
    for (POINT& p : path)
        InkSpaceToPixel(hdc, p);
    double toPixels = m_penScale * PixelsPerInch(hdc, LOGPIXELSX) / kInkSpacePerInch;
    SIZE pen{std::max<LONG>(1, LONG(std::lround(a.Width * m_scaleX * toPixels))),
             std::max<LONG>(1, LONG(std::lround(a.Height * m_scaleY * toPixels)))};
    if (a.PenTip == InkPenTip::Ball && a.Width == a.Height)
        pen.cy = pen.cx;
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
