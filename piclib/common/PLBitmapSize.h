// Line lengths and the size check shared by the concrete bitmaps.
#pragma once

#include <cstdint>

// Bytes of a line without padding (whole bytes).
int PLPackedLineBytes(int width, int bpp);
// Bytes of a Windows DIB line: whole bytes rounded up to a multiple of 4.
int PLDibLineBytes(int width, int bpp);
// Raises code 10 when a picture of this size cannot be held (negative, or over 1 GB),
// code 6 for a depth the bitmaps do not store.
void PLCheckBitmapSize(int width, int height, int bpp);
