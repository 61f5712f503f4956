#include "platform/gdi/Figure.h"

#include "platform/gdi/Mapping.h"
#include "platform/gdi/Raster.h"

#include <QPainterPathStroker>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <type_traits>

namespace gdi {

namespace {

int PenWidth(const Dc& dc)
{
    const Pen* pen = dc.a.pen;
    if (!pen || pen->style == PS_NULL)
        return 0;
    return pen->width == 0 ? 1 : DeviceWidth(dc, pen->width);  // width 0: one pixel at any scale
}

QRect Bound(const Dc& dc, const QImage& surface, QRectF box, int margin)
{
    // Cut to the surface before going back to integers: a figure or pen can reach past INT_MAX.
    QRectF area(DrawableBounds(dc, surface));
    return box.adjusted(-margin, -margin, margin + 1, margin + 1).intersected(area).toAlignedRect();
}

// One-pixel lines through the points; a figure of distinct points that rounds to one pixel
// still marks it (a path keeps no repeated point, so repeats don't count).
void PlotThinPoints(Coverage& cov, const QPolygonF& points, int style)
{
    QPolygon pts;
    pts.reserve(points.size());
    int distinct = 0;
    for (qsizetype i = 0; i < points.size(); ++i) {
        const auto& p = points[i];
        distinct += i == 0 || p != points[i - 1];
        const QPoint q(int(std::floor(p.x() + 0.5)), int(std::floor(p.y() + 0.5)));
        if (pts.isEmpty() || pts.back() != q)
            pts << q;
    }
    if (pts.size() == 1 && distinct > 1)
        cov.Set(pts[0].x(), pts[0].y(), 1);
    PlotPolyline(cov, pts, style);
}

void PlotThin(Coverage& cov, const QPainterPath& path, int style)
{
    for (const QPolygonF& sub : path.toSubpathPolygons())
        PlotThinPoints(cov, sub, style);
}

void CompositePen(Dc& dc, QImage& surface, const Coverage& pen)
{
    CompositeSolid(dc, surface, pen, dc.a.rop2, 1, DeviceColor(dc, dc.a.pen->color));
    if (dc.a.bkMode == OPAQUE && pen.HasGaps())
        CompositeSolid(dc, surface, pen, dc.a.rop2, 2, DeviceColor(dc, dc.a.bkColor));
}

Qt::PenCapStyle Cap(int endCap)
{
    switch (endCap) {
    case PS_ENDCAP_SQUARE: return Qt::SquareCap;
    case PS_ENDCAP_FLAT: return Qt::FlatCap;
    default: return Qt::RoundCap;
    }
}

Qt::PenJoinStyle Join(int join)
{
    switch (join) {
    case PS_JOIN_BEVEL: return Qt::BevelJoin;
    case PS_JOIN_MITER: return Qt::MiterJoin;
    default: return Qt::RoundJoin;
    }
}

void PlotWide(Coverage& cov, const QPainterPath& path, const Pen& pen, int width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(std::min(width, 1 << 16));
    stroker.setCapStyle(Cap(pen.endCap));
    stroker.setJoinStyle(Join(pen.join));
    // Dashes along a path far longer than the visible box would cost without showing: solid then.
    if (pen.geometric && path.length() < 64.0 * (cov.box().width() + cov.box().height() + 64)) {
        Dashes dashes(pen.style);
        if (!dashes.runs.empty()) {
            QList<qreal> pattern;
            for (int r : dashes.runs)
                pattern << r / 3.0;
            stroker.setDashPattern(pattern);
        }
    }
    // Through the pixel centres, nudged so an edge falling on a centre takes the left and top pixel.
    constexpr double kCentre = 0.5 - 1.0 / 32;
    cov.FillPath(stroker.createStroke(path.translated(kCentre, kCentre)), Qt::WindingFill);
}

}  // namespace

void DrawFigure(Dc& dc, const Figure& figure)
{
    DrawScope scope(dc);
    QImage* s = scope.surface();
    if (!s)
        return;
    int width = PenWidth(dc);
    // A one-pixel pen marks only the rounded vertices and the pixels between them.
    QRect box = Bound(dc, *s, figure.path.boundingRect(), width > 1 ? width + 2 : 1);
    if (box.isEmpty())
        return;
    Coverage pen(box);
    if (width == 1)
        PlotThin(pen, figure.path, dc.a.pen->style);
    else if (width > 1)
        PlotWide(pen, figure.path, *dc.a.pen, width);
    std::optional<Coverage> fill;
    if (figure.filled && dc.a.brush && dc.a.brush->style != BS_NULL) {
        fill.emplace(box);
        fill->FillPath(figure.path, dc.a.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    }
    if (CopyFigure(dc, *s, pen, fill ? &*fill : nullptr, dc.a.brush))
        return;
    if (fill) {
        fill->Subtract(pen);
        const Brush& brush = *dc.a.brush;
        if (brush.style == BS_SOLID) {
            CompositeSolid(dc, *s, *fill, dc.a.rop2, 1, DeviceColor(dc, brush.color));
        } else {
            CompositeTile(dc, *s, *fill, dc.a.rop2, BrushTile(dc, brush, fill->box()));
        }
    }
    if (width > 0)
        CompositePen(dc, *s, pen);
}

void DrawPolyline(Dc& dc, const QPolygon& device)
{
    if (PenWidth(dc) != 1) {
        QPainterPath path;
        path.addPolygon(QPolygonF(device));
        DrawFigure(dc, Figure{path, false});
        return;
    }
    // The common one-pixel pen goes straight from the points to the pixels, without a path.
    DrawScope scope(dc);
    QImage* s = scope.surface();
    if (!s || device.isEmpty())
        return;
    const QRect corners = device.boundingRect();
    QRect box = Bound(dc, *s, QRectF(corners.topLeft(), corners.bottomRight()), 1);
    if (box.isEmpty())
        return;
    Coverage pen(box);
    // Device points need no rounding, and a repeated one adds a line of no length: no pixel.
    PlotPolyline(pen, device, dc.a.pen->style, corners);
    if (!CopyFigure(dc, *s, pen, nullptr, nullptr))
        CompositePen(dc, *s, pen);
}

namespace {

// Mixes a brush onto rectangles of the surface that lie in its drawable area.
template <typename Rects>
void FillDrawable(const Dc& dc, QImage& s, const Rects& area, const QRect& bounds, const Brush& brush, int rop2)
{
    if (brush.style == BS_SOLID) {
        for (const QRect& r : area)
            MixRect(s, r, DeviceColor(dc, brush.color), rop2);
        return;
    }
    BrushTile tile(dc, brush, bounds);
    for (const QRect& r : area) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(s.scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x) {
                int64_t c = tile.At(x, y);
                if (c >= 0)
                    row[x] = 0xFF000000u | Rop2(rop2, DWORD(c) & 0xFFFFFF, row[x] & 0xFFFFFF);
            }
        }
    }
}

}  // namespace

void FillDeviceRegion(Dc& dc, const QRegion& rgn, const Brush& brush, int rop2)
{
    DrawScope scope(dc);
    QImage* s = scope.surface();
    if (!s || brush.style == BS_NULL)
        return;
    QRegion area = DrawableArea(dc, *s).intersected(rgn);
    if (!area.isEmpty())
        FillDrawable(dc, *s, area, area.boundingRect(), brush, rop2);
}

void FillDeviceRect(Dc& dc, const QRect& rect, const Brush& brush, int rop2)
{
    QImage* surface = dc.Surface();
    const std::optional<QRect> drawable = surface ? DrawableRect(dc, *surface) : std::nullopt;
    if (!drawable) {
        FillDeviceRegion(dc, QRegion(rect), brush, rop2);
        return;
    }
    DrawScope scope(dc);
    QImage* s = scope.surface();
    const QRect area = drawable->intersected(rect);
    if (s && brush.style != BS_NULL && !area.isEmpty())
        FillDrawable(dc, *s, std::array{area}, area, brush, rop2);
}

bool DrawThinRect(Dc& dc, const QRect& r)
{
    const Brush* brush = dc.a.brush;
    const bool filled = brush && brush->style != BS_NULL;
    if (dc.inPath || PenWidth(dc) != 1 || !Dashes(dc.a.pen->style).runs.empty() ||
        (filled && brush->style != BS_SOLID) || r.width() < 2 || r.height() < 2)
        return false;
    QImage* surface = dc.Surface();
    const std::optional<QRect> drawable = surface ? DrawableRect(dc, *surface) : std::nullopt;
    if (!drawable)
        return false;
    DrawScope scope(dc);
    QImage* s = scope.surface();
    if (!s)
        return true;
    const int rop2 = dc.a.rop2;
    auto mix = [&](const QRect& part, COLORREF colour) {
        const QRect clipped = drawable->intersected(part);
        if (!clipped.isEmpty())
            MixRect(*s, clipped, DeviceColor(dc, colour), rop2);
    };
    if (filled)
        mix(r.adjusted(1, 1, -1, -1), brush->color);
    // The outline's four sides, no pixel twice: a mixing mode other than copying must see each once.
    const COLORREF pen = dc.a.pen->color;
    mix(QRect(r.left(), r.top(), r.width(), 1), pen);
    mix(QRect(r.left(), r.bottom(), r.width(), 1), pen);
    mix(QRect(r.left(), r.top() + 1, 1, r.height() - 2), pen);
    mix(QRect(r.right(), r.top() + 1, 1, r.height() - 2), pen);
    return true;
}

QRectF ShapeBox(const Dc& dc, int x1, int y1, int x2, int y2)
{
    QRect r = ToDeviceRect(dc, x1, y1, x2, y2);
    QRectF box(r.left(), r.top(), r.width() - 1, r.height() - 1);
    const Pen* pen = dc.a.pen;
    int width = PenWidth(dc);
    if (pen && pen->style == PS_INSIDEFRAME && width > 1) {
        double inset = width / 2.0;
        box.adjust(inset - 0.5, inset - 0.5, -(inset - 0.5), -(inset - 0.5));
    }
    return box;
}

}  // namespace gdi
