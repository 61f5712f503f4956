#include "fuzz/piclib/FuzzDecode.h"

#include "piclib/common/PLWEMFDecoder.h"

// Playing a metafile costs per pixel: a small picture reaches every record just as well.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLWEMFDecoder decoder;
    FuzzDecode(decoder, data, size, 1 << 14);
    return 0;
}
