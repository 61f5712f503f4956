// The header of the 24-bit off-screen bitmap that objects draw into.
#pragma once

#include "platform/gdi/DibTypes.h"
#include "platform/gdi/GdiTypes.h"

class CDC;

// Fills a bottom-up 24-bit header for the rectangle, its width rounded up to a multiple of
// 32 pixels, and returns the image size in bytes (0 when it does not fit 32 bits).
DWORD MakeRgbDibHeader(const RECT* rect, BITMAPINFOHEADER* header);
// A memory DC compatible with the DC (the screen for NULL) and a 24-bit DIB section of the
// rectangle with that header. The bitmap is NULL when either cannot be made; returns the image
// size. The caller selects the bitmap, draws, and frees both.
DWORD CreateRgbDibSection(CDC* dc, const RECT* rect, HDC* memoryDc, HBITMAP* bitmap, void** bits);
