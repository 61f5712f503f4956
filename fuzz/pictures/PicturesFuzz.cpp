// Reads arbitrary bytes as the records of the picture-bearing kinds and the highlight, the
// bitmap's embedded JPEG included. A reader may only succeed or throw the archive exception;
// what it read must store and read back unchanged.
#include "fuzz/RecordRoundTrip.h"
#include "objects/kinds/BitmapGen.h"
#include "objects/kinds/HiliteGen.h"
#include "objects/kinds/ShapeGen.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes bytes(data, data + size);
    CheckStable<CHiliteOb>(bytes);
    CheckStable<CBitmapOb>(bytes);
    CheckStable<CBitmapShadowOb>(bytes);
    CheckStable<CShapeOb>(bytes);
    return 0;
}
