#include "imaging/OXDib.h"

#include "imaging/DeviceBitmap.h"
#include "imaging/LockedBlock.h"

#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <cstring>
#include <memory>

namespace {

// The palette selected (in the background) and realised for the length of a scope.
class PaletteSelection {
public:
    PaletteSelection(CDC* dc, CPalette* palette, BOOL background) : m_dc(dc)
    {
        if (palette) {
            m_old = dc->SelectPalette(palette, background);
            dc->RealizePalette();
        }
    }
    ~PaletteSelection()
    {
        if (m_old)
            m_dc->SelectPalette(m_old, TRUE);
    }
    PaletteSelection(const PaletteSelection&) = delete;
    PaletteSelection& operator=(const PaletteSelection&) = delete;

private:
    CDC* m_dc;
    CPalette* m_old = nullptr;
};

}  // namespace

HGLOBAL COXDIB::BitmapToDIB(HBITMAP bitmap, CPalette* palette)
{
    BITMAP bm{};
    if (!bitmap || !::GetObject(bitmap, sizeof(bm), &bm))
        return nullptr;
    BITMAPINFOHEADER header;
    InitBitmapInfoHeader(header, DWORD(bm.bmWidth), DWORD(bm.bmHeight), bm.bmPlanes * bm.bmBitsPixel);
    Free();
    const DWORD tableBytes = header.biClrUsed ? header.biClrUsed * sizeof(RGBQUAD)
                                              : (header.biBitCount == 1 ? 2 * sizeof(RGBQUAD) : 0);
    HGLOBAL handle = GlobalAlloc(GHND, sizeof(header) + tableBytes + header.biSizeImage);
    auto* block = handle ? static_cast<BYTE*>(GlobalLock(handle)) : nullptr;
    if (!block) {
        if (handle)
            GlobalFree(handle);
        return nullptr;
    }
    std::memcpy(block, &header, sizeof(header));
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    int lines = 0;
    {
        PaletteSelection selection(&screen, palette, FALSE);
        lines = GetDIBits(screen.GetSafeHdc(), bitmap, 0, UINT(bm.bmHeight), block + sizeof(header) + tableBytes,
                          reinterpret_cast<BITMAPINFO*>(block), DIB_RGB_COLORS);
    }
    ::ReleaseDC(nullptr, screen.Detach());
    GlobalUnlock(handle);
    if (!lines) {
        GlobalFree(handle);
        return nullptr;
    }
    m_hDIB = handle;
    if (palette)
        FillColourTable(palette, DIB_RGB_COLORS);
    RebuildPalette();
    return m_hDIB;
}

CBitmap* COXDIB::MakeBitmap(CDC* dc)
{
    PackedDibLayout layout;
    if (!dc || !GetLayout(layout) || layout.core)
        return nullptr;
    PaletteSelection selection(dc, m_pPalette, FALSE);
    CLockedBlock block(m_hDIB);
    HBITMAP made = CreateDIBitmap(dc->GetSafeHdc(), reinterpret_cast<BITMAPINFOHEADER*>(block.data()), CBM_INIT,
                                  block.data() + layout.headerSize + layout.tableBytes,
                                  reinterpret_cast<BITMAPINFO*>(block.data()), DIB_RGB_COLORS);
    if (!made)
        return nullptr;
    auto* bitmap = new CBitmap;
    bitmap->Attach(made);
    return bitmap;
}

CBitmap* COXDIB::SelectIntoDC(CDC* dc, CSize* size)
{
    PackedDibLayout layout;
    if (!GetLayout(layout) || !dc) {
        if (size)
            *size = CSize(0, 0);
        return nullptr;
    }
    if (layout.compression != BI_RGB || layout.core)
        return nullptr;
    CBitmap* previous = nullptr;
    BOOL selected = SelectMadeBitmap(dc, layout.bitCount == 1, [&]() -> HBITMAP {
        COLORREF c0 = 0;
        COLORREF c1 = 0;
        BOOL mono = GetMonoColours(c0, c1);
        if (mono)
            SetMonoColours(RGB(0, 0, 0), RGB(255, 255, 255));
        std::unique_ptr<CBitmap> made(MakeBitmap(dc));
        if (mono)
            SetMonoColours(c0, c1);
        return made ? static_cast<HBITMAP>(made->Detach()) : nullptr;
    }, previous);
    if (!selected)
        return nullptr;
    if (size)
        *size = CSize(layout.width, std::abs(layout.height));
    return previous;
}

int COXDIB::Paint(CDC* dc, const CRect& dest, const CRect& src)
{
    PackedDibLayout layout;
    if (!dc || !GetLayout(layout) || layout.core)
        return 0;
    PaletteSelection selection(dc, m_pPalette, TRUE);
    int oldMode = dc->SetStretchBltMode(COLORONCOLOR);
    CLockedBlock block(m_hDIB);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(block.data());
    const BYTE* bits = block.data() + layout.headerSize + layout.tableBytes;
    // Rows of a bottom-up image count from its last line.
    const int height = std::abs(layout.height);
    const int fromBottom = height - src.top - src.Height();
    int result = 0;
    if (dest.Width() == src.Width() && dest.Height() == src.Height() && dc->GetMapMode() == MM_TEXT)
        result = SetDIBitsToDevice(dc->GetSafeHdc(), dest.left, dest.top, DWORD(dest.Width()), DWORD(dest.Height()),
                                   src.left, fromBottom, 0, UINT(height), bits, info, DIB_RGB_COLORS);
    else
        result = StretchDIBits(dc->GetSafeHdc(), dest.left, dest.top, dest.Width(), dest.Height(), src.left,
                               fromBottom, src.Width(), src.Height(), bits, info, DIB_RGB_COLORS, SRCCOPY);
    dc->SetStretchBltMode(oldMode);
    return result;
}
