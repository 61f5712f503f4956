// Any bytes as a Windows metafile kept by itself and played straight onto a small bitmap, in
// the records' own coordinates: playback must stop cleanly at damaged records.
#include "platform/gdi/Metafile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1 << 20))
        return 0;
    HMETAFILE wmf = SetMetaFileBitsEx(UINT(size), data);
    if (!wmf)
        return 0;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(64, 64, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&bitmap);
    PlayMetaFile(dc.GetSafeHdc(), wmf);
    dc.SelectObject(old);
    DeleteMetaFile(wmf);
    return 0;
}
