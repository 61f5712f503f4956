#include "FuzzDecode.h"

#include "piclib/common/PLTGADecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLTGADecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
