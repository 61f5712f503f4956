// Private to platform/gdi: pixel coverage of one primitive and its mixing onto a surface.
#pragma once

#include "platform/gdi/GdiState.h"

#include <QPainter>
#include <QPolygonF>

#include <optional>

namespace gdi {

struct Dashes;

// Which pixels a primitive touches inside a box: 0 none, 1 foreground, 2 gap of a styled line.
class Coverage {
public:
    explicit Coverage(const QRect& box);
    const QRect& box() const { return m_box; }
    void Set(int x, int y, uint8_t v)
    {
        // Compared here rather than through QRect::contains: this runs for every pixel of a line.
        if (x >= m_box.left() && x <= m_box.right() && y >= m_box.top() && y <= m_box.bottom()) {
            m_v[Index(x, y)] = v;
            m_gaps |= v == 2;
        }
    }
    // A dash pixel known to lie in the box.
    void SetInside(int x, int y) { m_v[Index(x, y)] = 1; }
    // Whether any pixel was marked as the gap of a styled line.
    bool HasGaps() const { return m_gaps; }
    uint8_t At(int x, int y) const { return m_box.contains(x, y) ? m_v[Index(x, y)] : 0; }
    // The row's values, indexed by x - box().left(); y must lie in the box.
    const uint8_t* Row(int y) const { return &m_v[Index(m_box.left(), y)]; }
    void FillPath(const QPainterPath& path, Qt::FillRule rule);
    // Marks the pixels the painter would fill for a triangle with whole-number corners in the
    // box, without the painter: FillPath() takes this way for such triangles.
    void FillTriangle(const QPoint corners[3]);
    // Marks what paint draws (aliased, in device coordinates) on an empty mask.
    template <typename Paint>
    void Mark(Paint paint)
    {
        if (m_box.isEmpty())
            return;
        QImage mask(m_box.size(), QImage::Format_Alpha8);
        mask.fill(0);
        {
            QPainter p(&mask);
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setRenderHint(QPainter::TextAntialiasing, false);
            p.translate(-m_box.left(), -m_box.top());
            paint(p);
        }
        MarkFrom(mask);
    }
    void Subtract(const Coverage& other);
    // One-pixel line from a to b, last pixel excluded, each pixel taking the next value of dashes.
    void Line(QPoint a, QPoint b, Dashes& dashes);

private:
    void MarkFrom(const QImage& mask);
    size_t Index(int x, int y) const
    {
        return static_cast<size_t>(y - m_box.top()) * m_box.width() + (x - m_box.left());
    }
    QRect m_box;
    std::vector<uint8_t> m_v;
    bool m_gaps = false;
};

// Runs of a styled one-pixel line, carried along the segments of one figure.
struct Dashes {
    explicit Dashes(int style);
    // 1 for a pixel of a dash, 2 for one of a gap; solid pens never leave a gap.
    uint8_t Next() { return runs.empty() ? 1 : NextOfPattern(); }
    uint8_t NextOfPattern();
    std::vector<int> runs;
    size_t run = 0;
    int left = 0;
};

// One-pixel line from a to b, last pixel excluded.
void PlotLine(Coverage& cov, QPoint a, QPoint b, Dashes& dashes);
void PlotPolyline(Coverage& cov, const QPolygon& pts, int penStyle);
// The same when the points' bounding rectangle is known.
void PlotPolyline(Coverage& cov, const QPolygon& pts, int penStyle, const QRect& extent);

// Inline: it runs once for every pixel a figure covers.
inline DWORD Rop2(int mode, DWORD pen, DWORD dst)
{
    if (mode == R2_COPYPEN)
        return pen;
    unsigned table = static_cast<unsigned>(mode - 1) & 0xF;
    DWORD r = 0;
    if (table & 1)
        r |= ~pen & ~dst;
    if (table & 2)
        r |= ~pen & dst;
    if (table & 4)
        r |= pen & ~dst;
    if (table & 8)
        r |= pen & dst;
    return r & 0xFFFFFF;
}

DWORD Rop3(BYTE code, DWORD pat, DWORD src, DWORD dst);

// The part of the surface a primitive may change: surface ∩ clip region.
QRegion DrawableArea(const Dc& dc, const QImage& surface);
QRect DrawableBounds(const Dc& dc, const QImage& surface);
// The drawable area when it is one rectangle (no clip region, or a clip of one rectangle as a
// window's paint has), found without building a region; nothing when it takes more rectangles.
std::optional<QRect> DrawableRect(const Dc& dc, const QImage& surface);

// Calls visit(rect) for each rectangle of the drawable area inside box; where that area is one
// rectangle, it is found without building a region.
template <typename Visit>
void ForEachDrawable(const Dc& dc, const QImage& surface, const QRect& box, Visit visit)
{
    if (const std::optional<QRect> drawable = DrawableRect(dc, surface)) {
        QRect r = drawable->intersected(box);
        if (!r.isEmpty())
            visit(r);
        return;
    }
    for (const QRect& r : DrawableArea(dc, surface).intersected(box))
        visit(r);
}

// Mixes the covered pixels onto the surface; colourAt(x, y, v) returns the pen colour as
// QRgb, or -1 for "leave the pixel".
template <typename ColourAt>
void Composite(const Dc& dc, QImage& surface, const Coverage& cov, int rop2, ColourAt colourAt)
{
    ForEachDrawable(dc, surface, cov.box(), [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(surface.scanLine(y));
            const uint8_t* marks = cov.Row(y) - cov.box().left();
            for (int x = r.left(); x <= r.right(); ++x) {
                uint8_t v = marks[x];
                if (!v)
                    continue;
                int64_t c = colourAt(x, y, v);
                if (c < 0)
                    continue;
                row[x] = 0xFF000000u | Rop2(rop2, static_cast<DWORD>(c) & 0xFFFFFF, row[x] & 0xFFFFFF);
            }
        }
    });
}

// Mixes one colour onto every pixel of a rectangle that lies in the surface.
void MixRect(QImage& surface, const QRect& rect, DWORD colour, int rop2);

// Mixes one colour onto the pixels marked `mark`; in the copy mode that is a plain store.
void CompositeSolid(const Dc& dc, QImage& surface, const Coverage& cov, int rop2, uint8_t mark, DWORD colour);

// Paints a figure's pen over its fill (fill and brush may be null) in one pass, where that is
// what mixing the fill less the pen and then the pen gives: a plain copy, no clip region, a
// brush that paints every pixel. Returns false, having painted nothing, otherwise.
bool CopyFigure(const Dc& dc, QImage& surface, const Coverage& pen, const Coverage* fill, const Brush* brush);

class BrushTile;
// Mixes a brush's pattern onto the covered pixels.
void CompositeTile(const Dc& dc, QImage& surface, const Coverage& cov, int rop2, const BrushTile& tile);

// Brush colour at a device pixel, or -1 where a hatch or pattern leaves the pixel alone.
int64_t BrushColourAt(const Dc& dc, const Brush& brush, int x, int y);

// A brush's colours over one period of its pattern, worked out once per primitive rather
// than once per pixel; a pattern larger than the area drawn is worked out for that area only.
class BrushTile {
public:
    BrushTile(const Dc& dc, const Brush& brush, const QRect& area);
    bool IsSolid() const { return m_solid; }
    // Whether the brush paints every pixel, leaving none alone.
    bool IsOpaque() const { return m_opaque; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The pattern row that covers device row y, and the column of it that covers device x.
    int RowIndex(int y) const { return Wrap(y - m_org.y(), m_height); }
    const int64_t* PatternRow(int index) const { return &m_colours[static_cast<size_t>(index) * m_width]; }
    const int64_t* Row(int y) const { return PatternRow(RowIndex(y)); }
    int Column(int x) const { return Wrap(x - m_org.x(), m_width); }
    int64_t At(int x, int y) const { return Row(y)[Column(x)]; }

private:
    static int Wrap(int v, int period)
    {
        v %= period;
        return v < 0 ? v + period : v;
    }
    bool m_solid = false;
    bool m_opaque = true;
    int m_width = 1;
    int m_height = 1;
    QPoint m_org;
    std::vector<int64_t> m_colours;
};

}  // namespace gdi
