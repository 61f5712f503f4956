// Any bytes as an .ico or .cur file: the chosen image is decoded, copied and drawn onto a
// small bitmap, whole and disabled. Nothing may read outside the file or the bitmaps.
#include "fuzz/FuzzCanvas.h"
#include "platform/gdi/Icon.h"

#include <cstddef>
#include <cstdint>

namespace {

void Draw(HICON icon)
{
    FuzzCanvas canvas(24, 24);
    DrawIconEx(canvas.Handle(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DrawIconEx(canvas.Handle(), 2, 2, icon, 7, 5, 0, nullptr, DI_MASK);
    canvas.Dc().DrawState(POINT{1, 1}, SIZE{0, 0}, icon, DSS_DISABLED, nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1 << 16))
        return 0;
    // The wanted size picks among the images of the directory.
    HICON icon = CreateIconFromFileData(data, size, 16, 16);
    if (!icon)
        return 0;
    HICON copy = CopyIcon(icon);
    Draw(copy);
    DestroyIcon(copy);
    DestroyIcon(icon);
    return 0;
}
