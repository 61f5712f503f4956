// Capturing ends onto snap points, freeing them, and following the objects they name.
#include "objects/ConnectorEnds.h"

#include "objects/AnchorFmt.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/SnapPointSet.h"

#include <cstdlib>

namespace {

int& UseCounter(CAnchorItem* item, int index)
{
    return index == 0 ? item->m_connectionsIn : item->m_connectionsOut;
}

// The nearer of the two edges: an end that may not attach is pushed out of the square.
LONG NearerEdge(LONG value, LONG low, LONG high)
{
    return std::abs(value - low) <= std::abs(high - value) ? low : high;
}

} // namespace

BOOL CConnectorEnds::Disconnect(UINT flags)
{
    const int index = flags & 1;
    End& end = m_ends[index];
    if (end.code.IsEmpty())
        return FALSE;
    const int oldId = end.snapId;
    CHyperOb* object = GetAttachedObject(index, nullptr);
    CSnapPointSet* points = object ? object->GetSnapPoints(FALSE) : nullptr;
    if (CAnchorItem* item = points ? points->FindPoint(oldId) : nullptr)
        --UseCounter(item, index);
    end.code.Empty();
    end.snapId = -1;
    if (points)
        GetOwnerHost()->OnConnectorEndDetached(m_owner, index, object);
    return TRUE;
}

BOOL CConnectorEnds::AttachEnds(POINT* p1, BOOL* snapped1, POINT* p2, BOOL* snapped2, const CObArray& targets,
                                int capture, RECT* redraw, BOOL test)
{
    *snapped2 = AttachEnd(1, p2, targets, capture, redraw, test);
    *snapped1 = AttachEnd(0, p1, targets, capture, redraw, test);
    return *snapped1 || *snapped2;
}

BOOL CConnectorEnds::AttachEnd(int index, POINT* point, const CObArray& targets, int capture, RECT* redraw,
                               BOOL test)
{
    if (!test)
        Disconnect(static_cast<UINT>(index));
    // The first capture holds: later targets do not take the end over.
    for (INT_PTR i = 0; i < targets.GetSize(); ++i) {
        auto* target = static_cast<CHyperOb*>(targets.GetAt(i));
        if (target != m_owner && CaptureOn(index, target, point, capture, redraw, test))
            return TRUE;
    }
    return FALSE;
}

BOOL CConnectorEnds::CaptureOn(int index, CHyperOb* target, POINT* point, int capture, RECT* redraw, BOOL test)
{
    CSnapPointSet* points = target->GetSnapPoints(FALSE);
    if (!points)
        return FALSE;
    const End before = m_ends[index];
    const CAnchorFmt& list = points->GetList();
    for (INT_PTR k = 0; k < list.GetSize(); ++k) {
        CAnchorItem* item = list.GetAnchor(k);
        POINT s;
        if (!GetSnapPlace(points, item->m_id, &s))
            continue;
        CRect square(s.x - capture / 2, s.y - capture / 2, s.x + capture / 2, s.y + capture / 2);
        square.InflateRect(1, 1);
        if (!square.PtInRect(*point))
            continue;
        const BOOL free = !IsPointFull(item, index) && !IsAttachVetoed();
        const BOOL same = test && before.code == target->Code && before.snapId == item->m_id;
        if (!free && !same) {
            point->x = NearerEdge(point->x, square.left, square.right);
            point->y = NearerEdge(point->y, square.top, square.bottom);
            continue;
        }
        if (!test) {
            m_ends[index] = {target->Code, item->m_id};
            ++UseCounter(item, index);
        } else if (redraw) {
            ReplaceRectCoord(redraw, point->x, point->y, s.x, s.y);
        }
        *point = s;
        return TRUE;
    }
    return FALSE;
}

BOOL CConnectorEnds::Reattach(BOOL mode)
{
    CObjectHost* host = GetOwnerHost();
    if (!host || host->IsBusy())
        return FALSE;
    if ((mode == 0 && !m_owner->CanConnect()) || (mode != 0 && m_owner->GroupID != -1))
        return FALSE;
    POINT points[2];
    int handles[2];
    ComputeEndPoints(&points[0], &points[1], IsSwapped(), &handles[0], &handles[1]);
    CObArray targets;
    for (int i = 0; i < host->GetObjectCount(); ++i) {
        auto* object = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        CSnapPointSet* set = object && object != m_owner ? object->GetSnapPoints(FALSE) : nullptr;
        if (set && set->GetCount() > 0)
            targets.Add(object);
    }
    BOOL snapped[2];
    AttachEnds(&points[0], &snapped[0], &points[1], &snapped[1], targets, CaptureSize, nullptr, FALSE);
    MoveEndPoints(points, handles);
    return TRUE;
}

BOOL CConnectorEnds::FollowObject(LPCTSTR name, CSnapPointSet* points)
{
    POINT ends[2];
    int handles[2];
    ComputeEndPoints(&ends[0], &ends[1], IsSwapped(), &handles[0], &handles[1]);
    BOOL placed = FALSE;
    BOOL freed = FALSE;
    for (int i = 0; i < 2; ++i) {
        End& end = m_ends[i];
        if (end.snapId == -1 || end.code.IsEmpty() || end.code != name)
            continue;
        POINT place;
        if (!GetSnapPlace(points, end.snapId, &place)) {
            end.code.Empty();
            end.snapId = -1;
            freed = TRUE;
        } else if (place.x != ends[i].x || place.y != ends[i].y) {
            ends[i] = place;
            placed = TRUE;
        }
    }
    if (freed && m_owner)
        m_owner->NotifyEndsChanged();
    if (!placed || !m_owner)
        return FALSE;
    MoveEndPoints(ends, handles);
    if (m_owner->HasTracker())
        m_owner->GetTracker()->m_trackedHandle = -1;
    m_owner->UpdateLayout(TRUE, FALSE);
    return TRUE;
}
