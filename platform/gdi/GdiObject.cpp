#include "platform/gdi/GdiObject.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/DibCodec.h"
#include "platform/gdi/GdiState.h"
#include "platform/gdi/HandleMap.h"
#include "platform/gdi/SysColors.h"

#include <QGuiApplication>
#include <QPainterPath>

#include <array>
#include <atomic>
#include <cmath>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace gdi {
namespace {

struct Table {
    std::recursive_mutex lock;
    HandleMap<HGDIOBJ, Object> objects;
    std::unordered_map<HGDIOBJ, std::unique_ptr<CGdiObject>> wrappers;
    std::unordered_map<int, HGDIOBJ> stock;
};

Table& table()
{
    static Table* t = new Table;  // lives to the end of the process: stock objects and wrappers
    return *t;
}

void DropWrapper(HGDIOBJ h)
{
    auto& t = table();
    auto it = t.wrappers.find(h);
    if (it == t.wrappers.end())
        return;
    it->second->m_hObject = nullptr;
    t.wrappers.erase(it);
}

}  // namespace

Object* Lookup(HGDIOBJ h)
{
    auto& t = table();
    std::lock_guard g(t.lock);
    return t.objects.Find(h);
}

HGDIOBJ Register(std::unique_ptr<Object> o)
{
    auto& t = table();
    std::lock_guard g(t.lock);
    return t.objects.Add(std::move(o));
}

bool Unregister(HGDIOBJ h)
{
    auto& t = table();
    std::lock_guard g(t.lock);
    const Object* o = t.objects.Find(h);
    if (!o || o->stock || o->selections > 0)
        return false;
    if (o->wrapper)
        DropWrapper(h);
    t.objects.Take(h);
    return true;
}

namespace {

std::unique_ptr<Pen> MakePen(int style, int width, COLORREF color)
{
    auto p = std::make_unique<Pen>();
    p->style = style & PS_STYLE_MASK;
    p->width = std::abs(width);
    p->color = color;
    p->geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
    p->endCap = style & PS_ENDCAP_MASK;
    p->join = style & PS_JOIN_MASK;
    return p;
}

std::unique_ptr<Brush> MakeBrush(UINT style, COLORREF color, int hatch)
{
    auto b = std::make_unique<Brush>();
    b->style = style;
    b->color = color;
    b->hatch = hatch;
    return b;
}

std::unique_ptr<Font> MakeStockFont(const char* face, LONG height, BYTE pitch)
{
    auto f = std::make_unique<Font>();
    f->lf.lfHeight = height;
    f->lf.lfWeight = FW_NORMAL;
    f->lf.lfPitchAndFamily = pitch;
    std::strncpy(f->lf.lfFaceName, face, LF_FACESIZE - 1);
    return f;
}

std::unique_ptr<Object> MakeStock(int index)
{
    switch (index) {
    case WHITE_BRUSH: return MakeBrush(BS_SOLID, RGB(255, 255, 255), 0);
    case LTGRAY_BRUSH: return MakeBrush(BS_SOLID, RGB(192, 192, 192), 0);
    case GRAY_BRUSH: return MakeBrush(BS_SOLID, RGB(128, 128, 128), 0);
    case DKGRAY_BRUSH: return MakeBrush(BS_SOLID, RGB(64, 64, 64), 0);
    case BLACK_BRUSH: return MakeBrush(BS_SOLID, RGB(0, 0, 0), 0);
    case NULL_BRUSH: return MakeBrush(BS_NULL, 0, 0);
    case WHITE_PEN: return MakePen(PS_SOLID, 0, RGB(255, 255, 255));
    case BLACK_PEN: return MakePen(PS_SOLID, 0, RGB(0, 0, 0));
    case NULL_PEN: return MakePen(PS_NULL, 0, 0);
    case OEM_FIXED_FONT:
    case ANSI_FIXED_FONT:
    case SYSTEM_FIXED_FONT: return MakeStockFont("Courier New", 16, FIXED_PITCH | FF_MODERN);
    case ANSI_VAR_FONT:
    case DEFAULT_GUI_FONT: return MakeStockFont("MS Sans Serif", -11, VARIABLE_PITCH | FF_SWISS);
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return MakeStockFont("System", 16, VARIABLE_PITCH | FF_SWISS);
    case DEFAULT_PALETTE: {
        auto p = std::make_unique<Palette>();
        for (COLORREF c : {RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128),
                           RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192), RGB(192, 220, 192),
                           RGB(166, 202, 240), RGB(255, 251, 240), RGB(160, 160, 164), RGB(128, 128, 128),
                           RGB(255, 0, 0), RGB(0, 255, 0), RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255),
                           RGB(0, 255, 255), RGB(255, 255, 255)})
            p->entries.push_back({GetRValue(c), GetGValue(c), GetBValue(c), 0});
        return p;
    }
    case kStockMonoBitmap: {
        auto b = std::make_unique<Bitmap>();
        b->bitsPixel = 1;
        b->surface = QImage(1, 1, QImage::Format_RGB32);
        b->surface.fill(qRgb(0, 0, 0));
        return b;
    }
    default: return nullptr;
    }
}

}  // namespace

Object* Stock(int index)
{
    // Stock objects live as long as the process; each new DC asks for five of them.
    static std::array<std::atomic<Object*>, kStockMonoBitmap + 1> made{};
    const bool cacheable = index >= 0 && index <= kStockMonoBitmap;
    if (Object* known = cacheable ? made[size_t(index)].load(std::memory_order_acquire) : nullptr)
        return known;
    auto& t = table();
    std::lock_guard g(t.lock);
    auto it = t.stock.find(index);
    if (it != t.stock.end())
        return Lookup(it->second);
    auto o = MakeStock(index);
    if (!o)
        return nullptr;
    o->stock = true;
    HGDIOBJ h = Register(std::move(o));
    t.stock[index] = h;
    Object* stock = Lookup(h);
    if (cacheable)
        made[size_t(index)].store(stock, std::memory_order_release);
    return stock;
}

std::unique_ptr<CGdiObject> MakeWrapper(Kind kind)
{
    switch (kind) {
    case Kind::Pen: return std::make_unique<CPen>();
    case Kind::Brush: return std::make_unique<CBrush>();
    case Kind::Font: return std::make_unique<CFont>();
    case Kind::Bitmap: return std::make_unique<CBitmap>();
    case Kind::Region: return std::make_unique<CRgn>();
    case Kind::Palette: return std::make_unique<CPalette>();
    }
    return nullptr;
}

// The wrapper's class follows the object's kind; asking for another class gives null.
int StockIndexOf(HGDIOBJ h)
{
    auto& t = table();
    std::lock_guard g(t.lock);
    for (const auto& [index, handle] : t.stock)
        if (handle == h)
            return index;
    return -1;
}

template <typename W>
W* WrapperFor(HGDIOBJ h)
{
    Object* o = h ? Lookup(h) : nullptr;
    if (!o)
        return nullptr;
    if (auto* owner = dynamic_cast<W*>(o->owner))
        return owner;
    if (o->wrapper)
        return dynamic_cast<W*>(o->wrapper);
    auto& t = table();
    std::lock_guard g(t.lock);
    auto& slot = t.wrappers[h];
    if (!slot) {
        slot = MakeWrapper(o->kind);
        slot->m_hObject = h;
        o->wrapper = slot.get();
    }
    return dynamic_cast<W*>(slot.get());
}

void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "vantrel";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);  // kept for the life of the process
}

std::unique_ptr<Bitmap> MakeBitmap(int width, int height, int bitsPixel)
{
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767 || int64_t(width) * height > (1 << 28))
        return nullptr;
    auto b = std::make_unique<Bitmap>();
    b->bitsPixel = bitsPixel;
    b->surface = QImage(width, height, QImage::Format_RGB32);
    if (b->surface.isNull())
        return nullptr;
    b->surface.fill(qRgb(0, 0, 0));
    return b;
}

// Device-dependent bits: rows padded to 16 bits, top row first.
void LoadDdbBits(Bitmap& b, const BYTE* bits, size_t size)
{
    int w = b.surface.width(), h = b.surface.height();
    size_t stride = ((size_t(w) * b.bitsPixel + 15) / 16) * 2;
    for (int y = 0; y < h && (size_t(y) + 1) * stride <= size; ++y) {
        const BYTE* row = bits + y * stride;
        auto* out = reinterpret_cast<QRgb*>(b.surface.scanLine(y));
        for (int x = 0; x < w; ++x) {
            switch (b.bitsPixel) {
            case 1: out[x] = (row[x / 8] & (0x80 >> (x % 8))) ? qRgb(255, 255, 255) : qRgb(0, 0, 0); break;
            case 24: out[x] = qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]); break;
            case 32: out[x] = qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]); break;
            default: break;
            }
        }
    }
}

}  // namespace gdi

using namespace gdi;

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)
IMPLEMENT_DYNAMIC(CPalette, CGdiObject)

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    Object* o = hObject ? Lookup(hObject) : nullptr;
    if (!o)
        return FALSE;
    // Selecting a pen out again hands back the CPen that made it rather than a new wrapper.
    if (!o->owner)
        o->owner = this;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (Object* o = h ? Lookup(h) : nullptr; o && o->owner == this)
        o->owner = nullptr;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    return ::DeleteObject(Detach());
}

BOOL CGdiObject::CreateStockObject(int index)
{
    return Attach(::GetStockObject(index));
}

int CGdiObject::GetObject(int size, LPVOID buffer) const { return ::GetObject(m_hObject, size, buffer); }
UINT CGdiObject::GetObjectType() const { return ::GetObjectType(m_hObject); }
CGdiObject* CGdiObject::FromHandle(HGDIOBJ h) { return WrapperFor<CGdiObject>(h); }

CPen::CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
CPen::CPen(int style, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles)
{
    CreatePen(style, width, brush, styleCount, styles);
}
BOOL CPen::CreatePen(int style, int width, COLORREF color) { return Attach(::CreatePen(style, width, color)); }
BOOL CPen::CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount, const DWORD* styles)
{
    return Attach(::ExtCreatePen(style, width, brush, styleCount, styles));
}
BOOL CPen::CreatePenIndirect(const LOGPEN* logPen) { return Attach(::CreatePenIndirect(logPen)); }
int CPen::GetLogPen(LOGPEN* logPen) const { return GetObject(sizeof(LOGPEN), logPen); }
CPen* CPen::FromHandle(HPEN h) { return WrapperFor<CPen>(h); }

CBrush::CBrush(COLORREF color) { CreateSolidBrush(color); }
CBrush::CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
CBrush::CBrush(CBitmap* bitmap) { CreatePatternBrush(bitmap); }
BOOL CBrush::CreateSolidBrush(COLORREF color) { return Attach(::CreateSolidBrush(color)); }
BOOL CBrush::CreateHatchBrush(int hatch, COLORREF color) { return Attach(::CreateHatchBrush(hatch, color)); }
BOOL CBrush::CreatePatternBrush(CBitmap* bitmap)
{
    return bitmap && Attach(::CreatePatternBrush(static_cast<HBITMAP>(bitmap->m_hObject)));
}
BOOL CBrush::CreateDIBPatternBrush(const void* packedDib, UINT usage)
{
    return Attach(::CreateDIBPatternBrushPt(packedDib, usage));
}
BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* logBrush) { return Attach(::CreateBrushIndirect(logBrush)); }
BOOL CBrush::CreateSysColorBrush(int index) { return Attach(::CreateSolidBrush(::GetSysColor(index))); }
int CBrush::GetLogBrush(LOGBRUSH* logBrush) const { return GetObject(sizeof(LOGBRUSH), logBrush); }
CBrush* CBrush::FromHandle(HBRUSH h) { return WrapperFor<CBrush>(h); }

BOOL CFont::CreateFontIndirect(const LOGFONT* logFont) { return Attach(::CreateFontIndirect(logFont)); }
BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                       BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision,
                       BYTE quality, BYTE pitchAndFamily, LPCTSTR faceName)
{
    LOGFONT lf{height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
               outPrecision, clipPrecision, quality, pitchAndFamily, {}};
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirect(&lf);
}
BOOL CFont::CreatePointFont(int pointSize, LPCTSTR faceName, CDC* dc)
{
    LOGFONT lf{};
    lf.lfHeight = pointSize;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(&lf, dc);
}
BOOL CFont::CreatePointFontIndirect(const LOGFONT* logFont, CDC* dc)
{
    if (!logFont)
        return FALSE;
    LOGFONT lf = *logFont;
    CDC screen;
    if (!dc) {
        screen.Attach(::GetDC(nullptr));
        dc = &screen;
    }
    // Tenths of a point to device pixels, then to logical units: a character height.
    POINT pt{0, MulDiv(lf.lfHeight, dc->GetDeviceCaps(LOGPIXELSY), 720)};
    POINT origin{0, 0};
    dc->DPtoLP(&pt);
    dc->DPtoLP(&origin);
    lf.lfHeight = -std::abs(pt.y - origin.y);
    if (screen.m_hDC)
        ::ReleaseDC(nullptr, screen.Detach());
    return CreateFontIndirect(&lf);
}
int CFont::GetLogFont(LOGFONT* logFont) const { return GetObject(sizeof(LOGFONT), logFont); }
CFont* CFont::FromHandle(HFONT h) { return WrapperFor<CFont>(h); }

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitCount, bits));
}
BOOL CBitmap::CreateBitmapIndirect(const BITMAP* bm)
{
    return bm && CreateBitmap(bm->bmWidth, bm->bmHeight, bm->bmPlanes, bm->bmBitsPixel, bm->bmBits);
}
BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    return dc && Attach(::CreateCompatibleBitmap(dc->m_hDC, width, height));
}
BOOL CBitmap::CreateDiscardableBitmap(CDC* dc, int width, int height)
{
    return CreateCompatibleBitmap(dc, width, height);
}
int CBitmap::GetBitmap(BITMAP* bitmap) const { return GetObject(sizeof(BITMAP), bitmap); }

DWORD CBitmap::GetBitmapBits(DWORD count, LPVOID bits) const
{
    auto* b = LookupAs<Bitmap>(m_hObject, Kind::Bitmap);
    if (!b || !bits)
        return 0;
    int w = b->surface.width(), h = b->surface.height();
    size_t stride = ((size_t(w) * b->bitsPixel + 15) / 16) * 2;
    std::vector<BYTE> out(stride * h, 0);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(b->surface.constScanLine(y));
        BYTE* o = &out[y * stride];
        for (int x = 0; x < w; ++x) {
            if (b->bitsPixel == 1) {
                if (row[x] & 0xFFFFFF)
                    o[x / 8] |= BYTE(0x80 >> (x % 8));
            } else {
                std::memcpy(o + x * 4, &row[x], 4);
            }
        }
    }
    DWORD n = std::min<DWORD>(count, DWORD(out.size()));
    std::memcpy(bits, out.data(), n);
    return n;
}

DWORD CBitmap::SetBitmapBits(DWORD count, const void* bits)
{
    auto* b = LookupAs<Bitmap>(m_hObject, Kind::Bitmap);
    if (!b || !bits)
        return 0;
    LoadDdbBits(*b, static_cast<const BYTE*>(bits), count);
    return count;
}

SIZE CBitmap::GetBitmapDimension() const { return {0, 0}; }
CBitmap* CBitmap::FromHandle(HBITMAP h) { return WrapperFor<CBitmap>(h); }

CPalette* CPalette::FromHandle(HPALETTE h) { return WrapperFor<CPalette>(h); }
CRgn* CRgn::FromHandle(HRGN h) { return WrapperFor<CRgn>(h); }

HGDIOBJ GetStockObject(int index)
{
    Object* o = Stock(index);
    return o ? static_cast<HGDIOBJ>(o) : nullptr;
}

BOOL DeleteObject(HGDIOBJ h) { return gdi::Unregister(h) ? TRUE : FALSE; }

DWORD GetObjectType(HGDIOBJ h)
{
    Object* o = Lookup(h);
    if (!o)
        return 0;
    switch (o->kind) {
    case Kind::Pen: return OBJ_PEN;
    case Kind::Brush: return OBJ_BRUSH;
    case Kind::Font: return OBJ_FONT;
    case Kind::Bitmap: return OBJ_BITMAP;
    case Kind::Region: return OBJ_REGION;
    case Kind::Palette: return OBJ_PAL;
    }
    return 0;
}

namespace {

template <typename T>
int CopyOut(const T& value, int size, LPVOID buffer)
{
    if (!buffer)
        return sizeof(T);
    int n = std::min<int>(size, sizeof(T));
    if (n <= 0)
        return 0;
    std::memcpy(buffer, &value, n);
    return n;
}

}  // namespace

int GetObject(HGDIOBJ h, int size, LPVOID buffer)
{
    Object* o = Lookup(h);
    if (!o)
        return 0;
    switch (o->kind) {
    case Kind::Pen: {
        auto* p = static_cast<Pen*>(o);
        return CopyOut(LOGPEN{UINT(p->style), {p->width, 0}, p->color}, size, buffer);
    }
    case Kind::Brush: {
        auto* b = static_cast<Brush*>(o);
        return CopyOut(LOGBRUSH{b->style, b->color, UINT_PTR(b->hatch)}, size, buffer);
    }
    case Kind::Font: return CopyOut(static_cast<Font*>(o)->lf, size, buffer);
    case Kind::Bitmap: {
        auto* b = static_cast<Bitmap*>(o);
        BITMAP bm{0, b->surface.width(), b->surface.height(), 0, 1, WORD(b->bitsPixel), nullptr};
        bm.bmWidthBytes = b->section ? LONG(DibRowBytes(bm.bmWidth, bm.bmBitsPixel))
                                     : LONG(((bm.bmWidth * bm.bmBitsPixel + 15) / 16) * 2);
        if (b->section)
            bm.bmBits = b->bits.data();
        return CopyOut(bm, size, buffer);
    }
    case Kind::Palette: {
        WORD n = WORD(static_cast<Palette*>(o)->entries.size());
        return CopyOut(n, size, buffer);
    }
    case Kind::Region: return 0;
    }
    return 0;
}

HPEN CreatePen(int style, int width, COLORREF color)
{
    if ((style & PS_STYLE_MASK) > PS_INSIDEFRAME)
        return nullptr;
    return static_cast<HPEN>(Register(MakePen(style, width, color)));
}

HPEN CreatePenIndirect(const LOGPEN* lp)
{
    return lp ? CreatePen(int(lp->lopnStyle), lp->lopnWidth.x, lp->lopnColor) : nullptr;
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD, const DWORD*)
{
    if (!brush || (style & PS_STYLE_MASK) > PS_INSIDEFRAME)
        return nullptr;
    COLORREF color = brush->lbStyle == BS_NULL ? 0 : brush->lbColor;
    int s = int(style);
    if (brush->lbStyle == BS_NULL)
        s = (s & ~PS_STYLE_MASK) | PS_NULL;
    return static_cast<HPEN>(Register(MakePen(s, int(width), color)));
}

HBRUSH CreateSolidBrush(COLORREF color) { return static_cast<HBRUSH>(Register(MakeBrush(BS_SOLID, color, 0))); }

HBRUSH CreateHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return nullptr;
    return static_cast<HBRUSH>(Register(MakeBrush(BS_HATCHED, color, hatch)));
}

HBRUSH CreatePatternBrush(HBITMAP hbm)
{
    auto* bm = LookupAs<Bitmap>(hbm, Kind::Bitmap);
    if (!bm)
        return nullptr;
    auto b = MakeBrush(BS_PATTERN, 0, 0);
    if (bm->section)
        bm->PullFromBits();
    b->pattern = bm->surface.copy(0, 0, std::min(bm->surface.width(), 64), std::min(bm->surface.height(), 64));
    b->monoPattern = bm->bitsPixel == 1;
    return static_cast<HBRUSH>(Register(std::move(b)));
}

HBRUSH CreateDIBPatternBrushPt(const void* packedDib, UINT usage)
{
    if (!packedDib)
        return nullptr;
    // The caller gives no size: trust the header, as the platform does, but bound it.
    auto format = ParseDibInfo(packedDib, 1 << 20, usage, nullptr);
    if (!format || format->compression != BI_RGB)
        return nullptr;
    auto b = MakeBrush(BS_DIBPATTERN, 0, 0);
    const BYTE* bits = static_cast<const BYTE*>(packedDib) + format->headerBytes;
    b->pattern = DecodeDib(*format, bits, format->imageBytes);
    b->monoPattern = false;
    if (b->pattern.isNull())
        return nullptr;
    return static_cast<HBRUSH>(Register(std::move(b)));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* lb)
{
    if (!lb)
        return nullptr;
    switch (lb->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(lb->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(Register(MakeBrush(BS_NULL, 0, 0)));
    case BS_HATCHED: return CreateHatchBrush(int(lb->lbHatch), lb->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(lb->lbHatch));
    default: return nullptr;
    }
}

HFONT CreateFontIndirect(const LOGFONT* logFont)
{
    if (!logFont)
        return nullptr;
    auto f = std::make_unique<Font>();
    f->lf = *logFont;
    f->lf.lfFaceName[LF_FACESIZE - 1] = 0;
    return static_cast<HFONT>(Register(std::move(f)));
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits)
{
    UINT depth = planes * bitCount;
    if (depth != 1 && depth != 24 && depth != 32)
        depth = depth <= 1 ? 1 : 32;
    auto b = MakeBitmap(width, height, int(depth));
    if (!b)
        return nullptr;
    if (bits) {
        size_t stride = ((size_t(width) * depth + 15) / 16) * 2;
        LoadDdbBits(*b, static_cast<const BYTE*>(bits), stride * height);
    }
    return static_cast<HBITMAP>(Register(std::move(b)));
}

HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height)
{
    Dc* dc = LookupDc(hdc);
    if (!dc)
        return nullptr;
    // A fresh memory DC holds its one-pixel monochrome bitmap, so its compatible bitmaps are monochrome.
    auto b = MakeBitmap(width, height, dc->Mono() ? 1 : 32);
    return b ? static_cast<HBITMAP>(Register(std::move(b))) : nullptr;
}
