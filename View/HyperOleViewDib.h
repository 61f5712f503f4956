// A picture another program put on the clipboard (a packed DIB: header, colour table, pixels)
// as the bytes of a .bmp file, so that the picture readers take it.
#pragma once

#include "platform/core/Types.h"

#include <cstddef>
#include <vector>

// Empty when the block is too short for what its header claims or is no DIB at all.
std::vector<BYTE> BmpFileFromPackedDib(const BYTE* dib, size_t size);
