// PNG pictures decoded into plain pixels, for the program's artwork.
#pragma once

#include "platform/core/Types.h"

#include <cstddef>
#include <vector>

struct ArgbPixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels; // 0xAARRGGBB, top row first, not premultiplied
};

// False for bytes that are not a whole PNG picture.
bool DecodePng(const BYTE* data, size_t size, ArgbPixels& out);
