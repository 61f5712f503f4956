#include "objects/kinds/BoxSnapPoints.h"

#include "objects/ConnectorEnds.h"
#include "objects/HyperOb.h"
#include "objects/ObjectHost.h"

namespace {
// Top, right, bottom and left middles.
constexpr UINT sideMiddles = 0xF0;

const CAnchorFmt& SharedSideMiddles()
{
    static const CSnapPointSet* points = [] {
        auto* set = new CSnapPointSet;
        set->SetPositionMask(sideMiddles);
        return set;
    }();
    return points->GetList();
}
}

CBoxSnapPoints::CBoxSnapPoints(CHyperOb* owner) : CSnapPointSet(owner)
{
}

void CBoxSnapPoints::Reset()
{
    m_ownList = FALSE;
    m_anchors.DeleteAllPoints();
}

CAnchorFmt& CBoxSnapPoints::GetList()
{
    if (!m_ownList) {
        m_ownList = TRUE;
        m_anchors.m_nextId = 0;
        SetPositionMask(sideMiddles);
    }
    return m_anchors;
}

const CAnchorFmt& CBoxSnapPoints::GetList() const
{
    return m_ownList ? m_anchors : SharedSideMiddles();
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
