// Any bytes as the file a user picks for a catalogue entry's icon: the first byte picks the
// file's extension and the icon's size, the rest is the file. It becomes the entry's icon or
// is refused, and the icon then turns into an icon handle and draws.
#include "fuzz/FuzzCanvas.h"
#include "projects/CatalogueOb.h"

#include "platform/core/MemFile.h"
#include "platform/gdi/Icon.h"

#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > (1u << 16))
        return 0;
    std::vector<BYTE> bytes(data + 1, data + size);
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SetFilePath(data[0] & 1 ? "icon.ico" : "icon.bmp");
    const int iconSize = data[0] & 2 ? 32 : 16;
    CCatalogueOb entry;
    if (!entry.LoadIconFile(&file, iconSize))
        return 0;
    if (HICON icon = entry.CreateIcon())
        DestroyIcon(icon);
    entry.DrawIcon(&FuzzCanvas(32, 32).Dc(), 0, 0, iconSize);
    return 0;
}
