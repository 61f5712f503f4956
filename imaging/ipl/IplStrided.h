// Byte copies between a packed line and every Stride-th byte of a pixel row, for strides 2 to 4.
#pragma once

#include <cstddef>
#include <cstdint>

// line[x] = from[x * stride] for x < count.
void GatherStrided(size_t stride, const uint8_t* from, uint8_t* line, size_t count);
// out[i * stride] = means[i] for i < count.
void ScatterStrided(size_t stride, const uint8_t* means, uint8_t* out, size_t count);

