// The mouse on a sizing bar: the close box hides it, an edge is dragged to size it, the
// client area is dragged to dock or float it and double-clicked to toggle that.
#include "controls/SizingControlBar.h"

#include <algorithm>

namespace {

constexpr int kMinimum = 32;

} // namespace

void CSizingControlBar::OnNcLButtonDown(UINT hitTest, CPoint screen)
{
    if (hitTest == HTCLOSE) {
        if (CFrameWnd* frame = GetDockingFrame())
            frame->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    if (hitTest >= HTLEFT && hitTest <= HTBOTTOMRIGHT) {
        StartTracking(hitTest, screen);
        return;
    }
    Default();
}

void CSizingControlBar::OnLButtonDown(UINT flags, CPoint point)
{
    if (!m_pDockBar || !m_pDockContext) {
        CControlBar::OnLButtonDown(flags, point);
        return;
    }
    ClientToScreen(&point);
    m_pDockContext->StartDrag(point);
}

void CSizingControlBar::OnLButtonDblClk(UINT flags, CPoint point)
{
    if (!m_pDockBar || !m_pDockContext) {
        CControlBar::OnLButtonDblClk(flags, point);
        return;
    }
    m_pDockContext->ToggleDocking();
}

void CSizingControlBar::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_bTracking) {
        CControlBar::OnMouseMove(flags, point);
        return;
    }
    ClientToScreen(&point);
    OnTrackUpdateSize(point);
}

void CSizingControlBar::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_bTracking) {
        CControlBar::OnLButtonUp(flags, point);
        return;
    }
    ClientToScreen(&point);
    OnTrackUpdateSize(point);
    StopTracking();
}

void CSizingControlBar::OnCaptureChanged(CWnd* wnd)
{
    if (m_bTracking && wnd != this)
        StopTracking();
    CControlBar::OnCaptureChanged(wnd);
}

void CSizingControlBar::StartTracking(UINT hitTest, CPoint screen)
{
    m_trackEdge = hitTest;
    m_trackStart = screen;
    m_trackSize = SizeNow();
    m_bTracking = TRUE;
    SetCapture();
}

// The dragged edge moves with the mouse; the size stays between a small minimum and the
// frame's client area.
void CSizingControlBar::OnTrackUpdateSize(CPoint screen)
{
    if (!m_bTracking)
        return;
    const CSize moved = screen - m_trackStart;
    CSize size = m_trackSize;
    switch (m_trackEdge) {
    case HTLEFT: size.cx -= moved.cx; break;
    case HTRIGHT: size.cx += moved.cx; break;
    case HTTOP: size.cy -= moved.cy; break;
    case HTBOTTOM: size.cy += moved.cy; break;
    default: return;
    }
    CRect room(0, 0, 32767, 32767);
    if (CFrameWnd* frame = GetDockingFrame())
        frame->GetClientRect(&room);
    size.cx = std::clamp(static_cast<int>(size.cx), kMinimum, std::max(kMinimum, room.Width()));
    size.cy = std::clamp(static_cast<int>(size.cy), kMinimum, std::max(kMinimum, room.Height()));
    if (size == SizeNow())
        return;
    SizeNow() = size;
    if (CFrameWnd* frame = GetDockingFrame())
        frame->RecalcLayout();
    if (m_pDockBar)
        m_pDockBar->LayoutBars();
}

void CSizingControlBar::StopTracking()
{
    if (!m_bTracking)
        return;
    m_bTracking = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

HCURSOR CSizingControlBar::CursorFor(UINT hitTest) const
{
    if (hitTest == HTLEFT || hitTest == HTRIGHT)
        return ::LoadCursor(nullptr, IDC_SIZEWE);
    if (hitTest == HTTOP || hitTest == HTBOTTOM)
        return ::LoadCursor(nullptr, IDC_SIZENS);
    return nullptr;
}

BOOL CSizingControlBar::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (HCURSOR cursor = m_bTracking ? CursorFor(m_trackEdge) : CursorFor(hitTest)) {
        ::SetCursor(cursor);
        return TRUE;
    }
    return CControlBar::OnSetCursor(wnd, hitTest, message);
}
