#include "FuzzDecode.h"

#include "piclib/common/PLAnyPicDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLAnyPicDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
