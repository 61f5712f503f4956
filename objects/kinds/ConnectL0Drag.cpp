// A connector's ends under the mouse: the routed band while one is drawn, the end-handle
// cursor, and moving an end to another snap point as one undo step.
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/UndoRecord.h"
#include "objects/kinds/ConnectL0.h"
#include "objects/kinds/ConnectorDragLine.h"
#include "objects/kinds/ConnectorRoute.h"
#include "objects/kinds/LineRouterView.h"

#include <cstdlib>
#include <memory>
#include <vector>

int CConnectL0::EndHandleAt(CPoint page) const
{
    if (!HasShape() || m_outlineCount < 2)
        return -1;
    CObjectHost* host = GetHost();
    CPoint points[3] = {page, GetPoint(0), GetPoint(m_outlineCount - 1)};
    host->LogicalToDevice(points, 3);
    const int half = HandleSize / 2;
    for (int end = 0; end < 2; ++end)
        if (std::abs(points[0].x - points[end + 1].x) <= half && std::abs(points[0].y - points[end + 1].y) <= half)
            return end;
    return -1;
}

BOOL CConnectL0::OnEndMouseDown(int x, int y)
{
    CObjectHost* host = GetHost();
    if (host->IsEditPointsMode())
        return FALSE;
    const int end = EndHandleAt(CPoint(x, y));
    if (end < 0)
        return FALSE;
    // With snap points hidden the end stays; the press must not move the whole connector off
    // its snap points either, which would free its ends and delete it.
    if (!host->ShowsSnapPoints())
        return TRUE;
    std::unique_ptr<CUndoRecord> step(host->CreateUndoRecord(SnapUndoId));
    if (DragEnd(end, CPoint(x, y)) && !m_busy && step)
        host->PushObjectUndo(step.release());
    return TRUE;
}

BOOL CConnectL0::DrawDragFeedback(CWnd* clipTo, CDC* dc, CWnd* wnd, BOOL erase)
{
    // Only a connector being drawn has its ends captured while the mouse moves (nothing is
    // selected then); it shows the path it will take between the snap points it would take.
    CObjectHost* host = GetHost();
    if (!host->HasEmptySelection())
        return DrawLineFeedback(clipTo, dc, wnd, erase);
    CHyperObTracker* tracker = GetTracker();
    if (!erase) {
        const int startSide = m_startSnapped ? SnapSideAt(m_snapTargets, m_dragStart) : -1;
        const int endSide = m_endSnapped ? SnapSideAt(m_snapTargets, m_dragEnd) : -1;
        std::vector<POINT> path = RouteConnector(dynamic_cast<const CLineRouterView*>(host), 0, m_dragEnd, endSide,
                                                 m_dragStart, startSide);
        host->LogicalToDevice(path.data(), static_cast<int>(path.size()));
        tracker->m_feedback = std::move(path);
    }
    CHyperTracker::FillOutlineRgn(dc, tracker->m_feedback.data(), static_cast<int>(tracker->m_feedback.size()));
    DrawSnapMarks(dc, erase);
    return TRUE;
}

BOOL CConnectL0::OnSetCursor(CPoint point, UINT hitTest)
{
    CObjectHost* host = GetHost();
    if (host->IsEditPointsMode())
        return SetEditPointsCursor(point);
    if (EndHandleAt(point) < 0)
        return CBasePolyOb::OnSetCursor(point, hitTest);
    host->ShowCursor(host->ShowsSnapPoints() ? CursorMovePoint : CursorEndFixed);
    return TRUE;
}

BOOL CConnectL0::DragEnd(int end, CPoint page)
{
    POINT moved;
    if (!CConnectorDragLine(*this).Drag(end, page, &moved))
        return FALSE;
    const int index = end == 0 ? 0 : m_outlineCount - 1;
    if (CPoint(moved) == GetPoint(index))
        return FALSE;
    InvalidateArea(nullptr);
    SetPointAt(index, moved.x, moved.y);
    RecalcFrameFromPoints(TRUE);
    UpdateLayout(TRUE, FALSE);
    return TRUE;
}
