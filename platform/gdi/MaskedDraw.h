// Private to platform/gdi: drawing a picture through its AND mask, as icons and image lists do.
#pragma once

#include "platform/gdi/GdiTypes.h"

namespace gdi {

// mask: monochrome, its AND half starting at maskTop; image may be null (then the XOR half
// of the mask below the AND half is the picture). parts: DI_MASK and/or DI_IMAGE.
void DrawMasked(HDC hdc, int x, int y, int width, int height, HBITMAP image, HBITMAP mask, int imageWidth,
                int imageHeight, UINT parts);
HBITMAP CopyBitmap(HBITMAP source);

}  // namespace gdi
