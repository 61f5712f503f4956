#include "platform/gdi/Dc.h"

#include "platform/gdi/GdiState.h"
#include "platform/gdi/HandleTable.h"
#include "platform/gdi/Mapping.h"
#include "platform/gdi/Recorder.h"

#include <cstdlib>

namespace gdi {
namespace {

using DcTable = HandleTable<HDC, Dc>;

void Retain(Object* o, int delta)
{
    if (o)
        o->selections += delta;
}

}  // namespace

void RetainAll(Attributes& a, int delta)
{
    Retain(a.pen, delta);
    Retain(a.brush, delta);
    Retain(a.font, delta);
    Retain(a.bitmap, delta);
    Retain(a.palette, delta);
}

Dc* LookupDc(HDC h) { return DcTable::Instance().Find(h); }

HDC RegisterDc(std::unique_ptr<Dc> dc)
{
    auto& a = dc->a;
    if (!a.pen)
        a.pen = static_cast<Pen*>(Stock(BLACK_PEN));
    if (!a.brush)
        a.brush = static_cast<Brush*>(Stock(WHITE_BRUSH));
    if (!a.font)
        a.font = static_cast<Font*>(Stock(SYSTEM_FONT));
    if (!a.palette)
        a.palette = static_cast<Palette*>(Stock(DEFAULT_PALETTE));
    if (dc->kind == DcKind::Memory && !a.bitmap)
        a.bitmap = static_cast<Bitmap*>(Stock(kStockMonoBitmap));
    RetainAll(a, 1);
    return DcTable::Instance().Add(std::move(dc));
}

void UnregisterDc(HDC h)
{
    std::unique_ptr<Dc> dc = DcTable::Instance().Take(h);
    if (!dc)
        return;
    RetainAll(dc->a, -1);
    for (auto& s : dc->saved)
        RetainAll(s, -1);
    if (dc->wrapper)
        dc->wrapper->m_hDC = dc->wrapper->m_hAttribDC = nullptr;
}

HDC CreateSurfaceDc(QImage* target, DcKind kind)
{
    auto dc = std::make_unique<Dc>();
    dc->kind = kind;
    dc->target = target;
    if (target) {
        dc->width = target->width();
        dc->height = target->height();
    }
    return RegisterDc(std::move(dc));
}

}  // namespace gdi

using namespace gdi;

namespace {

Dc* D(HDC h) { return LookupDc(h); }

WindowDcHooks& windowHooks()
{
    static WindowDcHooks hooks;
    return hooks;
}

}  // namespace

void SetWindowDcHooks(const WindowDcHooks& hooks) { windowHooks() = hooks; }

IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CWindowAreaDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CWindowAreaDC)
IMPLEMENT_DYNAMIC(CWindowDC, CWindowAreaDC)
IMPLEMENT_DYNAMIC(CPaintDC, CWindowAreaDC)

HDC CreateCompatibleDC(HDC hdc)
{
    auto dc = std::make_unique<Dc>();
    dc->kind = DcKind::Memory;
    if (Dc* src = D(hdc)) {
        dc->dpiX = src->dpiX;
        dc->dpiY = src->dpiY;
        dc->width = src->width;
        dc->height = src->height;
    }
    return RegisterDc(std::move(dc));
}

BOOL DeleteDC(HDC hdc)
{
    if (!D(hdc))
        return FALSE;
    UnregisterDc(hdc);
    return TRUE;
}

HDC GetDC(HWND) { return CreateSurfaceDc(nullptr, DcKind::Screen); }
int ReleaseDC(HWND, HDC hdc) { return DeleteDC(hdc); }

CDC::~CDC()
{
    if (m_owned)
        DeleteDC();
}

CDC* CDC::FromHandle(HDC hDC)
{
    Dc* dc = D(hDC);
    if (!dc)
        return nullptr;
    if (!dc->wrapper) {
        dc->wrapper = std::make_unique<CDC>();
        dc->wrapper->m_hDC = dc->wrapper->m_hAttribDC = hDC;
        dc->wrapper->m_bPrinting = dc->kind == DcKind::Printer;
    }
    return dc->wrapper.get();
}

BOOL CDC::Attach(HDC hDC)
{
    Dc* dc = D(hDC);
    if (!dc)
        return FALSE;
    m_hDC = m_hAttribDC = hDC;
    m_bPrinting = dc->kind == DcKind::Printer;
    m_owned = true;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    m_owned = false;
    return h;
}

BOOL CDC::DeleteDC()
{
    if (!m_hDC)
        return FALSE;
    return ::DeleteDC(Detach());
}

BOOL CDC::CreateCompatibleDC(CDC* dc)
{
    return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::CreateIC(LPCTSTR driver, LPCTSTR device, LPCTSTR output, const void* initData)
{
    return CreateDC(driver, device, output, initData);
}

int CDC::SaveDC()
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return 0;
    RecordBare(m_hDC, EMR_SAVEDC);
    dc->saved.push_back(dc->a);
    RetainAll(dc->a, 1);
    return int(dc->saved.size());
}

BOOL CDC::RestoreDC(int savedDC)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return FALSE;
    int n = int(dc->saved.size());
    int index = savedDC < 0 ? n + savedDC : savedDC - 1;
    if (index < 0 || index >= n)
        return FALSE;
    RecordValue(m_hDC, EMR_RESTOREDC, DWORD(savedDC));
    RetainAll(dc->a, -1);
    dc->a = dc->saved[size_t(index)];
    for (int i = index + 1; i < n; ++i)
        RetainAll(dc->saved[size_t(i)], -1);
    dc->saved.resize(size_t(index));
    return TRUE;
}

int CDC::GetDeviceCaps(int index) const
{
    Dc* dc = D(m_hAttribDC ? m_hAttribDC : m_hDC);
    if (!dc)
        return 0;
    bool printer = dc->kind == DcKind::Printer;
    switch (index) {
    case DRIVERVERSION: return 0x400;
    case TECHNOLOGY: return printer ? DT_RASPRINTER : dc->kind == DcKind::Metafile ? DT_METAFILE : DT_RASDISPLAY;
    case HORZSIZE: return MulDiv(dc->width, 254, dc->dpiX * 10);
    case VERTSIZE: return MulDiv(dc->height, 254, dc->dpiY * 10);
    case HORZRES:
    case PHYSICALWIDTH: return dc->width;
    case VERTRES:
    case PHYSICALHEIGHT: return dc->height;
    case PHYSICALOFFSETX:
    case PHYSICALOFFSETY: return 0;
    case BITSPIXEL: return printer ? 24 : 32;
    case PLANES: return 1;
    case NUMCOLORS: return -1;
    case SIZEPALETTE: return 0;
    case RASTERCAPS:
        return RC_BITBLT | RC_BITMAP64 | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB |
               (printer ? RC_BANDING | RC_SCALING : RC_FLOODFILL);
    case LOGPIXELSX: return dc->dpiX;
    case LOGPIXELSY: return dc->dpiY;
    default: return 0;
    }
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) { return ::SelectObject(m_hDC, hObject); }

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(index)));
}

CPen* CDC::SelectObject(CPen* pen)
{
    return pen ? CPen::FromHandle(static_cast<HPEN>(SelectObject(pen->m_hObject))) : nullptr;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    return brush ? CBrush::FromHandle(static_cast<HBRUSH>(SelectObject(brush->m_hObject))) : nullptr;
}

CFont* CDC::SelectObject(CFont* font)
{
    return font ? CFont::FromHandle(static_cast<HFONT>(SelectObject(font->m_hObject))) : nullptr;
}

CBitmap* CDC::SelectObject(CBitmap* bitmap)
{
    return bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(SelectObject(bitmap->m_hObject))) : nullptr;
}

int CDC::SelectObject(CRgn* rgn) { return SelectClipRgn(rgn); }

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ hObject)
{
    Dc* dc = D(hdc);
    Object* o = Lookup(hObject);
    if (!dc || !o)
        return nullptr;
    RecordSelect(hdc, hObject);
    auto swap = [&](auto*& slot) -> HGDIOBJ {
        using T = std::remove_reference_t<decltype(*slot)>;
        Object* old = slot;
        slot = static_cast<T*>(o);
        o->selections += 1;
        if (old)
            old->selections -= 1;
        return old;
    };
    switch (o->kind) {
    case Kind::Pen: return swap(dc->a.pen);
    case Kind::Brush: return swap(dc->a.brush);
    case Kind::Font: return swap(dc->a.font);
    case Kind::Palette: return swap(dc->a.palette);
    case Kind::Bitmap:
        // A bitmap goes into one memory DC at a time.
        if (dc->kind != DcKind::Memory || (o->selections > 0 && !o->stock && dc->a.bitmap != o))
            return nullptr;
        return swap(dc->a.bitmap);
    case Kind::Region: {
        dc->a.clip = static_cast<Region*>(o)->rgn;
        return reinterpret_cast<HGDIOBJ>(static_cast<intptr_t>(dc->a.clip->rectCount() > 1 ? COMPLEXREGION
                                                                                            : SIMPLEREGION));
    }
    }
    return nullptr;
}

int GetDeviceCaps(HDC hdc, int index) { return CDC::FromHandle(hdc) ? CDC::FromHandle(hdc)->GetDeviceCaps(index) : 0; }

CPalette* CDC::SelectPalette(CPalette* palette, BOOL)
{
    return palette ? CPalette::FromHandle(static_cast<HPALETTE>(SelectObject(palette->m_hObject))) : nullptr;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL) { return static_cast<HPALETTE>(SelectObject(hdc, palette)); }
UINT RealizePalette(HDC) { return 0; }
UINT CDC::RealizePalette() { return 0; }

CPen* CDC::GetCurrentPen() const
{
    Dc* dc = D(m_hDC);
    return dc ? CPen::FromHandle(static_cast<HPEN>(static_cast<HGDIOBJ>(dc->a.pen))) : nullptr;
}
CBrush* CDC::GetCurrentBrush() const
{
    Dc* dc = D(m_hDC);
    return dc ? CBrush::FromHandle(static_cast<HBRUSH>(static_cast<HGDIOBJ>(dc->a.brush))) : nullptr;
}
CFont* CDC::GetCurrentFont() const
{
    Dc* dc = D(m_hDC);
    return dc ? CFont::FromHandle(static_cast<HFONT>(static_cast<HGDIOBJ>(dc->a.font))) : nullptr;
}
CBitmap* CDC::GetCurrentBitmap() const
{
    Dc* dc = D(m_hDC);
    return dc && dc->a.bitmap ? CBitmap::FromHandle(static_cast<HBITMAP>(static_cast<HGDIOBJ>(dc->a.bitmap)))
                              : nullptr;
}
CPalette* CDC::GetCurrentPalette() const
{
    Dc* dc = D(m_hDC);
    return dc ? CPalette::FromHandle(static_cast<HPALETTE>(static_cast<HGDIOBJ>(dc->a.palette))) : nullptr;
}

COLORREF CDC::GetNearestColor(COLORREF color) const
{
    Dc* dc = D(m_hDC);
    return dc ? ToColorRef(DeviceColor(*dc, color)) : CLR_INVALID;
}

#define VANTREL_DC_ATTRIBUTE(Type, Set, Get, field, Valid, Record) \
    Type CDC::Set(Type value)                                      \
    {                                                              \
        Dc* dc = D(m_hDC);                                         \
        if (!dc || !(Valid))                                       \
            return 0;                                              \
        RecordValue(m_hDC, Record, DWORD(value));                  \
        Type old = dc->a.field;                                    \
        dc->a.field = value;                                       \
        return old;                                                \
    }                                                              \
    Type CDC::Get() const                                          \
    {                                                              \
        Dc* dc = D(m_hDC);                                         \
        return dc ? dc->a.field : 0;                               \
    }
VANTREL_DC_ATTRIBUTE(COLORREF, SetTextColor, GetTextColor, textColor, true, EMR_SETTEXTCOLOR)
VANTREL_DC_ATTRIBUTE(COLORREF, SetBkColor, GetBkColor, bkColor, true, EMR_SETBKCOLOR)
VANTREL_DC_ATTRIBUTE(int, SetBkMode, GetBkMode, bkMode, value == OPAQUE || value == TRANSPARENT, EMR_SETBKMODE)
VANTREL_DC_ATTRIBUTE(int, SetROP2, GetROP2, rop2, value >= R2_BLACK && value <= R2_WHITE, EMR_SETROP2)
VANTREL_DC_ATTRIBUTE(int, SetPolyFillMode, GetPolyFillMode, polyFillMode, value == ALTERNATE || value == WINDING,
                     EMR_SETPOLYFILLMODE)
VANTREL_DC_ATTRIBUTE(int, SetStretchBltMode, GetStretchBltMode, stretchMode, value >= BLACKONWHITE && value <= HALFTONE,
                     EMR_SETSTRETCHBLTMODE)
VANTREL_DC_ATTRIBUTE(UINT, SetTextAlign, GetTextAlign, textAlign, true, EMR_SETTEXTALIGN)
VANTREL_DC_ATTRIBUTE(int, SetArcDirection, GetArcDirection, arcDirection,
                     value == AD_COUNTERCLOCKWISE || value == AD_CLOCKWISE, EMR_SETARCDIRECTION)
#undef VANTREL_DC_ATTRIBUTE

COLORREF SetTextColor(HDC hdc, COLORREF c) { CDC* dc = CDC::FromHandle(hdc); return dc ? dc->SetTextColor(c) : CLR_INVALID; }
COLORREF SetBkColor(HDC hdc, COLORREF c) { CDC* dc = CDC::FromHandle(hdc); return dc ? dc->SetBkColor(c) : CLR_INVALID; }
int SetBkMode(HDC hdc, int mode) { CDC* dc = CDC::FromHandle(hdc); return dc ? dc->SetBkMode(mode) : 0; }
int SetStretchBltMode(HDC hdc, int mode) { CDC* dc = CDC::FromHandle(hdc); return dc ? dc->SetStretchBltMode(mode) : 0; }

CPoint CDC::SetBrushOrg(int x, int y)
{
    Dc* dc = D(m_hDC);
    if (!dc)
        return {0, 0};
    RecordPoint(m_hDC, EMR_SETBRUSHORGEX, {x, y});
    POINT old = dc->a.brushOrg;
    dc->a.brushOrg = {x, y};
    return old;
}

CPoint CDC::GetBrushOrg() const
{
    Dc* dc = D(m_hDC);
    return dc ? dc->a.brushOrg : POINT{0, 0};
}

CWindowAreaDC::CWindowAreaDC(CWnd* wnd, int kind) : m_pWnd(wnd), m_kind(kind)
{
    HDC h = nullptr;
    if (windowHooks().acquire)
        h = windowHooks().acquire(wnd, kind, &m_paintRect);
    if (!h)
        h = ::GetDC(nullptr);
    m_hDC = m_hAttribDC = h;
}

CWindowAreaDC::~CWindowAreaDC()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    if (windowHooks().release && D(h) && D(h)->kind == DcKind::Window)
        windowHooks().release(m_pWnd, h, m_kind);
    else
        ::DeleteDC(h);
}
