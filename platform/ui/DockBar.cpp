#include "platform/ui/DockBar.h"

#include <algorithm>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)
IMPLEMENT_DYNAMIC(CMiniDockFrameWnd, CFrameWnd)

namespace {

struct DockEdge {
    UINT id;
    DWORD align;
};
constexpr DockEdge kDockEdges[] = {
    {AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_TOP},
    {AFX_IDW_DOCKBAR_BOTTOM, CBRS_ALIGN_BOTTOM},
    {AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT},
    {AFX_IDW_DOCKBAR_RIGHT, CBRS_ALIGN_RIGHT},
};

CControlBar* BarAt(const CPtrArray& bars, int index) { return static_cast<CControlBar*>(bars.GetAt(index)); }

bool Shown(const CControlBar* bar) { return bar && (bar->GetStyle() & WS_VISIBLE); }

} // namespace

DWORD DockBarAlignment(UINT dockBarId)
{
    for (const DockEdge& edge : kDockEdges)
        if (edge.id == dockBarId)
            return edge.align;
    return 0;
}

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CDockBar::~CDockBar()
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        if (CControlBar* bar = BarAt(m_arrBars, i))
            bar->m_pDockBar = nullptr;
}

BOOL CDockBar::Create(CWnd* parent, DWORD style, UINT id)
{
    SetBorders(0, 0, 0, 0);
    m_arrBars.Add(nullptr);
    return CreateBar(parent, style | WS_VISIBLE | WS_CLIPCHILDREN, id);
}

void CDockBar::DockControlBar(CControlBar* bar, BOOL rowEnd)
{
    RemoveControlBar(bar);
    if (!rowEnd || m_arrBars.GetSize() <= 1) {
        m_arrBars.Add(bar);
        m_arrBars.Add(nullptr);
    } else {
        m_arrBars.InsertAt(m_arrBars.GetSize() - 1, bar);
    }
    bar->m_pDockBar = this;
    if (bar->GetParent() != this)
        bar->SetParent(this);
}

BOOL CDockBar::RemoveControlBar(CControlBar* bar)
{
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars.GetAt(i) != bar)
            continue;
        m_arrBars.RemoveAt(i);
        // A row left empty goes with its end marker.
        if (i < m_arrBars.GetSize() && !m_arrBars.GetAt(i) && !m_arrBars.GetAt(i - 1))
            m_arrBars.RemoveAt(i);
        bar->m_pDockBar = nullptr;
        return TRUE;
    }
    return FALSE;
}

int CDockBar::GetDockedCount() const
{
    int count = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i)
        count += m_arrBars.GetAt(i) != nullptr;
    return count;
}

// Length along the row and thickness across it of the shown bars from first to end.
CSize CDockBar::RowSize(int first, int end, bool horizontal) const
{
    CSize size(0, 0);
    for (int i = first; i < end; ++i) {
        CControlBar* bar = BarAt(m_arrBars, i);
        if (!Shown(bar))
            continue;
        const CSize own = bar->CalcFixedLayout(FALSE, horizontal);
        size.cx += horizontal ? own.cx : own.cy;
        size.cy = std::max(size.cy, static_cast<LONG>(horizontal ? own.cy : own.cx));
    }
    return size;
}

CSize CDockBar::CalcFixedLayout(BOOL stretch, BOOL)
{
    if (m_bFloating) {
        for (int i = 0; i < m_arrBars.GetSize(); ++i)
            if (CControlBar* bar = BarAt(m_arrBars, i))
                return bar->CalcFixedLayout(FALSE, TRUE);
        return CSize(0, 0);
    }
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    LONG length = 0, thickness = 0;
    for (int first = 1, i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars.GetAt(i))
            continue;
        const CSize row = RowSize(first, i, horz);
        length = std::max(length, row.cx);
        thickness += row.cy;
        first = i + 1;
    }
    if (stretch)
        length = 32767;
    return horz ? CSize(length, thickness) : CSize(thickness, length);
}

void CDockBar::LayoutBars()
{
    CRect client;
    GetClientRect(&client);
    if (m_bFloating) {
        for (int i = 0; i < m_arrBars.GetSize(); ++i)
            if (CControlBar* bar = BarAt(m_arrBars, i))
                bar->MoveWindow(&client);
        return;
    }
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    const int available = horz ? client.Width() : client.Height();
    int across = 0;
    for (int first = 1, i = 1; i < m_arrBars.GetSize(); ++i) {
        if (m_arrBars.GetAt(i))
            continue;
        const int thickness = RowSize(first, i, horz).cy;
        int along = 0, last = -1;
        for (int j = first; j < i; ++j)
            if (Shown(BarAt(m_arrBars, j)))
                last = j;
        for (int j = first; j < i; ++j) {
            CControlBar* bar = BarAt(m_arrBars, j);
            if (!Shown(bar))
                continue;
            const CSize own = bar->CalcFixedLayout(FALSE, horz);
            // The row's last bar takes what is left of the row.
            const int length = j == last ? std::max(available - along, static_cast<int>(horz ? own.cx : own.cy))
                                         : (horz ? own.cx : own.cy);
            const CRect place = horz ? CRect(along, across, along + length, across + thickness)
                                     : CRect(across, along, across + thickness, along + length);
            bar->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
            along += length;
        }
        across += thickness;
        first = i + 1;
    }
}

void CDockBar::OnSize(UINT, int, int) { LayoutBars(); }

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CFrameWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL CMiniDockFrameWnd::Create(CFrameWnd* owner, const CRect& screenRect, LPCTSTR title)
{
    m_pDockSite = owner;
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
    if (!CFrameWnd::Create(nullptr, title, style, screenRect, owner, nullptr, WS_EX_TOOLWINDOW))
        return FALSE;
    return m_wndDockBar.Create(this, 0, AFX_IDW_DOCKBAR_FLOAT);
}

void CMiniDockFrameWnd::RecalcLayout(BOOL)
{
    if (!m_wndDockBar.m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_wndDockBar.MoveWindow(&client);
    m_wndDockBar.LayoutBars();
}

void CMiniDockFrameWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

// Closing hides the bar; the frame goes when the bar docks again.
void CMiniDockFrameWnd::OnClose()
{
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (auto* bar = static_cast<CControlBar*>(m_wndDockBar.m_arrBars.GetAt(i)); bar && m_pDockSite)
            m_pDockSite->ShowControlBar(bar, FALSE, FALSE);
    ShowWindow(SW_HIDE);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT hitTest, CPoint point)
{
    if (hitTest != HTCAPTION) {
        CFrameWnd::OnNcLButtonDblClk(hitTest, point);
        return;
    }
    for (int i = 0; i < m_wndDockBar.m_arrBars.GetSize(); ++i)
        if (auto* bar = static_cast<CControlBar*>(m_wndDockBar.m_arrBars.GetAt(i)); bar && bar->m_pDockContext) {
            bar->m_pDockContext->ToggleDocking();
            return;
        }
}

void CDockContext::StartDrag(CPoint screen)
{
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    m_ptStart = screen;
    m_ptOffset = screen - rect.TopLeft();
    m_bDragging = TRUE;
    m_pBar->SetCapture();
}

BOOL CDockContext::OnDragMessage(UINT message, CPoint screen)
{
    if (!m_bDragging)
        return FALSE;
    if (message == WM_LBUTTONUP)
        EndDrag(screen);
    else if (message == WM_CAPTURECHANGED || message == WM_CANCELMODE || message == WM_RBUTTONDOWN)
        CancelDrag();
    return message == WM_MOUSEMOVE || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN;
}

void CDockContext::CancelDrag()
{
    if (!m_bDragging)
        return;
    m_bDragging = FALSE;
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
}

UINT CDockContext::DockBarAt(CPoint screen) const
{
    CFrameWnd* frame = m_pBar->m_pDockSite;
    if (!frame || !frame->m_hWnd)
        return AFX_IDW_DOCKBAR_FLOAT;
    CRect area;
    frame->GetClientRect(&area);
    frame->ClientToScreen(&area);
    if (!area.PtInRect(screen))
        return AFX_IDW_DOCKBAR_FLOAT;
    const DWORD allowed = m_pBar->m_dwDockStyle & frame->m_dwDockStyle;
    const struct {
        int distance;
        UINT id;
    } edges[] = {{screen.y - area.top, AFX_IDW_DOCKBAR_TOP},
                 {area.bottom - screen.y, AFX_IDW_DOCKBAR_BOTTOM},
                 {screen.x - area.left, AFX_IDW_DOCKBAR_LEFT},
                 {area.right - screen.x, AFX_IDW_DOCKBAR_RIGHT}};
    for (const auto& edge : edges)
        if (edge.distance < kDockMargin && (allowed & DockBarAlignment(edge.id)))
            return edge.id;
    return AFX_IDW_DOCKBAR_FLOAT;
}

void CDockContext::EndDrag(CPoint screen)
{
    CancelDrag();
    CFrameWnd* frame = m_pBar->m_pDockSite;
    const CSize moved = screen - m_ptStart;
    if (!frame || (std::abs(moved.cx) < 4 && std::abs(moved.cy) < 4))
        return;
    const UINT id = DockBarAt(screen);
    if (id == AFX_IDW_DOCKBAR_FLOAT)
        frame->FloatControlBar(m_pBar, screen - m_ptOffset);
    else
        frame->DockControlBar(m_pBar, id);
}

void CDockContext::ToggleDocking()
{
    CFrameWnd* frame = m_pBar->m_pDockSite;
    if (!frame)
        return;
    if (m_pBar->IsFloating())
        frame->DockControlBar(m_pBar, m_uMRUDockID);
    else
        frame->FloatControlBar(m_pBar, m_ptMRUFloatPos);
}

CDockBar* CFrameWnd::GetDockBar(UINT id)
{
    const DWORD align = DockBarAlignment(id);
    if (!align)
        return nullptr;
    if (auto* bar = dynamic_cast<CDockBar*>(GetDlgItem(static_cast<int>(id))))
        return bar;
    auto* bar = new CDockBar;
    bar->m_bAutoDelete = TRUE;
    if (!bar->Create(this, align, id)) {
        delete bar;
        return nullptr;
    }
    return bar;
}

void CFrameWnd::DockControlBar(CControlBar* bar, UINT dockBarId, LPCRECT rect)
{
    if (!bar || !bar->m_hWnd)
        return;
    if (!DockBarAlignment(dockBarId))
        dockBarId = bar->m_pDockContext ? bar->m_pDockContext->m_uMRUDockID : AFX_IDW_DOCKBAR_TOP;
    CDockBar* dock = GetDockBar(dockBarId);
    if (!dock)
        return;
    if (!bar->m_pDockContext)
        bar->m_pDockContext = new CDockContext(bar);
    bar->m_pDockSite = this;
    CMiniDockFrameWnd* floating = bar->IsFloating() ? dynamic_cast<CMiniDockFrameWnd*>(bar->GetParentFrame()) : nullptr;
    if (floating) {
        CRect rect;
        floating->GetWindowRect(&rect);
        bar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
    }
    if (bar->m_pDockBar)
        bar->m_pDockBar->RemoveControlBar(bar);
    bar->m_dwStyle = (bar->m_dwStyle & ~CBRS_ALIGN_ANY) | DockBarAlignment(dockBarId);
    dock->DockControlBar(bar, rect != nullptr);
    bar->m_pDockContext->m_uMRUDockID = dockBarId;
    if (floating)
        floating->DestroyWindow();
    bar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RecalcLayout();
    dock->LayoutBars();
}

void CFrameWnd::FloatControlBar(CControlBar* bar, CPoint screen)
{
    if (!bar || !bar->m_hWnd || bar->IsFloating())
        return;
    if (!bar->m_pDockContext)
        bar->m_pDockContext = new CDockContext(bar);
    CString title;
    bar->GetWindowText(title);
    auto* floating = new CMiniDockFrameWnd;
    if (!floating->Create(this, CRect(screen, CSize(100, 100)), title)) {
        delete floating;
        return;
    }
    if (CDockBar* from = bar->m_pDockBar) {
        bar->m_pDockContext->m_uMRUDockID = static_cast<UINT>(from->GetDlgCtrlID());
        from->RemoveControlBar(bar);
    }
    bar->m_dwStyle &= ~CBRS_ALIGN_ANY;
    floating->GetFloatingDockBar().DockControlBar(bar);
    // Measured before the bar's frame changes: a floating bar takes its window's size.
    const CSize size = bar->CalcFixedLayout(FALSE, TRUE);
    bar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    CRect frameRect(screen, size);
    ::AdjustWindowRectEx(&frameRect, floating->GetStyle(), FALSE, floating->GetExStyle());
    floating->SetWindowPos(nullptr, screen.x, screen.y, frameRect.Width(), frameRect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    floating->RecalcLayout();
    RecalcLayout();
}
