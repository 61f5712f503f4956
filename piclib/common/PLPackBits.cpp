#include "piclib/common/PLPackBits.h"

#include "piclib/common/PLRows.h"

#include <algorithm>

PLPackBitsResult PLExpandPackBits(const uint8_t* packed, int packedLength, uint8_t* row, int rowBytes,
                                  int unitBytes)
{
    PLPackBitsResult r;
    while (r.produced < rowBytes && r.used < packedLength) {
        const int n = packed[r.used++];
        if (n == 128)
            continue;
        const bool literal = n < 128;
        const int bytes = (literal ? n + 1 : 257 - n) * unitBytes;
        const int needed = literal ? bytes : unitBytes;
        if (r.produced + bytes > rowBytes || packedLength - r.used < needed) {
            r.overrun = true;
            return r;
        }
        if (literal) {
            std::copy(packed + r.used, packed + r.used + bytes, row + r.produced);
        } else if (unitBytes == 1) {
            PLFillRun(row + r.produced, bytes, packed[r.used]);
        } else {
            for (int i = 0; i < bytes; i += unitBytes)
                std::copy(packed + r.used, packed + r.used + unitBytes, row + r.produced + i);
        }
        r.used += needed;
        r.produced += bytes;
    }
    return r;
}
