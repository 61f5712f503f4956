#include "piclib/common/PLRows.h"

#include <cstring>

namespace {

// Whole pixel values stored in one go let the compiler work on many pixels at once.
inline void store(PLPixel32* out, uint32_t b, uint32_t g, uint32_t r, uint32_t a)
{
    const uint32_t value = b | g << 8 | r << 16 | a << 24;
    std::memcpy(static_cast<void*>(out), &value, sizeof value);
}

} // namespace

void PLWeavePlanes(PLPixel32* out, int count, const uint8_t* red, const uint8_t* green, const uint8_t* blue,
                   const uint8_t* alpha)
{
    if (alpha) {
        for (int i = 0; i < count; ++i)
            store(out + i, blue[i], green[i], red[i], alpha[i]);
        return;
    }
    for (int i = 0; i < count; ++i)
        store(out + i, blue[i], green[i], red[i], 255);
}
