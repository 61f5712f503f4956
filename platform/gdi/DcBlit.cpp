#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Recorder.h"

#include <cmath>
#include <cstring>

using namespace gdi;

namespace {

Dc* D(HDC h) { return LookupDc(h); }

bool UsesSource(DWORD rop)
{
    BYTE code = BYTE(rop >> 16);
    return ((code >> 2) & 0x33) != (code & 0x33);
}

bool UsesPattern(DWORD rop)
{
    BYTE code = BYTE(rop >> 16);
    return ((code >> 4) & 0x0F) != (code & 0x0F);
}

// The source pixels as the destination sees them: monochrome sources take the destination's
// text and background colours, colour sources going to monochrome compare with the source's
// background colour.
QRgb ConvertSource(const Dc& dst, const Dc& src, QRgb c)
{
    if (src.Mono() && !dst.Mono())
        return (c & 0xFFFFFF) ? DeviceColor(dst, dst.a.bkColor) : DeviceColor(dst, dst.a.textColor);
    if (!src.Mono() && dst.Mono())
        return (c & 0xFFFFFF) == (ToRgb(Resolve(src, src.a.bkColor)) & 0xFFFFFF) ? qRgb(255, 255, 255)
                                                                                 : qRgb(0, 0, 0);
    return c;
}

struct Span {
    int start;   // device start
    int length;  // device length, positive
    bool mirrored;
};

// A reversed extent covers the pixels from its start back to one past its end.
Span DeviceSpan(int a, int b)
{
    return a <= b ? Span{a, b - a, false} : Span{b + 1, a - b, true};
}

// Source index for destination index i, nearest sample.
int SourceIndex(int i, const Span& dst, const Span& src)
{
    int j = int((int64_t(i) * 2 + 1) * src.length / (int64_t(dst.length) * 2));
    return dst.mirrored != src.mirrored ? src.length - 1 - j : j;
}

// Source pixels [lo, hi) that destination index i covers when shrinking.
std::pair<int, int> SourceRange(int i, const Span& dst, const Span& src)
{
    int lo = int(int64_t(i) * src.length / dst.length);
    int hi = std::max(lo + 1, int(int64_t(i + 1) * src.length / dst.length));
    if (dst.mirrored != src.mirrored)
        return {src.length - hi, src.length - lo};
    return {lo, hi};
}

// The part of the source rectangle that lies on the source surface, as the destination sees
// it; span index (i, j) is pixel (i - ox, j - oy), anything else is outside.
struct Source {
    QImage pixels;
    int ox = 0;
    int oy = 0;
    const QRgb* Row(int j) const
    {
        int y = j - oy;
        return y >= 0 && y < pixels.height() ? reinterpret_cast<const QRgb*>(pixels.constScanLine(y)) : nullptr;
    }
    bool Has(int i) const { return i - ox >= 0 && i - ox < pixels.width(); }
};

Source SourcePixels(const Dc& dst, const Dc& src, const QImage& surface, const Span& sx, const Span& sy)
{
    QRect have = QRect(sx.start, sy.start, sx.length, sy.length).intersected(surface.rect());
    Source s;
    s.ox = have.left() - sx.start;
    s.oy = have.top() - sy.start;
    if (have.isEmpty())
        return s;
    s.pixels = surface.copy(have);  // a copy, so overlapping blits within one surface read the old pixels
    if (src.Mono() == dst.Mono())
        return s;
    for (int j = 0; j < s.pixels.height(); ++j) {
        auto* row = reinterpret_cast<QRgb*>(s.pixels.scanLine(j));
        for (int i = 0; i < s.pixels.width(); ++i)
            row[i] = ConvertSource(dst, src, row[i]);
    }
    return s;
}

// One source pixel for a shrinking blit in the AND, OR or average stretch modes.
QRgb Combine(const Source& source, int x0, int x1, int y0, int y1, int mode)
{
    DWORD acc = mode == BLACKONWHITE ? 0xFFFFFF : 0;
    int64_t r = 0, g = 0, b = 0, n = 0;
    // Only the part of the range that has pixels.
    x0 = std::max(x0, source.ox), x1 = std::min(x1, source.ox + source.pixels.width());
    y0 = std::max(y0, source.oy), y1 = std::min(y1, source.oy + source.pixels.height());
    for (int y = y0; y < y1; ++y) {
        const QRgb* row = source.Row(y);
        for (int x = x0; x < x1; ++x) {
            QRgb c = row[x - source.ox];
            if (mode == BLACKONWHITE)
                acc &= c;
            else if (mode == WHITEONBLACK)
                acc |= c;
            r += qRed(c), g += qGreen(c), b += qBlue(c), ++n;
        }
    }
    if (n == 0)
        return 0x00FFFFFFu;
    if (mode == HALFTONE)
        return qRgb(int(r / n), int(g / n), int(b / n));
    return 0xFF000000u | (acc & 0xFFFFFF);
}

bool PlainCopy(BYTE code, const Span& dx, const Span& dy, const Span& sx, const Span& sy)
{
    return code == 0xCC && dx.length == sx.length && dy.length == sy.length && dx.mirrored == sx.mirrored &&
           dy.mirrored == sy.mirrored && !dx.mirrored && !dy.mirrored;
}

// Where a plain copy's device rectangles lie on the two surfaces.
struct CopyPlacement {
    QPoint dst;  // device top left of the copy on the destination
    QPoint src;  // and on the source
};

// Every pixel of the run is fully opaque, as drawn pixels are: one AND over the run, which the
// compiler vectorises. A run with any other alpha takes the pixel by pixel copy.
__attribute__((target_clones("avx2", "default"))) bool AllOpaque(const QRgb* run, size_t count)
{
    QRgb all = 0xFFFFFFFFu;
    for (size_t i = 0; i < count; ++i)
        all &= run[i];
    return qAlpha(all) == 0xFF;
}

// Copies the source's own pixels row by row into the drawable part of the destination
// rectangle, leaving pixels alone where the source has none (off its surface or transparent),
// as the general loop does for a copy without scaling or conversion. Used where the two
// surfaces differ, so no read sees a pixel this copy wrote.
void CopyRows(const Dc& dst, QImage& out, const QImage& in, const CopyPlacement& at, QSize size)
{
    ForEachDrawable(dst, out, QRect(at.dst, size), [&](const QRect& r) {
        const int dx = at.src.x() - at.dst.x(), dy = at.src.y() - at.dst.y();
        const QRect from = r.translated(dx, dy).intersected(in.rect());
        for (int sy = from.top(); sy <= from.bottom(); ++sy) {
            const auto* source = reinterpret_cast<const QRgb*>(in.constScanLine(sy));
            auto* row = reinterpret_cast<QRgb*>(out.scanLine(sy - dy)) - dx;
            if (AllOpaque(source + from.left(), size_t(from.width()))) {
                std::memcpy(row + from.left(), source + from.left(), size_t(from.width()) * sizeof(QRgb));
                continue;
            }
            for (int sx = from.left(); sx <= from.right(); ++sx)
                if (qAlpha(source[sx]) != 0)
                    row[sx] = source[sx];
        }
    });
}

// A copy without scaling, mirroring, pattern or colour conversion between two surfaces, done
// without the general loop's copy of the source and per-pixel mixing; false when it is not one.
bool BlitPlain(Dc& dst, QImage& out, const Dc& src, const Span& dx, const Span& dy, QPoint s0, QPoint s1, DWORD rop)
{
    const Span sx = DeviceSpan(s0.x(), s1.x()), sy = DeviceSpan(s0.y(), s1.y());
    if (!PlainCopy(BYTE(rop >> 16), dx, dy, sx, sy) || src.Mono() != dst.Mono())
        return false;
    DrawScope srcScope(const_cast<Dc&>(src), false);
    const QImage* in = srcScope.surface();
    if (!in || in == &out || in->format() != out.format())
        return false;
    CopyRows(dst, out, *in, {QPoint(dx.start, dy.start), QPoint(sx.start, sy.start)}, QSize(dx.length, dy.length));
    return true;
}

BOOL Blit(Dc& dst, int x, int y, int w, int h, Dc* src, int xs, int ys, int ws, int hs, DWORD rop)
{
    bool needSource = UsesSource(rop), needPattern = UsesPattern(rop);
    if (needSource && !src)
        return FALSE;
    DrawScope dstScope(dst);
    QImage* out = dstScope.surface();
    QPoint d0 = ToDevice(dst, {x, y}), d1 = ToDevice(dst, {Sum(x, w), Sum(y, h)});
    Span dx = DeviceSpan(d0.x(), d1.x()), dy = DeviceSpan(d0.y(), d1.y());
    if (!out || dx.length == 0 || dy.length == 0)
        return TRUE;
    if (needSource && BlitPlain(dst, *out, *src, dx, dy, ToDevice(*src, {xs, ys}), ToDevice(*src, {Sum(xs, ws), Sum(ys, hs)}),
                                rop))
        return TRUE;
    Source source;
    Span sx{0, 1, false}, sy{0, 1, false};
    if (needSource) {
        DrawScope srcScope(*src, false);
        if (!srcScope.surface())
            return FALSE;
        QPoint s0 = ToDevice(*src, {xs, ys}), s1 = ToDevice(*src, {Sum(xs, ws), Sum(ys, hs)});
        sx = DeviceSpan(s0.x(), s1.x());
        sy = DeviceSpan(s0.y(), s1.y());
        if (sx.length == 0 || sy.length == 0)
            return TRUE;
        source = SourcePixels(dst, *src, *srcScope.surface(), sx, sy);
    }
    QRegion area = DrawableArea(dst, *out).intersected(QRect(dx.start, dy.start, dx.length, dy.length));
    QRect visible = area.boundingRect();
    if (visible.isEmpty())
        return TRUE;
    BYTE code = BYTE(rop >> 16);
    const Brush* brush = needPattern ? dst.a.brush : nullptr;
    DWORD bk = DeviceColor(dst, dst.a.bkColor) & 0xFFFFFF;
    bool shrinking = needSource && dst.a.stretchMode != COLORONCOLOR && (sx.length > dx.length || sy.length > dy.length);
    bool plain = needSource && PlainCopy(code, dx, dy, sx, sy);
    std::vector<int> column(size_t(visible.width()));
    for (int i = 0; i < visible.width(); ++i)
        column[size_t(i)] = SourceIndex(visible.left() + i - dx.start, dx, sx);
    for (const QRect& r : area) {
        for (int py = r.top(); py <= r.bottom(); ++py) {
            auto* row = reinterpret_cast<QRgb*>(out->scanLine(py));
            int j = SourceIndex(py - dy.start, dy, sy);
            const QRgb* srow = needSource ? source.Row(j) : nullptr;
            if (needSource && !srow && !shrinking)
                continue;
            for (int px = r.left(); px <= r.right(); ++px) {
                DWORD s = 0;
                if (needSource) {
                    int i = column[size_t(px - visible.left())];
                    QRgb c = srow && source.Has(i) ? srow[i - source.ox] : 0x00FFFFFFu;
                    if (shrinking) {
                        auto [x0, x1] = SourceRange(px - dx.start, dx, sx);
                        auto [y0, y1] = SourceRange(py - dy.start, dy, sy);
                        c = Combine(source, x0, x1, y0, y1, dst.a.stretchMode);
                    }
                    if (qAlpha(c) == 0)
                        continue;
                    if (plain) {
                        row[px] = c;
                        continue;
                    }
                    s = c & 0xFFFFFF;
                }
                DWORD p = 0;
                if (brush) {
                    int64_t c = BrushColourAt(dst, *brush, px, py);
                    p = c >= 0 ? DWORD(c) & 0xFFFFFF : bk;
                }
                row[px] = 0xFF000000u | Rop3(code, p, s, row[px] & 0xFFFFFF);
            }
        }
    }
    return TRUE;
}

}  // namespace

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    Dc* dc = D(m_hDC);
    if (!dc || UsesSource(rop))
        return FALSE;
    RecordBlit(m_hDC, RECT{x, y, width, height}, nullptr, RECT{}, rop);
    if (dc->a.brush && dc->a.brush->style == BS_NULL && UsesPattern(rop))
        return TRUE;
    return Blit(*dc, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    Dc* s = src ? D(src->m_hDC) : nullptr;
    if (!s)
        return Blit(*dc, x, y, width, height, nullptr, 0, 0, 0, 0, rop);
    // The source extent is the destination extent carried through both mappings.
    SIZE size{width, height};
    LPtoDP(&size);
    src->DPtoLP(&size);
    int ws = width < 0 ? -size.cx : size.cx, hs = height < 0 ? -size.cy : size.cy;
    RecordBlit(m_hDC, RECT{x, y, width, height}, s, RECT{xSrc, ySrc, ws, hs}, rop);
    return Blit(*dc, x, y, width, height, s, xSrc, ySrc, ws, hs, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                     int srcHeight, DWORD rop)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    Dc* s = src ? D(src->m_hDC) : nullptr;
    RecordBlit(m_hDC, RECT{x, y, width, height}, s, RECT{xSrc, ySrc, srcWidth, srcHeight}, rop);
    return Blit(*dc, x, y, width, height, s, xSrc, ySrc, srcWidth, srcHeight, rop);
}

namespace {

// One row of a keyed copy: pixels the source lacks count as black, as in a fresh bitmap.
void CopyKeyedRow(QRgb* row, const QRgb* source, int sourceWidth, const std::vector<int>& column, int left,
                  int right, QRgb key)
{
    for (int px = left; px <= right; ++px) {
        const int i = column[size_t(px - left)];
        QRgb c = source && i >= 0 && i < sourceWidth ? source[i] : 0xFF000000u;
        if (qAlpha(c) == 0)
            c = 0xFF000000u;
        if ((c & 0xFFFFFF) != key)
            row[px] = 0xFF000000u | c;
    }
}

}  // namespace

BOOL CDC::TransparentBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                         int srcHeight, UINT transparent)
{
    Dc* dc = D(m_hDC);
    Dc* s = src ? D(src->m_hDC) : nullptr;
    if (!dc || !s || RecorderOf(m_hDC) || dc->Mono() || s->Mono())
        return FALSE;
    const QPoint d0 = ToDevice(*dc, {x, y}), d1 = ToDevice(*dc, {Sum(x, width), Sum(y, height)});
    if (width <= 0 || height <= 0 || d1 - d0 != QPoint(width, height))
        return FALSE;
    DrawScope dstScope(*dc);
    QImage* out = dstScope.surface();
    DrawScope srcScope(*s, false);
    const QImage* in = srcScope.surface();
    if (!out || !in || in == out)
        return out ? FALSE : TRUE;
    const QPoint s0 = ToDevice(*s, {xSrc, ySrc}), s1 = ToDevice(*s, {Sum(xSrc, srcWidth), Sum(ySrc, srcHeight)});
    const Span sx = DeviceSpan(s0.x(), s1.x()), sy = DeviceSpan(s0.y(), s1.y());
    const Span dx{d0.x(), width, false}, dy{d0.y(), height, false};
    const bool none = sx.length == 0 || sy.length == 0;
    const QRgb key = ToRgb(Resolve(*s, transparent)) & 0xFFFFFF;
    uchar* bits = out->bits();
    const qsizetype stride = out->bytesPerLine();
    ForEachDrawable(*dc, *out, QRect(d0, QSize(width, height)), [&](const QRect& r) {
        std::vector<int> column(size_t(r.width()));
        for (int px = r.left(); px <= r.right(); ++px)
            column[size_t(px - r.left())] = none ? -1 : sx.start + SourceIndex(px - dx.start, dx, sx);
        for (int py = r.top(); py <= r.bottom(); ++py) {
            const int j = none ? -1 : sy.start + SourceIndex(py - dy.start, dy, sy);
            const QRgb* source = j >= 0 && j < in->height() ? reinterpret_cast<const QRgb*>(in->constScanLine(j)) : nullptr;
            auto* row = reinterpret_cast<QRgb*>(bits + py * stride);
            CopyKeyedRow(row, source, in->width(), column, r.left(), r.right(), key);
        }
    });
    return TRUE;
}

BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop)
{
    CDC* dc = CDC::FromHandle(hdc);
    return dc && dc->PatBlt(x, y, width, height, rop);
}

BOOL BitBlt(HDC hdc, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, DWORD rop)
{
    CDC* dc = CDC::FromHandle(hdc);
    return dc && dc->BitBlt(x, y, width, height, CDC::FromHandle(src), xSrc, ySrc, rop);
}

BOOL StretchBlt(HDC hdc, int x, int y, int width, int height, HDC src, int xSrc, int ySrc, int srcWidth,
                int srcHeight, DWORD rop)
{
    CDC* dc = CDC::FromHandle(hdc);
    return dc && dc->StretchBlt(x, y, width, height, CDC::FromHandle(src), xSrc, ySrc, srcWidth, srcHeight, rop);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF color)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return CLR_INVALID;
    if (Recorder* r = RecorderOf(m_hDC))
        r->Add(EMR_SETPIXELV, Bytes().Point(POINT{x, y}).Dword(color));
    DrawScope scope(*dc);
    QImage* s = scope.surface();
    QPoint p = ToDevice(*dc, {x, y});
    if (!s || !DrawableArea(*dc, *s).contains(p))
        return CLR_INVALID;
    QRgb c = DeviceColor(*dc, color);
    s->setPixel(p, c);
    return ToColorRef(c);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF color) { return SetPixel(x, y, color) != CLR_INVALID; }

COLORREF CDC::GetPixel(int x, int y) const
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return CLR_INVALID;
    if (dc->a.bitmap && dc->a.bitmap->section)
        dc->a.bitmap->PullFromBits();
    QImage* s = dc->Surface();
    QPoint p = ToDevice(*dc, {x, y});
    if (!s || !DrawableArea(*dc, *s).contains(p))
        return CLR_INVALID;
    return ToColorRef(s->pixel(p));
}

BOOL CDC::FloodFill(int x, int y, COLORREF color) { return ExtFloodFill(x, y, color, FLOODFILLBORDER); }

BOOL CDC::ExtFloodFill(int x, int y, COLORREF color, UINT fillType)
{
    Dc* dc = D(m_hDC);
    if (!dc || !dc->a.brush)
        return FALSE;
    DrawScope scope(*dc);
    QImage* s = scope.surface();
    QPoint start = ToDevice(*dc, {x, y});
    if (!s)
        return FALSE;
    QRegion area = DrawableArea(*dc, *s);
    if (!area.contains(start))
        return FALSE;
    QRgb key = DeviceColor(*dc, color) & 0xFFFFFF;
    auto inside = [&](QRgb c) {
        bool same = (c & 0xFFFFFF) == key;
        return fillType == FLOODFILLSURFACE ? same : !same;
    };
    if (!inside(s->pixel(start)))
        return FALSE;
    // Scan-line fill into a mask first, then paint the mask with the brush.
    QRect box = area.boundingRect();
    Coverage mask(box);
    std::vector<QPoint> stack{start};
    while (!stack.empty()) {
        QPoint p = stack.back();
        stack.pop_back();
        int py = p.y();
        if (mask.At(p.x(), py) || !area.contains(p) || !inside(s->pixel(p)))
            continue;
        int left = p.x(), right = p.x();
        while (left - 1 >= box.left() && !mask.At(left - 1, py) && area.contains(QPoint(left - 1, py)) &&
               inside(s->pixel(left - 1, py)))
            --left;
        while (right + 1 <= box.right() && !mask.At(right + 1, py) && area.contains(QPoint(right + 1, py)) &&
               inside(s->pixel(right + 1, py)))
            ++right;
        for (int i = left; i <= right; ++i) {
            mask.Set(i, py, 1);
            for (int ny : {py - 1, py + 1})
                if (ny >= box.top() && ny <= box.bottom() && !mask.At(i, ny))
                    stack.push_back(QPoint(i, ny));
        }
    }
    CompositeTile(*dc, *s, mask, R2_COPYPEN, BrushTile(*dc, *dc->a.brush, mask.box()));
    return TRUE;
}
