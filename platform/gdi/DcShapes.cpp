#include "platform/gdi/Dc.h"
#include "platform/gdi/Figure.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/Recorder.h"
#include "platform/gdi/SysColors.h"

#include <QPainterPathStroker>

#include <cmath>

using namespace gdi;

namespace {

Dc* D(HDC h) { return LookupDc(h); }

QPointF V(const Dc& dc, POINT p)
{
    QPoint q = ToDevice(dc, p);
    return QPointF(q.x(), q.y());
}

// Records into the open path, or draws the figure now.
BOOL Emit(Dc& dc, const QPainterPath& path, bool filled)
{
    if (dc.inPath) {
        dc.path.addPath(path);
        return TRUE;
    }
    DrawFigure(dc, Figure{path, filled});
    return TRUE;
}

QPainterPath PolyPath(const Dc& dc, const POINT* pts, int count, bool close)
{
    QPainterPath path;
    if (count <= 0)
        return path;
    path.moveTo(V(dc, pts[0]));
    for (int i = 1; i < count; ++i)
        path.lineTo(V(dc, pts[i]));
    if (close)
        path.closeSubpath();
    return path;
}

enum class ArcKind { Open, Chord, Pie };

// Angle (degrees, counter-clockwise on screen) of the radial through p, as an ellipse parameter.
double RadialAngle(const QRectF& box, QPointF p)
{
    QPointF c = box.center();
    double rx = std::max(box.width() / 2, 0.5), ry = std::max(box.height() / 2, 0.5);
    return std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx) * 180.0 / M_PI;
}

QPainterPath ArcPath(const Dc& dc, const QRectF& box, POINT start, POINT end, ArcKind kind)
{
    double s = RadialAngle(box, V(dc, start)), e = RadialAngle(box, V(dc, end));
    double sweep = std::fmod(e - s + 720.0, 360.0);
    if (sweep < 1e-9)
        sweep = 360.0;
    if (dc.a.arcDirection == AD_CLOCKWISE)
        sweep -= 360.0;
    if (sweep < -360.0 + 1e-9)
        sweep = -360.0;
    QPainterPath path;
    if (kind == ArcKind::Pie)
        path.moveTo(box.center());
    else
        path.arcMoveTo(box, s);
    path.arcTo(box, s, sweep);
    if (kind != ArcKind::Open)
        path.closeSubpath();
    return path;
}

BOOL ArcShape(HDC h, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, ArcKind kind)
{
    Dc* dc = D(h);
    if (!dc)
        return FALSE;
    DWORD type = kind == ArcKind::Open ? EMR_ARC : kind == ArcKind::Chord ? EMR_CHORD : EMR_PIE;
    RecordArc(h, type, RECT{x1, y1, x2, y2}, {x3, y3}, {x4, y4});
    QRectF box = ShapeBox(*dc, x1, y1, x2, y2);
    return Emit(*dc, ArcPath(*dc, box, {x3, y3}, {x4, y4}, kind), kind != ArcKind::Open);
}

QRect DeviceRect(const Dc& dc, LPCRECT r) { return ToDeviceRect(dc, r->left, r->top, r->right, r->bottom); }

}  // namespace

CPoint CDC::MoveTo(int x, int y)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return {0, 0};
    RecordPoint(m_hDC, EMR_MOVETOEX, {x, y});
    POINT old = dc->a.current;
    dc->a.current = {x, y};
    if (dc->inPath)
        dc->path.moveTo(V(*dc, {x, y}));
    return old;
}

CPoint CDC::GetCurrentPosition() const
{
    Dc* dc = D(m_hDC);
    return dc ? dc->a.current : POINT{0, 0};
}

BOOL CDC::LineTo(int x, int y)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    RecordPoint(m_hDC, EMR_LINETO, {x, y});
    POINT from = dc->a.current;
    dc->a.current = {x, y};
    if (dc->inPath) {
        if (dc->path.elementCount() == 0)
            dc->path.moveTo(V(*dc, from));
        dc->path.lineTo(V(*dc, {x, y}));
        return TRUE;
    }
    DrawPolyline(*dc, QPolygon{ToDevice(*dc, from), ToDevice(*dc, {x, y})});
    return TRUE;
}

BOOL CDC::Polyline(const POINT* points, int count)
{
    Dc* dc = D(m_hDC);
    if (!dc || !points || count < 2)
        return FALSE;
    RecordPoints(m_hDC, EMR_POLYLINE, points, count);
    if (dc->inPath)
        return Emit(*dc, PolyPath(*dc, points, count, false), false);
    QPolygon device(count);
    ToDevicePoints(*dc, points, count, device.data());
    DrawPolyline(*dc, device);
    return TRUE;
}

BOOL CDC::PolylineTo(const POINT* points, int count)
{
    Dc* dc = D(m_hDC);
    if (!dc || !points || count < 1)
        return FALSE;
    RecordPoints(m_hDC, EMR_POLYLINETO, points, count);
    std::vector<POINT> all{dc->a.current};
    all.insert(all.end(), points, points + count);
    dc->a.current = points[count - 1];
    return Emit(*dc, PolyPath(*dc, all.data(), int(all.size()), false), false);
}

BOOL CDC::PolyPolyline(const POINT* points, const DWORD* counts, int polylines)
{
    if (!points || !counts || polylines < 0)
        return FALSE;
    for (int i = 0; i < polylines; ++i) {
        if (counts[i] >= 2)
            Polyline(points, int(counts[i]));
        points += counts[i];
    }
    return TRUE;
}

BOOL CDC::PolyBezier(const POINT* points, int count)
{
    Dc* dc = D(m_hDC);
    if (!dc || !points || count < 4 || (count - 1) % 3 != 0)
        return FALSE;
    RecordPoints(m_hDC, EMR_POLYBEZIER, points, count);
    QPainterPath path;
    path.moveTo(V(*dc, points[0]));
    for (int i = 1; i + 2 < count; i += 3)
        path.cubicTo(V(*dc, points[i]), V(*dc, points[i + 1]), V(*dc, points[i + 2]));
    return Emit(*dc, path, false);
}

BOOL CDC::PolyBezierTo(const POINT* points, int count)
{
    Dc* dc = D(m_hDC);
    if (!dc || !points || count < 3 || count % 3 != 0)
        return FALSE;
    std::vector<POINT> all{dc->a.current};
    all.insert(all.end(), points, points + count);
    dc->a.current = points[count - 1];
    return PolyBezier(all.data(), int(all.size()));
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcShape(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Open);
}
BOOL CDC::Arc(LPCRECT r, POINT s, POINT e)
{
    return r && Arc(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y);
}
BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    QRectF box = ShapeBox(*dc, x1, y1, x2, y2);
    QPainterPath arc = ArcPath(*dc, box, {x3, y3}, {x4, y4}, ArcKind::Open);
    QPainterPath path;
    path.moveTo(V(*dc, dc->a.current));
    path.lineTo(arc.pointAtPercent(0));
    path.connectPath(arc);
    QPointF last = arc.currentPosition();
    dc->a.current = ToLogical(*dc, QPoint(int(std::lround(last.x())), int(std::lround(last.y()))));
    return Emit(*dc, path, false);
}
BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcShape(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Chord);
}
BOOL CDC::Chord(LPCRECT r, POINT s, POINT e)
{
    return r && Chord(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y);
}
BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ArcShape(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4, ArcKind::Pie);
}
BOOL CDC::Pie(LPCRECT r, POINT s, POINT e)
{
    return r && Pie(r->left, r->top, r->right, r->bottom, s.x, s.y, e.x, e.y);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    RecordRect(m_hDC, EMR_RECTANGLE, x1, y1, x2, y2);
    if (DrawThinRect(*dc, ToDeviceRect(*dc, x1, y1, x2, y2)))
        return TRUE;
    QPainterPath path;
    path.addRect(ShapeBox(*dc, x1, y1, x2, y2));
    return Emit(*dc, path, true);
}
BOOL CDC::Rectangle(LPCRECT r) { return r && Rectangle(r->left, r->top, r->right, r->bottom); }

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int width, int height)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    RecordRoundRect(m_hDC, RECT{x1, y1, x2, y2}, SIZE{width, height});
    SIZE corner{std::abs(width), std::abs(height)};
    LPtoDP(&corner);
    QPainterPath path;
    path.addRoundedRect(ShapeBox(*dc, x1, y1, x2, y2), corner.cx / 2.0, corner.cy / 2.0);
    return Emit(*dc, path, true);
}
BOOL CDC::RoundRect(LPCRECT r, POINT c) { return r && RoundRect(r->left, r->top, r->right, r->bottom, c.x, c.y); }

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    RecordRect(m_hDC, EMR_ELLIPSE, x1, y1, x2, y2);
    QPainterPath path;
    path.addEllipse(ShapeBox(*dc, x1, y1, x2, y2));
    return Emit(*dc, path, true);
}
BOOL CDC::Ellipse(LPCRECT r) { return r && Ellipse(r->left, r->top, r->right, r->bottom); }

BOOL CDC::Polygon(const POINT* points, int count)
{
    Dc* dc = D(m_hDC);
    if (!dc || !points || count < 2)
        return FALSE;
    RecordPoints(m_hDC, EMR_POLYGON, points, count);
    return Emit(*dc, PolyPath(*dc, points, count, true), true);
}

BOOL CDC::PolyPolygon(const POINT* points, const INT* counts, int polygons)
{
    Dc* dc = D(m_hDC);
    if (!dc || !points || !counts || polygons < 1)
        return FALSE;
    for (int i = 0; i < polygons; ++i)
        if (counts[i] < 2)
            return FALSE;
    RecordPolyPolygon(m_hDC, points, counts, polygons);
    QPainterPath path;
    for (int i = 0; i < polygons; ++i) {
        path.addPath(PolyPath(*dc, points, counts[i], true));
        points += counts[i];
    }
    return Emit(*dc, path, true);
}

void CDC::FillRect(LPCRECT r, CBrush* brush)
{
    Dc* dc = D(m_hDC);
    Brush* b = brush ? LookupAs<Brush>(brush->m_hObject, Kind::Brush) : nullptr;
    if (!dc || !r || !b)
        return;
    if (dc->recorder)
        RecordFill(m_hDC, QRegion(DeviceRect(*dc, r)), brush->m_hObject);
    FillDeviceRect(*dc, DeviceRect(*dc, r), *b, R2_COPYPEN);
}

int FillRect(HDC hdc, LPCRECT rect, HBRUSH brush)
{
    CDC* dc = CDC::FromHandle(hdc);
    if (!dc)
        return 0;
    dc->FillRect(rect, CBrush::FromHandle(brush));
    return 1;
}

void CDC::FrameRect(LPCRECT r, CBrush* brush)
{
    Dc* dc = D(m_hDC);
    Brush* b = brush ? LookupAs<Brush>(brush->m_hObject, Kind::Brush) : nullptr;
    if (!dc || !r || !b)
        return;
    QRect d = DeviceRect(*dc, r);
    FillDeviceRegion(*dc, QRegion(d).subtracted(QRegion(d.adjusted(1, 1, -1, -1))), *b, R2_COPYPEN);
}

void CDC::InvertRect(LPCRECT r)
{
    Dc* dc = D(m_hDC);
    if (!dc || !r)
        return;
    Brush white;
    white.color = RGB(255, 255, 255);
    FillDeviceRect(*dc, DeviceRect(*dc, r), white, R2_XORPEN);
}

void CDC::FillSolidRect(LPCRECT r, COLORREF color)
{
    Dc* dc = D(m_hDC);
    if (!dc || !r)
        return;
    // As the framework does: the background colour stays set to the fill colour.
    RecordSolidFill(m_hDC, *r, color);
    dc->a.bkColor = color;
    Brush solid;
    solid.color = color;
    FillDeviceRect(*dc, DeviceRect(*dc, r), solid, R2_COPYPEN);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    RECT r{x, y, Sum(x, cx), Sum(y, cy)};
    FillSolidRect(&r, color);
}

void CDC::Draw3dRect(LPCRECT r, COLORREF topLeft, COLORREF bottomRight)
{
    if (r)
        Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(Sum(x, cx), y, -1, cy, bottomRight);
    FillSolidRect(x, Sum(y, cy), cx, -1, bottomRight);
}

BOOL CDC::DrawEdge(LPRECT rect, UINT edge, UINT flags)
{
    if (!rect)
        return FALSE;
    RECT r = *rect;
    COLORREF savedBk = GetBkColor();
    auto ring = [&](UINT raised, UINT sunken, COLORREF rtl, COLORREF rbr, COLORREF stl, COLORREF sbr) {
        if (!(edge & (raised | sunken)))
            return;
        COLORREF tl = (edge & raised) ? rtl : stl, br = (edge & raised) ? rbr : sbr;
        if (flags & BF_MONO)
            tl = br = ::GetSysColor(COLOR_WINDOWFRAME);
        else if (flags & BF_FLAT)
            tl = br = ::GetSysColor(COLOR_BTNSHADOW);
        if (flags & BF_TOP)
            FillSolidRect(r.left, r.top, r.right - r.left, 1, tl);
        if (flags & BF_LEFT)
            FillSolidRect(r.left, r.top, 1, r.bottom - r.top, tl);
        if (flags & BF_BOTTOM)
            FillSolidRect(r.left, r.bottom - 1, r.right - r.left, 1, br);
        if (flags & BF_RIGHT)
            FillSolidRect(r.right - 1, r.top, 1, r.bottom - r.top, br);
        r = {r.left + ((flags & BF_LEFT) ? 1 : 0), r.top + ((flags & BF_TOP) ? 1 : 0),
             r.right - ((flags & BF_RIGHT) ? 1 : 0), r.bottom - ((flags & BF_BOTTOM) ? 1 : 0)};
    };
    ring(BDR_RAISEDOUTER, BDR_SUNKENOUTER, ::GetSysColor(COLOR_3DLIGHT), ::GetSysColor(COLOR_3DDKSHADOW),
         ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
    ring(BDR_RAISEDINNER, BDR_SUNKENINNER, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW),
         ::GetSysColor(COLOR_3DDKSHADOW), ::GetSysColor(COLOR_3DLIGHT));
    if (flags & BF_MIDDLE)
        FillSolidRect(&r, ::GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_3DFACE));
    if (flags & BF_ADJUST)
        *rect = r;
    SetBkColor(savedBk);
    return TRUE;
}

BOOL CDC::DrawFrameControl(LPRECT rect, UINT type, UINT state)
{
    if (!rect)
        return FALSE;
    RECT r = *rect;
    bool pushed = state & (DFCS_PUSHED | DFCS_CHECKED);
    COLORREF mark = ::GetSysColor((state & DFCS_INACTIVE) ? COLOR_GRAYTEXT : COLOR_BTNTEXT);
    if (type == DFC_BUTTON && (state & 0xFF) != DFCS_BUTTONPUSH) {
        DrawEdge(&r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        FillSolidRect(&r, ::GetSysColor(COLOR_WINDOW));
        if (state & DFCS_CHECKED) {
            int w = r.right - r.left, h = r.bottom - r.top;
            FillSolidRect(r.left + w / 4, r.top + h / 4, w / 2, h / 2, mark);
        }
        return TRUE;
    }
    DrawEdge(&r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST | BF_MIDDLE);
    if (type == DFC_SCROLL || type == DFC_CAPTION) {
        int w = r.right - r.left, h = r.bottom - r.top;
        int cx = r.left + w / 2, cy = r.top + h / 2, s = std::max(1, std::min(w, h) / 4);
        POINT tri[3];
        switch (state & 0xFF) {
        case DFCS_SCROLLUP: tri[0] = {cx - s, cy + s / 2}; tri[1] = {cx + s, cy + s / 2}; tri[2] = {cx, cy - s / 2}; break;
        case DFCS_SCROLLDOWN: tri[0] = {cx - s, cy - s / 2}; tri[1] = {cx + s, cy - s / 2}; tri[2] = {cx, cy + s / 2}; break;
        case DFCS_SCROLLLEFT: tri[0] = {cx + s / 2, cy - s}; tri[1] = {cx + s / 2, cy + s}; tri[2] = {cx - s / 2, cy}; break;
        default: tri[0] = {cx - s / 2, cy - s}; tri[1] = {cx - s / 2, cy + s}; tri[2] = {cx + s / 2, cy}; break;
        }
        CPen pen(PS_SOLID, 0, mark);
        CBrush brush(mark);
        CPen* oldPen = SelectObject(&pen);
        CBrush* oldBrush = SelectObject(&brush);
        Polygon(tri, 3);
        SelectObject(oldPen);
        SelectObject(oldBrush);
    }
    return TRUE;
}

namespace {

// Every other pixel: the focus rectangle and drag frame pattern.
Brush HalftoneBrush()
{
    Brush b;
    b.style = BS_PATTERN;
    b.pattern = QImage(2, 2, QImage::Format_RGB32);
    b.pattern.setPixel(0, 0, qRgb(255, 255, 255));
    b.pattern.setPixel(1, 1, qRgb(255, 255, 255));
    b.pattern.setPixel(1, 0, qRgb(0, 0, 0));
    b.pattern.setPixel(0, 1, qRgb(0, 0, 0));
    return b;
}

void InvertFrame(Dc& dc, LPCRECT r, SIZE size, const Brush& brush)
{
    QRect d = ToDeviceRect(dc, r->left, r->top, r->right, r->bottom);
    QRegion frame = QRegion(d).subtracted(QRegion(d.adjusted(size.cx, size.cy, -size.cx, -size.cy)));
    FillDeviceRegion(dc, frame, brush, R2_XORPEN);
}

}  // namespace

void CDC::DrawFocusRect(LPCRECT r)
{
    Dc* dc = D(m_hDC);
    if (dc && r)
        InvertFrame(*dc, r, {1, 1}, HalftoneBrush());
}

void CDC::DrawDragRect(LPCRECT rect, SIZE size, LPCRECT lastRect, SIZE lastSize, CBrush* brush, CBrush* lastBrush)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return;
    Brush halftone = HalftoneBrush();
    auto pick = [&](CBrush* b) -> const Brush& {
        Brush* found = b ? LookupAs<Brush>(b->m_hObject, Kind::Brush) : nullptr;
        return found ? *found : halftone;
    };
    if (lastRect)
        InvertFrame(*dc, lastRect, lastSize, pick(lastBrush ? lastBrush : brush));
    if (rect)
        InvertFrame(*dc, rect, size, pick(brush));
}

BOOL CDC::FillRgn(CRgn* rgn, CBrush* brush)
{
    Dc* dc = D(m_hDC);
    Region* r = rgn ? LookupAs<Region>(rgn->m_hObject, Kind::Region) : nullptr;
    Brush* b = brush ? LookupAs<Brush>(brush->m_hObject, Kind::Brush) : nullptr;
    if (!dc || !r || !b)
        return FALSE;
    FillDeviceRegion(*dc, r->rgn, *b, R2_COPYPEN);
    return TRUE;
}

BOOL CDC::PaintRgn(CRgn* rgn)
{
    Dc* dc = D(m_hDC);
    Region* r = rgn ? LookupAs<Region>(rgn->m_hObject, Kind::Region) : nullptr;
    if (!dc || !r || !dc->a.brush)
        return FALSE;
    FillDeviceRegion(*dc, r->rgn, *dc->a.brush, R2_COPYPEN);
    return TRUE;
}

BOOL CDC::InvertRgn(CRgn* rgn)
{
    Dc* dc = D(m_hDC);
    Region* r = rgn ? LookupAs<Region>(rgn->m_hObject, Kind::Region) : nullptr;
    if (!dc || !r)
        return FALSE;
    Brush white;
    white.color = RGB(255, 255, 255);
    FillDeviceRegion(*dc, r->rgn, white, R2_XORPEN);
    return TRUE;
}

BOOL CDC::FrameRgn(CRgn* rgn, CBrush* brush, int width, int height)
{
    Dc* dc = D(m_hDC);
    Region* r = rgn ? LookupAs<Region>(rgn->m_hObject, Kind::Region) : nullptr;
    Brush* b = brush ? LookupAs<Brush>(brush->m_hObject, Kind::Brush) : nullptr;
    if (!dc || !r || !b || width < 0 || height < 0)
        return FALSE;
    // The frame is what the region loses when shifted by the frame size in each direction.
    QRegion inner = r->rgn;
    for (QPoint d : {QPoint(width, 0), QPoint(-width, 0), QPoint(0, height), QPoint(0, -height)})
        inner = inner.intersected(r->rgn.translated(d));
    FillDeviceRegion(*dc, r->rgn.subtracted(inner), *b, R2_COPYPEN);
    return TRUE;
}

BOOL CDC::BeginPath()
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    RecordBare(m_hDC, EMR_BEGINPATH);
    dc->inPath = true;
    dc->pathReady = false;
    dc->path = QPainterPath();
    return TRUE;
}

BOOL CDC::EndPath()
{
    Dc* dc = D(m_hDC);
    if (!dc || !dc->inPath)
        return FALSE;
    RecordBare(m_hDC, EMR_ENDPATH);
    dc->inPath = false;
    dc->pathReady = true;
    return TRUE;
}

BOOL CDC::AbortPath()
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    dc->inPath = dc->pathReady = false;
    dc->path = QPainterPath();
    return TRUE;
}

BOOL CDC::CloseFigure()
{
    Dc* dc = D(m_hDC);
    if (!dc || !dc->inPath)
        return FALSE;
    RecordBare(m_hDC, EMR_CLOSEFIGURE);
    dc->path.closeSubpath();
    return TRUE;
}

namespace {

// Hands over the finished path; the DC has none afterwards.
bool TakePath(Dc* dc, QPainterPath& out)
{
    if (!dc || !dc->pathReady)
        return false;
    out = dc->path;
    dc->path = QPainterPath();
    dc->pathReady = false;
    return true;
}

BOOL DrawPath(HDC h, bool fill, bool stroke)
{
    Dc* dc = D(h);
    QPainterPath path;
    if (!TakePath(dc, path))
        return FALSE;
    Pen* pen = dc->a.pen;
    if (!stroke)
        dc->a.pen = static_cast<Pen*>(Stock(NULL_PEN));
    DrawFigure(*dc, Figure{path, fill});
    dc->a.pen = pen;
    return TRUE;
}

}  // namespace

BOOL CDC::FillPath()
{
    RecordBare(m_hDC, EMR_FILLPATH);
    return DrawPath(m_hDC, true, false);
}

BOOL CDC::StrokePath()
{
    RecordBare(m_hDC, EMR_STROKEPATH);
    return DrawPath(m_hDC, false, true);
}

BOOL CDC::StrokeAndFillPath()
{
    RecordBare(m_hDC, EMR_STROKEANDFILLPATH);
    return DrawPath(m_hDC, true, true);
}

BOOL CDC::WidenPath()
{
    Dc* dc = D(m_hDC);
    if (!dc || !dc->pathReady || !dc->a.pen || dc->a.pen->style == PS_NULL)
        return FALSE;
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(1, DeviceWidth(*dc, dc->a.pen->width)));
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    dc->path = stroker.createStroke(dc->path).simplified();
    return TRUE;
}

BOOL CDC::SelectClipPath(int mode)
{
    Dc* dc = D(m_hDC);
    QPainterPath path;
    if (!TakePath(dc, path))
        return FALSE;
    path.setFillRule(dc->a.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    LookupAs<Region>(rgn, Kind::Region)->rgn = RegionFromPath(path);
    int result = ExtSelectClipRgn(rgn, mode);
    ::DeleteObject(rgn);
    return result != ERROR;
}

HRGN PathToRegion(HDC h)
{
    Dc* dc = D(h);
    QPainterPath path;
    if (!TakePath(dc, path))
        return nullptr;
    path.setFillRule(dc->a.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    HRGN result = ::CreateRectRgn(0, 0, 0, 0);
    LookupAs<Region>(result, Kind::Region)->rgn = RegionFromPath(path);
    return result;
}
