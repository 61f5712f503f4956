#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiState.h"

#include <QPainter>
#include <QPolygon>

using namespace gdi;

namespace {

Region* R(HGDIOBJ h) { return LookupAs<Region>(h, Kind::Region); }

QRect Normalized(int x1, int y1, int x2, int y2)
{
    return QRect(QPoint(std::min(x1, x2), std::min(y1, y2)), QPoint(std::max(x1, x2) - 1, std::max(y1, y2) - 1));
}

HRGN Make(QRegion rgn)
{
    auto r = std::make_unique<Region>();
    r->rgn = std::move(rgn);
    return static_cast<HRGN>(Register(std::move(r)));
}

int Complexity(const QRegion& rgn)
{
    if (rgn.isEmpty())
        return NULLREGION;
    return rgn.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion PolygonRegion(const POINT* points, int count, int fillMode)
{
    QPolygon poly;
    for (int i = 0; i < count; ++i)
        poly << QPoint(points[i].x, points[i].y);
    return QRegion(poly, fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
}

}  // namespace

namespace gdi {

QRegion RegionFromPath(const QPainterPath& path)
{
    // Pixel-centre sampling, as for filled figures; one band of runs per row.
    QRect box = path.boundingRect().toAlignedRect();
    if (box.isEmpty())
        return QRegion();
    QImage mask(box.size(), QImage::Format_Alpha8);
    mask.fill(0);
    QPainter painter(&mask);
    painter.translate(-box.topLeft());
    painter.fillPath(path, QColor(0, 0, 0, 255));
    painter.end();
    QList<QRect> runs;
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* row = mask.constScanLine(y);
        for (int x = 0; x < mask.width();) {
            if (row[x] < 128) {
                ++x;
                continue;
            }
            int start = x;
            while (x < mask.width() && row[x] >= 128)
                ++x;
            runs << QRect(box.left() + start, box.top() + y, x - start, 1);
        }
    }
    QRegion rgn;
    rgn.setRects(runs.constData(), int(runs.size()));
    return rgn;
}

}  // namespace gdi

HRGN CreateRectRgn(int x1, int y1, int x2, int y2) { return Make(QRegion(Normalized(x1, y1, x2, y2))); }
HRGN CreateRectRgnIndirect(LPCRECT r) { return r ? CreateRectRgn(r->left, r->top, r->right, r->bottom) : nullptr; }
HRGN CreateEllipticRgn(int x1, int y1, int x2, int y2)
{
    return Make(QRegion(Normalized(x1, y1, x2, y2), QRegion::Ellipse));
}

HRGN CreateRoundRectRgn(int x1, int y1, int x2, int y2, int w, int h)
{
    QRect r = Normalized(x1, y1, x2, y2);
    if (r.isEmpty())
        return Make(QRegion());
    QPainterPath path;
    path.addRoundedRect(QRectF(r), std::abs(w) / 2.0, std::abs(h) / 2.0);
    return Make(RegionFromPath(path));
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    if (!points || count < 0)
        return nullptr;
    return Make(PolygonRegion(points, count, fillMode));
}

HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode)
{
    if (!points || !counts || polygons < 0)
        return nullptr;
    QPainterPath path;
    path.setFillRule(fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    for (int p = 0; p < polygons; ++p) {
        if (counts[p] < 0)
            return nullptr;
        QPolygonF poly;
        for (int i = 0; i < counts[p]; ++i)
            poly << QPointF(points[i].x, points[i].y);
        points += counts[p];
        path.addPolygon(poly);
        path.closeSubpath();
    }
    return Make(RegionFromPath(path));
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode)
{
    Region *d = R(dest), *ra = R(a), *rb = R(b);
    if (!d || !ra || (mode != RGN_COPY && !rb))
        return ERROR;
    switch (mode) {
    case RGN_AND: d->rgn = ra->rgn.intersected(rb->rgn); break;
    case RGN_OR: d->rgn = ra->rgn.united(rb->rgn); break;
    case RGN_XOR: d->rgn = ra->rgn.xored(rb->rgn); break;
    case RGN_DIFF: d->rgn = ra->rgn.subtracted(rb->rgn); break;
    case RGN_COPY: d->rgn = ra->rgn; break;
    default: return ERROR;
    }
    return Complexity(d->rgn);
}

int OffsetRgn(HRGN rgn, int x, int y)
{
    Region* r = R(rgn);
    if (!r)
        return ERROR;
    r->rgn.translate(x, y);
    return Complexity(r->rgn);
}

int GetRgnBox(HRGN rgn, LPRECT rect)
{
    Region* r = R(rgn);
    if (!r || !rect)
        return ERROR;
    QRect b = r->rgn.boundingRect();
    *rect = r->rgn.isEmpty() ? RECT{0, 0, 0, 0} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return Complexity(r->rgn);
}

BOOL PtInRegion(HRGN rgn, int x, int y)
{
    Region* r = R(rgn);
    return r && r->rgn.contains(QPoint(x, y));
}

BOOL RectInRegion(HRGN rgn, LPCRECT rect)
{
    Region* r = R(rgn);
    return r && rect && r->rgn.intersects(Normalized(rect->left, rect->top, rect->right, rect->bottom));
}

BOOL EqualRgn(HRGN a, HRGN b)
{
    Region *ra = R(a), *rb = R(b);
    return ra && rb && ra->rgn == rb->rgn;
}

BOOL SetRectRgn(HRGN rgn, int x1, int y1, int x2, int y2)
{
    Region* r = R(rgn);
    if (!r)
        return FALSE;
    r->rgn = QRegion(Normalized(x1, y1, x2, y2));
    return TRUE;
}

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateRectRgnIndirect(LPCRECT r) { return Attach(::CreateRectRgnIndirect(r)); }
BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }
BOOL CRgn::CreateEllipticRgnIndirect(LPCRECT r)
{
    return r && CreateEllipticRgn(r->left, r->top, r->right, r->bottom);
}
BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}
BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    return Attach(::CreatePolygonRgn(points, count, fillMode));
}
BOOL CRgn::CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int fillMode)
{
    return Attach(::CreatePolyPolygonRgn(points, counts, polygons, fillMode));
}
BOOL CRgn::CreateFromPath(CDC* dc) { return dc && Attach(::PathToRegion(dc->m_hDC)); }
void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) { ::SetRectRgn(static_cast<HRGN>(m_hObject), x1, y1, x2, y2); }
void CRgn::SetRectRgn(LPCRECT r)
{
    if (r)
        SetRectRgn(r->left, r->top, r->right, r->bottom);
}
int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    return ::CombineRgn(*this, a ? HRGN(*a) : nullptr, b ? HRGN(*b) : nullptr, mode);
}
int CRgn::CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
BOOL CRgn::EqualRgn(const CRgn* other) const { return other && ::EqualRgn(*this, *other); }
int CRgn::OffsetRgn(int x, int y) { return ::OffsetRgn(*this, x, y); }
int CRgn::GetRgnBox(LPRECT rect) const { return ::GetRgnBox(*this, rect); }
BOOL CRgn::PtInRegion(int x, int y) const { return ::PtInRegion(*this, x, y); }
BOOL CRgn::RectInRegion(LPCRECT rect) const { return ::RectInRegion(*this, rect); }
