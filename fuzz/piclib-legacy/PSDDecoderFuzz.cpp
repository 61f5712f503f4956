#include "fuzz/piclib/FuzzDecode.h"

#include "piclib/common/PLPSDDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLPSDDecoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
