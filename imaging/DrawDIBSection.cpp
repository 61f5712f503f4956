#include "imaging/DrawDIBSection.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <cmath>
#include <cstdlib>
#include <vector>

CDrawDIBSection::~CDrawDIBSection()
{
    if (m_drawDib)
        DrawDibClose(m_drawDib);
    if (m_palette)
        ::DeleteObject(m_palette);
}

void CDrawDIBSection::Draw(HDC dc, int x, int y, DWORD)
{
    RECT dst{x, y, x + GetWidth(), y + GetHeight()};
    DrawEx(dc, &dst, nullptr, nullptr, TRUE, -1, SRCCOPY);
}

BOOL CDrawDIBSection::DrawExtract(HDC dc, POINT dest, const RECT& source)
{
    RECT dst{dest.x, dest.y, dest.x + std::abs(source.right - source.left),
             dest.y + std::abs(source.bottom - source.top)};
    return DrawEx(dc, &dst, &source, nullptr, TRUE, -1, SRCCOPY);
}

void CDrawDIBSection::StretchDraw(HDC dc, int x, int y, int cx, int cy, DWORD)
{
    RECT dst{x, y, x + cx, y + cy};
    DrawEx(dc, &dst, nullptr, nullptr, TRUE, -1, SRCCOPY);
}

void CDrawDIBSection::StretchDraw(HDC dc, int x, int y, double factor, DWORD)
{
    StretchDraw(dc, x, y, int(GetWidth() * factor), int(GetHeight() * factor), SRCCOPY);
}

BOOL CDrawDIBSection::DrawEx(HDC dc, const RECT* dst, const RECT* src, HPALETTE palette, BOOL foreground, int mode,
                             DWORD rop)
{
    if (!dc || !GetBMI())
        return FALSE;
    HPALETTE selected = palette ? palette : GetPalette();
    HPALETTE previous = selected ? ::SelectPalette(dc, selected, !foreground) : nullptr;
    if (selected)
        ::RealizePalette(dc);
    const RECT whole{0, 0, GetWidth(), GetHeight()};
    const RECT source = src ? *src : whole;
    const RECT target = dst ? *dst : source;
    BOOL drawn = mode >= 0 ? Blit(dc, target, source, mode, rop) : DrawThroughHelper(dc, target, source, foreground);
    if (previous)
        ::SelectPalette(dc, previous, TRUE);
    return drawn;
}

BOOL CDrawDIBSection::Blit(HDC dc, const RECT& dst, const RECT& src, int mode, DWORD rop)
{
    int oldMode = mode > 0 ? ::SetStretchBltMode(dc, mode) : 0;
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, GetHandle());
    const BITMAPINFOHEADER* header = GetBMI();
    if (header->biBitCount <= 8)
        SetDIBColorTable(memory, 0, 1u << header->biBitCount,
                         reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) + header->biSize));
    BOOL drawn = ::StretchBlt(dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, memory, src.left,
                              src.top, src.right - src.left, src.bottom - src.top, rop);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    if (mode > 0)
        ::SetStretchBltMode(dc, oldMode);
    return drawn;
}

BOOL CDrawDIBSection::DrawThroughHelper(HDC dc, const RECT& dst, const RECT& src, BOOL foreground)
{
    if (!m_drawDib)
        m_drawDib = DrawDibOpen();
    // The helper counts source rows from the bottom of the bottom-up picture.
    const int height = std::abs(GetBMI()->biHeight);
    return DrawDibDraw(m_drawDib, dc, dst.left, dst.top, dst.right - dst.left, dst.bottom - dst.top, GetBMI(),
                       GetBits(), src.left, height - src.bottom, src.right - src.left, src.bottom - src.top,
                       foreground ? 0 : DDF_BACKGROUND);
}

HPALETTE CDrawDIBSection::CreatePalette() const
{
    const BITMAPINFOHEADER* header = GetBMI();
    if (!header)
        return nullptr;
    if (header->biBitCount > 8) {
        HDC screen = ::GetDC(nullptr);
        HPALETTE halftone = ::CreateHalftonePalette(screen);
        ::ReleaseDC(nullptr, screen);
        return halftone;
    }
    const UINT count = 1u << header->biBitCount;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = WORD(count);
    const auto* table = reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const BYTE*>(header) + header->biSize);
    for (UINT i = 0; i < count; ++i)
        logical->palPalEntry[i] = PALETTEENTRY{table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    return ::CreatePalette(logical);
}

HPALETTE CDrawDIBSection::GetPalette()
{
    if (!m_palette)
        m_palette = CreatePalette();
    return m_palette;
}
