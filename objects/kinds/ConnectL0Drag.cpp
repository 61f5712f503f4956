// Moving a connector's end to another snap point with the mouse, as one undo step.
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/UndoRecord.h"
#include "objects/kinds/ConnectL0.h"
#include "objects/kinds/ConnectorDragLine.h"

#include <cstdlib>
#include <memory>

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
    if (!host->ShowsSnapPoints() || host->IsEditPointsMode())
        return FALSE;
    const int end = EndHandleAt(CPoint(x, y));
    if (end < 0)
        return FALSE;
    std::unique_ptr<CUndoRecord> step(host->CreateUndoRecord(SnapUndoId));
    if (DragEnd(end, CPoint(x, y)) && !m_busy && step)
        host->PushObjectUndo(step.release());
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
