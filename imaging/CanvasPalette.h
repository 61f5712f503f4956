// Private to the canvas: a logical palette with room for 256 entries, and the test for a
// device that shows colours through a palette.
#pragma once

#include "platform/gdi/Dc.h"

#include <cstddef>

struct CanvasPalette {
    WORD version = 0x300;
    WORD count = 0;
    PALETTEENTRY entries[256] {};
    LOGPALETTE* get() { return reinterpret_cast<LOGPALETTE*>(this); }
};
static_assert(offsetof(CanvasPalette, entries) == offsetof(LOGPALETTE, palPalEntry));

inline bool OnPaletteDevice(CDC* dc)
{
    return dc && (dc->GetDeviceCaps(RASTERCAPS) & RC_PALETTE);
}
