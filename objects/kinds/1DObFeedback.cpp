// What a line shows while it is drawn or its ends are dragged: the line itself as rubber
// band and a mark at each end that is about to attach to a snap point.
#include "objects/kinds/1DOb.h"

#include "objects/ConnectorEnds.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "platform/gdi/Dc.h"

namespace {
// The visible part of a mark is a frame this wide.
constexpr int MarkFrame = 3;
}

CRect C1DOb::GetTrackedRect() const
{
    return Rect();
}

void C1DOb::SetDragEndPoints(const RECT* tracked)
{
    // The corners of the tracked rectangle, taken as it stands, are the line's ends.
    CConnectorEnds* ends = GetEndPoints();
    const BOOL rising = ends && ends->GetOrientation() == CConnectorEnds::Rising;
    m_dragStart = CPoint(rising ? tracked->right : tracked->left, tracked->top);
    m_dragEnd = CPoint(rising ? tracked->left : tracked->right, tracked->bottom);
}

BOOL C1DOb::CaptureDragPoints(RECT* redraw)
{
    CConnectorEnds* ends = GetEndPoints();
    POINT start = m_dragStart, end = m_dragEnd;
    const BOOL snapped = ends->AttachEnds(&start, &m_startSnapped, &end, &m_endSnapped, m_snapTargets,
                                          CConnectorEnds::CaptureSize, redraw, TRUE);
    m_dragStart = start;
    m_dragEnd = end;
    return snapped;
}

BOOL C1DOb::UpdateConnectedEnds(int, int)
{
    m_startSnapped = FALSE;
    m_endSnapped = FALSE;
    if (!GetEndPoints() || !CanConnect())
        return TRUE;
    CRect tracked = GetTrackedRect();
    SetDragEndPoints(&tracked);
    return !CaptureDragPoints(&tracked);
}

BOOL C1DOb::DrawDragFeedback(CWnd* clipTo, CDC* dc, CWnd* wnd, BOOL erase)
{
    return HasEndHandles() && DrawLineFeedback(clipTo, dc, wnd, erase);
}

BOOL C1DOb::DrawLineFeedback(CWnd*, CDC* dc, CWnd*, BOOL erase)
{
    if (!HasShape())
        return FALSE;
    CHyperObTracker* tracker = GetTracker();
    if (!erase) {
        const CRect r = Rect();
        const BOOL rising = GetEndPoints() && GetEndPoints()->GetOrientation() == CConnectorEnds::Rising;
        tracker->m_feedback = {{rising ? r.right : r.left, r.top}, {rising ? r.left : r.right, r.bottom}};
    }
    CHyperTracker::FillOutlineRgn(dc, tracker->m_feedback.data(), static_cast<int>(tracker->m_feedback.size()));
    DrawSnapMarks(dc, erase);
    return TRUE;
}

void C1DOb::CollectSnapTargets()
{
    if (GetEndPoints())
        GatherSnapTargets(GetHost(), this, m_snapTargets);
    m_startMark.SetRectEmpty();
    m_endMark.SetRectEmpty();
}

void C1DOb::EraseSnapMarks()
{
    m_startMark.SetRectEmpty();
    m_endMark.SetRectEmpty();
    m_snapTargets.RemoveAll();
}

void C1DOb::DrawSnapMarks(CDC* dc, BOOL redraw)
{
    if (redraw) {
        DrawMark(dc, m_startMark);
        DrawMark(dc, m_endMark);
        return;
    }
    const CSize half(MarkSize / 2, MarkSize / 2);
    m_startMark = m_startSnapped ? CRect(m_dragStart - half, CSize(MarkSize, MarkSize)) : CRect();
    m_endMark = m_endSnapped ? CRect(m_dragEnd - half, CSize(MarkSize, MarkSize)) : CRect();
    DrawMark(dc, m_startMark);
    DrawMark(dc, m_endMark);
}

void C1DOb::DrawMark(CDC* dc, const CRect& mark) const
{
    if (mark.IsRectEmpty())
        return;
    CRect device = mark;
    GetHost()->LogicalToDevice(reinterpret_cast<POINT*>(&device), 2);
    dc->InvertRect(device);
    device.DeflateRect(MarkFrame, MarkFrame);
    dc->InvertRect(device);
}

void C1DOb::UpdateEndsFromTargets()
{
    CConnectorEnds* ends = GetEndPoints();
    if (!ends || !m_tracker)
        return;
    m_tracker->m_nStyle &= 0xFF;
    if (m_tracker->m_nStyle == 0)
        return;
    const CRect device = m_tracker->DeviceRect(Rect());
    const UINT mask = m_tracker->GetHandleMask() & 0xFF;
    const BOOL attached[2] = {ends->IsStartConnected(), ends->IsEndConnected()};
    const CPoint points[2] = {ends->GetStartPoint(), ends->GetEndPoint()};
    for (int end = 1; end >= 0; --end) {
        if (!attached[end])
            continue;
        CPoint point = points[end];
        GetHost()->LogicalToDevice(&point, 1);
        for (int handle = 0; handle < 8; ++handle) {
            CRect box;
            m_tracker->GetHandleRectAt(handle, device, &box);
            box.InflateRect(2, 2);
            if ((mask & (1u << handle)) && box.PtInRect(point))
                m_tracker->m_nStyle |= 1u << (handle + 8);
        }
    }
}
