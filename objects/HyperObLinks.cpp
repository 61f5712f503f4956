// How a page object is linked to others: its group record, its snap points and the
// connectors attached to them.
#include "objects/ConnectorEnds.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/ObjectHost.h"
#include "objects/SnapPointSet.h"

namespace {
// Set while a changed object has the connectors on it recompute, with the view's field at 0.
bool g_notifying = false;

class NotifyScope {
public:
    explicit NotifyScope(CObjectHost* host) : m_host(host), m_held(host->ExchangeConnectorField(0))
    {
        g_notifying = true;
    }
    ~NotifyScope()
    {
        g_notifying = false;
        m_host->ExchangeConnectorField(m_held);
    }
    NotifyScope(const NotifyScope&) = delete;
    NotifyScope& operator=(const NotifyScope&) = delete;

private:
    CObjectHost* m_host;
    int m_held;
};

void ClearLinkCounts(CSnapPointSet* set)
{
    CAnchorFmt& list = set->GetList();
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        list.GetAnchor(i)->m_connectionsIn = 0;
        list.GetAnchor(i)->m_connectionsOut = 0;
    }
}
}

CSnapPointSet* CHyperOb::GetGroupSnapPoints(BOOL own, CSnapPointSet* ownSet)
{
    CSnapPointSet* group = m_groupInfo ? m_groupInfo->GetSnapPoints() : nullptr;
    if (own || GroupID < 0 || !group)
        return ownSet;
    group->SetOwner(this);
    return group;
}

CAnchorFmt* CHyperOb::GetSnapPointList(BOOL own)
{
    CSnapPointSet* set = GetSnapPoints(own);
    return set ? &set->GetList() : nullptr;
}

CGroupInfo* CHyperOb::GetGroupInfo() const
{
    if (m_groupInfo || GroupID == -1)
        return m_groupInfo;
    CObjectHost* host = GetHost();
    for (int i = 0; i < host->GetObjectCount(); ++i) {
        auto* other = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        if (other && other->GroupID == GroupID && other->m_groupInfo)
            return other->m_groupInfo;
    }
    return nullptr;
}

void CHyperOb::GetGroupRect(CRect* out, int) const
{
    if (const CGroupInfo* group = GetGroupInfo())
        group->GetRect(out);
    else
        GetRect(out, nullptr);
}

BOOL CHyperOb::CanConnect() const
{
    if (!GetView())
        return TRUE;
    return GetHost()->AllowsConnections() && GroupID == -1;
}

void CHyperOb::ResetConnections()
{
    if (CConnectorEnds* ends = GetEndPoints())
        ends->ClearEnds(nullptr);
    CSnapPointSet* own = GetSnapPoints(TRUE);
    CSnapPointSet* group = GetSnapPoints(FALSE);
    if (own)
        ClearLinkCounts(own);
    if (group && group != own)
        ClearLinkCounts(group);
}

void CHyperOb::RefreshConnections()
{
    CObjectHost* host = GetHost();
    if (CConnectorEnds* ends = GetEndPoints()) {
        for (const CConnectorEnds::End& end : ends->m_ends) {
            auto* target = dynamic_cast<CHyperOb*>(host->FindObject(end.code, this));
            if (CSnapPointSet* set = target && !end.code.IsEmpty() ? target->GetSnapPoints(FALSE) : nullptr)
                ends->FollowObject(end.code, set);
        }
    }
    if (CSnapPointSet* set = GetSnapPoints(FALSE))
        set->RefreshConnectorEnds(nullptr);
}

void CHyperOb::NotifyChanged()
{
    // An ungrouped connector and a grouped plain object leave their neighbours alone. The
    // connectors recomputing here notify no further, so linked connectors cannot recurse.
    if ((GetEndPoints() != nullptr) != (GroupID != -1) || g_notifying)
        return;
    CRect area;
    if (m_groupInfo)
        m_groupInfo->GetRect(&area);
    else
        GetRect(&area, nullptr);
    area.InflateRect(1, 1);
    CObjectHost* host = GetHost();
    CObArray lying;
    host->GetObjectsInRect(area, lying);
    if (host->IsConnectionMode()) {
        for (INT_PTR i = 0; i < lying.GetSize(); ++i) {
            auto* other = static_cast<CHyperOb*>(lying.GetAt(i));
            BOOL otherGroup = other->m_groupInfo && other->GroupID != GroupID;
            BOOL plain = other != this && other->GroupID == -1 && !other->GetEndPoints();
            if (other->LayerID == LayerID && (otherGroup || plain)) {
                host->PostObjectOverlap(this);
                return;
            }
        }
    }
    NotifyScope scope(host);
    for (INT_PTR i = 0; i < lying.GetSize(); ++i) {
        auto* other = static_cast<CHyperOb*>(lying.GetAt(i));
        if (other != this && other->GetEndPoints() && other->IsConnector() && other->IntersectsRect(&area))
            other->UpdateLayout(TRUE, FALSE);
    }
}
