#include "platform/toolkit/XTPFloatingFrame.h"

#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPPaintManager.h"

#include <algorithm>
#include <cstdlib>

BOOL CXTPFloatingFrame::CreateMini(CWnd* owner, const CRect& screenRect)
{
    LPCTSTR cls = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::CreateEx(WS_EX_TOOLWINDOW, cls, m_pContent->GetFloatingTitle(), WS_POPUP | WS_BORDER | WS_CLIPCHILDREN,
                          screenRect.left, screenRect.top, screenRect.Width(), screenRect.Height(),
                          owner ? owner->GetSafeHwnd() : nullptr, nullptr);
}

CRect CXTPFloatingFrame::GetContentRect() const
{
    CRect client;
    GetClientRect(&client);
    client.DeflateRect(kBorder, 0, kBorder, kBorder);
    client.top = std::min(client.bottom, client.top + kTitleHeight);
    return client;
}

CXTPFloatingFrame::Drag CXTPFloatingFrame::SizingAt(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    BOOL right = point.x >= client.right - kBorder, bottom = point.y >= client.bottom - kBorder;
    return right && bottom ? Drag::Both : right ? Drag::Width : bottom ? Drag::Height : Drag::None;
}

CRect CXTPFloatingFrame::GetCloseRect() const
{
    CRect client;
    GetClientRect(&client);
    return CRect(client.right - kTitleHeight, client.top, client.right, client.top + kTitleHeight);
}

void CXTPFloatingFrame::FitContent(CSize size)
{
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    int extraX = window.Width() - client.Width(), extraY = window.Height() - client.Height();
    SetWindowPos(nullptr, 0, 0, size.cx + extraX + 2 * kBorder, size.cy + kTitleHeight + extraY + kBorder,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CXTPFloatingFrame::OnPaint()
{
    CPaintDC dc(this);
    const XTPThemeColors& colors = XTPPaintManager()->Colors();
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colors.barFace);
    dc.Draw3dRect(&client, colors.barBorder, colors.barBorder);
    CRect title(client.left, client.top, client.right, client.top + kTitleHeight);
    dc.FillSolidRect(&title, colors.paneCaption);
    dc.SetTextColor(colors.paneCaptionText);
    dc.SetBkMode(TRANSPARENT);
    CFont* old = dc.SelectObject(XTPPaintManager()->GetFont());
    CRect text = title;
    text.DeflateRect(4, 0, kTitleHeight, 0);
    dc.DrawText(m_pContent->GetFloatingTitle(), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    CRect close = GetCloseRect();
    close.DeflateRect(4, 4);
    for (int i = 0; i < close.Width(); ++i) {
        dc.SetPixel(close.left + i, close.top + i, colors.paneCaptionText);
        dc.SetPixel(close.right - 1 - i, close.top + i, colors.paneCaptionText);
    }
    dc.SelectObject(old);
}

void CXTPFloatingFrame::OnDestroy()
{
    m_pContent->OnFloatingFrameDestroyed();
    CWnd::OnDestroy();
}

void CXTPFloatingFrame::OnLButtonDown(UINT, CPoint point)
{
    if (point.y < kTitleHeight && GetCloseRect().PtInRect(point)) {
        m_pContent->OnFloatingClose();
        return;
    }
    m_drag = point.y < kTitleHeight ? Drag::Move : SizingAt(point);
    if (m_drag == Drag::None)
        return;
    m_dragStart = point;
    ClientToScreen(&m_dragStart);
    GetWindowRect(&m_startRect);
    SetCapture();
}

void CXTPFloatingFrame::OnMouseMove(UINT, CPoint point)
{
    if (m_drag == Drag::None)
        return;
    ClientToScreen(&point);
    int dx = point.x - m_dragStart.x, dy = point.y - m_dragStart.y;
    if (m_drag == Drag::Move) {
        SetWindowPos(nullptr, m_startRect.left + dx, m_startRect.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    int width = m_startRect.Width() + (m_drag == Drag::Height ? 0 : dx);
    int height = m_startRect.Height() + (m_drag == Drag::Width ? 0 : dy);
    SetWindowPos(nullptr, 0, 0, std::max(width, 40), std::max(height, kTitleHeight + 2 * kBorder + 10),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_pContent->OnFloatingResized();
}

void CXTPFloatingFrame::OnLButtonUp(UINT, CPoint point)
{
    Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag == Drag::None)
        return;
    ReleaseCapture();
    ClientToScreen(&point);
    if (drag == Drag::Move)
        m_pContent->OnFloatingDropped(point);
}

void CXTPFloatingFrame::OnLButtonDblClk(UINT, CPoint point)
{
    if (point.y < kTitleHeight && !GetCloseRect().PtInRect(point))
        m_pContent->OnFloatingDoubleClick();
}

void CXTPFloatingFrame::OnGetMinMaxInfo(MINMAXINFO* info)
{
    info->ptMinTrackSize = {2 * kBorder + 20, kTitleHeight + kBorder + 8};
}

BEGIN_MESSAGE_MAP(CXTPFloatingFrame, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

BarDockPosition DockSideAtPoint(const CRect& dockArea, CPoint screenPt, int margin)
{
    if (!dockArea.PtInRect(screenPt))
        return BarFloating;
    struct Edge {
        int distance;
        BarDockPosition side;
    };
    const Edge edges[] = {{screenPt.y - dockArea.top, BarTop},
                          {dockArea.bottom - 1 - screenPt.y, BarBottom},
                          {screenPt.x - dockArea.left, BarLeft},
                          {dockArea.right - 1 - screenPt.x, BarRight}};
    const Edge* nearest = std::min_element(std::begin(edges), std::end(edges),
                                           [](const Edge& a, const Edge& b) { return a.distance < b.distance; });
    return nearest->distance < margin ? nearest->side : BarFloating;
}
