#include "fuzz/piclib/FuzzDecode.h"

#include "piclib/common/PLSGIDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLSGIDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
