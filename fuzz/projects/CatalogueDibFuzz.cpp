// Any bytes as a packed bitmap pasted or dropped on a catalogue: it becomes the new entry's
// icon or is refused, and the icon then turns into an icon handle and draws.
#include "fuzz/FuzzCanvas.h"
#include "projects/CatalogueOb.h"

#include "platform/gdi/Icon.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 16))
        return 0;
    CCatalogueOb entry;
    if (!entry.LoadIconPackedDib(data, size, 32))
        return 0;
    if (HICON icon = entry.CreateIcon())
        DestroyIcon(icon);
    entry.DrawIcon(&FuzzCanvas(32, 32).Dc(), 0, 0, 32);
    return 0;
}
