#include "fuzz/piclib/FuzzDecode.h"

#include "piclib/common/PLJPEGDecoder.h"
#include "piclib/common/PLPictDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLJPEGDecoder jpeg;
    static PLPictDecoder decoder(&jpeg);
    FuzzDecode(decoder, data, size);
    return 0;
}
