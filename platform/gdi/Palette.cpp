#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiState.h"

#include <climits>

using namespace gdi;

namespace {

Palette* P(HGDIOBJ h) { return LookupAs<Palette>(h, Kind::Palette); }

}  // namespace

namespace gdi {

COLORREF Resolve(const Dc& dc, COLORREF c)
{
    BYTE kind = BYTE(c >> 24);
    if (kind == 1 && dc.a.palette) {
        WORD index = WORD(c & 0xFFFF);
        const auto& e = dc.a.palette->entries;
        return index < e.size() ? RGB(e[index].peRed, e[index].peGreen, e[index].peBlue) : RGB(0, 0, 0);
    }
    return c & 0xFFFFFF;
}

QRgb ToMono(QRgb c)
{
    return qRed(c) + qGreen(c) + qBlue(c) >= 384 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
}

QRgb DeviceColor(const Dc& dc, COLORREF c)
{
    QRgb rgb = ToRgb(Resolve(dc, c));
    return dc.Mono() ? ToMono(rgb) : rgb;
}

}  // namespace gdi

HPALETTE CreatePalette(const LOGPALETTE* lp)
{
    if (!lp || lp->palNumEntries == 0)
        return nullptr;
    auto p = std::make_unique<Palette>();
    p->entries.assign(lp->palPalEntry, lp->palPalEntry + lp->palNumEntries);
    return static_cast<HPALETTE>(Register(std::move(p)));
}

HPALETTE CreateHalftonePalette(HDC)
{
    auto p = std::make_unique<Palette>();
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p->entries.push_back({BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0});
    return static_cast<HPALETTE>(Register(std::move(p)));
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, PALETTEENTRY* entries)
{
    Palette* p = P(palette);
    if (!p)
        return 0;
    UINT size = UINT(p->entries.size());
    if (!entries)
        return size;
    if (start >= size)
        return 0;
    UINT n = std::min(count, size - start);
    std::copy_n(p->entries.begin() + start, n, entries);
    return n;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries)
{
    Palette* p = P(palette);
    if (!p || !entries || start >= p->entries.size())
        return 0;
    UINT n = std::min<UINT>(count, UINT(p->entries.size()) - start);
    std::copy_n(entries, n, p->entries.begin() + start);
    return n;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF color)
{
    Palette* p = P(palette);
    if (!p || p->entries.empty())
        return CLR_INVALID;
    UINT best = 0;
    int bestDist = INT_MAX;
    for (UINT i = 0; i < p->entries.size(); ++i) {
        const PALETTEENTRY& e = p->entries[i];
        int dr = e.peRed - GetRValue(color), dg = e.peGreen - GetGValue(color), db = e.peBlue - GetBValue(color);
        int d = dr * dr + dg * dg + db * db;
        if (d < bestDist) {
            bestDist = d;
            best = i;
        }
    }
    return best;
}

BOOL CPalette::CreatePalette(const LOGPALETTE* lp) { return Attach(::CreatePalette(lp)); }
BOOL CPalette::CreateHalftonePalette(CDC* dc) { return Attach(::CreateHalftonePalette(dc ? dc->m_hDC : nullptr)); }
int CPalette::GetEntryCount() const { return int(::GetPaletteEntries(*this, 0, 0, nullptr)); }
UINT CPalette::GetPaletteEntries(UINT start, UINT count, PALETTEENTRY* e) const
{
    return ::GetPaletteEntries(*this, start, count, e);
}
UINT CPalette::SetPaletteEntries(UINT start, UINT count, const PALETTEENTRY* e)
{
    return ::SetPaletteEntries(*this, start, count, e);
}
BOOL CPalette::ResizePalette(UINT count)
{
    Palette* p = P(m_hObject);
    if (!p || count == 0 || count > 1024)
        return FALSE;
    p->entries.resize(count, PALETTEENTRY{0, 0, 0, 0});
    return TRUE;
}
UINT CPalette::GetNearestPaletteIndex(COLORREF color) const { return ::GetNearestPaletteIndex(*this, color); }
