// The bar's states, sizes and non-client layout: gripper strip, sizing edges, close box.
#include "controls/SizingControlBar.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CSizingControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CSizingControlBar, CControlBar)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_SETCURSOR()
    ON_WM_NCPAINT()
    ON_WM_PAINT()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

std::vector<CSizingControlBar*>& Bars()
{
    static std::vector<CSizingControlBar*> bars;
    return bars;
}

bool Horizontal(UINT id) { return id == AFX_IDW_DOCKBAR_TOP || id == AFX_IDW_DOCKBAR_BOTTOM; }
bool Vertical(UINT id) { return id == AFX_IDW_DOCKBAR_LEFT || id == AFX_IDW_DOCKBAR_RIGHT; }

// The side of a bar that faces the frame's client area.
struct OuterEdge {
    UINT dockBar;
    DWORD edge;
};
constexpr OuterEdge kOuterEdges[] = {
    {AFX_IDW_DOCKBAR_TOP, CSizingControlBar::EdgeBottom},
    {AFX_IDW_DOCKBAR_LEFT, CSizingControlBar::EdgeRight},
    {AFX_IDW_DOCKBAR_RIGHT, CSizingControlBar::EdgeLeft},
    {AFX_IDW_DOCKBAR_BOTTOM, CSizingControlBar::EdgeTop},
};

bool IsSizingBar(void* bar)
{
    return bar && std::find(Bars().begin(), Bars().end(), static_cast<CSizingControlBar*>(bar)) != Bars().end() &&
           (static_cast<CSizingControlBar*>(bar)->GetStyle() & WS_VISIBLE);
}

} // namespace

CSizingControlBar::CSizingControlBar() { m_cxLeftBorder = m_cxRightBorder = m_cyTopBorder = m_cyBottomBorder = 0; }

CSizingControlBar::~CSizingControlBar() { std::erase(Bars(), this); }

const std::vector<CSizingControlBar*>& CSizingControlBar::AllBars() { return Bars(); }

BOOL CSizingControlBar::Create(LPCTSTR title, CFrameWnd* parent, CSize size, UINT id, DWORD style, BOOL drawEdges)
{
    m_szHorz = m_szVert = m_szFloat = size;
    m_bDrawEdges = drawEdges;
    if (!CreateBar(parent, style, id))
        return FALSE;
    SetWindowText(title);
    return TRUE;
}

// Double clicks toggle docking.
BOOL CSizingControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    return TRUE;
}

int CSizingControlBar::OnCreate(LPCREATESTRUCT cs)
{
    if (CControlBar::OnCreate(cs) == -1)
        return -1;
    Bars().push_back(this);
    return 0;
}

void CSizingControlBar::OnDestroy()
{
    std::erase(Bars(), this);
    CControlBar::OnDestroy();
}

UINT CSizingControlBar::DockBarIdNow() const
{
    CWnd* parent = GetParent();
    return parent && m_pDockBar == parent ? static_cast<UINT>(parent->GetDlgCtrlID()) : 0;
}

BOOL CSizingControlBar::IsHorzDocked() const { return Horizontal(DockBarIdNow()); }
BOOL CSizingControlBar::IsVertDocked() const { return Vertical(DockBarIdNow()); }

CSize CSizingControlBar::GetSize(UINT dockBarId) const
{
    return Horizontal(dockBarId) ? m_szHorz : Vertical(dockBarId) ? m_szVert : m_szFloat;
}

void CSizingControlBar::SetSize(UINT dockBarId, CSize size)
{
    (Horizontal(dockBarId) ? m_szHorz : Vertical(dockBarId) ? m_szVert : m_szFloat) = size;
}

CSize& CSizingControlBar::SizeNow()
{
    const UINT id = DockBarIdNow();
    return Horizontal(id) ? m_szHorz : Vertical(id) ? m_szVert : m_szFloat;
}

CSize CSizingControlBar::CalcFixedLayout(BOOL stretch, BOOL horizontal)
{
    if (IsFloating())
        return m_szFloat;
    const UINT id = DockBarIdNow();
    const bool horz = id ? Horizontal(id) : horizontal != FALSE;
    if (horz)
        return CSize(stretch ? 32767 : m_szHorz.cx, m_szHorz.cy);
    return CSize(m_szVert.cx, stretch ? 32767 : m_szVert.cy);
}

void CSizingControlBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    UpdateDialogControls(target, disableIfNoHandler);
}

// Bars beside this one in its dock row share the edges between them.
DWORD CSizingControlBar::NeighbourEdges() const
{
    if (!m_pDockBar || m_pDockBar->m_bFloating)
        return 0;
    const CPtrArray& bars = m_pDockBar->m_arrBars;
    for (int i = 1; i + 1 < bars.GetSize(); ++i) {
        if (bars.GetAt(i) != this)
            continue;
        DWORD edges = 0;
        if (IsSizingBar(bars.GetAt(i - 1)))
            edges |= IsHorzDocked() ? EdgeLeft : EdgeTop;
        if (IsSizingBar(bars.GetAt(i + 1)))
            edges |= IsHorzDocked() ? EdgeRight : EdgeBottom;
        return edges;
    }
    return 0;
}

void CSizingControlBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params)
{
    m_nDockBarID = DockBarIdNow();
    m_dwEdges = 0;
    m_rectClose.SetRectEmpty();
    if (!Horizontal(m_nDockBarID) && !Vertical(m_nDockBarID))
        return;
    const CRect window = params->rgrc[0];
    CRect client = window;
    client.DeflateRect(kFrame, kFrame);
    for (const OuterEdge& outer : kOuterEdges)
        if (outer.dockBar == m_nDockBarID)
            m_dwEdges = outer.edge;
    m_dwEdges |= NeighbourEdges();
    if (IsHorzDocked())
        client.left += m_cyGripper;
    else
        client.top += m_cyGripper;
    if (m_bDrawEdges)
        client.DeflateRect(m_dwEdges & EdgeLeft ? m_cxEdge : 0, m_dwEdges & EdgeTop ? m_cxEdge : 0,
                           m_dwEdges & EdgeRight ? m_cxEdge : 0, m_dwEdges & EdgeBottom ? m_cxEdge : 0);
    client.right = std::max(client.left, client.right);
    client.bottom = std::max(client.top, client.bottom);
    const CRect inWindow = client - window.TopLeft();
    const CPoint corner = IsHorzDocked() ? CPoint(inWindow.left - m_cyGripper - 1, inWindow.top - 1)
                                         : CPoint(inWindow.right - kCloseBox, inWindow.top - m_cyGripper - 1);
    m_rectClose = CRect(corner, CSize(kCloseBox, kCloseBox));
    params->rgrc[0] = client;
}

CRect CSizingControlBar::GetEdgeRect(Edge edge) const
{
    if (!(m_dwEdges & edge) || !m_hWnd)
        return CRect(0, 0, 0, 0);
    CRect window;
    GetWindowRect(&window);
    CRect r(0, 0, window.Width(), window.Height());
    if (m_bDrawEdges)
        r.DeflateRect(1, 1);
    const int e = m_cxEdge;
    const bool horz = IsHorzDocked() != FALSE;
    switch (edge) {
    case EdgeLeft: return CRect(r.left, r.top + (horz ? e : 0), r.left + e, r.bottom - (horz ? e : 0));
    case EdgeRight: return CRect(r.right - e, r.top + (horz ? e : 0), r.right, r.bottom - (horz ? e : 0));
    case EdgeTop: return CRect(r.left + (horz ? 0 : e), r.top, r.right - (horz ? 0 : e), r.top + e);
    case EdgeBottom: return CRect(r.left + (horz ? 0 : e), r.bottom - e, r.right - (horz ? 0 : e), r.bottom);
    default: return CRect(0, 0, 0, 0);
    }
}

LRESULT CSizingControlBar::OnNcHitTest(CPoint screen)
{
    if (!IsHorzDocked() && !IsVertDocked())
        return Default();
    CRect window;
    GetWindowRect(&window);
    const CPoint at(screen.x - window.left, screen.y - window.top);
    const struct {
        Edge edge;
        LRESULT hit;
    } order[] = {{EdgeLeft, HTLEFT}, {EdgeTop, HTTOP}, {EdgeRight, HTRIGHT}, {EdgeBottom, HTBOTTOM}};
    for (const auto& side : order)
        if (GetEdgeRect(side.edge).PtInRect(at))
            return side.hit;
    return m_rectClose.PtInRect(at) ? HTCLOSE : HTCLIENT;
}

void CSizingControlBar::OnWindowPosChanging(WINDOWPOS* pos)
{
    pos->flags |= SWP_FRAMECHANGED;
    m_nDockBarID = DockBarIdNow();
    if (m_nDockBarID && (pos->flags & SWP_SHOWWINDOW))
        m_bPendingLayout = TRUE;
}

void CSizingControlBar::OnSize(UINT type, int cx, int cy)
{
    CControlBar::OnSize(type, cx, cy);
    if (IsFloating()) {
        CRect window;
        GetWindowRect(&window);
        m_szFloat = window.Size();
    }
    if (m_bPendingLayout && m_pDockSite) {
        m_bPendingLayout = FALSE;
        m_pDockSite->DelayRecalcLayout();
    }
}
