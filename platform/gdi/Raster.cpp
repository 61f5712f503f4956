#include "platform/gdi/Raster.h"


#include <algorithm>
#include <numeric>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <utility>

namespace gdi {

Coverage::Coverage(const QRect& box) : m_box(box.isValid() ? box : QRect())
{
    m_v.assign(static_cast<size_t>(m_box.width()) * m_box.height(), 0);
}

namespace {

uint64_t Load8(const uint8_t* p)
{
    uint64_t word;
    std::memcpy(&word, p, sizeof word);
    return word;
}

// An axis-aligned rectangle path (as addRect makes it), which needs no rasteriser.
bool AxisRect(const QPainterPath& path)
{
    if (path.elementCount() != 5)
        return false;
    for (int i = 1; i < 5; ++i) {
        QPainterPath::Element a = path.elementAt(i - 1), b = path.elementAt(i);
        if (!b.isLineTo() || (a.x != b.x && a.y != b.y))
            return false;
    }
    return path.elementAt(0).x == path.elementAt(4).x && path.elementAt(0).y == path.elementAt(4).y;
}

// The painter hands the spans of one fill to worker threads once they reach 96, which costs far
// more than it saves on figures this small; bands with fewer spans keep it on this thread.
constexpr int kSpansPerBand = 90;
// Bands never get lower than this: the rings of wide pens, two spans a row, stay under the limit
// even where their many turns make SpansPerRow guess high.
constexpr int kMinBandRows = 32;

// Counts the changes of vertical direction around each closed subpath: a pixel row crosses a
// subpath at most once per chain between two changes, and a span lies between two crossings.
class ChainCounter {
public:
    void Add(double fromY, double toY)
    {
        int direction = (toY > fromY) - (toY < fromY);
        if (direction == 0)
            return;
        if (m_first == 0)
            m_first = direction;
        else if (direction != m_last)
            ++m_changes;
        m_last = direction;
    }
    // Ends a subpath and returns its chains.
    int Close()
    {
        int chains = m_changes + (m_first != 0 && m_last != m_first);
        if (m_first != 0)
            chains = std::max(chains, 2);
        *this = ChainCounter();
        return chains;
    }

private:
    int m_first = 0;
    int m_last = 0;
    int m_changes = 0;
};

// Adds a cubic curve piece by piece between the turns of its height, where the derivative
// d0 (1-t)^2 + 2 d1 (1-t) t + d2 t^2 of y changes sign.
void AddCubic(ChainCounter& counter, double y0, double y1, double y2, double y3)
{
    const double d0 = y1 - y0, d1 = y2 - y1, d2 = y3 - y2;
    const double a = d0 - 2 * d1 + d2, b = 2 * (d1 - d0), c = d0;
    double turns[3] = {0, 0, 0};
    int n = 0;
    if (std::abs(a) < 1e-12) {
        if (b != 0)
            turns[n++] = -c / b;
    } else if (const double disc = b * b - 4 * a * c; disc > 0) {
        turns[n++] = (-b - std::sqrt(disc)) / (2 * a);
        turns[n++] = (-b + std::sqrt(disc)) / (2 * a);
    }
    std::sort(turns, turns + n);
    auto y = [&](double t) {
        const double u = 1 - t;
        return u * u * u * y0 + 3 * u * u * t * y1 + 3 * u * t * t * y2 + t * t * t * y3;
    };
    double from = 0;
    for (int i = 0; i < n; ++i) {
        if (turns[i] > 0 && turns[i] < 1) {
            counter.Add(y(from), y(turns[i]));
            from = turns[i];
        }
    }
    counter.Add(y(from), y3);
}

// At most how many spans one pixel row of the filled path has.
int SpansPerRow(const QPainterPath& path)
{
    ChainCounter counter;
    int chains = 0;
    QPointF start, at;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            counter.Add(at.y(), start.y());
            chains += counter.Close();
            start = at = e;
        } else if (e.isLineTo()) {
            counter.Add(at.y(), e.y);
            at = e;
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
            AddCubic(counter, at.y(), e.y, c2.y, end.y);
            at = end;
            i += 2;
        }
    }
    counter.Add(at.y(), start.y());
    chains += counter.Close();
    return std::max(1, chains / 2);
}

// Fills the path onto a mask of box.size() whose origin is box.topLeft(); returns the rows that
// may have been painted, first and last, in device coordinates.
std::pair<int, int> PaintBands(QPainter& p, const QRect& box, const QPainterPath& path)
{
    p.resetTransform();
    p.translate(-box.left(), -box.top());
    const int rows = std::max(kMinBandRows, kSpansPerBand / SpansPerRow(path));
    // Bands start at the figure, not at the box with its margin for the pen: fewer of them.
    const QRectF bounds = path.boundingRect();
    const int first = int(std::max<double>(box.top(), std::floor(bounds.top())));
    const int last = int(std::min<double>(box.bottom(), std::ceil(bounds.bottom())));
    for (int top = first; top <= last; top += rows) {
        p.setClipRect(QRect(box.left(), top, box.width(), std::min(rows, last + 1 - top)));
        p.fillPath(path, QColor(0, 0, 0, 1));
    }
    return {first, last};
}

void Prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::CompositionMode_Source);
}

// One mask and painter kept for the fills of a thread: starting a painter costs more than
// filling a small figure. Masks above kMaxPixels are not kept.
class FillScratch {
public:
    static constexpr qsizetype kMaxPixels = 1 << 20;
    static FillScratch& OfThread()
    {
        thread_local FillScratch scratch;
        return scratch;
    }
    static bool Fits(const QSize& size) { return qsizetype(size.width()) * size.height() <= kMaxPixels; }
    QPainter& Painter(const QSize& size)
    {
        if (m_mask.width() < size.width() || m_mask.height() < size.height()) {
            if (m_painter.isActive())
                m_painter.end();
            m_mask = QImage(std::max(size.width(), m_mask.width()), std::max(size.height(), m_mask.height()),
                            QImage::Format_Alpha8);
            m_mask.fill(0);
            m_painter.begin(&m_mask);
            Prepare(m_painter);
        }
        return m_painter;
    }
    // The painted mask, to be cleared by the caller once read.
    uchar* Bits() { return m_mask.bits(); }
    qsizetype Stride() const { return m_mask.bytesPerLine(); }

private:
    QImage m_mask;
    QPainter m_painter;
};

// Moves the painted marks of a row into the coverage (as selects, so they become vector code)
// and leaves the painted row cleared.
void TakeMarks(uchar* painted, uint8_t* marks, int width)
{
    for (int x = 0; x < width; ++x)
        marks[x] = painted[x] ? painted[x] : marks[x];
    std::memset(painted, 0, static_cast<size_t>(width));
}

// The three corners of a path that is a closed triangle with whole-number corners inside box.
bool WholeTriangle(const QPainterPath& path, const QRect& box, QPoint corners[3])
{
    if (path.elementCount() != 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if ((i == 0) != e.isMoveTo() || (i > 0 && !e.isLineTo()))
            return false;
        if (e.x < box.left() || e.x > box.right() || e.y < box.top() || e.y > box.bottom())
            return false;
        const QPoint p(int(e.x), int(e.y));
        if (p.x() != e.x || p.y() != e.y)
            return false;
        if (i < 3)
            corners[i] = p;
        else if (p != corners[0])
            return false;
    }
    return true;
}

// Where an edge crosses the centre of row y (relative to the box), in 16.16 fixed point and
// half a pixel to the right, computed as the painter's scan converter does: its slope is cut to
// 16.16, and the crossing's whole part is the first pixel on the right of it. A horizontal edge
// crosses no row.
struct EdgeCrossing {
    EdgeCrossing(QPoint a, QPoint b)
    {
        if (a.y() > b.y())
            std::swap(a, b);
        top = a.y();
        bottom = b.y() - 1;
        start = (int64_t(a.x()) << 16) + 0x8000;
        if (a.x() != b.x() && a.y() != b.y()) {
            const double slope = double(b.x() - a.x()) / double(b.y() - a.y());
            step = int64_t(slope * 65536.0);  // cut toward zero, as the painter does
            start += (step * 0x8000) >> 16;
        }
    }
    bool Covers(int y) const { return y >= top && y <= bottom; }
    int64_t At(int y) const { return start + step * (y - top); }
    int top = 0;
    int bottom = 0;
    int64_t start = 0;
    int64_t step = 0;
};

}  // namespace

void Coverage::FillPath(const QPainterPath& path, Qt::FillRule rule)
{
    if (AxisRect(path)) {
        // Pixels whose centres lie inside.
        QRectF r = path.boundingRect();
        int left = int(std::ceil(r.left() - 0.5)), right = int(std::ceil(r.right() - 0.5));
        int top = int(std::ceil(r.top() - 0.5)), bottom = int(std::ceil(r.bottom() - 0.5));
        QRect fill = QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)).intersected(m_box);
        for (int y = fill.top(); y <= fill.bottom(); ++y)
            std::fill_n(&m_v[Index(fill.left(), y)], fill.width(), uint8_t(1));
        return;
    }
    if (m_box.isEmpty())
        return;
    QPoint corners[3];
    if (WholeTriangle(path, m_box, corners)) {
        FillTriangle(corners);
        return;
    }
    // A copy with another rule would copy the elements: most paths already have the rule asked for.
    QPainterPath ruled;
    if (path.fillRule() != rule) {
        ruled = path;
        ruled.setFillRule(rule);
    }
    const QPainterPath& filled = path.fillRule() == rule ? path : ruled;
    if (!FillScratch::Fits(m_box.size())) {
        // The painter writes the marks straight into the coverage: an alpha of 1 is the mark.
        QImage marks(m_v.data(), m_box.width(), m_box.height(), m_box.width(), QImage::Format_Alpha8);
        QPainter p(&marks);
        Prepare(p);
        PaintBands(p, m_box, filled);
        return;
    }
    FillScratch& scratch = FillScratch::OfThread();
    const auto [first, last] = PaintBands(scratch.Painter(m_box.size()), m_box, filled);
    if (first > last)
        return;
    const int width = m_box.width();
    const qsizetype stride = scratch.Stride();
    uchar* in = scratch.Bits() + (first - m_box.top()) * stride;
    for (int y = first - m_box.top(); y <= last - m_box.top(); ++y, in += stride)
        TakeMarks(in, &m_v[static_cast<size_t>(y) * width], width);
}

void Coverage::FillTriangle(const QPoint corners[3])
{
    QPoint p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = corners[i] - m_box.topLeft();
    const EdgeCrossing edges[3] = {{p[0], p[1]}, {p[1], p[2]}, {p[2], p[0]}};
    const int top = std::max(0, std::min({p[0].y(), p[1].y(), p[2].y()}));
    const int bottom = std::min(m_box.height() - 1, std::max({p[0].y(), p[1].y(), p[2].y()}) - 1);
    for (int y = top; y <= bottom; ++y) {
        int64_t crossings[3];
        int n = 0;
        for (const EdgeCrossing& e : edges)
            if (e.Covers(y))
                crossings[n++] = e.At(y);
        if (n != 2)
            continue;
        const int from = int(std::min(crossings[0], crossings[1]) >> 16);
        const int to = int(std::max(crossings[0], crossings[1]) >> 16);
        const int first = std::max(from, 0), last = std::min(to, m_box.width());
        uint8_t* row = &m_v[static_cast<size_t>(y) * m_box.width()];
        if (first < last)
            std::fill(row + first, row + last, uint8_t(1));
    }
}

// The loops below are written as selects so the compiler turns them into vector code.
void Coverage::MarkFrom(const QImage& mask)
{
    for (int y = 0; y < m_box.height(); ++y) {
        const uchar* row = mask.constScanLine(y);
        uint8_t* out = &m_v[static_cast<size_t>(y) * m_box.width()];
        for (int x = 0; x < m_box.width(); ++x)
            out[x] = row[x] >= 128 ? uint8_t(1) : out[x];
    }
}

void Coverage::Subtract(const Coverage& other)
{
    QRect common = m_box.intersected(other.box());
    for (int y = common.top(); y <= common.bottom(); ++y) {
        const uint8_t* theirs = other.Row(y) - other.box().left();
        uint8_t* mine = &m_v[Index(m_box.left(), y)] - m_box.left();
        for (int x = common.left(); x <= common.right(); ++x)
            mine[x] = theirs[x] ? uint8_t(0) : mine[x];
    }
}

namespace {

// The first byte from p on that differs from v, eight bytes at a time.
const uint8_t* SkipEqual(const uint8_t* p, const uint8_t* end, uint8_t v)
{
    static_assert(std::endian::native == std::endian::little);
    const uint64_t all = 0x0101010101010101ull * v;
    for (; end - p >= 8; p += 8) {
        if (const uint64_t differ = Load8(p) ^ all)
            return p + (std::countr_zero(differ) >> 3);
    }
    while (p != end && *p == v)
        ++p;
    return p;
}

// The first byte from p on that equals v, eight bytes at a time: rows of a figure are short,
// so a library call per run would cost more than the scan.
const uint8_t* FindByte(const uint8_t* p, const uint8_t* end, uint8_t v)
{
    const uint64_t all = 0x0101010101010101ull * v;
    for (; end - p >= 8; p += 8) {
        const uint64_t word = Load8(p);
        if (v != 0 && word == 0)
            continue;  // most of a figure's box is empty
        const uint64_t zeroes = word ^ all;
        // The lowest set bit marks the first zero byte exactly; higher ones may be borrows.
        if (uint64_t found = (zeroes - 0x0101010101010101ull) & ~zeroes & 0x8080808080808080ull)
            return p + (std::countr_zero(found) >> 3);
    }
    while (p != end && *p != v)
        ++p;
    return p;
}

// Calls span(first, last) for each run of bytes equal to `mark` (mark 0: of nonzero bytes),
// so the pixels between runs are never touched.
template <typename Span>
void ForEachRun(const uint8_t* marks, int width, uint8_t mark, Span span)
{
    const uint8_t* end = marks + width;
    const uint8_t* run = mark ? FindByte(marks, end, mark) : SkipEqual(marks, end, 0);
    while (run != end) {
        const uint8_t* after = mark ? SkipEqual(run, end, mark) : FindByte(run, end, 0);
        span(int(run - marks), int(after - marks));
        run = mark ? FindByte(after, end, mark) : SkipEqual(after, end, 0);
    }
}

}  // namespace

namespace {

// The mixing of one run takes its values as arguments: stores into the surface could otherwise
// alias captured values, which the compiler would then reload for every pixel.
// Wide stores where the processor has them: a page's background is the largest fill there is.
// (A byte fill would write a page past the cache, leaving the drawing after it to read memory.)
__attribute__((target_clones("avx2", "default"))) void StorePixels(QRgb* first, QRgb* last, QRgb colour)
{
    std::fill(first, last, colour);
}

void MixSolidRun(QRgb* row, int first, int last, QRgb opaque, int rop2)
{
    if (rop2 == R2_COPYPEN) {
        StorePixels(row + first, row + last, opaque);
        return;
    }
    for (int x = first; x < last; ++x)
        row[x] = 0xFF000000u | Rop2(rop2, opaque & 0xFFFFFF, row[x] & 0xFFFFFF);
}

// Mixes a pattern row from the given pattern column on, -1 entries leaving their pixel alone.
void MixTileRun(QRgb* row, int first, int last, const int64_t* colours, int column, int period, int rop2)
{
    for (int x = first; x < last; ++x) {
        const int64_t c = colours[column];
        if (c >= 0)
            row[x] = 0xFF000000u | Rop2(rop2, static_cast<DWORD>(c) & 0xFFFFFF, row[x] & 0xFFFFFF);
        column = column + 1 == period ? 0 : column + 1;
    }
}

// Copies a brush that paints every pixel: each pattern row is laid out once across the box, and
// the runs copy from it.
// An opaque brush's pattern rows, each laid out once across the box.
class PatternLines {
public:
    PatternLines(const BrushTile& tile, const QRect& box) : m_tile(tile), m_box(box)
    {
        const int width = box.width();
        m_lines.resize(static_cast<size_t>(tile.Height()) * width);
        for (int index = 0; index < tile.Height(); ++index) {
            const int64_t* colours = tile.PatternRow(index);
            QRgb* line = &m_lines[static_cast<size_t>(index) * width];
            for (int i = 0, column = tile.Column(box.left()); i < width; ++i) {
                line[i] = 0xFF000000u | (static_cast<DWORD>(colours[column]) & 0xFFFFFF);
                column = column + 1 == tile.Width() ? 0 : column + 1;
            }
        }
    }
    // The colours of device row y from device column x on.
    const QRgb* At(int x, int y) const
    {
        return &m_lines[static_cast<size_t>(m_tile.RowIndex(y)) * m_box.width()] + (x - m_box.left());
    }

private:
    const BrushTile& m_tile;
    QRect m_box;
    std::vector<QRgb> m_lines;
};

// Copies a brush that paints every pixel from its laid-out pattern rows.
void CopyTile(const Dc& dc, QImage& surface, const Coverage& cov, const BrushTile& tile)
{
    const QRect box = cov.box();
    const PatternLines lines(tile, box);
    uchar* bits = surface.bits();
    const qsizetype stride = surface.bytesPerLine();
    ForEachDrawable(dc, surface, box, [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride) + r.left();
            const uint8_t* marks = cov.Row(y) + (r.left() - box.left());
            const QRgb* line = lines.At(r.left(), y);
            ForEachRun(marks, r.width(), 0, [=](int first, int last) { std::copy(line + first, line + last, row + first); });
        }
    });
}

// The colours of one figure drawn by copying: the pen, the pen's gaps where shown, and the fill
// (one colour, or a pattern row; none without a fill).
struct FigureColours {
    QRgb pen = 0;
    bool gaps = false;
    QRgb gap = 0;
    QRgb fill = 0;
    const QRgb* pattern = nullptr;
    QRgb Fill(int x) const { return pattern ? pattern[x] : fill; }
};

// One pixel: the pen over the fill, its gaps in the gap colour or left alone.
void CopyFigurePixel(QRgb& out, uint8_t pen, uint8_t fill, const FigureColours& c, int x)
{
    if (pen == 1)
        out = c.pen;
    else if (pen == 2) {
        if (c.gaps)
            out = c.gap;
    } else if (fill) {
        out = c.Fill(x);
    }
}

constexpr uint64_t kByteOnes = 0x0101010101010101ull;

// Byte i is 1 where byte i of word is not zero, else 0.
uint64_t NonZeroBytes(uint64_t word)
{
    word |= word >> 4;
    word |= word >> 2;
    word |= word >> 1;
    return word & kByteOnes;
}

// Calls visit(i) for each byte i of ones (bytes of 0 or 1) that is 1.
template <typename Visit>
void ForEachByte(uint64_t ones, Visit visit)
{
    static_assert(std::endian::native == std::endian::little, "byte i of a loaded word is bits 8i..8i+7");
    for (; ones != 0; ones &= ones - 1)
        visit(std::countr_zero(ones) / 8);
}

// Eight pixels as CopyFigurePixel draws them, from their loaded pen and fill marks: a figure's
// edge leaves only a few marked pixels in them, so marked bytes are visited rather than all eight.
void CopyFigureChunk(QRgb* row, uint64_t pen, uint64_t fill, const FigureColours& c, int x)
{
    ForEachByte(NonZeroBytes(fill) & ~NonZeroBytes(pen), [&](int i) { row[x + i] = c.Fill(x + i); });
    ForEachByte(pen & kByteOnes, [&](int i) { row[x + i] = c.pen; });
    if (c.gaps)
        ForEachByte((pen >> 1) & kByteOnes, [&](int i) { row[x + i] = c.gap; });
}

// One row of a figure, eight pixels at a time where the pen leaves them to the fill or to nothing:
// runs the fill covers whole are stored at once.
void CopyFigureRow(QRgb* row, const uint8_t* pen, const uint8_t* fill, int width, const FigureColours& c)
{
    constexpr uint64_t kAllFilled = kByteOnes;
    auto filled = [&](int x) { return fill ? Load8(fill + x) : 0; };
    int x = 0;
    while (x + 8 <= width) {
        const uint64_t marks = Load8(pen + x), covered = filled(x);
        if (marks != 0 || (covered != 0 && covered != kAllFilled))
            CopyFigureChunk(row, marks, covered, c, x);
        if (marks != 0 || covered != kAllFilled) {
            x += 8;
            continue;
        }
        int end = x + 8;
        while (end + 8 <= width && Load8(pen + end) == 0 && filled(end) == kAllFilled)
            end += 8;
        if (c.pattern)
            std::copy(c.pattern + x, c.pattern + end, row + x);
        else
            std::fill(row + x, row + end, c.fill);
        x = end;
    }
    for (; x < width; ++x)
        CopyFigurePixel(row[x], pen[x], fill ? fill[x] : 0, c, x);
}

}  // namespace

void MixRect(QImage& surface, const QRect& rect, DWORD colour, int rop2)
{
    uchar* bits = surface.bits();
    const qsizetype stride = surface.bytesPerLine();
    const QRgb opaque = 0xFF000000u | (colour & 0xFFFFFF);
    // Whole rows of a surface without padding lie end to end: one run covers them all.
    if (rop2 == R2_COPYPEN && rect.left() == 0 && rect.width() == surface.width() &&
        stride == qsizetype(surface.width()) * qsizetype(sizeof(QRgb))) {
        auto* first = reinterpret_cast<QRgb*>(bits + rect.top() * stride);
        StorePixels(first, first + qsizetype(rect.height()) * surface.width(), opaque);
        return;
    }
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        MixSolidRun(reinterpret_cast<QRgb*>(bits + y * stride), rect.left(), rect.right() + 1, opaque, rop2);
}

void CompositeSolid(const Dc& dc, QImage& surface, const Coverage& cov, int rop2, uint8_t mark, DWORD colour)
{
    uchar* bits = surface.bits();
    const qsizetype stride = surface.bytesPerLine();
    const QRgb opaque = 0xFF000000u | (colour & 0xFFFFFF);
    ForEachDrawable(dc, surface, cov.box(), [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride) + r.left();
            const uint8_t* marks = cov.Row(y) + (r.left() - cov.box().left());
            ForEachRun(marks, r.width(), mark, [=](int first, int last) { MixSolidRun(row, first, last, opaque, rop2); });
        }
    });
}

void CompositeTile(const Dc& dc, QImage& surface, const Coverage& cov, int rop2, const BrushTile& tile)
{
    if (rop2 == R2_COPYPEN && tile.IsOpaque()) {
        CopyTile(dc, surface, cov, tile);
        return;
    }
    uchar* bits = surface.bits();
    const qsizetype stride = surface.bytesPerLine();
    ForEachDrawable(dc, surface, cov.box(), [&](const QRect& r) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride) + r.left();
            const uint8_t* marks = cov.Row(y) + (r.left() - cov.box().left());
            const int64_t* colours = tile.Row(y);
            const int left = r.left(), period = tile.Width();
            ForEachRun(marks, r.width(), 0, [&, row, colours, left, period](int first, int last) {
                MixTileRun(row, first, last, colours, tile.Column(left + first), period, rop2);
            });
        }
    });
}

bool CopyFigure(const Dc& dc, QImage& surface, const Coverage& pen, const Coverage* fill, const Brush* brush)
{
    const std::optional<QRect> drawable = DrawableRect(dc, surface);
    if (dc.a.rop2 != R2_COPYPEN || !drawable || (fill && (!brush || fill->box() != pen.box())))
        return false;
    FigureColours colours;
    if (dc.a.pen) {
        colours.pen = 0xFF000000u | (DeviceColor(dc, dc.a.pen->color) & 0xFFFFFF);
        colours.gaps = dc.a.bkMode == OPAQUE;
        colours.gap = 0xFF000000u | (DeviceColor(dc, dc.a.bkColor) & 0xFFFFFF);
    }
    const QRect box = pen.box();
    std::optional<BrushTile> tile;
    std::optional<PatternLines> lines;
    if (fill && brush->style == BS_SOLID) {
        colours.fill = 0xFF000000u | (DeviceColor(dc, brush->color) & 0xFFFFFF);
    } else if (fill) {
        tile.emplace(dc, *brush, box);
        if (!tile->IsOpaque())
            return false;
        lines.emplace(*tile, box);
    }
    const QRect area = drawable->intersected(box);
    uchar* bits = surface.bits();
    const qsizetype stride = surface.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(bits + y * stride) + area.left();
        const int skip = area.left() - box.left();
        if (lines)
            colours.pattern = lines->At(area.left(), y);
        CopyFigureRow(row, pen.Row(y) + skip, fill ? fill->Row(y) + skip : nullptr, area.width(), colours);
    }
    return true;
}

Dashes::Dashes(int style)
{
    switch (style) {
    case PS_DASH: runs = {18, 6}; break;
    case PS_DOT: runs = {3, 3}; break;
    case PS_DASHDOT: runs = {9, 6, 3, 6}; break;
    case PS_DASHDOTDOT: runs = {9, 3, 3, 3, 3, 3}; break;
    default: break;
    }
    if (!runs.empty())
        left = runs[0];
}

uint8_t Dashes::NextOfPattern()
{
    while (left == 0) {
        run = (run + 1) % runs.size();
        left = runs[run];
    }
    --left;
    return run % 2 == 0 ? 1 : 2;
}

namespace {

// Cuts a very long segment down to the box (plus a margin) so the step loop stays short.
bool ClipSegment(QPoint& a, QPoint& b, const QRect& box)
{
    int64_t len = std::max(std::llabs(int64_t(b.x()) - a.x()), std::llabs(int64_t(b.y()) - a.y()));
    if (len <= 4 * int64_t(box.width() + box.height()) + 16)
        return true;
    QRectF r = QRectF(box).adjusted(-2, -2, 2, 2);
    double x0 = a.x(), y0 = a.y(), dx = double(b.x()) - x0, dy = double(b.y()) - y0;
    double t0 = 0, t1 = 1;
    auto edge = [&](double p, double q) {
        if (p == 0)
            return q >= 0;
        double t = q / p;
        if (p < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        return t0 <= t1;
    };
    if (!edge(-dx, x0 - r.left()) || !edge(dx, r.right() - x0) || !edge(-dy, y0 - r.top()) ||
        !edge(dy, r.bottom() - y0))
        return false;
    QPoint na(int(std::lround(x0 + t0 * dx)), int(std::lround(y0 + t0 * dy)));
    QPoint nb(int(std::lround(x0 + t1 * dx)), int(std::lround(y0 + t1 * dy)));
    if (t1 < 1)
        nb += QPoint(dx > 0 ? 1 : dx < 0 ? -1 : 0, dy > 0 ? 1 : dy < 0 ? -1 : 0);
    a = na;
    b = nb;
    return true;
}

// The pixels from a to b, the last one left out, each handed to plot(x, y).
template <typename Plot>
void StepLine(QPoint a, QPoint b, Plot plot)
{
    int dx = std::abs(b.x() - a.x()), dy = std::abs(b.y() - a.y());
    int sx = a.x() < b.x() ? 1 : -1, sy = a.y() < b.y() ? 1 : -1;
    int x = a.x(), y = a.y();
    if (dx >= dy) {
        int err = 2 * dy - dx;
        for (int i = 0; i < dx; ++i) {
            plot(x, y);
            if (err > 0) {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < dy; ++i) {
            plot(x, y);
            if (err > 0) {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
}

}  // namespace

void PlotLine(Coverage& cov, QPoint a, QPoint b, Dashes& dashes)
{
    const QPoint start = a;
    if (!ClipSegment(a, b, cov.box()))
        return;
    // A cut line keeps its pattern: any part of the window repaints the same dots.
    if (!dashes.runs.empty()) {
        const int64_t skipped = std::max(std::llabs(int64_t(a.x()) - start.x()), std::llabs(int64_t(a.y()) - start.y()));
        const int period = std::accumulate(dashes.runs.begin(), dashes.runs.end(), 0);
        for (int64_t i = 0; i < skipped % period; ++i)
            dashes.NextOfPattern();
    }
    cov.Line(a, b, dashes);
}

void Coverage::Line(QPoint a, QPoint b, Dashes& dashes)
{
    // Locals, not members: a store into the marks could otherwise change them as far as the
    // compiler knows, and it would read them again for every pixel.
    const int left = m_box.left(), top = m_box.top(), right = m_box.right(), bottom = m_box.bottom();
    const size_t width = static_cast<size_t>(m_box.width());
    uint8_t* const marks = m_v.data();
    const bool solid = dashes.runs.empty();
    bool gaps = false;
    StepLine(a, b, [=, &dashes, &gaps](int x, int y) {
        const uint8_t v = solid ? 1 : dashes.NextOfPattern();
        if (x >= left && x <= right && y >= top && y <= bottom) {
            marks[static_cast<size_t>(y - top) * width + (x - left)] = v;
            gaps |= v == 2;
        }
    });
    m_gaps |= gaps;
}

void PlotPolyline(Coverage& cov, const QPolygon& pts, int penStyle)
{
    PlotPolyline(cov, pts, penStyle, pts.boundingRect());
}

void PlotPolyline(Coverage& cov, const QPolygon& pts, int penStyle, const QRect& extent)
{
    Dashes dashes(penStyle);
    // A solid line inside the box (the common pen stroke) needs no cutting and no check per pixel.
    if (dashes.runs.empty() && cov.box().contains(extent)) {
        for (int i = 1; i < pts.size(); ++i)
            StepLine(pts[i - 1], pts[i], [&](int x, int y) { cov.SetInside(x, y); });
        return;
    }
    for (int i = 1; i < pts.size(); ++i)
        PlotLine(cov, pts[i - 1], pts[i], dashes);
}

DWORD Rop3(BYTE code, DWORD pat, DWORD src, DWORD dst)
{
    switch (code) {
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFF;
    case 0xCC: return src;
    case 0x33: return ~src & 0xFFFFFF;
    case 0x66: return src ^ dst;
    case 0x88: return src & dst;
    case 0xEE: return src | dst;
    case 0xF0: return pat;
    case 0x5A: return pat ^ dst;
    case 0x55: return ~dst & 0xFFFFFF;
    default: break;
    }
    DWORD r = 0;
    for (int i = 0; i < 8; ++i) {
        if (!(code & (1u << i)))
            continue;
        r |= ((i & 4) ? pat : ~pat) & ((i & 2) ? src : ~src) & ((i & 1) ? dst : ~dst);
    }
    return r & 0xFFFFFF;
}

QRegion DrawableArea(const Dc& dc, const QImage& surface)
{
    QRegion area(surface.rect());
    if (dc.a.clip)
        area = area.intersected(*dc.a.clip);
    return area;
}

QRect DrawableBounds(const Dc& dc, const QImage& surface)
{
    const std::optional<QRect> drawable = DrawableRect(dc, surface);
    return drawable ? *drawable : DrawableArea(dc, surface).boundingRect();
}

std::optional<QRect> DrawableRect(const Dc& dc, const QImage& surface)
{
    if (!dc.a.clip)
        return surface.rect();
    if (dc.a.clip->rectCount() > 1)
        return std::nullopt;
    return surface.rect().intersected(dc.a.clip->boundingRect());
}

namespace {

bool HatchBit(int hatch, int x, int y)
{
    switch (hatch) {
    case HS_HORIZONTAL: return y == 7;
    case HS_VERTICAL: return x == 7;
    case HS_FDIAGONAL: return x == y;
    case HS_BDIAGONAL: return x + y == 7;
    case HS_CROSS: return x == 7 || y == 7;
    case HS_DIAGCROSS: return x == y || x + y == 7;
    default: return false;
    }
}

}  // namespace

int64_t BrushColourAt(const Dc& dc, const Brush& brush, int x, int y)
{
    switch (brush.style) {
    case BS_SOLID: return DeviceColor(dc, brush.color);
    case BS_HATCHED: {
        int px = (x - dc.a.brushOrg.x) & 7, py = (y - dc.a.brushOrg.y) & 7;
        if (HatchBit(brush.hatch, px, py))
            return DeviceColor(dc, brush.color);
        return dc.a.bkMode == OPAQUE ? int64_t(DeviceColor(dc, dc.a.bkColor)) : -1;
    }
    case BS_PATTERN:
    case BS_DIBPATTERN: {
        if (brush.pattern.isNull())
            return -1;
        int w = brush.pattern.width(), h = brush.pattern.height();
        int px = ((x - dc.a.brushOrg.x) % w + w) % w, py = ((y - dc.a.brushOrg.y) % h + h) % h;
        QRgb c = brush.pattern.pixel(px, py);
        if (brush.monoPattern)
            return DeviceColor(dc, (c & 0xFFFFFF) ? dc.a.bkColor : dc.a.textColor);
        return DeviceColor(dc, ToColorRef(c));
    }
    default: return -1;
    }
}

BrushTile::BrushTile(const Dc& dc, const Brush& brush, const QRect& area)
    : m_org(dc.a.brushOrg.x, dc.a.brushOrg.y)
{
    m_solid = brush.style == BS_SOLID;
    if (brush.style == BS_HATCHED) {
        m_width = m_height = 8;
    } else if ((brush.style == BS_PATTERN || brush.style == BS_DIBPATTERN) && !brush.pattern.isNull()) {
        m_width = brush.pattern.width();
        m_height = brush.pattern.height();
    }
    if (m_width > area.width() && area.width() > 0) {
        m_width = area.width();
        m_org.setX(area.left());
    }
    if (m_height > area.height() && area.height() > 0) {
        m_height = area.height();
        m_org.setY(area.top());
    }
    m_colours.resize(static_cast<size_t>(m_width) * m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            m_colours[static_cast<size_t>(y) * m_width + x] = BrushColourAt(dc, brush, m_org.x() + x, m_org.y() + y);
    m_opaque = std::none_of(m_colours.begin(), m_colours.end(), [](int64_t c) { return c < 0; });
}

}  // namespace gdi
