#include "FuzzDecode.h"

#include "piclib/common/PLJPEGDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLJPEGDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
