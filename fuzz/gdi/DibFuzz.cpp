// A packed DIB (header, colour table, pixels) of any depth and compression, run-length
// encodings included: decoding must stay inside the bitmap and the input.
#include "platform/gdi/DibCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto format = gdi::ParseDibInfo(data, size, DIB_RGB_COLORS, nullptr);
    if (!format || format->headerBytes > size)
        return 0;
    if (int64_t(format->width) * format->height > (1 << 22))
        return 0;
    gdi::DecodeDib(*format, data + format->headerBytes, size - format->headerBytes);
    return 0;
}
