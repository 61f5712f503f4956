#include "piclib/common/PLBitmapSize.h"

#include "piclib/common/PLTextException.h"

#include <algorithm>

namespace {
constexpr int64_t MaxPixelBytes = int64_t(1) << 30;
}

int PLPackedLineBytes(int width, int bpp)
{
    return static_cast<int>((static_cast<int64_t>(width) * bpp + 7) / 8);
}

int PLDibLineBytes(int width, int bpp)
{
    return static_cast<int>((static_cast<int64_t>(width) * bpp + 31) / 32 * 4);
}

void PLCheckBitmapSize(int width, int height, int bpp)
{
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        throw PLTextException(PL_ERRFORMAT_NOT_SUPPORTED, "Unsupported bit depth.");
    // Every line costs at least its pointer in the line table, so an empty width can't hide a
    // huge height.
    const int64_t lineCost = std::max<int64_t>(PLDibLineBytes(width, bpp), sizeof(void*));
    if (width < 0 || height < 0 || static_cast<int64_t>(width) * bpp > MaxPixelBytes ||
        lineCost * height > MaxPixelBytes)
        throw PLTextException(PL_ERRNO_MEMORY, "Out of memory creating bitmap.");
}
