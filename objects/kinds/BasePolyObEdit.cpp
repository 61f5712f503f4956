// Point editing: move, insert and delete points, merge points that come too close, open and
// close the figure. Every change is one undo step.
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/UndoRecord.h"
#include "objects/kinds/BasePolyOb.h"
#include "platform/ui/UiApi.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

// The undo step of one edit: pushed when the edit changed the figure, dropped otherwise.
class EditStep {
public:
    EditStep(CObjectHost* host) : m_host(host), m_record(host->CreateUndoRecord(CBasePolyOb::EditPointsUndoId)) { }
    ~EditStep() { delete m_record; }
    EditStep(const EditStep&) = delete;
    EditStep& operator=(const EditStep&) = delete;

    void Push()
    {
        if (m_record)
            m_host->PushObjectUndo(std::exchange(m_record, nullptr));
    }

private:
    CObjectHost* m_host;
    CUndoRecord* m_record;
};

} // namespace

BOOL CBasePolyOb::ArePointsClose(int x1, int y1, int x2, int y2) const
{
    return std::abs(x1 - x2) <= CloseDistance && std::abs(y1 - y2) <= CloseDistance;
}

BOOL CBasePolyOb::CanRemovePoint() const
{
    return m_outlineCount > 2 + (IsClosed() ? 1 : 0);
}

BOOL CBasePolyOb::RemovePoint(int index)
{
    const BOOL closed = IsClosed();
    if (closed && index == m_outlineCount - 1)
        index = 0;
    if (index < 0 || index >= m_outlineCount)
        return TRUE;
    // The closing point takes the new first point, so the figure stays closed.
    if (closed && index == 0)
        m_outlinePoints[m_outlineCount - 1] = m_outlinePoints[1];
    std::copy(m_outlinePoints + index + 1, m_outlinePoints + m_outlineCount, m_outlinePoints + index);
    --m_outlineCount;
    return TRUE;
}

void CBasePolyOb::InsertPointAfter(int index, POINT point)
{
    auto* grown = new POINT[m_outlineCount + 1];
    std::copy(m_outlinePoints, m_outlinePoints + index + 1, grown);
    std::copy(m_outlinePoints + index + 1, m_outlinePoints + m_outlineCount, grown + index + 2);
    const int count = m_outlineCount + 1;
    FreeOutline();
    m_outlinePoints = grown;
    m_outlineCount = count;
    SetPointAt(index + 1, point.x, point.y);
}

void CBasePolyOb::MergeNearPoints(BOOL inserted, int index)
{
    const int n = m_outlineCount;
    if (n < 2)
        return;
    const CPoint first = GetPoint(0), last = GetPoint(n - 1);
    if (!inserted && !IsClosed() && ArePointsClose(last.x, last.y, first.x, first.y)) {
        SetPointAt(n - 1, first.x, first.y);
        return;
    }
    const BOOL closed = IsClosed();
    for (int k = index - 2; k <= index + 2; ++k) {
        const int j = ((k % n) + n) % n;
        const int next = (j + 1) % n;
        if (closed && j == n - 1)
            continue;
        const CPoint a = GetPoint(j), b = GetPoint(next);
        if (ArePointsClose(a.x, a.y, b.x, b.y)) {
            if (CanRemovePoint())
                RemovePoint(j);
            return;
        }
    }
}

BOOL CBasePolyOb::SetEditPointsCursor(CPoint point)
{
    const int i = HitPointHandle(point.x, point.y);
    if (i == FixedHandle || (i == -1 && HitSegment(point.x, point.y) == -1))
        return FALSE;
    UINT cursor = CursorInsertPoint;
    if (i >= 0)
        cursor = IsControlHeld() && CanRemovePoint() ? CursorDeletePoint : CursorMovePoint;
    GetHost()->ShowCursor(cursor);
    return TRUE;
}

BOOL CBasePolyOb::IsControlHeld() const
{
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

CPoint CBasePolyOb::TrackPoint(CPoint before, CPoint start, CPoint after)
{
    return GetHost()->TrackEditPoint(before, start, after);
}

BOOL CBasePolyOb::TrackEditPoints(CPoint device)
{
    CObjectHost* host = GetHost();
    EditStep step(host);
    CPoint click = device;
    host->DeviceToLogicalPoints(&click, 1);
    const int n = m_outlineCount;
    int i = HitPointHandle(click.x, click.y);
    const BOOL insert = i == -1;
    CPoint points[3];
    if (i >= 0) {
        if (IsControlHeld() && CanRemovePoint()) {
            RemovePoint(i);
            RecalcFrameFromPoints(TRUE);
            UpdateLayout(TRUE, FALSE);
            step.Push();
            return TRUE;
        }
        points[0] = GetPoint(i == 0 ? n - IsClosed() - 1 : (i - 1) % n);
        points[1] = GetPoint(i);
        points[2] = GetPoint((i + 1) % n);
    } else if (i == FixedHandle || (i = HitSegment(click.x, click.y)) == -1) {
        return FALSE;
    } else {
        points[0] = GetPoint(i);
        points[1] = click;
        points[2] = GetPoint((i + 1) % n);
    }
    host->LogicalToDevice(points, 3);
    CPoint moved = TrackPoint(points[0], points[1], points[2]);
    const BOOL changed = moved != points[1];
    host->DeviceToLogicalPoints(&moved, 1);
    if (changed && insert) {
        InsertPointAfter(i, moved);
    } else if (changed) {
        if (i == 0 && IsClosed())
            SetPointAt(n - 1, moved.x, moved.y);
        SetPointAt(i, moved.x, moved.y);
    }
    // A gesture that ends where it began leaves the figure as it was.
    if (!changed)
        return FALSE;
    MergeNearPoints(insert, insert ? i + 1 : i);
    RecalcFrameFromPoints(TRUE);
    UpdateLayout(TRUE, FALSE);
    step.Push();
    return TRUE;
}

void CBasePolyOb::OpenClose(int x, int y)
{
    EditStep step(GetHost());
    step.Push();
    if (IsClosed()) {
        const int i = HitPointHandle(x, y);
        const int n = m_outlineCount;
        if (i > 0) {
            std::rotate(m_outlinePoints, m_outlinePoints + i, m_outlinePoints + n - 1);
            m_outlinePoints[n - 1] = m_outlinePoints[0];
        }
        CRect rect;
        GetRect(&rect, nullptr);
        const CPoint centre((rect.left + rect.right + 1) / 2, (rect.top + rect.bottom + 1) / 2);
        const CPoint p0 = GetPoint(0);
        SetPointAt(0, (3 * p0.x + centre.x) / 4, (3 * p0.y + centre.y) / 4);
    } else if (m_outlineCount > 0) {
        InsertPointAfter(m_outlineCount - 1, GetPoint(0));
    }
    RecalcFrameFromPoints(TRUE);
    UpdateLayout(TRUE, FALSE);
}
