#include "platform/gdi/Recorder.h"

#include "platform/gdi/DibCodec.h"
#include "platform/gdi/HandleTable.h"
#include "platform/gdi/Mapping.h"

#include "platform/core/CodePage.h"

#include <QFile>


namespace gdi {

namespace {

using MetaTable = HandleTable<HENHMETAFILE, Metafile>;

// The bytes to a file, whole or not at all.
bool WriteFile(const CString& name, const std::vector<BYTE>& bytes)
{
    QFile out(QString::fromLocal8Bit(static_cast<LPCTSTR>(name)));
    return out.open(QIODevice::WriteOnly) &&
           out.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())) == qint64(bytes.size());
}

Bytes LogFontW(const LOGFONT& lf)
{
    Bytes b;
    b.Long(lf.lfHeight).Long(lf.lfWidth).Long(lf.lfEscapement).Long(lf.lfOrientation).Long(lf.lfWeight);
    b.Raw(&lf.lfItalic, 8);
    for (int i = 0; i < LF_FACESIZE; ++i) {
        char16_t c = i < LF_FACESIZE && lf.lfFaceName[i] ? char16_t(static_cast<unsigned char>(lf.lfFaceName[i])) : 0;
        b.push_back(BYTE(c));
        b.push_back(BYTE(c >> 8));
        if (!lf.lfFaceName[i]) {
            b.resize(b.size() + size_t(LF_FACESIZE - 1 - i) * 2, 0);
            break;
        }
    }
    return b;
}

// An image as a bottom-up 32-bit DIB: header and pixels.
std::vector<BYTE> Dib32(const QImage& image, BITMAPINFOHEADER& header)
{
    DibFormat f;
    f.width = image.width();
    f.height = image.height();
    f.bitCount = 32;
    f.masks[0] = 0xFF0000, f.masks[1] = 0xFF00, f.masks[2] = 0xFF;
    std::vector<BYTE> bits(size_t(f.width) * f.height * 4);
    EncodeDib(f, image, bits.data());
    header = BITMAPINFOHEADER{40, f.width, f.height, 1, 32, BI_RGB, DWORD(bits.size()), 0, 0, 0, 0};
    return bits;
}

// The record that creates the object at table index ih.
Bytes CreateRecord(Object* o, DWORD ih, DWORD& type)
{
    Bytes b;
    b.Dword(ih);
    switch (o->kind) {
    case Kind::Pen: {
        auto* p = static_cast<Pen*>(o);
        type = EMR_CREATEPEN;
        b.Dword(DWORD(p->style) | (p->geometric ? PS_GEOMETRIC : 0) | DWORD(p->endCap) | DWORD(p->join));
        b.Long(p->width).Long(0).Dword(p->color);
        break;
    }
    case Kind::Brush: {
        auto* br = static_cast<Brush*>(o);
        if (br->style == BS_PATTERN || br->style == BS_DIBPATTERN) {
            // The pattern as a 32-bit DIB.
            type = EMR_CREATEDIBPATTERNBRUSHPT;
            BITMAPINFOHEADER bih{};
            std::vector<BYTE> bits = Dib32(br->pattern, bih);
            b.Dword(DIB_RGB_COLORS).Dword(32).Dword(40).Dword(72).Dword(DWORD(bits.size()));
            b.Raw(&bih, 40).Raw(bits.data(), bits.size());
        } else {
            type = EMR_CREATEBRUSHINDIRECT;
            b.Dword(br->style).Dword(br->color).Dword(DWORD(br->hatch));
        }
        break;
    }
    case Kind::Font: {
        type = EMR_EXTCREATEFONTINDIRECTW;
        Bytes lf = LogFontW(static_cast<Font*>(o)->lf);
        b.Raw(lf.data(), lf.size());
        break;
    }
    default: type = 0; break;
    }
    return b;
}

}  // namespace

Metafile* FindMetafile(HENHMETAFILE h) { return MetaTable::Instance().Find(h); }
HENHMETAFILE AddMetafile(std::unique_ptr<Metafile> m) { return MetaTable::Instance().Add(std::move(m)); }

void Recorder::Add(DWORD type, const Bytes& params, QRect bounds)
{
    Bytes r;
    r.Dword(type).Dword(DWORD(8 + params.size()));
    r.Raw(params.data(), params.size()).Pad4();
    DWORD size = DWORD(r.size());
    std::memcpy(r.data() + 4, &size, 4);
    m_records.insert(m_records.end(), r.begin(), r.end());
    ++m_count;
    if (bounds.isValid())
        m_bounds = m_bounds.united(bounds);
}

DWORD Recorder::Handle(HGDIOBJ object)
{
    int stock = StockIndexOf(object);
    if (stock >= 0)
        return 0x80000000u | DWORD(stock);
    Object* o = Lookup(object);
    if (!o)
        return 0;
    DWORD type = 0;
    Bytes probe = CreateRecord(o, 0, type);
    auto it = m_handles.find(object);
    if (it != m_handles.end() && it->second.second == probe)
        return it->second.first;
    if (!type)
        return 0;
    DWORD ih = m_nextHandle++;
    Add(type, CreateRecord(o, ih, type));
    m_handles[object] = {ih, probe};
    return ih;
}

std::vector<BYTE> Recorder::Finish(const Dc& dc, const char* description) const
{
    Bytes desc;
    if (description) {
        for (const char* p = description; *p; ++p)
            desc.push_back(BYTE(*p)), desc.push_back(0);
        desc.push_back(0), desc.push_back(0), desc.push_back(0), desc.push_back(0);  // two terminators
    }
    QRect b = m_bounds.isValid() ? m_bounds : QRect(0, 0, 0, 0);
    RECT bounds = m_bounds.isValid() ? RECT{b.left(), b.top(), b.right(), b.bottom()} : RECT{0, 0, -1, -1};
    int mmX = MulDiv(dc.width, 254, dc.dpiX * 10), mmY = MulDiv(dc.height, 254, dc.dpiY * 10);
    RECT frame = m_frame;
    if (frame.right <= frame.left || frame.bottom <= frame.top)
        frame = {MulDiv(bounds.left, mmX * 100, dc.width), MulDiv(bounds.top, mmY * 100, dc.height),
                 MulDiv(bounds.right, mmX * 100, dc.width), MulDiv(bounds.bottom, mmY * 100, dc.height)};
    Bytes h;
    h.Rect(bounds).Rect(frame).Dword(ENHMETA_SIGNATURE).Dword(0x10000);
    size_t headerSize = 108 + ((desc.size() + 3) & ~size_t(3));
    DWORD total = DWORD(headerSize + m_records.size() + 20);
    h.Dword(total).Dword(m_count + 2).Dword(m_nextHandle & 0xFFFF).Dword(desc.empty() ? 0 : DWORD(desc.size() / 2));
    h.Dword(desc.empty() ? 0 : 108).Dword(0);
    h.Long(dc.width).Long(dc.height).Long(mmX).Long(mmY).Dword(0).Dword(0).Dword(0).Long(mmX * 1000).Long(mmY * 1000);
    h.Raw(desc.data(), desc.size()).Pad4();
    Bytes out;
    out.Dword(EMR_HEADER).Dword(DWORD(headerSize)).Raw(h.data(), h.size());
    out.Raw(m_records.data(), m_records.size());
    out.Dword(EMR_EOF).Dword(20).Dword(0).Dword(16).Dword(20);
    return out;
}

Recorder* RecorderOf(HDC hdc)
{
    Dc* dc = LookupDc(hdc);
    return dc ? dc->recorder.get() : nullptr;
}

QRect DeviceBounds(HDC hdc, const POINT* points, int count)
{
    Dc* dc = LookupDc(hdc);
    QRect r;
    for (int i = 0; dc && i < count; ++i) {
        QPoint p = ToDevice(*dc, points[i]);
        r = r.united(QRect(p, QSize(1, 1)));
    }
    return r;
}

void RecordPoints(HDC hdc, DWORD type, const POINT* points, int count)
{
    Recorder* r = RecorderOf(hdc);
    if (!r || count < 0)
        return;
    QRect b = DeviceBounds(hdc, points, count);
    Bytes p;
    p.Rect(RECT{b.left(), b.top(), b.right(), b.bottom()}).Dword(DWORD(count));
    for (int i = 0; i < count; ++i)
        p.Point(points[i]);
    r->Add(type, p, b);
}

void RecordRect(HDC hdc, DWORD type, int x1, int y1, int x2, int y2, bool drawn)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    POINT corners[2] = {{x1, y1}, {x2, y2}};
    r->Add(type, Bytes().Rect(RECT{x1, y1, x2, y2}), drawn ? DeviceBounds(hdc, corners, 2) : QRect());
}

void RecordArc(HDC hdc, DWORD type, const RECT& box, POINT start, POINT end)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
    r->Add(type, Bytes().Rect(box).Point(start).Point(end), DeviceBounds(hdc, corners, 2));
}

void RecordValue(HDC hdc, DWORD type, DWORD value)
{
    if (Recorder* r = RecorderOf(hdc))
        r->Add(type, Bytes().Dword(value));
}

void RecordPoint(HDC hdc, DWORD type, POINT point)
{
    if (Recorder* r = RecorderOf(hdc))
        r->Add(type, Bytes().Point(point));
}

void RecordBare(HDC hdc, DWORD type)
{
    if (Recorder* r = RecorderOf(hdc))
        r->Add(type, Bytes());
}

void RecordSelect(HDC hdc, HGDIOBJ object)
{
    Recorder* r = RecorderOf(hdc);
    Object* o = r ? Lookup(object) : nullptr;
    if (!o)
        return;
    if (o->kind == Kind::Region) {
        RecordClip(hdc, &static_cast<Region*>(o)->rgn, RGN_COPY);
        return;
    }
    if (o->kind != Kind::Pen && o->kind != Kind::Brush && o->kind != Kind::Font)
        return;
    DWORD ih = r->Handle(object);
    if (ih)
        r->Add(EMR_SELECTOBJECT, Bytes().Dword(ih));
}

namespace {

Bytes RegionBytes(const QRegion& rgn)
{
    Bytes b;
    QRect box = rgn.boundingRect();
    b.Dword(32).Dword(1).Dword(DWORD(rgn.rectCount())).Dword(DWORD(rgn.rectCount() * 16));
    b.Rect(RECT{box.left(), box.top(), box.right() + 1, box.bottom() + 1});
    for (const QRect& c : rgn)
        b.Rect(RECT{c.left(), c.top(), c.right() + 1, c.bottom() + 1});
    return b;
}

}  // namespace

void RecordClip(HDC hdc, const QRegion* rgn, int mode)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    Bytes data = rgn ? RegionBytes(*rgn) : Bytes();
    Bytes p;
    p.Dword(DWORD(data.size())).Dword(DWORD(mode)).Raw(data.data(), data.size());
    r->Add(EMR_EXTSELECTCLIPRGN, p);
}

void RecordFill(HDC hdc, const QRegion& deviceRgn, HGDIOBJ brush)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    DWORD ih = r->Handle(brush);
    Bytes data = RegionBytes(deviceRgn);
    QRect b = deviceRgn.boundingRect();
    Bytes p;
    p.Rect(RECT{b.left(), b.top(), b.right(), b.bottom()}).Dword(DWORD(data.size())).Dword(ih);
    p.Raw(data.data(), data.size());
    r->Add(EMR_FILLRGN, p, b);
}

namespace {

// The text record: reference point, options, rectangle, characters and spacing.
Bytes TextRecord(const QRect& bounds, POINT at, UINT options, const RECT* rect, const std::u16string& text,
                 const INT* dx)
{
    const DWORD fixed = 76;  // type, size, bounds, mode, scales, the text block
    DWORD offString = fixed, chars = DWORD(text.size());
    DWORD offDx = dx ? DWORD(offString + ((chars * 2 + 3) & ~3u)) : 0;
    Bytes p;
    p.Rect(RECT{bounds.left(), bounds.top(), bounds.right(), bounds.bottom()}).Dword(1);
    FLOAT one = 1.0f;
    p.Raw(&one, 4).Raw(&one, 4);
    p.Point(at).Dword(chars).Dword(offString).Dword(options).Rect(rect ? *rect : RECT{0, 0, -1, -1}).Dword(offDx);
    for (char16_t c : text)
        p.push_back(BYTE(c)), p.push_back(BYTE(c >> 8));
    p.Pad4();
    for (DWORD i = 0; dx && i < chars; ++i)
        p.Long(dx[i]);
    return p;
}

}  // namespace

void RecordText(HDC hdc, POINT at, UINT options, const RECT* rect, const char* text, UINT count, const INT* dx)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    std::u16string s;
    for (UINT i = 0; i < count; ++i)
        s += char16_t(UnicodeFrom1252(BYTE(text[i])));
    POINT corners[2] = {at, at};
    r->Add(EMR_EXTTEXTOUTW, TextRecord(DeviceBounds(hdc, corners, 2), at, options, rect, s, dx));
}

void RecordSolidFill(HDC hdc, const RECT& rect, COLORREF color)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    r->Add(EMR_SETBKCOLOR, Bytes().Dword(color));
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    r->Add(EMR_EXTTEXTOUTW, TextRecord(DeviceBounds(hdc, corners, 2), {rect.left, rect.top}, ETO_OPAQUE, &rect, u"", nullptr),
           DeviceBounds(hdc, corners, 2));
}

void RecordRoundRect(HDC hdc, const RECT& box, SIZE corner)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
    r->Add(EMR_ROUNDRECT, Bytes().Rect(box).Long(corner.cx).Long(corner.cy), DeviceBounds(hdc, corners, 2));
}

void RecordPolyPolygon(HDC hdc, const POINT* points, const INT* counts, int polygons)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    DWORD total = 0;
    for (int i = 0; i < polygons; ++i)
        total += DWORD(counts[i]);
    QRect b = DeviceBounds(hdc, points, int(total));
    Bytes p;
    p.Rect(RECT{b.left(), b.top(), b.right(), b.bottom()}).Dword(DWORD(polygons)).Dword(total);
    for (int i = 0; i < polygons; ++i)
        p.Dword(DWORD(counts[i]));
    for (DWORD i = 0; i < total; ++i)
        p.Point(points[i]);
    r->Add(EMR_POLYPOLYGON, p, b);
}

void RecordBlit(HDC hdc, const RECT& dest, Dc* src, const RECT& source, DWORD rop)
{
    Recorder* r = RecorderOf(hdc);
    if (!r)
        return;
    POINT corners[2] = {{dest.left, dest.top}, {Sum(dest.left, dest.right), Sum(dest.top, dest.bottom)}};
    QRect bounds = DeviceBounds(hdc, corners, 2);
    Bytes p;
    p.Rect(RECT{bounds.left(), bounds.top(), bounds.right(), bounds.bottom()});
    p.Long(dest.left).Long(dest.top).Long(dest.right).Long(dest.bottom).Dword(rop);
    QImage pixels;
    if (src && src->Surface()) {
        QRect s = ToDeviceRect(*src, source.left, source.top, Sum(source.left, source.right), Sum(source.top, source.bottom));
        pixels = src->Surface()->copy(s);
        Dc* target = LookupDc(hdc);
        if (src->Mono() && target && !target->Mono()) {
            // The picture as this DC sees a monochrome source: its text and background colours.
            QRgb fg = ToRgb(target->a.textColor), bg = ToRgb(target->a.bkColor);
            for (int y = 0; y < pixels.height(); ++y) {
                auto* row = reinterpret_cast<QRgb*>(pixels.scanLine(y));
                for (int x = 0; x < pixels.width(); ++x)
                    row[x] = (row[x] & 0xFFFFFF) ? bg : fg;
            }
        }
    }
    p.Long(0).Long(0);
    FLOAT identity[6] = {1, 0, 0, 1, 0, 0};
    p.Raw(identity, sizeof(identity)).Dword(0).Dword(DIB_RGB_COLORS);
    if (pixels.isNull()) {
        p.Dword(0).Dword(0).Dword(0).Dword(0);
        r->Add(EMR_BITBLT, p, bounds);
        return;
    }
    BITMAPINFOHEADER bih{};
    std::vector<BYTE> bits = Dib32(pixels, bih);
    p.Dword(108).Dword(40).Dword(148).Dword(DWORD(bits.size())).Long(bih.biWidth).Long(bih.biHeight);
    p.Raw(&bih, 40).Raw(bits.data(), bits.size());
    r->Add(EMR_STRETCHBLT, p, bounds);
}

}  // namespace gdi

using namespace gdi;

IMPLEMENT_DYNAMIC(CMetaFileDC, CDC)

CMetaFileDC::~CMetaFileDC()
{
    if (m_hDC)
        DeleteEnhMetaFile(CloseEnhanced());
}

BOOL CMetaFileDC::CreateEnhanced(CDC* reference, LPCTSTR file, LPCRECT bounds, LPCTSTR description)
{
    auto dc = std::make_unique<Dc>();
    dc->kind = DcKind::Metafile;
    if (Dc* ref = reference ? LookupDc(reference->m_hAttribDC ? reference->m_hAttribDC : reference->m_hDC) : nullptr) {
        dc->dpiX = ref->dpiX;
        dc->dpiY = ref->dpiY;
        dc->width = ref->width;
        dc->height = ref->height;
    }
    RECT frame = bounds ? *bounds : RECT{0, 0, 0, 0};
    dc->recorder = std::make_shared<Recorder>(frame);
    m_file = file ? CString(file) : CString();
    m_description = description ? CString(description) : CString();
    return Attach(RegisterDc(std::move(dc)));
}

HENHMETAFILE CMetaFileDC::CloseEnhanced()
{
    Dc* dc = LookupDc(m_hDC);
    if (!dc || !dc->recorder)
        return nullptr;
    auto m = std::make_unique<Metafile>();
    m->emf = dc->recorder->Finish(*dc, m_description.GetLength() ? static_cast<LPCTSTR>(m_description) : nullptr);
    std::memcpy(&m->header, m->emf.data(), sizeof(ENHMETAHEADER));
    DeleteDC();
    if (m_file.GetLength() && !WriteFile(m_file, m->emf))
        return nullptr;
    return AddMetafile(std::move(m));
}

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* data)
{
    if (!data || size < sizeof(ENHMETAHEADER) - 20)
        return nullptr;
    Reader r(data, size);
    DWORD headerSize = r.Dword(4), bytes = r.Dword(48);
    if (r.Dword(0) != EMR_HEADER || r.Dword(40) != ENHMETA_SIGNATURE || headerSize < 88 || headerSize > size ||
        bytes > size || bytes < headerSize)
        return nullptr;
    auto m = std::make_unique<Metafile>();
    m->emf.assign(data, data + bytes);
    std::memcpy(&m->header, data, std::min<size_t>(sizeof(ENHMETAHEADER), headerSize));
    return AddMetafile(std::move(m));
}

UINT GetEnhMetaFileBits(HENHMETAFILE h, UINT size, BYTE* buffer)
{
    Metafile* m = FindMetafile(h);
    if (!m || m->emf.empty())
        return 0;
    if (!buffer)
        return UINT(m->emf.size());
    UINT n = std::min<UINT>(size, UINT(m->emf.size()));
    std::memcpy(buffer, m->emf.data(), n);
    return n;
}

UINT GetEnhMetaFileHeader(HENHMETAFILE h, UINT size, ENHMETAHEADER* header)
{
    Metafile* m = FindMetafile(h);
    if (!m)
        return 0;
    UINT full = std::min<UINT>(sizeof(ENHMETAHEADER), std::max<UINT>(m->header.nSize, 88));
    if (!header)
        return full;
    UINT n = std::min(size, full);
    std::memcpy(header, &m->header, n);
    return n;
}

UINT GetEnhMetaFilePaletteEntries(HENHMETAFILE h, UINT, PALETTEENTRY*)
{
    return FindMetafile(h) ? 0 : UINT(-1);  // recorded metafiles carry no palette
}

BOOL DeleteEnhMetaFile(HENHMETAFILE h) { return MetaTable::Instance().Take(h) ? TRUE : FALSE; }

HENHMETAFILE CopyEnhMetaFile(HENHMETAFILE h, LPCTSTR file)
{
    Metafile* m = FindMetafile(h);
    if (!m)
        return nullptr;
    if (file && !m->emf.empty() && !WriteFile(CString(file), m->emf))
        return nullptr;
    return AddMetafile(std::make_unique<Metafile>(*m));
}

BOOL PlayEnhMetaFile(HDC hdc, HENHMETAFILE h, LPCRECT rect)
{
    Metafile* m = FindMetafile(h);
    if (!m || !rect || !LookupDc(hdc))
        return FALSE;
    return m->wmf.empty() ? PlayEmf(hdc, *m, *rect) : PlayWmf(hdc, m->wmf, *rect, m->header);
}
