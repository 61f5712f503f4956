#include "FuzzDecode.h"

#include "piclib/common/PLPPMDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLPPMDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
