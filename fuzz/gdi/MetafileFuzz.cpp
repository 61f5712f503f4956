// Any bytes as an enhanced or Windows metafile, played onto a small bitmap: playback must stop
// cleanly at damaged records and never read past them.
#include "fuzz/FuzzCanvas.h"
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
    {
        FuzzCanvas canvas(64, 64);
        RECT all{0, 0, 64, 64};
        PlayEnhMetaFile(canvas.Handle(), emf, &all);
    }
    DeleteEnhMetaFile(emf);
    return 0;
}
