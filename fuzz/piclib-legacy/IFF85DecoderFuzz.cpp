#include "fuzz/piclib/FuzzDecode.h"

#include "piclib/common/PLIFF85Decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLIFF85Decoder decoder;
    FuzzDecode(decoder, data, size);
    return 0;
}
