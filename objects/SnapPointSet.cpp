#include "objects/SnapPointSet.h"

#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"

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
