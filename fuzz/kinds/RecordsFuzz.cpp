// Reads arbitrary bytes as the record of each drawing-object kind and its generator. A
// reader may only succeed or throw the archive exception; what it read must store and read
// back unchanged.
#include "fuzz/RecordRoundTrip.h"
#include "objects/kinds/ArcGen.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/CircleGen.h"
#include "objects/kinds/ConnectGen.h"
#include "objects/kinds/LineGen.h"
#include "objects/kinds/PolyLineGen.h"
#include "objects/kinds/RectGen.h"
#include "objects/kinds/StrokeOb.h"
#include "objects/kinds/TextGen.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes bytes(data, data + size);
    CheckStable<CBorderOb>(bytes);
    CheckStable<CBorderGen>(bytes);
    CheckStable<CRectOb>(bytes);
    CheckStable<CRectGen>(bytes);
    CheckStable<CTextOb>(bytes);
    CheckStable<CTextGen>(bytes);
    CheckStable<CCircleOb>(bytes);
    CheckStable<CCircleGen>(bytes);
    CheckStable<CArcOb>(bytes);
    CheckStable<CArcGen>(bytes);
    CheckStable<CLineOb>(bytes);
    CheckStable<CPolyLineOb>(bytes);
    CheckStable<CPolyLineGen>(bytes);
    CheckStable<CConnectOb>(bytes);
    CheckStable<CStrokeOb>(bytes);
    return 0;
}
