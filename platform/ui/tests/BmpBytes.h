// Bottom-up 24-bit bitmap files for tests, drawn by a function of the pixel position.
#pragma once

#include "platform/gdi/DibTypes.h"

#include <cstring>
#include <functional>
#include <vector>

inline std::vector<BYTE> MakeBmp(int width, int height, const std::function<COLORREF(int x, int y)>& pixel)
{
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> bytes(file.bfOffBits + static_cast<size_t>(stride * height));
    file.bfSize = static_cast<DWORD>(bytes.size());
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            BYTE* p = bytes.data() + file.bfOffBits + (height - 1 - y) * stride + x * 3;
            COLORREF c = pixel(x, y);
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    return bytes;
}

inline std::vector<BYTE> SolidBmp(int width, int height, COLORREF colour)
{
    return MakeBmp(width, height, [colour](int, int) { return colour; });
}
