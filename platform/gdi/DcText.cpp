#include "platform/gdi/Dc.h"
#include "platform/gdi/FontMap.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/Raster.h"
#include "platform/gdi/Recorder.h"
#include "platform/gdi/TextCodec.h"

#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>

using namespace gdi;

namespace {

Dc* D(HDC h) { return LookupDc(h); }

// Device advance of each character, from the caller's spacing (logical) or the font.
std::vector<int> Advances(const Dc& dc, const DeviceFace& face, const QString& s, const INT* dx)
{
    std::vector<int> adv;
    adv.reserve(size_t(s.size()));
    for (int i = 0; i < s.size(); ++i)
        adv.push_back(dx ? DeviceLength(dc, dx[i]) : face.Advance(s[i]));
    return adv;
}

struct Run {
    std::shared_ptr<const DeviceFace> face;
    std::vector<int> advances;
    int width = 0;
    int ascent = 0;
    int descent = 0;
};

Run Measure(const Dc& dc, const QString& s, const INT* dx)
{
    Run r;
    r.face = FaceOf(dc);
    r.advances = Advances(dc, *r.face, s, dx);
    int64_t width = 0;
    for (int a : r.advances)
        width += a;
    r.width = int(std::min<int64_t>(width, kMaxDeviceLength));
    r.ascent = r.face->Ascent();
    r.descent = r.face->Descent();
    return r;
}

// Paints the glyphs of an upright run from the faces' drawn characters, pixel for pixel what
// the painter draws for each of them: no painter and no shaping per call.
// `origin` is the run's reference point, `x0` and `baseline` where its first pen stands from it.
template <typename Parts>
void PaintGlyphs(const Run& run, const QString& s, QPoint origin, int x0, int baseline, const Parts& parts,
                 QRgb colour, QImage& surface)
{
    for (const QRect& part : parts) {
        int64_t x = x0;
        for (int i = 0; i < s.size() && x <= kMaxDeviceLength; ++i) {
            const Glyph& glyph = run.face->GlyphOf(s[i]);
            const QRect at = glyph.box.translated(origin.x() + int(x), origin.y() + baseline);
            x += run.advances[size_t(i)];
            const QRect r = at.intersected(part);
            for (int py = r.top(); py <= r.bottom(); ++py) {
                auto* row = reinterpret_cast<QRgb*>(surface.scanLine(py));
                const uint8_t* marks = &glyph.marks[size_t(py - at.top()) * size_t(at.width())] - at.left();
                for (int px = r.left(); px <= r.right(); ++px)
                    if (marks[px])
                        row[px] = colour;
            }
        }
    }
}

// Characters are drawn once and kept only at sizes a page shows: a glyph taller or wider than
// the surface (or than any screen) would cost far more to keep than to draw where it shows.
bool KeepsGlyphs(const Run& run, const QString& s, const QImage& surface)
{
    constexpr int kLargestKept = 4096;
    const int height = std::min(kLargestKept, surface.height());
    const int width = std::min(kLargestKept, surface.width());
    if (run.ascent + run.descent > height || run.face->Font().pixelSize() > height)
        return false;
    for (QChar c : s)
        if (run.face->Advance(c) > width)
            return false;
    return true;
}

// Draws s with its reference point at the device point ref; returns the device advance.
int DrawRun(Dc& dc, QPoint ref, const QString& s, const INT* dx, const QRect* opaque, const QRect* clip)
{
    DrawScope scope(dc);
    QImage* surface = scope.surface();
    Run run = Measure(dc, s, dx);
    if (!surface)
        return run.width;
    UINT align = dc.a.textAlign;
    int x0 = (align & TA_CENTER) == TA_CENTER ? -run.width / 2 : (align & TA_RIGHT) ? -run.width : 0;
    int baseline = (align & TA_BASELINE) == TA_BASELINE ? 0 : (align & TA_BOTTOM) ? -run.descent : run.ascent;
    QTransform t;
    t.translate(ref.x(), ref.y());
    t.rotate(-Escapement(dc));
    NotePrintedText(dc, t, QPointF(x0, baseline), run.face->Font(), s);
    const QFont& font = run.face->Font();
    const QRgb fg = 0xFF000000u | (DeviceColor(dc, dc.a.textColor) & 0xFFFFFF);
    const bool plainGlyphs = t.type() <= QTransform::TxTranslate && !font.underline() && !font.strikeOut() &&
                             KeepsGlyphs(run, s, *surface);
    QRectF cell(x0, baseline - run.ascent, run.width, run.ascent + run.descent);
    // Upright text on nothing, where the drawable area is one rectangle: no region is built.
    const std::optional<QRect> drawable = DrawableRect(dc, *surface);
    if (plainGlyphs && !opaque && dc.a.bkMode != OPAQUE && drawable) {
        const QRect area = clip ? drawable->intersected(*clip) : *drawable;
        const QRect bound = t.mapRect(cell).toAlignedRect().adjusted(-2, -2, 2, 2).intersected(area);
        PaintGlyphs(run, s, ref, x0, baseline, std::array{bound}, fg, *surface);
        return run.width;
    }
    QRegion area = DrawableArea(dc, *surface);
    if (clip)
        area = area.intersected(*clip);
    Dc view = Dc();
    view.a.clip = area;
    view.a.bitmap = nullptr;
    view.target = surface;
    if (opaque) {
        Brush bk;
        bk.color = dc.a.bkColor;
        Coverage box(opaque->intersected(area.boundingRect()));
        box.Mark([&](QPainter& p) { p.fillRect(*opaque, Qt::black); });
        Composite(view, *surface, box, R2_COPYPEN, [&](int, int, uint8_t) { return int64_t(DeviceColor(dc, dc.a.bkColor)); });
    }
    QRect bound = t.mapRect(cell).toAlignedRect().adjusted(-2, -2, 2, 2).intersected(area.boundingRect());
    if (dc.a.bkMode == OPAQUE) {
        Coverage bk(bound);
        bk.Mark([&](QPainter& p) {
            p.setTransform(t, true);
            p.fillRect(cell, Qt::black);
        });
        Composite(view, *surface, bk, R2_COPYPEN, [&](int, int, uint8_t) { return int64_t(DeviceColor(dc, dc.a.bkColor)); });
    }
    if (plainGlyphs) {
        PaintGlyphs(run, s, ref, x0, baseline, area.intersected(bound), fg, *surface);
        return run.width;
    }
    Coverage glyphs(bound);
    glyphs.Mark([&](QPainter& p) {
        p.setTransform(t, true);
        p.setFont(font);
        p.setPen(Qt::black);
        int64_t x = x0;
        for (int i = 0; i < s.size() && x <= kMaxDeviceLength; ++i) {
            p.drawText(QPoint(int(x), baseline), QString(s[i]));
            x += run.advances[size_t(i)];
        }
        if (font.underline() || font.strikeOut()) {
            const QFontMetrics& m = run.face->Metrics();
            int lw = std::max(1, m.lineWidth());
            if (font.underline())
                p.fillRect(QRect(x0, baseline + m.underlinePos(), run.width, lw), Qt::black);
            if (font.strikeOut())
                p.fillRect(QRect(x0, baseline - m.strikeOutPos(), run.width, lw), Qt::black);
        }
    });
    Composite(view, *surface, glyphs, R2_COPYPEN, [&](int, int, uint8_t) { return int64_t(fg); });
    return run.width;
}

}  // namespace

BOOL CDC::TextOut(int x, int y, LPCTSTR text, int count)
{
    return ExtTextOut(x, y, 0, nullptr, text, count < 0 ? 0 : UINT(count), nullptr);
}

BOOL CDC::TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, const INT* dx)
{
    return ExtTextOut(x, y, options, rect, text, UINT(text.GetLength()), dx);
}

CSize CDC::GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
CSize CDC::GetOutputTextExtent(const CString& text) const { return GetOutputTextExtent(text, text.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT count, const INT* dx)
{
    Dc* dc = D(m_hDC);
    if (!dc || (count > 0 && !text))
        return FALSE;
    RecordText(m_hDC, POINT{x, y}, options, rect, text, count, dx);
    QString s = FromAnsi(text, int(count));
    bool updateCp = dc->a.textAlign & TA_UPDATECP;
    POINT at = updateCp ? dc->a.current : POINT{x, y};
    QRect r = rect ? ToDeviceRect(*dc, rect->left, rect->top, rect->right, rect->bottom) : QRect();
    const QRect* opaque = rect && (options & ETO_OPAQUE) ? &r : nullptr;
    const QRect* clip = rect && (options & ETO_CLIPPED) ? &r : nullptr;
    int advance = DrawRun(*dc, ToDevice(*dc, at), s, dx, opaque, clip);
    if (updateCp) {
        SIZE a{advance, 0};
        DPtoLP(&a);
        dc->a.current.x += (dc->a.vpExt.cx < 0) != (dc->a.winExt.cx < 0) ? -a.cx : a.cx;
    }
    return TRUE;
}

namespace {

// Extent in the logical units of the DC that measures it.
CSize Extent(const CDC& cdc, HDC hdc, LPCTSTR text, int count)
{
    Dc* dc = D(hdc);
    if (!dc)
        return {0, 0};
    Run run = Measure(*dc, FromAnsi(text, count), nullptr);
    SIZE s{run.width, run.ascent + run.descent};
    cdc.DPtoLP(&s);
    return s;
}

}  // namespace

CSize CDC::GetTextExtent(LPCTSTR text, int count) const
{
    return Extent(*this, m_hAttribDC ? m_hAttribDC : m_hDC, text, count);
}

CSize CDC::GetOutputTextExtent(LPCTSTR text, int count) const { return Extent(*this, m_hDC, text, count); }

CSize CDC::GetTabbedTextExtent(LPCTSTR text, int count, int tabPositions, const INT* tabStops) const
{
    TEXTMETRIC tm{};
    GetTextMetrics(&tm);
    int tab = tabPositions > 0 && tabStops ? tabStops[0] : 8 * tm.tmAveCharWidth;
    SIZE total{0, tm.tmHeight};
    int start = 0;
    for (int i = 0; i <= count; ++i) {
        if (i < count && text[i] != '\t')
            continue;
        total.cx += GetTextExtent(text + start, i - start).cx;
        if (i < count && tab > 0)
            total.cx = (total.cx / tab + 1) * tab;
        start = i + 1;
    }
    return total;
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC tm) const
{
    Dc* dc = D(m_hAttribDC ? m_hAttribDC : m_hDC);
    if (!dc || !tm)
        return FALSE;
    const std::shared_ptr<const DeviceFace> face = FaceOf(*dc);
    const QFontMetrics& m = face->Metrics();
    const LOGFONT& lf = dc->a.font->lf;
    SIZE cell{face->AverageWidth(), face->Ascent() + face->Descent()};
    SIZE asc{face->MaxWidth(), face->Ascent()};
    SIZE em{0, face->Font().pixelSize()};
    SIZE lead{0, std::max(0, m.leading())};
    DPtoLP(&cell);
    DPtoLP(&asc);
    DPtoLP(&em);
    DPtoLP(&lead);
    *tm = TEXTMETRIC{};
    tm->tmHeight = cell.cy;
    tm->tmAscent = asc.cy;
    tm->tmDescent = cell.cy - asc.cy;
    tm->tmInternalLeading = std::max(0, cell.cy - em.cy);
    tm->tmExternalLeading = lead.cy;
    tm->tmAveCharWidth = cell.cx;
    tm->tmMaxCharWidth = asc.cx;
    tm->tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    tm->tmDigitizedAspectX = dc->dpiX;
    tm->tmDigitizedAspectY = dc->dpiY;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = lf.lfItalic;
    tm->tmUnderlined = lf.lfUnderline;
    tm->tmStruckOut = lf.lfStrikeOut;
    // The pitch bit is set for variable-pitch fonts, as the platform defines it; outline fonts
    // scale and turn, bitmap fonts do neither.
    BYTE outline = face->Scalable() ? TMPF_VECTOR | TMPF_TRUETYPE : 0;
    tm->tmPitchAndFamily = BYTE((face->FixedPitch() ? 0 : TMPF_FIXED_PITCH) | outline | (lf.lfPitchAndFamily & 0xF0));
    tm->tmCharSet = lf.lfCharSet;
    return TRUE;
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC tm) const { return GetTextMetrics(tm); }

int CDC::GetTextFace(int count, LPTSTR faceName) const
{
    Dc* dc = D(m_hDC);
    if (!dc || !faceName || count <= 0)
        return 0;
    QByteArray name = FamilyFor(dc->a.font->lf).toLatin1();
    int n = std::min<int>(count - 1, int(name.size()));
    std::memcpy(faceName, name.constData(), size_t(n));
    faceName[n] = 0;
    return n;
}

BOOL CDC::GetCharWidth(UINT first, UINT last, LPINT widths) const
{
    if (!widths || last < first || last > 255)
        return FALSE;
    for (UINT c = first; c <= last; ++c) {
        char ch = char(c);
        widths[c - first] = GetTextExtent(&ch, 1).cx;
    }
    return TRUE;
}

int CDC::SetTextCharacterExtra(int) { return 0; }
int CDC::GetTextCharacterExtra() const { return 0; }
