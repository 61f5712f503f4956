// Row kernels over regions: copy, fill, exchange and the logical operations, for every
// depth, with or without a 1-bit mask. Masks gate whole pixels, never single channels.
#pragma once

#include "imaging/ipl/IplRegion.h"

#include <cstdint>

struct IplImage;

enum class OwnOp { Copy, Fill, Swap, And, Or, XorS };

// Applies op to h x w pixels of the regions: dst = a (Copy), dst = value (Fill), a <-> dst (Swap),
// dst = a & b, dst = a | b, dst = a ^ value (XorS). value is the element's bit pattern.
void ownRegionKernel(OwnOp op, const OwnRegion* a, const OwnRegion* b, const OwnRegion& dst, int height,
                     int width, uint32_t value, const OwnRegion* mask);

// The logical operations over whole pixel buffers (imageSize bytes, row padding included).
void ownWholeBuffer(OwnOp op, const IplImage* a, const IplImage* b, const IplImage* dst, uint32_t value);

// The low bits of a 32-bit word replicated across it as a fill or XOR pattern for a depth.
uint32_t ownReplicate(int depth, int value);

// Mask bit of pixel x in row y of a 1-bit region.
inline bool ownMaskBit(const OwnRegion& mask, int y, int x)
{
    int64_t bit = static_cast<int64_t>(mask.bitX) + x;
    auto byte = static_cast<uint8_t>(mask.data[y * mask.rowStep + bit / 8]);
    return (byte >> (7 - bit % 8)) & 1;
}
