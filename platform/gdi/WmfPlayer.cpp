#include "platform/gdi/Dib.h"
#include "platform/gdi/DibCodec.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/PlayerState.h"
#include "platform/gdi/Recorder.h"

#include <cmath>
#include <string>

namespace gdi {

namespace {

// Function numbers of Windows-metafile records.
enum : WORD {
    META_EOF = 0x0000, META_SAVEDC = 0x001E, META_REALIZEPALETTE = 0x0035, META_CREATEPALETTE = 0x00F7,
    META_SETBKMODE = 0x0102, META_SETMAPMODE = 0x0103, META_SETROP2 = 0x0104, META_SETPOLYFILLMODE = 0x0106,
    META_SETSTRETCHBLTMODE = 0x0107, META_RESTOREDC = 0x0127, META_SELECTOBJECT = 0x012D,
    META_SETTEXTALIGN = 0x012E, META_DIBCREATEPATTERNBRUSH = 0x0142, META_DELETEOBJECT = 0x01F0,
    META_SETBKCOLOR = 0x0201, META_SETTEXTCOLOR = 0x0209, META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C, META_SETVIEWPORTORG = 0x020D, META_SETVIEWPORTEXT = 0x020E,
    META_OFFSETWINDOWORG = 0x020F, META_OFFSETVIEWPORTORG = 0x0211, META_LINETO = 0x0213, META_MOVETO = 0x0214,
    META_CREATEPENINDIRECT = 0x02FA, META_CREATEFONTINDIRECT = 0x02FB, META_CREATEBRUSHINDIRECT = 0x02FC,
    META_POLYGON = 0x0324, META_POLYLINE = 0x0325, META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416, META_ELLIPSE = 0x0418, META_RECTANGLE = 0x041B, META_SETPIXEL = 0x041F,
    META_TEXTOUT = 0x0521, META_POLYPOLYGON = 0x0538, META_ROUNDRECT = 0x061C, META_PATBLT = 0x061D,
    META_CREATEREGION = 0x06FF, META_ARC = 0x0817, META_PIE = 0x081A, META_CHORD = 0x0830,
    META_DIBBITBLT = 0x0940, META_EXTTEXTOUT = 0x0A32, META_DIBSTRETCHBLT = 0x0B41, META_STRETCHDIB = 0x0F43,
};

constexpr size_t P = 6;  // parameters start after the size and function fields

RECT Box(Reader& r, size_t at)  // bottom, right, top, left
{
    return {r.Short(at + 6), r.Short(at + 4), r.Short(at + 2), r.Short(at)};
}

std::vector<POINT> Points(Reader& r, size_t at, int count)
{
    std::vector<POINT> pts;
    if (count <= 0 || !r.Has(at, size_t(count) * 4))
        return pts;
    for (int i = 0; i < count; ++i)
        pts.push_back({r.Short(at + i * 4), r.Short(at + i * 4 + 2)});
    return pts;
}

void PlacePlaceholder(PlayerState& st)
{
    // Unsupported objects still take their table slot, so later indexes stay right.
    st.StoreInFreeSlot(::CreateRectRgn(0, 0, 0, 0));
}

void CreateObject(PlayerState& st, Reader& r, WORD fn)
{
    HGDIOBJ o = nullptr;
    switch (fn) {
    case META_CREATEPENINDIRECT: o = ::CreatePen(r.Word(P), r.Short(P + 2), r.Dword(P + 6)); break;
    case META_CREATEBRUSHINDIRECT: {
        LOGBRUSH lb{r.Word(P), r.Dword(P + 2), r.Word(P + 6)};
        if (lb.lbStyle == BS_SOLID || lb.lbStyle == BS_NULL || lb.lbStyle == BS_HATCHED)
            o = ::CreateBrushIndirect(&lb);
        break;
    }
    case META_CREATEFONTINDIRECT: {
        LOGFONT lf{};
        lf.lfHeight = r.Short(P);
        lf.lfWidth = r.Short(P + 2);
        lf.lfEscapement = r.Short(P + 4);
        lf.lfOrientation = r.Short(P + 6);
        lf.lfWeight = r.Short(P + 8);
        if (const BYTE* b = r.At(P + 10, 8))
            std::memcpy(&lf.lfItalic, b, 8);
        for (size_t i = 0; i < LF_FACESIZE - 1 && r.Has(P + 18 + i, 1); ++i) {
            lf.lfFaceName[i] = char(*r.At(P + 18 + i, 1));
            if (!lf.lfFaceName[i])
                break;
        }
        o = ::CreateFontIndirect(&lf);
        break;
    }
    case META_DIBCREATEPATTERNBRUSH: {
        size_t at = P + 4;
        const BYTE* dib = r.At(at, r.size() - std::min(r.size(), at));
        auto f = dib ? ParseDibInfo(dib, r.size() - at, DIB_RGB_COLORS, nullptr) : std::nullopt;
        if (f && f->compression == BI_RGB && f->headerBytes + size_t(f->stride()) * f->height <= r.size() - at)
            o = ::CreateDIBPatternBrushPt(dib, DIB_RGB_COLORS);
        break;
    }
    default: break;
    }
    if (o)
        st.StoreInFreeSlot(o);
    else
        PlacePlaceholder(st);
}

void Text(PlayerState& st, Reader& r, bool extended)
{
    if (!extended) {
        int count = r.Short(P);
        const BYTE* s = count > 0 ? r.At(P + 2, size_t(count)) : nullptr;
        size_t after = P + 2 + ((size_t(std::max(count, 0)) + 1) & ~size_t(1));
        if (s)
            st.dc().TextOut(r.Short(after + 2), r.Short(after), reinterpret_cast<const char*>(s), count);
        return;
    }
    int y = r.Short(P), x = r.Short(P + 2), count = r.Short(P + 4);
    UINT options = r.Word(P + 6);
    bool hasRect = options & (ETO_OPAQUE | ETO_CLIPPED);
    RECT rect{r.Short(P + 8), r.Short(P + 10), r.Short(P + 12), r.Short(P + 14)};
    size_t at = P + 8 + (hasRect ? 8 : 0);
    const BYTE* s = count > 0 ? r.At(at, size_t(count)) : nullptr;
    if (count > 0 && !s)
        return;
    std::vector<INT> dx;
    size_t dxAt = at + ((size_t(std::max(count, 0)) + 1) & ~size_t(1));
    if (count > 0 && r.Has(dxAt, size_t(count) * 2))
        for (int i = 0; i < count; ++i)
            dx.push_back(r.Short(dxAt + i * 2));
    st.dc().ExtTextOut(x, y, options, hasRect ? &rect : nullptr, reinterpret_cast<const char*>(s),
                       UINT(std::max(count, 0)), dx.empty() ? nullptr : dx.data());
}

// DIB blits: fields from the end of the parameter list backwards, then the packed DIB.
void DibBlit(PlayerState& st, Reader& r, WORD fn)
{
    DWORD rop = r.Dword(P);
    size_t at = P + 4 + (fn == META_STRETCHDIB ? 2 : 0);
    int srcH = 0, srcW = 0;
    if (fn != META_DIBBITBLT) {
        srcH = r.Short(at);
        srcW = r.Short(at + 2);
        at += 4;
    }
    int ySrc = r.Short(at), xSrc = r.Short(at + 2), h = r.Short(at + 4), w = r.Short(at + 6);
    int yDst = r.Short(at + 8), xDst = r.Short(at + 10);
    at += 12;
    if (fn == META_DIBBITBLT)
        srcH = h, srcW = w;
    if (!r.ok() || at >= r.size()) {
        if (r.ok() && fn == META_DIBBITBLT)
            st.dc().PatBlt(xDst, yDst, w, h, rop);
        return;
    }
    const BYTE* dib = r.At(at, r.size() - at);
    auto f = ParseDibInfo(dib, r.size() - at, DIB_RGB_COLORS, nullptr);
    if (!f)
        return;
    size_t bits = r.size() - at - std::min(r.size() - at, f->headerBytes);
    // Run-length data must lie inside the record as well: the blit reads as much as the header says.
    if (f->headerBytes > r.size() - at || bits < f->imageBytes)
        return;
    int ySrcDib = fn != META_STRETCHDIB && !f->topDown ? Sum(f->height, -int64_t(ySrc), -int64_t(srcH)) : ySrc;
    StretchDIBits(st.dc(), xDst, yDst, w, h, xSrc, ySrcDib, srcW, srcH, dib + f->headerBytes,
                  reinterpret_cast<const BITMAPINFO*>(dib), DIB_RGB_COLORS, rop);
}

bool Play(PlayerState& st, Reader& r, WORD fn)
{
    CDC& dc = st.dc();
    switch (fn) {
    case META_EOF: return false;
    case META_SETBKCOLOR: dc.SetBkColor(r.Dword(P)); break;
    case META_SETTEXTCOLOR: dc.SetTextColor(r.Dword(P)); break;
    case META_SETBKMODE: dc.SetBkMode(r.Word(P)); break;
    case META_SETMAPMODE: st.SetMapMode(r.Word(P)); break;
    case META_SETROP2: dc.SetROP2(r.Word(P)); break;
    case META_SETPOLYFILLMODE: dc.SetPolyFillMode(r.Word(P)); break;
    case META_SETSTRETCHBLTMODE: dc.SetStretchBltMode(r.Word(P)); break;
    case META_SETTEXTALIGN: dc.SetTextAlign(r.Word(P)); break;
    case META_SETWINDOWORG: st.SetWindowOrg({r.Short(P + 2), r.Short(P)}); break;
    case META_SETWINDOWEXT: st.SetWindowExt({r.Short(P + 2), r.Short(P)}); break;
    case META_SETVIEWPORTORG: st.SetViewportOrg({r.Short(P + 2), r.Short(P)}); break;
    case META_SETVIEWPORTEXT: st.SetViewportExt({r.Short(P + 2), r.Short(P)}); break;
    case META_OFFSETWINDOWORG: st.OffsetWindowOrg(r.Short(P + 2), r.Short(P)); break;
    case META_OFFSETVIEWPORTORG: st.OffsetViewportOrg(r.Short(P + 2), r.Short(P)); break;
    case META_LINETO: dc.LineTo(r.Short(P + 2), r.Short(P)); break;
    case META_MOVETO: dc.MoveTo(r.Short(P + 2), r.Short(P)); break;
    case META_EXCLUDECLIPRECT: { RECT c = Box(r, P); dc.ExcludeClipRect(&c); break; }
    case META_INTERSECTCLIPRECT: { RECT c = Box(r, P); dc.IntersectClipRect(&c); break; }
    case META_ELLIPSE: { RECT c = Box(r, P); dc.Ellipse(&c); break; }
    case META_RECTANGLE: { RECT c = Box(r, P); dc.Rectangle(&c); break; }
    case META_ROUNDRECT: { RECT c = Box(r, P + 4); dc.RoundRect(&c, POINT{r.Short(P + 2), r.Short(P)}); break; }
    case META_ARC: case META_PIE: case META_CHORD: {
        RECT c = Box(r, P + 8);
        POINT start{r.Short(P + 6), r.Short(P + 4)}, end{r.Short(P + 2), r.Short(P)};
        if (fn == META_ARC)
            dc.Arc(&c, start, end);
        else if (fn == META_PIE)
            dc.Pie(&c, start, end);
        else
            dc.Chord(&c, start, end);
        break;
    }
    case META_PATBLT: dc.PatBlt(r.Short(P + 10), r.Short(P + 8), r.Short(P + 6), r.Short(P + 4), r.Dword(P)); break;
    case META_SAVEDC: st.Save(); break;
    case META_RESTOREDC: st.Restore(r.Short(P)); break;
    case META_SETPIXEL: dc.SetPixelV(r.Short(P + 6), r.Short(P + 4), r.Dword(P)); break;
    case META_TEXTOUT: Text(st, r, false); break;
    case META_EXTTEXTOUT: Text(st, r, true); break;
    case META_POLYGON: case META_POLYLINE: {
        std::vector<POINT> pts = Points(r, P + 2, r.Short(P));
        if (fn == META_POLYGON && !pts.empty())
            dc.Polygon(pts.data(), int(pts.size()));
        else if (!pts.empty())
            dc.Polyline(pts.data(), int(pts.size()));
        break;
    }
    case META_POLYPOLYGON: {
        int polys = r.Short(P);
        if (polys <= 0 || !r.Has(P + 2, size_t(polys) * 2))
            break;
        std::vector<INT> counts;
        int total = 0;
        for (int i = 0; i < polys; ++i) {
            counts.push_back(r.Short(P + 2 + i * 2));
            total += std::max(counts.back(), 0);
        }
        std::vector<POINT> pts = Points(r, P + 2 + size_t(polys) * 2, total);
        if (int(pts.size()) == total && total > 0)
            dc.PolyPolygon(pts.data(), counts.data(), polys);
        break;
    }
    case META_SELECTOBJECT: if (HGDIOBJ o = st.Object(r.Word(P))) dc.SelectObject(o); break;
    case META_DELETEOBJECT: st.Delete(r.Word(P)); break;
    case META_CREATEPENINDIRECT: case META_CREATEBRUSHINDIRECT: case META_CREATEFONTINDIRECT:
    case META_DIBCREATEPATTERNBRUSH:
        CreateObject(st, r, fn);
        break;
    case META_CREATEPALETTE: case META_CREATEREGION: PlacePlaceholder(st); break;
    case META_DIBBITBLT: case META_DIBSTRETCHBLT: case META_STRETCHDIB: DibBlit(st, r, fn); break;
    default: break;  // escapes, palette realisation and the like draw nothing here
    }
    return true;
}

// Checks the 18-byte header; the offset of the first record, or 0.
size_t RecordsStart(const std::vector<BYTE>& wmf)
{
    Reader r(wmf.data(), wmf.size());
    WORD type = r.Word(0), headerWords = r.Word(2);
    if (!r.ok() || (type != 1 && type != 2) || headerWords != 9 || wmf.size() < 18)
        return 0;
    return 18;
}

bool PlayRecords(PlayerState& st, const std::vector<BYTE>& wmf)
{
    size_t offset = RecordsStart(wmf);
    if (!offset)
        return false;
    while (offset + 6 <= wmf.size()) {
        Reader head(wmf.data() + offset, wmf.size() - offset);
        uint64_t size = uint64_t(head.Dword(0)) * 2;
        if (size < 6 || size > wmf.size() - offset)
            return false;  // a damaged record: stop cleanly
        Reader r(wmf.data() + offset, size_t(size));
        if (!Play(st, r, head.Word(4)))
            return true;
        offset += size_t(size);
    }
    return false;
}

}  // namespace

bool PlayWmf(HDC hdc, const std::vector<BYTE>& wmf, const RECT& rect, const ENHMETAHEADER& header)
{
    Dc* target = LookupDc(hdc);
    if (!target)
        return false;
    // The frame in 96-dpi pixels; the metafile's window maps onto it unless it sets a viewport itself.
    // In floating point: a frame of a large window at few units per inch overflows an int at 96 dpi.
    QRectF frame(QPointF(header.rclFrame.left * 96.0 / 2540, header.rclFrame.top * 96.0 / 2540),
                 QPointF(header.rclFrame.right * 96.0 / 2540, header.rclFrame.bottom * 96.0 / 2540));
    QRect dest = ToDeviceRect(*target, rect.left, rect.top, rect.right, rect.bottom);
    if (frame.width() <= 0 || frame.height() <= 0 || dest.isEmpty())
        return false;
    PlayerState st(hdc, frame, dest);
    QRect f = frame.toAlignedRect();
    st.SetMapMode(MM_ANISOTROPIC);
    st.SetViewportOrg({f.left(), f.top()});
    st.SetViewportExt({std::max(f.width(), 1), std::max(f.height(), 1)});
    st.SetWindowOrg({header.rclBounds.left, header.rclBounds.top});
    st.SetWindowExt({std::max(header.rclBounds.right - header.rclBounds.left, 1),
                     std::max(header.rclBounds.bottom - header.rclBounds.top, 1)});
    return PlayRecords(st, wmf);
}

// The picture's window: from the placeable header, else from the first window records.
bool WmfWindow(const std::vector<BYTE>& wmf, RECT& window)
{
    size_t offset = RecordsStart(wmf);
    if (!offset)
        return false;
    bool org = false, ext = false;
    window = {0, 0, 0, 0};
    while (offset + 6 <= wmf.size() && !(org && ext)) {
        Reader r(wmf.data() + offset, wmf.size() - offset);
        uint64_t size = uint64_t(r.Dword(0)) * 2;
        if (size < 6 || size > wmf.size() - offset)
            return false;
        WORD fn = r.Word(4);
        if (fn == META_EOF)
            break;
        if (fn == META_SETWINDOWORG && !org) {
            window.left = r.Short(P + 2), window.top = r.Short(P), org = true;
        } else if (fn == META_SETWINDOWEXT && !ext) {
            window.right = r.Short(P + 2), window.bottom = r.Short(P), ext = true;
        }
        offset += size_t(size);
    }
    if (!ext)
        return false;
    window.right += window.left;
    window.bottom += window.top;
    return true;
}

}  // namespace gdi

using namespace gdi;

HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* data, HDC reference, const void*)
{
    if (!data)
        return nullptr;
    auto m = std::make_unique<Metafile>();
    RECT window{0, 0, 0, 0};
    int unitsPerInch = 96;
    Reader r(data, size);
    if (r.Dword(0) == kPlaceableKey) {
        // Key, handle, box (four shorts), units per inch, reserved, checksum.
        window = {r.Short(6), r.Short(8), r.Short(10), r.Short(12)};
        unitsPerInch = r.Word(14);
        if (!r.ok() || unitsPerInch == 0 || size < 22)
            return nullptr;
        data += 22;
        size -= 22;
    }
    m->wmf.assign(data, data + size);
    if (!RecordsStart(m->wmf))
        return nullptr;
    bool placeable = window.right != window.left && window.bottom != window.top;
    if (!placeable && !WmfWindow(m->wmf, window)) {
        Dc* ref = LookupDc(reference);
        window = {0, 0, ref ? ref->width : 1920, ref ? ref->height : 1080};
    }
    ENHMETAHEADER& h = m->header;
    h.iType = EMR_HEADER;
    h.nSize = sizeof(ENHMETAHEADER);
    h.dSignature = ENHMETA_SIGNATURE;
    h.nVersion = 0x10000;
    h.nBytes = size;
    // Bounds hold the metafile's own window; the frame its size at the units per inch.
    h.rclBounds = {window.left, window.top, window.right, window.bottom};
    int w = std::abs(window.right - window.left), hgt = std::abs(window.bottom - window.top);
    h.rclFrame = {0, 0, MulDiv(w, 2540, unitsPerInch), MulDiv(hgt, 2540, unitsPerInch)};
    h.szlDevice = {1920, 1080};
    h.szlMillimeters = {508, 286};
    h.szlMicrometers = {508000, 286000};
    return AddMetafile(std::move(m));
}

HMETAFILE SetMetaFileBitsEx(UINT size, const BYTE* data)
{
    if (!data)
        return nullptr;
    auto m = std::make_unique<Metafile>();
    m->wmf.assign(data, data + size);
    if (!RecordsStart(m->wmf))
        return nullptr;
    return reinterpret_cast<HMETAFILE>(AddMetafile(std::move(m)));
}

BOOL PlayMetaFile(HDC hdc, HMETAFILE h)
{
    Metafile* m = FindMetafile(reinterpret_cast<HENHMETAFILE>(h));
    if (!m || m->wmf.empty() || !LookupDc(hdc))
        return FALSE;
    PlayerState st(hdc);
    return PlayRecords(st, m->wmf);
}

BOOL DeleteMetaFile(HMETAFILE h) { return DeleteEnhMetaFile(reinterpret_cast<HENHMETAFILE>(h)); }
