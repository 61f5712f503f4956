// Private to platform/gdi: reading and writing DIB pixels of every depth and compression.
#pragma once

#include "platform/gdi/GdiState.h"

#include <optional>

namespace gdi {

// A checked view of a BITMAPINFO: header, masks and colour table.
struct DibFormat {
    LONG width = 0;
    LONG height = 0;  // always positive here
    bool topDown = false;
    WORD bitCount = 0;
    DWORD compression = BI_RGB;
    DWORD masks[3] = {0, 0, 0};
    std::vector<QRgb> colors;
    size_t headerBytes = 0;  // header + masks + colour table
    size_t imageBytes = 0;   // stride x height for uncompressed, biSizeImage otherwise
    DWORD stride() const { return DibRowBytes(width, bitCount); }
};

// Checks the header against the bytes available; nullopt when it is unusable.
// palette maps DIB_PAL_COLORS indexes; may be null.
std::optional<DibFormat> ParseDibInfo(const void* info, size_t available, UINT usage,
                                      const Palette* palette);
// Pixels into an RGB32 image; bad compressed data stops at the bitmap's edge.
QImage DecodeDib(const DibFormat& format, const BYTE* bits, size_t size);
// An RGB32 image into DIB rows of the format (uncompressed); out must hold stride x height.
void EncodeDib(const DibFormat& format, const QImage& image, BYTE* out);
// One uncompressed row each way: DIB bytes to width pixels, pixels to stride bytes.
void DecodeRow(const DibFormat& format, const BYTE* src, QRgb* row);
void EncodeRow(const DibFormat& format, const QRgb* row, BYTE* dst);
// Row-by-row decoding of the run-length encodings into 8-bit indexes, top row last.
void DecodeRle(const BYTE* data, size_t size, int width, int height, bool four, std::vector<BYTE>& index);
// The reverse: width x height 8-bit indexes, top row last, as runs of one index (at four bits,
// of two alternating ones) and absolute runs where nothing repeats; every row ends with an end
// of line, the last one with an end of bitmap after it.
std::vector<BYTE> EncodeRle(const std::vector<BYTE>& index, int width, int height, bool four);
int NearestColor(const std::vector<QRgb>& colors, QRgb c);

}  // namespace gdi
