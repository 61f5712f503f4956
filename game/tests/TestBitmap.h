// Bitmap files built in tests: 24-bit, bottom-up, one colour per pixel from a function.
#pragma once

#include "platform/core/Types.h"

#include <functional>
#include <vector>

inline std::vector<BYTE> MakeBitmapFile(int width, int height, const std::function<COLORREF(int, int)>& pixel)
{
    const DWORD stride = DWORD(width * 3 + 3) & ~3u;
    const DWORD size = 54 + stride * DWORD(height);
    std::vector<BYTE> out(size, 0);
    auto put32 = [&](size_t at, DWORD v) {
        for (int i = 0; i < 4; ++i)
            out[at + size_t(i)] = BYTE(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, DWORD(width));
    put32(22, DWORD(height));
    out[26] = 1;
    out[28] = 24;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixel(x, y);
            BYTE* p = &out[54 + size_t(height - 1 - y) * stride + size_t(x) * 3];
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return out;
}
