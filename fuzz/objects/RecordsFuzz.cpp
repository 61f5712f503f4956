// Reads arbitrary bytes as each record of the object model. A reader may only succeed or
// throw the archive exception; what it read must store and read back unchanged.
#include "fuzz/RecordRoundTrip.h"
#include "objects/AnchorFmt.h"
#include "objects/ChoiceFmt.h"
#include "objects/ConnectorEnds.h"
#include "objects/FontDescriptor.h"
#include "objects/GenGroupInfo.h"
#include "objects/HyperFrameOb.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/LayerFmt.h"
#include "objects/LocalFmt.h"
#include "objects/ObValue.h"
#include "objects/SectionTag.h"
#include "objects/SnapPointSet.h"
#include "objects/VersionTag.h"

#include <cstdint>
#include <cstdlib>

namespace {

// A kind whose record carries end points and snap points with texts.
class CLinkedOb : public CHyperOb {
public:
    CConnectorEnds* GetEndPoints() override { return &m_ends; }
    CSnapPointSet* GetSnapPoints(BOOL own) override { return GetGroupSnapPoints(own, &m_points); }

    CConnectorEnds m_ends;
    CExtSnapPointSet m_points { this };
};

// A record that loads must come back equal.
template <typename Record>
void CheckRecord(const Bytes& data)
{
    CheckRoundTrip<Record>(data, [](Record& read, Record& again, const Bytes&) { return again.IsEqual(read); });
}

// A list that loads must come back equal and store the same bytes twice over.
template <typename List>
void CheckList(const Bytes& data)
{
    CheckRoundTrip<List>(data, [](List& read, List& again, const Bytes& stored) {
        return again.IsEqual(&read) && Stored(again) == stored;
    });
}

void CheckTags(const Bytes& data)
{
    LoadThrowsArchiveException(data, [](CArchive& ar) {
        CVersionTag tag(&ar, nullptr, 8);
        tag.Read();
        CSectionTag(&ar, 0x22222222).Probe();
        DWORD next = 0;
        ar >> next;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes bytes(data, data + size);
    CheckRecord<CObValue>(bytes);
    CheckRecord<CFontDescriptor>(bytes);
    CheckStable<CHyperOb>(bytes);
    CheckStable<CLinkedOb>(bytes);
    CheckStable<CGroupInfo>(bytes);
    CheckStable<CGenGroupInfo>(bytes);
    CheckStable<CHyperViewOb>(bytes);
    CheckStable<CHyperFrameOb>(bytes);
    CheckList<CLayerFmt>(bytes);
    CheckList<CChoiceFmt>(bytes);
    CheckList<CLocalFmt>(bytes);
    CheckList<CAnchorFmt>(bytes);
    CheckList<CAnchorFmtEx>(bytes);
    CheckTags(bytes);
    return 0;
}
