#include "objects/SnapPointSet.h"

#include "objects/ConnectorEnds.h"
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/GdiTypes.h"
#include "platform/gdi/SysColors.h"

#include <climits>

void CSnapPointSet::SetPositionMask(UINT mask)
{
    CAnchorFmt& list = GetList();
    list.DeleteAllPoints();
    for (int position = 0; position <= 8; ++position) {
        if (!(mask & (1u << position)))
            continue;
        auto* item = static_cast<CAnchorItem*>(list.CreateItem());
        item->m_position = position;
        item->m_id = list.m_nextId++;
        list.AddItem(item);
    }
}

BOOL CSnapPointSet::HasConnections() const
{
    const CAnchorFmt& list = GetList();
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        if (list.GetAnchor(i)->m_connectionsIn != 0 || list.GetAnchor(i)->m_connectionsOut != 0)
            return TRUE;
    }
    return FALSE;
}

BOOL CSnapPointSet::GetPointPosition(POINT* point, int* idOrIndex, COLORREF* color, BOOL byIndex) const
{
    const CAnchorFmt& list = GetList();
    int id = *idOrIndex;
    if (byIndex)
        id = id >= 0 && id < list.GetSize() ? list.GetAnchor(id)->m_id : -1;
    if (!m_owner) {
        *idOrIndex = -1;
        return FALSE;
    }
    CRect rect;
    m_owner->GetDisplayRect(&rect, FALSE);
    POINT center = {0, 0};
    double angle = 0;
    CHyperObTracker* tracker = m_owner->GetTracker();
    CGroupInfo* group = m_owner->GetOwnGroupInfo();
    if (tracker && tracker->RotateAngle != 0 && !(group && group->m_hasSnapPoints)) {
        rect = tracker->m_rotationRect;
        tracker->GetCenter(&center);
        angle = tracker->RotateAngle;
    }
    POINT place;
    if (!GetSnapPointPosition(list, rect, center, angle, &place, color, id)) {
        *idOrIndex = -1;
        return FALSE;
    }
    if (place.x == point->x && place.y == point->y)
        return FALSE;
    *point = place;
    return TRUE;
}

int CSnapPointSet::DetachConnectors()
{
    CObjectHost* host = m_owner ? GetObjectHost(m_owner->GetView()) : nullptr;
    if (!host || m_owner->Code.IsEmpty())
        return 0;
    int cleared = 0;
    int attachedIndex = 0;
    for (int i = 0; i < host->GetObjectCount(); ++i) {
        auto* connector = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        CConnectorEnds* ends = connector ? connector->GetEndPoints() : nullptr;
        if (!ends || (ends->m_ends[0].code.IsEmpty() && ends->m_ends[1].code.IsEmpty()))
            continue;
        for (CConnectorEnds::End& end : ends->m_ends) {
            if (end.code != m_owner->Code)
                continue;
            CHyperBaseOb* named = host->FindObject(end.code, nullptr);
            end.code.Empty();
            end.snapId = -1;
            ++cleared;
            host->OnConnectorEndDetached(connector, attachedIndex, named);
            connector->NotifyEndsChanged();
        }
        ++attachedIndex;
    }
    return cleared;
}

void CSnapPointSet::DrawIndicator(CDC* dc, POINT point, COLORREF color)
{
    CPen pen(PS_SOLID, 0, color == static_cast<COLORREF>(-1) ? RGB(0, 0, 255) : color);
    CBrush brush(GetSysColor(COLOR_WINDOW));
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Rectangle(point.x - 2, point.y - 2, point.x + 3, point.y + 3);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}

void CSnapPointSet::DrawSnapIndicators(CDC* dc, BOOL show)
{
    CObjectHost* host = m_owner ? GetObjectHost(m_owner->GetView()) : nullptr;
    if (!host || !host->IsEditMode() || !show || dc->IsPrinting())
        return;
    for (INT_PTR i = 0; i < GetCount(); ++i) {
        POINT point = {INT_MIN, INT_MIN};
        int index = static_cast<int>(i);
        COLORREF color = static_cast<COLORREF>(-1);
        if (GetPointPosition(&point, &index, &color, TRUE))
            DrawIndicator(dc, point, color);
    }
}

BOOL CSnapPointSet::RefreshConnectorEnds(const CObArray* connectors)
{
    if (!m_owner || !HasConnections())
        return FALSE;
    CObArray all;
    if (!connectors) {
        CObjectHost* host = GetObjectHost(m_owner->GetView());
        for (int i = 0; host && i < host->GetObjectCount(); ++i)
            all.Add(host->GetObjectAt(i));
        connectors = &all;
    }
    BOOL moved = FALSE;
    for (INT_PTR i = 0; i < connectors->GetSize(); ++i) {
        auto* connector = dynamic_cast<CHyperOb*>(connectors->GetAt(i));
        CConnectorEnds* ends = connector ? connector->GetEndPoints() : nullptr;
        if (ends && ends->FollowObject(m_owner->Code, this))
            moved = TRUE;
    }
    return moved;
}
