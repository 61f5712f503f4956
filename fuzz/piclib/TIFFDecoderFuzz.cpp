#include "FuzzDecode.h"

#include "piclib/common/PLTIFFDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLTIFFDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
