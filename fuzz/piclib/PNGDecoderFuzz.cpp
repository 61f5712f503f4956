#include "FuzzDecode.h"

#include "piclib/common/PLPNGDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLPNGDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
