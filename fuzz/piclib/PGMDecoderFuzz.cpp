#include "FuzzDecode.h"

#include "piclib/common/PLPGMDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLPGMDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
