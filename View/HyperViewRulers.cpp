// The editing view keeps its frame's rulers in step with the page: the scroll position, the
// zoom, and the extent of the object being tracked.
#include "View/HyperView.h"

#include "View/HyperFrame.h"
#include "View/HyperTextEdit.h"
#include "View/RulerBar.h"

namespace {

CRulerWnd* RulerOf(CControlBar* bar)
{
    auto* ruler = dynamic_cast<CRulerBar*>(bar);
    return ruler ? ruler->GetRuler() : nullptr;
}

} // namespace

void CHyperView::UpdateRulerOrigins()
{
    CHyperFrame* frame = GetHyperFrame();
    if (!frame || frame->GetFirstView() != this)
        return;
    CPoint origin(0, 0);
    DeviceToLogical(&origin, nullptr);
    const int scale = CRulerWnd::PageUnitsPerInch * GetZoom() / 100;
    if (CRulerWnd* ruler = RulerOf(frame->GetHorzRuler())) {
        ruler->SetScale(scale);
        ruler->SetOrigin(origin.x);
    }
    if (CRulerWnd* ruler = RulerOf(frame->GetVertRuler())) {
        ruler->SetScale(scale);
        ruler->SetOrigin(origin.y);
    }
}

BOOL CHyperView::OnScrollBy(CSize sizeScroll, BOOL doScroll)
{
    if (m_editMode && doScroll)
        CommitTextEdit();
    const BOOL scrolled = CNotesView::OnScrollBy(sizeScroll, doScroll);
    if (scrolled)
        UpdateRulerOrigins();
    return scrolled;
}

void CHyperView::SetZoom(int zoom)
{
    CNotesView::SetZoom(zoom);
    UpdateRulerOrigins();
}

void CHyperView::ShowTrackedExtent(const RECT& rect)
{
    CHyperFrame* frame = GetHyperFrame();
    if (!frame)
        return;
    CRect device = rect;
    device.NormalizeRect();
    LogicalToDeviceRect(&device, nullptr);
    if (CRulerWnd* ruler = RulerOf(frame->GetHorzRuler()))
        ruler->SetIndicator(device.left, device.Width());
    if (CRulerWnd* ruler = RulerOf(frame->GetVertRuler()))
        ruler->SetIndicator(device.top, device.Height());
}

void CHyperView::HideTrackedExtent()
{
    CHyperFrame* frame = GetHyperFrame();
    if (!frame)
        return;
    for (CControlBar* bar : {frame->GetHorzRuler(), frame->GetVertRuler()})
        if (CRulerWnd* ruler = RulerOf(bar))
            ruler->HideIndicator();
}
