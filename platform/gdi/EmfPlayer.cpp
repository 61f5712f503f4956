#include "platform/gdi/Dib.h"
#include "platform/gdi/DibCodec.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/PlayerState.h"
#include "platform/gdi/Recorder.h"

#include "platform/core/CodePage.h"

#include <string>

namespace gdi {

namespace {

constexpr DWORD kMaxPoints = 1 << 20;

std::vector<POINT> Points(Reader& r, size_t offset, DWORD count, bool small)
{
    std::vector<POINT> pts;
    if (count > kMaxPoints || !r.Has(offset, size_t(count) * (small ? 4 : 8)))
        return pts;
    for (DWORD i = 0; i < count; ++i)
        pts.push_back(small ? POINT{r.Short(offset + i * 4), r.Short(offset + i * 4 + 2)}
                            : r.Point(offset + i * 8));
    return pts;
}

QRegion RegionData(Reader& r, size_t offset, DWORD bytes)
{
    QRegion rgn;
    DWORD count = r.Dword(offset + 8);
    if (bytes < 32 || !r.Has(offset, bytes) || count > (bytes - 32) / 16)
        return rgn;
    for (DWORD i = 0; i < count; ++i) {
        RECT c = r.Rect(offset + 32 + i * 16);
        if (c.right > c.left && c.bottom > c.top)
            rgn += QRect(QPoint(c.left, c.top), QPoint(c.right - 1, c.bottom - 1));
    }
    return rgn;
}

// A DIB inside a record: info at offBmi (cbBmi bytes), pixels at offBits (cbBits bytes).
bool RecordDib(Reader& r, DWORD offBmi, DWORD cbBmi, DWORD offBits, DWORD cbBits, const BITMAPINFO*& info,
               const BYTE*& bits)
{
    const BYTE* i = r.At(offBmi, cbBmi);
    const BYTE* b = r.At(offBits, cbBits);
    if (!i || !b || cbBmi < sizeof(BITMAPINFOHEADER))
        return false;
    auto f = ParseDibInfo(i, cbBmi, DIB_RGB_COLORS, nullptr);
    // Run-length data must lie inside the record as well: the blit reads as much as the header says.
    if (!f || cbBits < f->imageBytes)
        return false;
    info = reinterpret_cast<const BITMAPINFO*>(i);
    bits = b;
    return true;
}

std::string TextW(Reader& r, size_t offset, DWORD chars)
{
    std::string s;
    if (chars > 65536 || !r.Has(offset, size_t(chars) * 2))
        return s;
    for (DWORD i = 0; i < chars; ++i) {
        BYTE c = '?';
        UnicodeTo1252(r.Word(offset + i * 2), c);
        s += char(c);
    }
    return s;
}

LOGFONT FontW(Reader& r, size_t offset)
{
    LOGFONT lf{};
    lf.lfHeight = r.Long(offset);
    lf.lfWidth = r.Long(offset + 4);
    lf.lfEscapement = r.Long(offset + 8);
    lf.lfOrientation = r.Long(offset + 12);
    lf.lfWeight = r.Long(offset + 16);
    if (const BYTE* b = r.At(offset + 20, 8))
        std::memcpy(&lf.lfItalic, b, 8);
    std::string face = TextW(r, offset + 28, LF_FACESIZE);
    std::strncpy(lf.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    return lf;
}

void Text(PlayerState& st, Reader& r, bool wide)
{
    POINT ref = r.Point(36);
    DWORD chars = r.Dword(44), offString = r.Dword(48), options = r.Dword(52), offDx = r.Dword(72);
    RECT rect = r.Rect(56);
    std::string s;
    if (wide) {
        s = TextW(r, offString, chars);
    } else if (const BYTE* p = r.At(offString, chars)) {
        s.assign(reinterpret_cast<const char*>(p), chars);
    }
    if (s.size() != chars)
        return;
    std::vector<INT> dx;
    if (offDx && r.Has(offDx, size_t(chars) * 4))
        for (DWORD i = 0; i < chars; ++i)
            dx.push_back(r.Long(offDx + i * 4));
    bool hasRect = options & (ETO_OPAQUE | ETO_CLIPPED);
    st.dc().ExtTextOut(ref.x, ref.y, options, hasRect ? &rect : nullptr, s.c_str(), chars, dx.empty() ? nullptr : dx.data());
}

void Blit(PlayerState& st, Reader& r, bool stretch)
{
    RECT dest{r.Long(24), r.Long(28), r.Long(32), r.Long(36)};  // x, y, cx, cy
    DWORD rop = r.Dword(40);
    LONG xSrc = r.Long(44), ySrc = r.Long(48);
    DWORD offBmi = r.Dword(84), cbBmi = r.Dword(88), offBits = r.Dword(92), cbBits = r.Dword(96);
    LONG cxSrc = stretch ? r.Long(100) : dest.right, cySrc = stretch ? r.Long(104) : dest.bottom;
    if (!r.ok())
        return;
    if (cbBmi == 0) {
        st.dc().PatBlt(dest.left, dest.top, dest.right, dest.bottom, rop);
        return;
    }
    const BITMAPINFO* info = nullptr;
    const BYTE* bits = nullptr;
    if (RecordDib(r, offBmi, cbBmi, offBits, cbBits, info, bits)) {
        int height = std::abs(info->bmiHeader.biHeight);
        // Source y of a bottom-up DIB counts from its top here, as in a device bitmap.
        int ySrcDib = info->bmiHeader.biHeight > 0 ? Sum(height, -int64_t(ySrc), -int64_t(cySrc)) : ySrc;
        StretchDIBits(st.dc(), dest.left, dest.top, dest.right, dest.bottom, xSrc, ySrcDib, cxSrc, cySrc, bits,
                      info, DIB_RGB_COLORS, rop);
    }
}

void StretchDib(PlayerState& st, Reader& r)
{
    LONG xDest = r.Long(24), yDest = r.Long(28), xSrc = r.Long(32), ySrc = r.Long(36);
    LONG cxSrc = r.Long(40), cySrc = r.Long(44);
    DWORD offBmi = r.Dword(48), cbBmi = r.Dword(52), offBits = r.Dword(56), cbBits = r.Dword(60);
    DWORD usage = r.Dword(64), rop = r.Dword(68);
    LONG cxDest = r.Long(72), cyDest = r.Long(76);
    const BITMAPINFO* info = nullptr;
    const BYTE* bits = nullptr;
    if (r.ok() && usage == DIB_RGB_COLORS && RecordDib(r, offBmi, cbBmi, offBits, cbBits, info, bits))
        StretchDIBits(st.dc(), xDest, yDest, cxDest, cyDest, xSrc, ySrc, cxSrc, cySrc, bits, info, usage, rop);
}

void CreateObject(PlayerState& st, Reader& r, DWORD type)
{
    DWORD ih = r.Dword(8);
    HGDIOBJ o = nullptr;
    switch (type) {
    case EMR_CREATEPEN: o = ::CreatePen(int(r.Dword(12)), r.Long(16), r.Dword(24)); break;
    case EMR_CREATEBRUSHINDIRECT: {
        LOGBRUSH lb{r.Dword(12), r.Dword(16), r.Dword(20)};
        if (lb.lbStyle == BS_SOLID || lb.lbStyle == BS_NULL || lb.lbStyle == BS_HATCHED)
            o = ::CreateBrushIndirect(&lb);
        break;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
        LOGFONT lf = FontW(r, 12);
        o = ::CreateFontIndirect(&lf);
        break;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT: {
        const BITMAPINFO* info = nullptr;
        const BYTE* bits = nullptr;
        if (RecordDib(r, r.Dword(16), r.Dword(20), r.Dword(24), r.Dword(28), info, bits)) {
            // The brush reads a packed DIB: header, colours and pixels in one block.
            std::vector<BYTE> packed(reinterpret_cast<const BYTE*>(info), reinterpret_cast<const BYTE*>(info) + r.Dword(20));
            packed.insert(packed.end(), bits, bits + r.Dword(28));
            o = ::CreateDIBPatternBrushPt(packed.data(), DIB_RGB_COLORS);
        }
        break;
    }
    default: break;
    }
    if (o && r.ok())
        st.Store(ih, o);
    else if (o)
        ::DeleteObject(o);
}

void Poly(PlayerState& st, Reader& r, DWORD type)
{
    bool small = type >= EMR_POLYBEZIER16;
    DWORD base = small ? type - EMR_POLYBEZIER16 + EMR_POLYBEZIER : type;
    std::vector<POINT> pts = Points(r, 28, r.Dword(24), small);
    if (pts.empty())
        return;
    CDC& dc = st.dc();
    int n = int(pts.size());
    switch (base) {
    case EMR_POLYBEZIER: dc.PolyBezier(pts.data(), n); break;
    case EMR_POLYGON: dc.Polygon(pts.data(), n); break;
    case EMR_POLYLINE: dc.Polyline(pts.data(), n); break;
    case EMR_POLYBEZIERTO: dc.PolyBezierTo(pts.data(), n); break;
    case EMR_POLYLINETO: dc.PolylineTo(pts.data(), n); break;
    default: break;
    }
}

void PolyPoly(PlayerState& st, Reader& r, bool small, bool polygon)
{
    DWORD polys = r.Dword(24), total = r.Dword(28);
    if (polys == 0 || polys > kMaxPoints || !r.Has(32, size_t(polys) * 4))
        return;
    std::vector<INT> counts;
    DWORD sum = 0;
    for (DWORD i = 0; i < polys; ++i) {
        counts.push_back(INT(r.Dword(32 + i * 4)));
        sum += DWORD(counts.back());
        if (counts.back() < 0 || sum > total)
            return;
    }
    std::vector<POINT> pts = Points(r, 32 + polys * 4, total, small);
    if (pts.size() != total || sum != total)
        return;
    if (polygon) {
        st.dc().PolyPolygon(pts.data(), counts.data(), int(polys));
        return;
    }
    std::vector<DWORD> dcounts(counts.begin(), counts.end());
    st.dc().PolyPolyline(pts.data(), dcounts.data(), int(polys));
}

// Plays one record; false ends the playback.
bool Play(PlayerState& st, Reader& r, DWORD type)
{
    CDC& dc = st.dc();
    switch (type) {
    case EMR_HEADER: break;
    case EMR_EOF: return false;
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16: case EMR_POLYLINETO16:
        Poly(st, r, type);
        break;
    case EMR_POLYPOLYLINE: PolyPoly(st, r, false, false); break;
    case EMR_POLYPOLYGON: PolyPoly(st, r, false, true); break;
    case EMR_POLYPOLYLINE16: PolyPoly(st, r, true, false); break;
    case EMR_POLYPOLYGON16: PolyPoly(st, r, true, true); break;
    case EMR_SETWINDOWEXTEX: st.SetWindowExt({r.Long(8), r.Long(12)}); break;
    case EMR_SETWINDOWORGEX: st.SetWindowOrg(r.Point(8)); break;
    case EMR_SETVIEWPORTEXTEX: st.SetViewportExt({r.Long(8), r.Long(12)}); break;
    case EMR_SETVIEWPORTORGEX: st.SetViewportOrg(r.Point(8)); break;
    case EMR_SETBRUSHORGEX: dc.SetBrushOrg(r.Point(8)); break;
    case EMR_SETPIXELV: dc.SetPixelV(r.Point(8), r.Dword(16)); break;
    case EMR_SETMAPMODE: st.SetMapMode(int(r.Dword(8))); break;
    case EMR_SETBKMODE: dc.SetBkMode(int(r.Dword(8))); break;
    case EMR_SETPOLYFILLMODE: dc.SetPolyFillMode(int(r.Dword(8))); break;
    case EMR_SETROP2: dc.SetROP2(int(r.Dword(8))); break;
    case EMR_SETSTRETCHBLTMODE: dc.SetStretchBltMode(int(r.Dword(8))); break;
    case EMR_SETTEXTALIGN: dc.SetTextAlign(r.Dword(8)); break;
    case EMR_SETTEXTCOLOR: dc.SetTextColor(r.Dword(8)); break;
    case EMR_SETBKCOLOR: dc.SetBkColor(r.Dword(8)); break;
    case EMR_SETARCDIRECTION: dc.SetArcDirection(int(r.Dword(8))); break;
    case EMR_MOVETOEX: dc.MoveTo(r.Point(8)); break;
    case EMR_LINETO: dc.LineTo(r.Point(8)); break;
    case EMR_EXCLUDECLIPRECT: { RECT c = r.Rect(8); dc.ExcludeClipRect(&c); break; }
    case EMR_INTERSECTCLIPRECT: { RECT c = r.Rect(8); dc.IntersectClipRect(&c); break; }
    case EMR_SAVEDC: st.Save(); break;
    case EMR_RESTOREDC: st.Restore(r.Long(8)); break;
    case EMR_SELECTOBJECT: if (HGDIOBJ o = st.Object(r.Dword(8))) dc.SelectObject(o); break;
    case EMR_DELETEOBJECT: st.Delete(r.Dword(8)); break;
    case EMR_CREATEPEN: case EMR_CREATEBRUSHINDIRECT: case EMR_EXTCREATEFONTINDIRECTW:
    case EMR_CREATEDIBPATTERNBRUSHPT:
        CreateObject(st, r, type);
        break;
    case EMR_ELLIPSE: { RECT c = r.Rect(8); dc.Ellipse(&c); break; }
    case EMR_RECTANGLE: { RECT c = r.Rect(8); dc.Rectangle(&c); break; }
    case EMR_ROUNDRECT: { RECT c = r.Rect(8); dc.RoundRect(&c, r.Point(24)); break; }
    case EMR_ARC: { RECT c = r.Rect(8); dc.Arc(&c, r.Point(24), r.Point(32)); break; }
    case EMR_CHORD: { RECT c = r.Rect(8); dc.Chord(&c, r.Point(24), r.Point(32)); break; }
    case EMR_PIE: { RECT c = r.Rect(8); dc.Pie(&c, r.Point(24), r.Point(32)); break; }
    case EMR_BEGINPATH: dc.BeginPath(); break;
    case EMR_ENDPATH: dc.EndPath(); break;
    case EMR_CLOSEFIGURE: dc.CloseFigure(); break;
    case EMR_FILLPATH: dc.FillPath(); break;
    case EMR_STROKEPATH: dc.StrokePath(); break;
    case EMR_STROKEANDFILLPATH: dc.StrokeAndFillPath(); break;
    case EMR_EXTSELECTCLIPRGN: {
        DWORD bytes = r.Dword(8);
        QRegion rgn = RegionData(r, 16, bytes);
        st.SelectClip(bytes ? &rgn : nullptr, int(r.Dword(12)));
        break;
    }
    case EMR_FILLRGN: {
        QRegion rgn = st.ToTarget(RegionData(r, 32, r.Dword(24)));
        HGDIOBJ brush = st.Object(r.Dword(28));
        if (brush) {
            HRGN h = ::CreateRectRgn(0, 0, 0, 0);
            LookupAs<Region>(h, Kind::Region)->rgn = rgn;
            dc.FillRgn(CRgn::FromHandle(h), CBrush::FromHandle(static_cast<HBRUSH>(brush)));
            ::DeleteObject(h);
        }
        break;
    }
    case EMR_BITBLT: Blit(st, r, false); break;
    case EMR_STRETCHBLT: Blit(st, r, true); break;
    case EMR_STRETCHDIBITS: StretchDib(st, r); break;
    case EMR_EXTTEXTOUTA: Text(st, r, false); break;
    case EMR_EXTTEXTOUTW: Text(st, r, true); break;
    default: break;  // records without a picture of their own (comments, colour profiles ...)
    }
    return true;
}

}  // namespace

bool PlayEmf(HDC hdc, const Metafile& m, const RECT& rect)
{
    Dc* target = LookupDc(hdc);
    const ENHMETAHEADER& h = m.header;
    if (!target || m.emf.size() < 88)
        return false;
    // The frame (0.01 mm) in the metafile's device units.
    double pxPerMmX = h.szlMillimeters.cx > 0 ? double(h.szlDevice.cx) / h.szlMillimeters.cx : 96 / 25.4;
    double pxPerMmY = h.szlMillimeters.cy > 0 ? double(h.szlDevice.cy) / h.szlMillimeters.cy : 96 / 25.4;
    QRectF frame(QPointF(h.rclFrame.left * pxPerMmX / 100, h.rclFrame.top * pxPerMmY / 100),
                 QPointF(h.rclFrame.right * pxPerMmX / 100, h.rclFrame.bottom * pxPerMmY / 100));
    if (frame.width() <= 0 || frame.height() <= 0)
        frame = QRectF(QPointF(h.rclBounds.left, h.rclBounds.top), QPointF(double(h.rclBounds.right) + 1, double(h.rclBounds.bottom) + 1));
    QRect dest = ToDeviceRect(*target, rect.left, rect.top, rect.right, rect.bottom);
    if (frame.width() <= 0 || frame.height() <= 0 || dest.isEmpty())
        return false;
    PlayerState st(hdc, frame, dest);
    size_t offset = 0;
    while (offset + 8 <= m.emf.size()) {
        Reader head(m.emf.data() + offset, m.emf.size() - offset);
        DWORD type = head.Dword(0), size = head.Dword(4);
        if (size < 8 || size % 4 || size > m.emf.size() - offset)
            return false;  // a damaged record: stop cleanly
        Reader r(m.emf.data() + offset, size);
        if (!Play(st, r, type))
            return true;
        offset += size;
    }
    return false;
}

}  // namespace gdi
