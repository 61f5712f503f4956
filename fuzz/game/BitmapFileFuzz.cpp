// Any bytes as one of the game's bitmap files: what the reader accepts is drawn the way the
// game fills a surface, stretched onto a small bitmap, and its colour table is read whole.
#include "fuzz/FuzzCanvas.h"
#include "game/BitmapFile.h"
#include "platform/gdi/Dib.h"

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
    StretchDIBits(FuzzCanvas(16, 12).Handle(), 0, 0, 16, 12, 0, 0, bitmap->width, bitmap->height, bitmap->bits,
                  bitmap->info(), DIB_RGB_COLORS, SRCCOPY);
    return 0;
}
