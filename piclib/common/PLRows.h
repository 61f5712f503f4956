// Row steps shared by the decoders: planar samples put together into pixels, and runs of
// one byte value.
#pragma once

#include "piclib/common/PLPixel32.h"

#include <cstdint>
#include <cstring>

// Rows of separate red, green, blue and alpha samples; without alpha the pixels are opaque.
void PLWeavePlanes(PLPixel32* out, int count, const uint8_t* red, const uint8_t* green, const uint8_t* blue,
                   const uint8_t* alpha = nullptr);

// Most runs of run-length data are a few bytes long: they are written without a library call.
inline void PLFillRun(uint8_t* out, int count, uint8_t value)
{
    const uint64_t pattern = 0x0101010101010101ull * value;
    if (count >= 8) {
        for (int i = 0; i + 8 <= count; i += 8)
            std::memcpy(out + i, &pattern, 8);
        std::memcpy(out + count - 8, &pattern, 8);
    } else if (count >= 4) {
        std::memcpy(out, &pattern, 4);
        std::memcpy(out + count - 4, &pattern, 4);
    } else if (count >= 2) {
        std::memcpy(out, &pattern, 2);
        std::memcpy(out + count - 2, &pattern, 2);
    } else if (count == 1) {
        *out = value;
    }
}
