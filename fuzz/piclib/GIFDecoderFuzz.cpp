#include "FuzzDecode.h"

#include "piclib/common/PLGIFDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLGIFDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
