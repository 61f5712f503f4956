// Exchange of pixels with packed device-independent bitmaps: a BITMAPINFOHEADER, its colour
// table or bit-field masks, then the rows.
#pragma once

#include "platform/gdi/DibTypes.h"

struct IplImage;

IplImage* iplTranslateDIB(BITMAPINFOHEADER* dib, BOOL* cloneData);
void iplConvertFromDIB(BITMAPINFOHEADER* dib, IplImage* image);
void iplConvertToDIB(IplImage* image, BITMAPINFOHEADER* dib, int dither, int paletteConversion);

// Entries of 4 bytes between the header and the rows.
int ownDibPaletteSize(const BITMAPINFOHEADER* dib);
// Every entry i of n has red = green = blue = 255 * i / (n - 1).
bool ownIsGrayPalette(const RGBQUAD* colors, int n);
// Bytes of one stored row; -1 when it does not fit a 32-bit size.
int ownDibRowSize(const BITMAPINFOHEADER* dib);
