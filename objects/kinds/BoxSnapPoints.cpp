#include "objects/kinds/BoxSnapPoints.h"

#include "objects/ConnectorEnds.h"
#include "objects/HyperOb.h"
#include "objects/ObjectHost.h"

namespace {
// Top, right, bottom and left middles.
constexpr UINT sideMiddles = 0xF0;
}

CBoxSnapPoints::CBoxSnapPoints(CHyperOb* owner) : CSnapPointSet(owner)
{
    Reset();
}

void CBoxSnapPoints::Reset()
{
    GetList().m_nextId = 0;
    SetPositionMask(sideMiddles);
}

BOOL CBoxSnapPoints::HasConnections() const
{
    CHyperOb* owner = GetOwner();
    CObjectHost* host = owner ? GetObjectHost(owner->GetView()) : nullptr;
    if (!host || owner->Code.IsEmpty())
        return FALSE;
    for (int i = 0; i < host->GetObjectCount(); ++i) {
        auto* object = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        CConnectorEnds* ends = object ? object->GetEndPoints() : nullptr;
        if (!ends)
            continue;
        for (const CConnectorEnds::End& end : ends->m_ends)
            if (end.code == owner->Code && FindPoint(end.snapId))
                return TRUE;
    }
    return FALSE;
}
