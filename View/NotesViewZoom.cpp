// Keeping the ink of the layer over the same page points when the view zooms or scrolls.
#include "View/NotesView.h"

#include "platform/ink/InkOverlay.h"
#include "platform/ui/UiApi.h"

#include <algorithm>

void CNotesView::SetZoom(int zoom)
{
    CHyperRunView::SetZoom(zoom);
    if (m_zoom == m_inkZoom || m_inkZoom <= 0)
        return;
    const double factor = double(m_zoom) / m_inkZoom;
    ApplyPenRecord(m_currentPen);
    ScaleOverlayInk(factor);
    const CPoint position = GetDeviceScrollPosition();
    MoveOverlayInk(CSize(int(m_inkScroll.x * factor) - position.x, int(m_inkScroll.y * factor) - position.y));
    m_inkZoom = m_zoom;
    m_inkScroll = position;
}

void CNotesView::ScaleOverlayInk(double factor)
{
    InkStrokes strokes = OverlayStrokes();
    strokes.ScaleTransform(factor, factor);
    for (const auto& stroke : strokes.All()) {
        InkDrawingAttributes attributes = stroke->DrawingAttributes();
        attributes.Height = float(attributes.Height * factor);
        attributes.Width = float(attributes.Width * factor);
        stroke->SetDrawingAttributes(attributes);
    }
}

void CNotesView::MoveOverlayInk(CSize pixels)
{
    POINT ink{pixels.cx, pixels.cy};
    m_overlay->Renderer().PixelToInkSpace(nullptr, ink);
    OverlayStrokes().Move(ink.x, ink.y);
}

BOOL CNotesView::OnScrollBy(CSize size, BOOL doScroll)
{
    if (m_inkEnabled && doScroll && (size.cx || size.cy)) {
        const DWORD style = GetStyle();
        const CPoint old(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
        const CPoint now((style & WS_HSCROLL) ? std::clamp(old.x + size.cx, 0, std::max(0, GetScrollLimit(SB_HORZ)))
                                               : old.x,
                         (style & WS_VSCROLL) ? std::clamp(old.y + size.cy, 0, std::max(0, GetScrollLimit(SB_VERT)))
                                               : old.y);
        m_inkScroll = now;
        if (now != old)
            MoveOverlayInk(CSize(old.x - now.x, old.y - now.y));
    }
    return CHyperRunView::OnScrollBy(size, doScroll);
}

// A scroll that ends between steps goes back to the step below, so the page stays on its grid.
void CNotesView::SnapScrollToStep(int bar, UINT code)
{
    if (!IsEditMode() || code != SB_ENDSCROLL)
        return;
    const int step = std::max(1, CHyperRunView::GetGridStepX() * m_zoom / 100);
    const int position = GetScrollPos(bar);
    const int back = position % step;
    if (!back)
        return;
    OnScrollBy(bar == SB_HORZ ? CSize(-back, 0) : CSize(0, -back), TRUE);
}

void CNotesView::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    SnapScrollToStep(SB_HORZ, code);
    CHyperRunView::OnHScroll(code, pos, bar);
}

void CNotesView::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    SnapScrollToStep(SB_VERT, code);
    CHyperRunView::OnVScroll(code, pos, bar);
}
