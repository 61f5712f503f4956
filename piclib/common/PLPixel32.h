// One 32-bit pixel as the bitmaps store it: blue, green, red, alpha.
#pragma once

#include <cstdint>

struct PLPixel32 {
    uint8_t b = 0;
    uint8_t g = 0;
    uint8_t r = 0;
    uint8_t a = 0;

    static PLPixel32 FromRGBA(uint8_t r, uint8_t g, uint8_t b, uint8_t a) { return {b, g, r, a}; }
    bool operator==(const PLPixel32&) const = default;
};
static_assert(sizeof(PLPixel32) == 4);
