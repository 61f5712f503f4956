#include "FuzzDecode.h"

#include "piclib/common/PLPCXDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLPCXDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
