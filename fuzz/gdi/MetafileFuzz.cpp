// Any bytes as an enhanced or Windows metafile, played onto a small bitmap: playback must stop
// cleanly at damaged records and never read past them.
#include "platform/gdi/Metafile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1 << 20))
        return 0;
    HENHMETAFILE emf = SetEnhMetaFileBits(UINT(size), data);
    if (!emf)
        emf = SetWinMetaFileBits(UINT(size), data, nullptr, nullptr);
    if (!emf)
        return 0;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(64, 64, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    RECT all{0, 0, 64, 64};
    PlayEnhMetaFile(dc, emf, &all);
    dc.SelectObject(old);
    DeleteEnhMetaFile(emf);
    return 0;
}
