// What the editing view does with the mouse before any editing: the Alt-drag zoom, the
// page's click hook (a click also closes the tool tip) and the rulers' marks that follow the
// mouse.
#include "View/HyperView.h"

#include "View/HyperFrame.h"
#include "View/RulerBar.h"
#include "platform/ui/RectTracker.h"

namespace {

CRulerWnd* RulerOf(CControlBar* bar)
{
    auto* ruler = dynamic_cast<CRulerBar*>(bar);
    return ruler ? ruler->GetRuler() : nullptr;
}

} // namespace

// Alt held, Shift not: the dragged rectangle fills the window. Nothing else sees the press.
BOOL CHyperView::TrackAltClickZoom(CPoint devicePoint)
{
    if (!IsAltClick() || !IsMapped())
        return FALSE;
    CRectTracker tracker;
    if (tracker.TrackRubberBand(this, devicePoint, TRUE)) {
        CRect band = tracker.m_rect;
        band.NormalizeRect();
        if (!band.IsRectEmpty()) {
            band.OffsetRect(GetScrollPosition());
            ZoomToRect(band, nullptr);
        }
    }
    return TRUE;
}

void CHyperView::ReportClick(CPoint page, UINT flags, BOOL doubleClick, BOOL right)
{
    ResetToolTip();
    OnViewClick(page.x, page.y, doubleClick, right, (flags & MK_SHIFT) != 0, (flags & MK_CONTROL) != 0);
}

void CHyperView::OnRButtonDblClk(UINT flags, CPoint point)
{
    CPoint page = point;
    DeviceToLogical(&page, nullptr);
    ReportClick(page, flags, TRUE, TRUE);
    Default();
}

void CHyperView::ShowMouseOnRulers(CPoint devicePoint)
{
    CHyperFrame* frame = GetHyperFrame();
    if (!frame || !m_showHandles)
        return;
    if (CRulerWnd* ruler = RulerOf(frame->GetHorzRuler()))
        ruler->SetIndicator(devicePoint.x, 1);
    if (CRulerWnd* ruler = RulerOf(frame->GetVertRuler()))
        ruler->SetIndicator(devicePoint.y, 1);
}
