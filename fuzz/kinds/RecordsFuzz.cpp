// Reads arbitrary bytes as the record of a drawing-object kind or its generator: the first
// byte picks the kind, the rest is the record. A reader may only succeed or throw the archive
// exception; what it read must store and read back unchanged. One kind an input, not every
// kind, keeps the target fast enough to find something.
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
#include <iterator>

namespace {

constexpr void (*kKinds[])(const Bytes&) = {
    CheckStable<CBorderOb>, CheckStable<CBorderGen>,   CheckStable<CRectOb>,     CheckStable<CRectGen>,
    CheckStable<CTextOb>,   CheckStable<CTextGen>,     CheckStable<CCircleOb>,   CheckStable<CCircleGen>,
    CheckStable<CArcOb>,    CheckStable<CArcGen>,      CheckStable<CLineOb>,     CheckStable<CPolyLineOb>,
    CheckStable<CPolyLineGen>, CheckStable<CConnectOb>, CheckStable<CStrokeOb>,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    kKinds[data[0] % std::size(kKinds)](Bytes(data + 1, data + size));
    return 0;
}
