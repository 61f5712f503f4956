#include "FuzzDecode.h"

#include "piclib/common/PLBmpDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLBmpDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
