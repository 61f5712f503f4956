// Showing the canvas on a DC and drawing onto it in image pixels.
#include "imaging/DIBSection.h"

#include "imaging/CanvasPalette.h"

#include "imaging/TransparentDraw.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>

namespace {

constexpr COLORREF kSystemTextColour = 0xFF000000;

// Ellipse and rectangle take the far edges exclusive: normalised and grown by one pixel.
CRect shapeRect(int x1, int y1, int x2, int y2)
{
    CRect r(x1, y1, x2, y2);
    r.NormalizeRect();
    r.right += 1;
    r.bottom += 1;
    return r;
}

} // namespace

BOOL CDIBSection::Draw(CDC* dc, int x, int y, const POINT* origin, const SIZE* size)
{
    if (!m_hBitmap || !dc)
        return FALSE;
    CPoint from = origin ? CPoint(*origin) : CPoint(0, 0);
    CSize part = size ? CSize(*size) : GetSize();
    part.cx = std::min<LONG>(part.cx, GetWidth() - from.x);
    part.cy = std::min<LONG>(part.cy, GetHeight() - from.y);
    if (part.cx <= 0 || part.cy <= 0)
        return FALSE;
    return DrawPart(dc, CRect(CPoint(x, y), part), from, part, false);
}

BOOL CDIBSection::Stretch(CDC* dc, int x, int y, int cx, int cy)
{
    if (!m_hBitmap || !dc)
        return FALSE;
    dc->SetStretchBltMode(COLORONCOLOR);
    return DrawPart(dc, CRect(x, y, x + cx, y + cy), CPoint(0, 0), GetSize(), true);
}

BOOL CDIBSection::DrawPart(CDC* dc, const CRect& target, const CPoint& origin, const CSize& size, bool stretch)
{
    if (UsesDrawDib()) {
        if (!m_hDrawDib)
            m_hDrawDib = DrawDibOpen();
        DrawDibSetPalette(m_hDrawDib, m_Palette);
        DrawDibRealize(m_hDrawDib, dc->GetSafeHdc(), FALSE);
        return DrawDibDraw(m_hDrawDib, dc->GetSafeHdc(), target.left, target.top, target.Width(), target.Height(),
                           &m_Info.header, m_pBits, origin.x, origin.y, size.cx, size.cy, 0);
    }
    bool palette = OnPaletteDevice(dc) && m_Palette.GetSafeHandle();
    CPalette* old = palette ? dc->SelectPalette(&m_Palette, TRUE) : nullptr;
    if (palette)
        dc->RealizePalette();
    BOOL done = WithMemoryDC([&](CDC& memory) {
        if (stretch)
            return dc->StretchBlt(target.left, target.top, target.Width(), target.Height(), &memory, origin.x,
                                  origin.y, size.cx, size.cy, SRCCOPY);
        return dc->BitBlt(target.left, target.top, size.cx, size.cy, &memory, origin.x, origin.y, SRCCOPY);
    });
    if (palette)
        dc->SelectPalette(old, TRUE);
    return done;
}

BOOL CDIBSection::DrawTransparent(CDC* dc, int x, int y, COLORREF colour, const POINT* origin, const SIZE* size)
{
    if (colour == kNoKeyColour)
        return Draw(dc, x, y, origin, size);
    CPoint from = origin ? CPoint(*origin) : CPoint(0, 0);
    CSize part = size ? CSize(*size) : GetSize();
    part.cx = std::min<LONG>(part.cx, GetWidth() - from.x);
    part.cy = std::min<LONG>(part.cy, GetHeight() - from.y);
    return DrawMasked(dc, CRect(CPoint(x, y), part), colour, from, part, false);
}

BOOL CDIBSection::StretchTransparent(CDC* dc, int x, int y, int cx, int cy, COLORREF colour)
{
    if (colour == kNoKeyColour)
        return Stretch(dc, x, y, cx, cy);
    return DrawMasked(dc, CRect(x, y, x + cx, y + cy), colour, CPoint(0, 0), GetSize(), true);
}

// The wanted part is copied into a device bitmap, which is then drawn with its key colour left
// out by the mask method.
BOOL CDIBSection::DrawMasked(CDC* dc, const CRect& target, COLORREF colour, const CPoint& origin,
                             const CSize& size, bool stretch)
{
    if (!m_hBitmap || !dc || size.cx <= 0 || size.cy <= 0)
        return FALSE;
    CBitmap copy;
    CDC copyDC;
    if (!copy.CreateCompatibleBitmap(dc, size.cx, size.cy) || !copyDC.CreateCompatibleDC(dc))
        return FALSE;
    CBitmap* old = copyDC.SelectObject(&copy);
    BOOL copied = Draw(&copyDC, 0, 0, &origin, &size);
    copyDC.SelectObject(old);
    if (!copied)
        return FALSE;
    POINT at = target.TopLeft();
    CSize source = size;
    CSize drawn = stretch ? target.Size() : size;
    DrawBitmapTransparent(&copy, &at, &source, &drawn, colour, dc, FALSE);
    return TRUE;
}

BOOL CDIBSection::SetPixel(int x, int y, int width, COLORREF colour)
{
    return WithMemoryDC([&](CDC& dc) {
        if (width <= 1)
            return dc.SetPixelV(x, y, colour);
        CPen pen(PS_SOLID, width, colour);
        CPen* old = dc.SelectObject(&pen);
        BOOL done = dc.Ellipse(x, y, x + 1, y + 1);
        dc.SelectObject(old);
        return done;
    });
}

COLORREF CDIBSection::GetPixel(int x, int y)
{
    COLORREF colour = 0;
    WithMemoryDC([&](CDC& dc) {
        colour = dc.GetPixel(x, y);
        return TRUE;
    });
    return colour;
}

BOOL CDIBSection::DrawLine(int x1, int y1, int x2, int y2, int width, COLORREF colour)
{
    if (x1 == x2 && y1 == y2 && width <= 1)
        return SetPixel(x1, y1, 1, colour);
    return WithMemoryDC([&](CDC& dc) {
        CPen pen(PS_SOLID, width, colour);
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(x1, y1);
        BOOL done = dc.LineTo(x2, y2);
        dc.SetPixelV(x2, y2, colour);
        dc.SelectObject(old);
        return done;
    });
}

BOOL CDIBSection::DrawRect(int x1, int y1, int x2, int y2, int width, COLORREF colour, BOOL filled, BOOL rounded)
{
    bool point = x1 == x2 && y1 == y2 && width <= 1;
    if (rounded && !point && (x1 == x2 || y1 == y2))
        return FALSE;
    return DrawShape(x1, y1, x2, y2, width, colour, filled, [rounded](CDC& dc, const CRect& r) {
        return rounded ? dc.RoundRect(r, CPoint(r.Width() / 3, r.Height() / 3)) : dc.Rectangle(r);
    });
}

BOOL CDIBSection::DrawEllipse(int x1, int y1, int x2, int y2, int width, COLORREF colour, BOOL filled)
{
    return DrawShape(x1, y1, x2, y2, width, colour, filled, [](CDC& dc, const CRect& r) { return dc.Ellipse(r); });
}

// An outline in a solid pen over no brush, or a fill in a solid brush with no pen; a single
// point of width 1 is one pixel.
BOOL CDIBSection::DrawShape(int x1, int y1, int x2, int y2, int width, COLORREF colour, BOOL filled,
                            const std::function<BOOL(CDC&, const CRect&)>& shape)
{
    if (x1 == x2 && y1 == y2 && width <= 1)
        return SetPixel(x1, y1, 1, colour);
    CRect r = shapeRect(x1, y1, x2, y2);
    return WithMemoryDC([&](CDC& dc) {
        CPen pen(PS_SOLID, width, colour);
        CBrush brush(colour);
        HGDIOBJ oldPen = dc.SelectObject(filled ? ::GetStockObject(NULL_PEN) : pen.GetSafeHandle());
        HGDIOBJ oldBrush = dc.SelectObject(filled ? brush.GetSafeHandle() : ::GetStockObject(NULL_BRUSH));
        BOOL done = shape(dc, r);
        dc.SelectObject(oldPen);
        dc.SelectObject(oldBrush);
        return done;
    });
}

BOOL CDIBSection::DrawText(const CString& text, const CRect& rect, UINT format, COLORREF colour, CFont* font)
{
    if (text.IsEmpty())
        return TRUE;
    CRect r = rect;
    r.NormalizeRect();
    return WithMemoryDC([&](CDC& dc) {
        CFont* old = font ? dc.SelectObject(font) : nullptr;
        dc.SetTextColor(colour == kSystemTextColour ? ::GetSysColor(COLOR_WINDOWTEXT) : colour);
        dc.SetBkMode(TRANSPARENT);
        int height = dc.DrawText(text, r, format);
        if (old)
            dc.SelectObject(old);
        return height > 0;
    });
}

BOOL CDIBSection::FloodFill(int x, int y, COLORREF colour)
{
    return WithMemoryDC([&](CDC& dc) {
        CBrush brush(colour);
        CBrush* old = dc.SelectObject(&brush);
        BOOL done = dc.ExtFloodFill(x, y, dc.GetPixel(x, y), FLOODFILLSURFACE);
        dc.SelectObject(old);
        return done;
    });
}

BOOL CDIBSection::FillSolid(COLORREF colour)
{
    return FillRect(CRect(0, 0, GetWidth() + 1, GetHeight() + 1), colour);
}

BOOL CDIBSection::FillRect(const CRect& rect, COLORREF colour)
{
    return WithMemoryDC([&](CDC& dc) {
        CBrush brush(colour);
        dc.FillRect(rect, &brush);
        return TRUE;
    });
}
