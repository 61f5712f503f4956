// Any bytes as one of the game's bitmap files: what the reader accepts is drawn the way the
// game fills a surface, stretched onto a small bitmap, and its colour table is read whole.
#include "game/BitmapFile.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"
#include "platform/gdi/GdiObject.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1 << 20))
        return 0;
    const std::vector<BYTE> file(data, data + size);
    auto bitmap = ParseBitmapFile(file);
    if (!bitmap)
        return 0;
    volatile BYTE sum = 0;
    for (int i = 0; i < bitmap->colours; ++i)
        sum = sum + bitmap->info()->bmiColors[i].rgbRed;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap surface;
    surface.CreateBitmap(16, 12, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&surface);
    StretchDIBits(dc.GetSafeHdc(), 0, 0, 16, 12, 0, 0, bitmap->width, bitmap->height, bitmap->bits, bitmap->info(),
                  DIB_RGB_COLORS, SRCCOPY);
    dc.SelectObject(old);
    return 0;
}
