// Helpers for tests that build small picture files byte by byte.
#pragma once

#include "Fixtures.h"

#include <cstdint>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline void PutWordLE(Bytes& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
}

inline void PutDWordLE(Bytes& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)});
}

// Decodes with one format's decoder; returns the pixels as RGBA, rows from the top.
template <class Decoder>
Bytes DecodeWith(const Bytes& file, PLAnyBmp& bmp)
{
    Decoder decoder;
    decoder.MakeBmpFromMemory(file.data(), static_cast<int>(file.size()), &bmp);
    return RgbaOf(bmp);
}

// The palette indices of an 8-bit bitmap, rows from the top.
inline Bytes IndicesOf(const PLBmp& bmp)
{
    Bytes out;
    for (int y = 0; y < bmp.GetHeight(); ++y)
        out.insert(out.end(), bmp.GetLine(y), bmp.GetLine(y) + bmp.GetWidth());
    return out;
}
