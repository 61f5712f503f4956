// PackBits (ByteRun1) expansion shared by the decoders.
#pragma once

#include <cstdint>

struct PLPackBitsResult {
    int used = 0;         // packed bytes consumed
    int produced = 0;     // row bytes written
    bool overrun = false; // a run passed the end of the row or of the packed data
};

// Expands packed data into row until rowBytes are produced or the packed data ends.
// Runs count units of unitBytes (1, or 2 for 16-bit pixels). Nothing is written past
// the row; a run that would pass it stops the expansion. What a short row leaves is cleared.
PLPackBitsResult PLExpandPackBits(const uint8_t* packed, int packedLength, uint8_t* row, int rowBytes,
                                  int unitBytes = 1);
