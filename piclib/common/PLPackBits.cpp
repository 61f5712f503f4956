#include "piclib/common/PLPackBits.h"

#include "piclib/common/PLRows.h"

#include <algorithm>
#include <cstring>

namespace {

// Most items are a few bytes long. Where the row and the packed data have room past an item,
// it is written in whole blocks of Block bytes without looking at its length closely: the
// items that follow overwrite the excess.
constexpr int Block = 16;

bool roomFor(int bytes, int left) { return bytes + Block - 1 <= left; }

// The first block is written whatever the length: most items fit in it, and a loop that
// mostly stops at once is one the processor predicts.
void copyBlocks(uint8_t* out, const uint8_t* in, int bytes)
{
    int i = 0;
    do {
        std::memcpy(out + i, in + i, Block);
        i += Block;
    } while (i < bytes);
}

// The pattern is made in a register: a one-byte value spread by memset is stored and read
// back whole, which stalls every run.
void fillBlocks(uint8_t* out, uint8_t value, int bytes)
{
    const uint64_t pattern = 0x0101010101010101ull * value;
    int i = 0;
    do {
        std::memcpy(out + i, &pattern, 8);
        std::memcpy(out + i + 8, &pattern, 8);
        i += Block;
    } while (i < bytes);
}

void copyLiteral(uint8_t* out, int rowLeft, const uint8_t* in, int packedLeft, int bytes)
{
    if (roomFor(bytes, std::min(rowLeft, packedLeft)))
        copyBlocks(out, in, bytes);
    else
        std::copy(in, in + bytes, out);
}

template <int UnitBytes>
void repeat(uint8_t* out, int rowLeft, const uint8_t* unit, int bytes)
{
    if constexpr (UnitBytes == 1) {
        if (roomFor(bytes, rowLeft))
            fillBlocks(out, *unit, bytes);
        else
            PLFillRun(out, bytes, *unit);
    } else {
        for (int i = 0; i < bytes; i += UnitBytes)
            std::copy(unit, unit + UnitBytes, out + i);
    }
}

// Bytes are by far the most common unit: the loop is made for each unit size.
template <int UnitBytes>
PLPackBitsResult expand(const uint8_t* packed, int packedLength, uint8_t* row, int rowBytes)
{
    PLPackBitsResult r;
    while (r.produced < rowBytes && r.used < packedLength) {
        const int n = packed[r.used++];
        if (n == 128)
            continue;
        const bool literal = n < 128;
        const int bytes = (literal ? n + 1 : 257 - n) * UnitBytes;
        const int needed = literal ? bytes : UnitBytes;
        if (r.produced + bytes > rowBytes || packedLength - r.used < needed) {
            r.overrun = true;
            return r;
        }
        uint8_t* out = row + r.produced;
        if (literal)
            copyLiteral(out, rowBytes - r.produced, packed + r.used, packedLength - r.used, bytes);
        else
            repeat<UnitBytes>(out, rowBytes - r.produced, packed + r.used, bytes);
        r.used += needed;
        r.produced += bytes;
    }
    return r;
}

} // namespace

PLPackBitsResult PLExpandPackBits(const uint8_t* packed, int packedLength, uint8_t* row, int rowBytes,
                                  int unitBytes)
{
    const PLPackBitsResult r = unitBytes == 1 ? expand<1>(packed, packedLength, row, rowBytes)
                                              : expand<2>(packed, packedLength, row, rowBytes);
    std::fill(row + r.produced, row + rowBytes, 0);
    return r;
}
