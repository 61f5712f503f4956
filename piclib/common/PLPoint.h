// A pair of integers: picture sizes and resolutions.
#pragma once

#include <cstdint>

struct PLPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PLPoint&) const = default;
};
