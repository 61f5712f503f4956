#include "imaging/Dib.h"

#include "imaging/DeviceBitmap.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <vector>

namespace {

WORD ColourEntries(UINT bitCount)
{
    return bitCount == 1 ? 2 : bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
}

}  // namespace

CDib::CDib(CDC* dc, UINT bitCount, BOOL compress)
{
    if (dc)
        CreateFromBitmap(dc, dc->GetCurrentBitmap(), bitCount, compress);
}

BOOL CDib::Draw(CDC* dc, int x, int y) const
{
    if (!m_size || !dc)
        return FALSE;
    DWORD width = DWORD(m_info->biWidth) & 0xFFFF;
    DWORD height = DWORD(m_info->biHeight) & 0xFFFF;
    return SetDIBitsToDevice(dc->GetSafeHdc(), x, y, width, height, 0, 0, 0, height, m_bits, m_bitmapInfo,
                             DIB_RGB_COLORS) != 0;
}

BOOL CDib::StretchDraw(CDC* dc, int x, int y, int cx, int cy) const
{
    if (!m_size || !dc)
        return FALSE;
    int width = int(DWORD(m_info->biWidth) & 0xFFFF);
    int height = int(DWORD(m_info->biHeight) & 0xFFFF);
    return StretchDIBits(dc->GetSafeHdc(), x, y, cx, cy, 0, 0, width, height, m_bits, m_bitmapInfo,
                         DIB_RGB_COLORS, SRCCOPY) != 0;
}

CBitmap* CDib::SelectIntoDC(CDC* dc, CSize* size)
{
    if (!m_size || !dc) {
        if (size)
            *size = CSize(0, 0);
        return nullptr;
    }
    CBitmap* previous = nullptr;
    BOOL selected = SelectMadeBitmap(dc, m_bitCount == 1, [&] {
        COLORREF c0 = 0;
        COLORREF c1 = 0;
        BOOL mono = GetMonoColours(&c0, &c1);
        if (mono)
            SetMonoColours(RGB(0, 0, 0), RGB(255, 255, 255));
        HBITMAP made = CreateDIBitmap(dc->GetSafeHdc(), m_info, CBM_INIT, m_bits, m_bitmapInfo, DIB_RGB_COLORS);
        if (mono)
            SetMonoColours(c0, c1);
        return made;
    }, previous);
    if (!selected)
        return nullptr;
    if (size)
        *size = CSize(m_info->biWidth, std::abs(m_info->biHeight));
    return previous;
}

BOOL CDib::CreateFromBitmap(CDC* dc, CBitmap* bitmap, UINT bitCount, BOOL compress)
{
    Free();
    BITMAP bm{};
    if (!dc || !bitmap || !bitmap->GetBitmap(&bm))
        return FALSE;
    if (!ColourEntries(bitCount) && bitCount != 16 && bitCount != 24 && bitCount != 32)
        bitCount = UINT(bm.bmPlanes) * bm.bmBitsPixel;
    WORD entries = ColourEntries(bitCount);
    DWORD stride = DibRowBytes(bm.bmWidth, WORD(bitCount));
    // Room for the header and a full table, so the driver can write either.
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = bm.bmWidth;
    header->biHeight = bm.bmHeight;
    header->biPlanes = 1;
    header->biBitCount = WORD(bitCount);
    header->biCompression = compress && bitCount == 4 ? BI_RLE4 : compress && bitCount == 8 ? BI_RLE8 : BI_RGB;
    HBITMAP handle = static_cast<HBITMAP>(bitmap->GetSafeHandle());
    UINT lines = UINT(bm.bmHeight) & 0xFFFF;
    GetDIBits(dc->GetSafeHdc(), handle, 0, lines, nullptr, reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    const DWORD plainSize = stride * DWORD(std::abs(bm.bmHeight));
    if (header->biSizeImage == 0) {
        header->biSizeImage = plainSize;
        if (header->biCompression != 0x4000)
            header->biCompression = BI_RGB;
    }
    BITMAPINFOHEADER made = *header;
    if (!CreateBlank(made, info.data() + sizeof(BITMAPINFOHEADER), entries * sizeof(RGBQUAD)))
        return FALSE;
    if (GetDIBits(dc->GetSafeHdc(), handle, 0, lines, m_bits, m_bitmapInfo, DIB_RGB_COLORS))
        return TRUE;
    Free();
    return FALSE;
}
