#include "objects/RgbDibHeader.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"

#include <algorithm>
#include <cstring>

DWORD MakeRgbDibHeader(const RECT* rect, BITMAPINFOHEADER* header)
{
    int64_t width = std::max<int64_t>(0, static_cast<int64_t>(rect->right) - rect->left);
    int64_t height = std::max<int64_t>(0, static_cast<int64_t>(rect->bottom) - rect->top);
    width = (width + 31) / 32 * 32;
    uint64_t rowBytes = static_cast<uint64_t>((width * 24 + 31) >> 5) * 4;
    uint64_t imageSize = rowBytes * static_cast<uint64_t>(height);
    bool fits = width <= INT32_MAX && height <= INT32_MAX && (height == 0 || rowBytes <= UINT32_MAX / static_cast<uint64_t>(height));

    std::memset(header, 0, sizeof(BITMAPINFOHEADER));
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = fits ? static_cast<LONG>(width) : 0;
    header->biHeight = fits ? static_cast<LONG>(height) : 0;
    header->biPlanes = 1;
    header->biBitCount = 24;
    header->biCompression = BI_RGB;
    header->biSizeImage = fits ? static_cast<DWORD>(imageSize) : 0;
    return header->biSizeImage;
}

DWORD CreateRgbDibSection(CDC* dc, const RECT* rect, HDC* memoryDc, HBITMAP* bitmap, void** bits)
{
    BITMAPINFO info {};
    DWORD imageSize = MakeRgbDibHeader(rect, &info.bmiHeader);
    *bitmap = nullptr;
    *memoryDc = CreateCompatibleDC(dc ? dc->GetSafeHdc() : nullptr);
    if (!*memoryDc)
        return imageSize;
    *bitmap = CreateDIBSection(*memoryDc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
    return imageSize;
}
