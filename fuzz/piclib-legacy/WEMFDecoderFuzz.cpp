#include "fuzz/piclib/FuzzDecode.h"

#include "piclib/common/PLWEMFDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLWEMFDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
