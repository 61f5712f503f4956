#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPDockingPaneManager.h"
#include "platform/toolkit/XTPIconStore.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/ui/FrameWnd.h"

#include <algorithm>

namespace {

// The caption colours follow the pane manager's theme numbers.
int paintThemeOf(int paneTheme)
{
    switch (paneTheme) {
    case 5: return 2;
    case 6: return 3;
    case 1: return 1;
    default: return 0;
    }
}

} // namespace

CXTPPaneGroup::~CXTPPaneGroup()
{
    for (CXTPDockingPane* pane : m_panes)
        ReleaseChild(pane);
    if (CXTPFloatingFrame* mini = m_pMini) {
        m_pMini = nullptr;
        mini->DestroyWindow();
    }
    if (m_hWnd)
        DestroyWindow();
}

void CXTPPaneGroup::ReleaseChild(CXTPDockingPane* pane)
{
    CWnd* child = pane->GetHostedWindow();
    if (!m_hWnd || !child || !child->GetSafeHwnd() || child->GetParent() != this)
        return;
    child->ShowWindow(SW_HIDE);
    child->SetParent(m_pManager->GetSite());
}

BOOL CXTPPaneGroup::CreateGroup(CWnd* parent)
{
    LPCTSTR cls = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    return CWnd::CreateEx(0, cls, nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent->GetSafeHwnd(),
                          nullptr);
}

std::vector<CXTPDockingPane*> CXTPPaneGroup::OpenPanes() const
{
    std::vector<CXTPDockingPane*> open;
    for (CXTPDockingPane* pane : m_panes)
        if (!pane->IsClosed())
            open.push_back(pane);
    return open;
}

void CXTPPaneGroup::RemovePane(CXTPDockingPane* pane)
{
    m_panes.erase(std::remove(m_panes.begin(), m_panes.end(), pane), m_panes.end());
    ReleaseChild(pane);
    if (m_pSelected != pane)
        return;
    std::vector<CXTPDockingPane*> open = OpenPanes();
    SetSelected(open.empty() ? nullptr : open.front());
}

void CXTPPaneGroup::SetSelected(CXTPDockingPane* pane)
{
    m_pSelected = pane;
    Arrange();
}

CRect CXTPPaneGroup::SplitterRect() const
{
    if (!m_hWnd)
        return CRect(0, 0, 0, 0);
    CRect client;
    GetClientRect(&client);
    switch (m_nSide) {
    case 0: return CRect(client.right - kSplitter, client.top, client.right, client.bottom);
    case 1: return CRect(client.left, client.top, client.left + kSplitter, client.bottom);
    case 2: return CRect(client.left, client.bottom - kSplitter, client.right, client.bottom);
    case 3: return CRect(client.left, client.top, client.right, client.top + kSplitter);
    default: return CRect(0, 0, 0, 0);
    }
}

CRect CXTPPaneGroup::GetContentRect() const
{
    CRect client(0, 0, 0, 0);
    if (m_hWnd)
        GetClientRect(&client);
    CRect split = SplitterRect();
    if (m_nSide == 0)
        client.right -= split.Width();
    else if (m_nSide == 1)
        client.left += split.Width();
    else if (m_nSide == 2)
        client.bottom -= split.Height();
    else if (m_nSide == 3)
        client.top += split.Height();
    if (m_nSide != 4)
        client.top += kCaptionHeight;
    if (OpenPanes().size() > 1)
        client.bottom -= kTabHeight;
    if (client.bottom < client.top)
        client.bottom = client.top;
    return client;
}

int CXTPPaneGroup::WholeTabWidth(const CXTPDockingPane* pane) const
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CFont* old = dc.SelectObject(XTPPaintManager()->GetFont());
    const int text = dc.GetTextExtent(pane->GetShortTitle()).cx;
    dc.SelectObject(old);
    const int icon = m_pManager->GetIconStore()->HasIcon(pane->GetID()) ? kTabIcon + kTabPadding : 0;
    return kTabPadding + icon + text + kTabPadding;
}

std::vector<int> CXTPPaneGroup::TabWidths() const
{
    std::vector<int> widths;
    for (const CXTPDockingPane* pane : OpenPanes())
        widths.push_back(WholeTabWidth(pane));
    int total = 0;
    for (int width : widths)
        total += width;
    if (total <= GetContentRect().Width())
        return widths;
    const std::vector<CXTPDockingPane*> open = OpenPanes();
    for (size_t i = 0; i < open.size(); ++i)
        if (open[i] != m_pSelected && m_pManager->GetIconStore()->HasIcon(open[i]->GetID()))
            widths[i] = kTabPadding + kTabIcon + kTabPadding;
    return widths;
}

CRect CXTPPaneGroup::GetTabRect(int index) const
{
    const std::vector<int> widths = TabWidths();
    const int count = static_cast<int>(widths.size());
    if (count < 2 || index < 0 || index >= count)
        return CRect(0, 0, 0, 0);
    const CRect content = GetContentRect();
    int left = content.left;
    for (int i = 0; i < index; ++i)
        left += widths[static_cast<size_t>(i)];
    return CRect(left, content.bottom, left + widths[static_cast<size_t>(index)], content.bottom + kTabHeight);
}

BOOL CXTPPaneGroup::TabShowsCaption(int index) const
{
    const std::vector<CXTPDockingPane*> open = OpenPanes();
    return index >= 0 && index < static_cast<int>(open.size()) &&
           GetTabRect(index).Width() >= WholeTabWidth(open[static_cast<size_t>(index)]);
}

CRect CXTPPaneGroup::GetCloseRect() const
{
    if (m_nSide == 4)
        return CRect(0, 0, 0, 0);
    CRect content = GetContentRect();
    return CRect(content.right - kCaptionHeight, content.top - kCaptionHeight, content.right, content.top);
}

int CXTPPaneGroup::HitTestTab(CPoint point) const
{
    for (int i = 0; i < static_cast<int>(OpenPanes().size()); ++i)
        if (GetTabRect(i).PtInRect(point))
            return i;
    return -1;
}

void CXTPPaneGroup::Arrange()
{
    if (!m_hWnd)
        return;
    CRect content = GetContentRect();
    for (CXTPDockingPane* pane : m_panes) {
        CWnd* child = pane->GetHostedWindow();
        if (!child || !child->GetSafeHwnd())
            continue;
        BOOL shown = pane == m_pSelected && !pane->IsClosed();
        if (shown) {
            if (child->GetParent() != this)
                child->SetParent(this);
            child->SetWindowPos(nullptr, content.left, content.top, content.Width(), content.Height(),
                                SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        } else if (child->GetParent() == this) {
            child->ShowWindow(SW_HIDE);
        }
    }
    Invalidate(FALSE);
}

CString CXTPPaneGroup::GetFloatingTitle() const { return m_pSelected ? m_pSelected->GetTitle() : CString(); }

void CXTPPaneGroup::OnFloatingClose()
{
    for (CXTPDockingPane* pane : OpenPanes())
        m_pManager->ClosePane(pane);
}

BOOL CXTPPaneGroup::OnFloatingDropped(CPoint screenPt)
{
    m_pManager->OnGroupDropped(this, screenPt);
    return m_pMini == nullptr;
}

void CXTPPaneGroup::OnFloatingResized()
{
    if (!m_pMini)
        return;
    CRect content = m_pMini->GetContentRect();
    SetWindowPos(nullptr, content.left, content.top, content.Width(), content.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_pMini->GetWindowRect(&m_rcFloating);
    Arrange();
}

void CXTPPaneGroup::OnFloatingDoubleClick() { m_pManager->DockGroup(this, m_nLastSide); }

void CXTPPaneGroup::OnPaint()
{
    CPaintDC dc(this);
    CXTPPaintManager* paint = XTPPaintManager();
    const XTPThemeColors& colors = CXTPPaintManager::ThemeColors(paintThemeOf(m_pManager->GetCurrentTheme()));
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, colors.barFace);
    CRect content = GetContentRect();
    CFont* old = dc.SelectObject(paint->GetFont());
    dc.SetBkMode(TRANSPARENT);
    if (m_nSide != 4) {
        CRect caption(content.left, content.top - kCaptionHeight, content.right, content.top);
        dc.FillSolidRect(&caption, colors.paneCaption);
        dc.SetTextColor(colors.paneCaptionText);
        CRect text = caption;
        text.DeflateRect(4, 0, kCaptionHeight, 0);
        dc.DrawText(GetFloatingTitle(), &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        CRect close = GetCloseRect();
        close.DeflateRect(5, 5);
        for (int i = 0; i < close.Width(); ++i) {
            dc.SetPixel(close.left + i, close.top + i, colors.paneCaptionText);
            dc.SetPixel(close.right - 1 - i, close.top + i, colors.paneCaptionText);
        }
    }
    std::vector<CXTPDockingPane*> open = OpenPanes();
    for (int i = 0; open.size() > 1 && i < static_cast<int>(open.size()); ++i) {
        CRect tab = GetTabRect(i);
        BOOL selected = open[static_cast<size_t>(i)] == m_pSelected;
        dc.FillSolidRect(&tab, selected ? colors.popupFace : colors.barFace);
        dc.Draw3dRect(&tab, colors.barBorder, colors.barBorder);
        dc.SetTextColor(colors.text);
        CXTPIconStore* icons = m_pManager->GetIconStore();
        UINT id = open[static_cast<size_t>(i)]->GetID();
        tab.left += kTabPadding;
        if (icons->HasIcon(id)) {
            icons->DrawIcon(&dc, id, CPoint(tab.left, tab.top + (tab.Height() - kTabIcon) / 2));
            tab.left += kTabIcon + kTabPadding;
        }
        if (TabShowsCaption(i))
            dc.DrawText(open[static_cast<size_t>(i)]->GetShortTitle(), &tab, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    dc.SelectObject(old);
}

void CXTPPaneGroup::OnSize(UINT, int, int) { Arrange(); }

void CXTPPaneGroup::OnLButtonDown(UINT, CPoint point)
{
    int tab = HitTestTab(point);
    if (tab >= 0) {
        m_pManager->ShowPane(OpenPanes()[static_cast<size_t>(tab)]);
        m_drag = Drag::Tab;
        m_dragStart = point;
        ClientToScreen(&m_dragStart);
        SetCapture();
        return;
    }
    if (GetCloseRect().PtInRect(point)) {
        if (m_pSelected)
            m_pManager->ClosePane(m_pSelected);
        return;
    }
    CRect content = GetContentRect();
    m_drag = SplitterRect().PtInRect(point)                                          ? Drag::Splitter
             : (m_nSide != 4 && point.y < content.top && point.y >= content.top - kCaptionHeight) ? Drag::Caption
                                                                                      : Drag::None;
    if (m_drag == Drag::None)
        return;
    m_dragStart = point;
    ClientToScreen(&m_dragStart);
    m_startSize = m_nSize;
    SetCapture();
}

void CXTPPaneGroup::OnMouseMove(UINT, CPoint point)
{
    if (m_drag != Drag::Splitter)
        return;
    ClientToScreen(&point);
    int delta = (m_nSide == 0 || m_nSide == 1) ? point.x - m_dragStart.x : point.y - m_dragStart.y;
    if (m_nSide == 1 || m_nSide == 3)
        delta = -delta;
    m_nSize = std::max(kCaptionHeight * 2, m_startSize + delta);
    m_pManager->RecalcLayout();
}

void CXTPPaneGroup::OnLButtonUp(UINT, CPoint point)
{
    Drag drag = m_drag;
    m_drag = Drag::None;
    if (drag == Drag::None)
        return;
    ReleaseCapture();
    CRect window;
    GetWindowRect(&window);
    ClientToScreen(&point);
    if (drag == Drag::Tab && m_pSelected && !window.PtInRect(point))
        m_pManager->OnTabDropped(m_pSelected, point);
    else if (drag == Drag::Caption && point != m_dragStart)
        m_pManager->OnGroupDropped(this, point);
}

BEGIN_MESSAGE_MAP(CXTPPaneGroup, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()
