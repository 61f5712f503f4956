// The front end recognises the format and hands the picture to its decoder. Each decoder's own
// target decodes large pictures; here small ones keep every input fast, so that the runs go
// into recognising formats rather than into the slowest decoders' big pictures.
#include "FuzzDecode.h"

#include "piclib/common/PLAnyPicDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static PLAnyPicDecoder decoder;
    FuzzDecode(decoder, data, size, int64_t(1) << 16);
    return 0;
}
