// Any bytes as a packed bitmap pasted or dropped on a catalogue: it becomes the new entry's
// icon or is refused, and the icon then turns into an icon handle and draws.
#include "fuzz/FuzzCanvas.h"
#include "projects/CatalogueOb.h"

#include "imaging/OXDib.h"
#include "platform/gdi/Icon.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Pictures larger than this but small enough for an icon take milliseconds each to decode
// and squeeze; those larger than any icon needs go on, to be refused.
constexpr int64_t kMaxPixels = int64_t(1) << 16, kMaxIconPixels = int64_t(1) << 24;
// Small: every pixel of the icon is converted, masked and drawn several times per input.
constexpr int kIconSize = 16;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 16))
        return 0;
    PackedDibLayout layout;
    if (ParsePackedDib(data, size, layout)) {
        const int64_t pixels = std::abs(int64_t(layout.width)) * std::abs(int64_t(layout.height));
        if (pixels > kMaxPixels && pixels <= kMaxIconPixels)
            return 0;
    }
    CCatalogueOb entry;
    if (!entry.LoadIconPackedDib(data, size, kIconSize))
        return 0;
    if (HICON icon = entry.CreateIcon())
        DestroyIcon(icon);
    entry.DrawIcon(&FuzzCanvas(kIconSize, kIconSize).Dc(), 0, 0, kIconSize);
    return 0;
}
