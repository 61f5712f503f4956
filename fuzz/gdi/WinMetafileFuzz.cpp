// Any bytes as a Windows metafile kept by itself and played straight onto a small bitmap, in
// the records' own coordinates: playback must stop cleanly at damaged records.
#include "fuzz/FuzzCanvas.h"
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
    PlayMetaFile(FuzzCanvas(64, 64).Handle(), wmf);
    DeleteMetaFile(wmf);
    return 0;
}
