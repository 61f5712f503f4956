#include "imaging/ipl/IplKernels.h"

#include "imaging/ipl/IplImage.h"

#include <algorithm>
#include <cstring>

namespace {

// The take most significant bits of a byte.
unsigned topBits(int take)
{
    return (0xFF00u >> take) & 0xFFu;
}

// Up to 8 bits starting at a bit position, most significant bit first, left-aligned in a byte.
// The byte after is read only when the run reaches into it.
uint8_t bitsAt(const char* row, int64_t bit, int take)
{
    const auto* p = reinterpret_cast<const uint8_t*>(row) + bit / 8;
    int offset = static_cast<int>(bit % 8);
    unsigned window = static_cast<unsigned>(p[0]) << 8;
    if (offset + take > 8)
        window |= p[1];
    return static_cast<uint8_t>(((window << offset) >> 8) & topBits(take));
}

// Writes take bits (left-aligned in bits) at a bit position; the run may span two bytes.
void putBits(char* row, int64_t bit, int take, uint8_t bits)
{
    auto* p = reinterpret_cast<uint8_t*>(row) + bit / 8;
    int phase = static_cast<int>(bit % 8);
    unsigned mask = (topBits(take) << 8) >> phase;
    unsigned value = (static_cast<unsigned>(bits) << 8) >> phase;
    p[0] = static_cast<uint8_t>((p[0] & ~(mask >> 8)) | ((value & mask) >> 8));
    if (mask & 0xFF)
        p[1] = static_cast<uint8_t>((p[1] & ~mask) | (value & mask & 0xFF));
}

struct Bytes {
    char* d;
    const char* a;
    const char* b;
};

// The byte operation on one run of whole elements.
void runOp(OwnOp op, Bytes run, size_t count, const uint8_t* pattern, int element)
{
    switch (op) {
    case OwnOp::Copy: std::memmove(run.d, run.a, count); return;
    case OwnOp::Swap: std::swap_ranges(run.d, run.d + count, const_cast<char*>(run.a)); return;
    default: break;
    }
    for (size_t i = 0; i < count; ++i) {
        auto p = static_cast<char>(pattern[i % static_cast<size_t>(element)]);
        switch (op) {
        case OwnOp::Fill: run.d[i] = p; break;
        case OwnOp::And: run.d[i] = static_cast<char>(run.a[i] & run.b[i]); break;
        case OwnOp::Or: run.d[i] = static_cast<char>(run.a[i] | run.b[i]); break;
        default: run.d[i] = static_cast<char>(run.a[i] ^ p); break;
        }
    }
}

struct Walk {
    OwnOp op;
    const OwnRegion* a;
    const OwnRegion* b;
    const OwnRegion& d;
    uint8_t pattern[4];
    int element;

    Bytes at(int64_t y, int64_t x, int64_t c) const
    {
        auto offset = [&](const OwnRegion* r) { return r ? r->data + y * r->rowStep + x * r->pixelStep + c * r->channelStep : nullptr; };
        return {offset(&d), offset(a), offset(b)};
    }
    bool all(bool (*test)(const OwnRegion&, int), int n) const
    {
        return test(d, n) && (!a || test(*a, n)) && (!b || test(*b, n));
    }
};

bool packedPixels(const OwnRegion& r, int n)
{
    return r.channelStep == ownElemSize(r.depth) && r.pixelStep == r.channelStep * n;
}
bool packedChannels(const OwnRegion& r, int) { return r.channelStep == ownElemSize(r.depth); }
bool packedRow(const OwnRegion& r, int) { return r.pixelStep == ownElemSize(r.depth); }

void elementKernel(const Walk& walk, int height, int width, const OwnRegion* mask)
{
    int n = walk.d.channels;
    auto element = static_cast<size_t>(walk.element);
    if (!mask && walk.all(packedPixels, n)) {
        for (int y = 0; y < height; ++y)
            runOp(walk.op, walk.at(y, 0, 0), element * n * width, walk.pattern, walk.element);
        return;
    }
    if (!mask && walk.all(packedRow, n)) {
        for (int c = 0; c < n; ++c)
            for (int y = 0; y < height; ++y)
                runOp(walk.op, walk.at(y, 0, c), element * width, walk.pattern, walk.element);
        return;
    }
    bool packed = walk.all(packedChannels, n);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (mask && !ownMaskBit(*mask, y, x))
                continue;
            if (packed) {
                runOp(walk.op, walk.at(y, x, 0), element * n, walk.pattern, walk.element);
                continue;
            }
            for (int c = 0; c < n; ++c)
                runOp(walk.op, walk.at(y, x, c), element, walk.pattern, walk.element);
        }
    }
}

uint8_t bitOp(OwnOp op, uint8_t a, uint8_t b, uint8_t pattern)
{
    switch (op) {
    case OwnOp::Fill: return pattern;
    case OwnOp::And: return static_cast<uint8_t>(a & b);
    case OwnOp::Or: return static_cast<uint8_t>(a | b);
    case OwnOp::XorS: return static_cast<uint8_t>(a ^ pattern);
    default: return a;
    }
}

// One run of up to 8 bits at pixel x of row y.
void bitRun(const Walk& walk, int64_t y, int x, int take, uint8_t pattern)
{
    const OwnRegion& d = walk.d;
    char* dRow = d.data + y * d.rowStep;
    char* aRow = walk.a ? walk.a->data + y * walk.a->rowStep : nullptr;
    const char* bRow = walk.b ? walk.b->data + y * walk.b->rowStep : nullptr;
    uint8_t av = aRow ? bitsAt(aRow, walk.a->bitX + x, take) : 0;
    uint8_t bv = bRow ? bitsAt(bRow, walk.b->bitX + x, take) : 0;
    if (walk.op == OwnOp::Swap)
        putBits(aRow, walk.a->bitX + x, take, bitsAt(dRow, d.bitX + x, take));
    putBits(dRow, d.bitX + x, take, bitOp(walk.op, av, bv, pattern));
}

void bitKernel(const Walk& walk, int height, int width, const OwnRegion* mask)
{
    uint8_t pattern = (walk.pattern[0] & 1) ? 0xFF : 0x00;
    for (int y = 0; y < height; ++y) {
        if (mask) {
            for (int x = 0; x < width; ++x)
                if (ownMaskBit(*mask, y, x))
                    bitRun(walk, y, x, 1, pattern);
            continue;
        }
        for (int x = 0; x < width;) {
            int take = std::min(8 - (walk.d.bitX + x) % 8, width - x);
            bitRun(walk, y, x, take, pattern);
            x += take;
        }
    }
}

} // namespace

uint32_t ownReplicate(int depth, int value)
{
    auto v = static_cast<uint32_t>(value);
    switch (ownDepthBits(depth)) {
    case 1: return (v & 1) ? 0xFFFFFFFFu : 0u;
    case 8: return (v & 0xFF) * 0x01010101u;
    case 16: return (v & 0xFFFF) * 0x00010001u;
    default: return v;
    }
}

void ownRegionKernel(OwnOp op, const OwnRegion* a, const OwnRegion* b, const OwnRegion& dst, int height,
                     int width, uint32_t value, const OwnRegion* mask)
{
    if (height < 1 || width < 1)
        return;
    Walk walk{op, a, b, dst, {}, std::max(1, ownElemSize(dst.depth))};
    std::memcpy(walk.pattern, &value, 4);
    if (dst.depth == iplDepth1u)
        bitKernel(walk, height, width, mask);
    else
        elementKernel(walk, height, width, mask);
}

void ownWholeBuffer(OwnOp op, const IplImage* a, const IplImage* b, const IplImage* dst, uint32_t value)
{
    uint8_t pattern[4];
    std::memcpy(pattern, &value, 4);
    Bytes run{dst->imageData, a->imageData, b ? b->imageData : nullptr};
    runOp(op, run, static_cast<size_t>(dst->imageSize), pattern, 4);
}
