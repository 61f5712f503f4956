// The canvas's palette and colour table, and its memory DC.
#include "imaging/DIBSection.h"

#include "imaging/CanvasPalette.h"

#include "platform/gdi/Dib.h"

#include <algorithm>

BOOL CDIBSection::CreateStandardPalette(CPalette* palette, int entries)
{
    if (!palette)
        return FALSE;
    CanvasPalette buffer;
    auto take = [&](int from, int count) {
        for (int i = 0; i < count; ++i)
            buffer.entries[buffer.count++] = g_StandardColours[from + i];
    };
    if (entries == 1 || entries == 2) {
        take(0, 1);
        take(255, 1);
    } else if (entries >= 3 && entries <= 16) {
        take(0, 8);
        take(248, 8);
    } else {
        take(0, 256);
    }
    palette->DeleteObject();
    return palette->CreatePalette(buffer.get());
}

BOOL CDIBSection::CreateSectionPalette()
{
    m_Palette.DeleteObject();
    if (m_nColorTableSize > 0) {
        CanvasPalette buffer;
        for (int i = 0; i < m_nColorTableSize; ++i) {
            const RGBQUAD& q = m_Info.colours[i];
            buffer.entries[buffer.count++] = {q.rgbRed, q.rgbGreen, q.rgbBlue, 0};
        }
        if (m_Palette.CreatePalette(buffer.get()))
            return TRUE;
    }
    return CreateStandardPalette(&m_Palette, 256);
}

BOOL CDIBSection::SetPalette(CPalette* palette)
{
    int count = palette && palette->GetSafeHandle() ? palette->GetEntryCount() : 0;
    if (count < 1 || count > 256)
        return FALSE;
    CanvasPalette buffer;
    buffer.count = WORD(count);
    palette->GetPaletteEntries(0, UINT(count), buffer.entries);
    return SetLogPalette(buffer.get());
}

BOOL CDIBSection::SetLogPalette(const LOGPALETTE* logPalette)
{
    if (!logPalette || logPalette->palNumEntries < 1 || logPalette->palNumEntries > 256)
        return FALSE;
    m_Palette.DeleteObject();
    if (!m_Palette.CreatePalette(logPalette)) {
        CreateSectionPalette();
        return FALSE;
    }
    if (m_nColorTableSize == 0)
        return TRUE;
    const BITMAPINFOHEADER& h = m_Info.header;
    int colours = h.biClrUsed ? int(h.biClrUsed) : 1 << std::min(8, h.biPlanes * h.biBitCount);
    int count = std::min<int>({logPalette->palNumEntries, colours, 256});
    for (int i = 0; i < count; ++i) {
        const PALETTEENTRY& e = logPalette->palPalEntry[i];
        m_Info.colours[i] = {e.peBlue, e.peGreen, e.peRed, 0};
    }
    if (m_hBitmap)
        SetColorTable(UINT(count), m_Info.colours);
    return TRUE;
}

BOOL CDIBSection::SetColorTable(UINT count, const RGBQUAD* colours)
{
    if (!m_hBitmap || m_nColorTableSize == 0 || count < 1 || count > 256 || !colours)
        return FALSE;
    std::copy_n(colours, std::min<UINT>(count, UINT(m_nColorTableSize)), m_Info.colours);
    return WithMemoryDC([&](CDC& dc) { return ::SetDIBColorTable(dc.GetSafeHdc(), 0, count, colours) > 0; });
}

LOGPALETTE* CDIBSection::GetLogPalette()
{
    static CanvasPalette shared;
    if (!m_Palette.GetSafeHandle())
        return nullptr;
    shared.count = WORD(m_Palette.GetPaletteEntries(0, 256, shared.entries));
    return shared.get();
}

void CDIBSection::SelectPaletteInto(CDC* dc)
{
    if (!m_Palette.GetSafeHandle() && m_nColorTableSize)
        CreateSectionPalette();
    if (m_Palette.GetSafeHandle()) {
        dc->SelectPalette(&m_Palette, TRUE);
        dc->RealizePalette();
    }
}

CDC* CDIBSection::GetMemoryDC(CDC* dc, BOOL selectPalette)
{
    ReleaseMemoryDC(TRUE);
    if (!m_hBitmap || !m_MemDC.CreateCompatibleDC(dc))
        return nullptr;
    m_hOldBitmap = ::SelectObject(m_MemDC.GetSafeHdc(), m_hBitmap);
    if (selectPalette && OnPaletteDevice(&m_MemDC)) {
        if (!m_Palette.GetSafeHandle())
            CreateSectionPalette();
        m_hOldPalette = ::SelectPalette(m_MemDC.GetSafeHdc(), m_Palette, FALSE);
        m_MemDC.RealizePalette();
    }
    return &m_MemDC;
}

BOOL CDIBSection::ReleaseMemoryDC(BOOL)
{
    if (!m_MemDC.GetSafeHdc())
        return TRUE;
    ::GdiFlush();
    if (m_hOldPalette)
        ::SelectPalette(m_MemDC.GetSafeHdc(), m_hOldPalette, FALSE);
    if (m_hOldBitmap)
        ::SelectObject(m_MemDC.GetSafeHdc(), m_hOldBitmap);
    m_hOldBitmap = nullptr;
    m_hOldPalette = nullptr;
    m_MemDC.DeleteDC();
    return FALSE;
}

BOOL CDIBSection::WithMemoryDC(const std::function<BOOL(CDC&)>& draw)
{
    CDC* dc = GetMemoryDC(nullptr, TRUE);
    if (!dc)
        return FALSE;
    BOOL done = draw(*dc);
    ReleaseMemoryDC(TRUE);
    return done;
}
