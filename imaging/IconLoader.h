// Turns an ".ico" file into a 24-bit bitmap whose transparent pixels hold a key colour.
#pragma once

#include "platform/gdi/GdiTypes.h"

class CFile;

// The colours a transparent key may take, in the order they are tried.
extern const COLORREF g_KeyColours[16];

// Index into g_KeyColours of the colour to key with: the first one (from 1) that no opaque
// pixel uses, else the least used. -1 when no pixel is transparent. pixels are blue, green,
// red triples; mask holds one byte per pixel, 0 for opaque.
int FindUnusedKeyColour(const BYTE* pixels, const BYTE* mask, size_t count);

// A 24-bit DIB section of the icon with its transparent pixels in the key colour (stored in
// keyColour when one was chosen), or NULL when the file is no icon.
HBITMAP LoadIconAsBitmap(CFile* file, COLORREF* keyColour, int unused = 0);
