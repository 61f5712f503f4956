// Device-independent bitmaps: sections the caller writes into, conversions to and from
// device bitmaps, and drawing them onto a DC.
#pragma once

#include "platform/gdi/DibTypes.h"
#include "platform/gdi/GdiTypes.h"

HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits,
                       const BITMAPINFO* info, UINT usage);
// info must have room for the colour table (or the three masks) after its header.
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT usage);
int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT usage);
int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
int StretchDIBits(HDC hdc, int xDest, int yDest, int destWidth, int destHeight, int xSrc, int ySrc,
                  int srcWidth, int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop);
UINT SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colors);
UINT GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colors);
BOOL GdiFlush();

// Bytes needed for a packed DIB's pixels, 0 when the header is unusable.
DWORD DibImageSize(const BITMAPINFOHEADER* header);

// The video-display helper: thin calls onto the stretch blit.
struct HDRAWDIB__ {
    int unused;
};
using HDRAWDIB = HDRAWDIB__*;
constexpr UINT DDF_BACKGROUND = 0x0100;
constexpr UINT DDF_HALFTONE = 0x1000;
HDRAWDIB DrawDibOpen();
BOOL DrawDibClose(HDRAWDIB hdd);
BOOL DrawDibDraw(HDRAWDIB hdd, HDC hdc, int xDst, int yDst, int dxDst, int dyDst, const BITMAPINFOHEADER* header,
                 const void* bits, int xSrc, int ySrc, int dxSrc, int dySrc, UINT flags);
BOOL DrawDibSetPalette(HDRAWDIB hdd, HPALETTE palette);
UINT DrawDibRealize(HDRAWDIB hdd, HDC hdc, BOOL background);
