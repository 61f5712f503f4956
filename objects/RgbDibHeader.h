// The header of the 24-bit off-screen bitmap that objects draw into.
#pragma once

#include "platform/gdi/DibTypes.h"

// Fills a bottom-up 24-bit header for the rectangle, its width rounded up to a multiple of
// 32 pixels, and returns the image size in bytes (0 when it does not fit 32 bits).
DWORD MakeRgbDibHeader(const RECT* rect, BITMAPINFOHEADER* header);
