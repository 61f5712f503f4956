#include "platform/toolkit/XTPTabClientWnd.h"

#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPMDIFrameWnd.h"
#include "platform/toolkit/XTPMessages.h"
#include "platform/toolkit/XTPPaintManager.h"

#include <algorithm>

CXTPTabClientWnd::~CXTPTabClientWnd() { Detach(); }

BOOL CXTPTabClientWnd::Attach(CXTPMDIFrameWnd* frame, BOOL)
{
    if (!frame || !frame->m_hWndMDIClient || m_hWnd)
        return FALSE;
    if (!SubclassWindow(frame->m_hWndMDIClient))
        return FALSE;
    m_pFrame = frame;
    frame->SetTabClient(this);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SyncTabs();
    return TRUE;
}

void CXTPTabClientWnd::Detach()
{
    if (m_pFrame && m_pFrame->GetTabClient() == this)
        m_pFrame->SetTabClient(nullptr);
    m_pFrame = nullptr;
    if (m_hWnd)
        UnsubclassWindow();
    m_items.clear();
}

void CXTPTabClientWnd::SetTabPosition(TabRowPosition position)
{
    m_position = position == TabPositionBottom ? TabPositionBottom : TabPositionTop;
    Refresh();
}

void CXTPTabClientWnd::Refresh()
{
    if (!m_hWnd)
        return;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SyncTabs();
    OnNcPaint();
}

void CXTPTabClientWnd::ShowWorkspace(BOOL show)
{
    if (m_hWnd)
        ShowWindow(show ? SW_SHOWNA : SW_HIDE);
}

void CXTPTabClientWnd::SyncTabs()
{
    if (!m_hWnd)
        return;
    std::vector<Item> items;
    for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetNextWindow()) {
        CString title;
        child->GetWindowText(title);
        items.push_back(Item{child->GetSafeHwnd(), title});
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.frame < b.frame; });
    HWND active = reinterpret_cast<HWND>(SendMessage(WM_MDIGETACTIVE, 0, 0));
    if (items == m_items && active == m_hActive)
        return;
    m_items = std::move(items);
    m_hActive = active;
    OnNcPaint();
}

HWND CXTPTabClientWnd::GetItemFrame(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<size_t>(index)].frame : nullptr;
}

CString CXTPTabClientWnd::GetItemCaption(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_items[static_cast<size_t>(index)].caption : CString();
}

CRect CXTPTabClientWnd::GetRowRect() const { return m_rowRect; }

CRect CXTPTabClientWnd::GetCloseRect() const
{
    CRect row = GetRowRect();
    return CRect(row.right - kRowHeight, row.top, row.right, row.bottom);
}

CRect CXTPTabClientWnd::GetItemRect(int index) const
{
    if (index < 0 || index >= GetItemCount())
        return CRect(0, 0, 0, 0);
    CClientDC screen(nullptr);
    CFont* old = screen.SelectObject(XTPPaintManager()->GetFont());
    int x = 2;
    CRect rect(0, 0, 0, 0);
    for (int i = 0; i <= index; ++i) {
        int width = std::clamp(static_cast<int>(screen.GetTextExtent(GetItemCaption(i)).cx) + 16, 40, 200);
        rect = CRect(x, GetRowRect().top + 2, x + width, GetRowRect().bottom - 1);
        x += width + 1;
    }
    screen.SelectObject(old);
    return rect;
}

BOOL CXTPTabClientWnd::InRow(CPoint screenPt) const
{
    CRect window;
    GetWindowRect(&window);
    CRect row = GetRowRect() + window.TopLeft();
    return row.PtInRect(screenPt);
}

HWND CXTPTabClientWnd::HitTest(CPoint screenPt) const
{
    CRect window;
    GetWindowRect(&window);
    CPoint at(screenPt.x - window.left, screenPt.y - window.top);
    for (int i = 0; i < GetItemCount(); ++i)
        if (GetItemRect(i).PtInRect(at))
            return GetItemFrame(i);
    return nullptr;
}

void CXTPTabClientWnd::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    RECT* r = calcValidRects ? &params->rgrc[0] : reinterpret_cast<RECT*>(params);
    CPoint window(r->left, r->top);
    Default();
    int height = std::min(kRowHeight, static_cast<int>(r->bottom - r->top));
    if (m_position == TabPositionBottom) {
        r->bottom -= height;
        m_rowRect = CRect(r->left, r->bottom, r->right, r->bottom + height);
    } else {
        m_rowRect = CRect(r->left, r->top, r->right, r->top + height);
        r->top += height;
    }
    m_rowRect.OffsetRect(-window.x, -window.y);
}

void CXTPTabClientWnd::DrawRow(CDC* dc)
{
    const XTPThemeColors& colors = XTPPaintManager()->Colors();
    CRect row = GetRowRect();
    dc->FillSolidRect(&row, colors.barFace);
    CFont* old = dc->SelectObject(XTPPaintManager()->GetFont());
    dc->SetBkMode(TRANSPARENT);
    for (int i = 0; i < GetItemCount(); ++i) {
        CRect tab = GetItemRect(i);
        BOOL active = GetItemFrame(i) == m_hActive;
        dc->FillSolidRect(&tab, active ? colors.popupFace : colors.barFace);
        dc->Draw3dRect(&tab, colors.barBorder, colors.barBorder);
        dc->SetTextColor(colors.text);
        dc->DrawText(GetItemCaption(i), &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (m_hActive) {
        CRect close = GetCloseRect();
        close.DeflateRect(7, 7);
        for (int i = 0; i < close.Width(); ++i) {
            dc->SetPixel(close.left + i, close.top + i, colors.text);
            dc->SetPixel(close.right - 1 - i, close.top + i, colors.text);
        }
    }
    dc->SelectObject(old);
}

void CXTPTabClientWnd::OnNcPaint()
{
    if (!m_hWnd)
        return;
    Default();
    CWindowDC dc(this);
    DrawRow(&dc);
}

LRESULT CXTPTabClientWnd::OnNcHitTest(CPoint point)
{
    return InRow(point) ? HTBORDER : static_cast<LRESULT>(Default());
}

void CXTPTabClientWnd::OnNcLButtonDown(UINT hitTest, CPoint point)
{
    if (!InRow(point)) {
        CWnd::OnNcLButtonDown(hitTest, point);
        return;
    }
    CRect window;
    GetWindowRect(&window);
    if (m_hActive && GetCloseRect().PtInRect(CPoint(point.x - window.left, point.y - window.top))) {
        ::PostMessage(m_hActive, WM_CLOSE, 0, 0);
        return;
    }
    if (HWND frame = HitTest(point)) {
        SendMessage(WM_MDIACTIVATE, reinterpret_cast<WPARAM>(frame), 0);
        SyncTabs();
        return;
    }
    ForwardMouse(WM_LBUTTONDOWN, point);
}

void CXTPTabClientWnd::ForwardMouse(UINT message, CPoint screenPt)
{
    if (m_pFrame && m_pFrame->GetSafeHwnd())
        m_pFrame->SendMessage(WM_XTP_TABCLIENTMOUSE, message, reinterpret_cast<LPARAM>(&screenPt));
}

LRESULT CXTPTabClientWnd::OnNcRButton(WPARAM, LPARAM point)
{
    CPoint screenPt(GET_X_LPARAM(point), GET_Y_LPARAM(point));
    const MSG* msg = GetCurrentMessage();
    ForwardMouse(msg && msg->message == WM_NCRBUTTONDOWN ? WM_RBUTTONDOWN : WM_RBUTTONUP, screenPt);
    return 0;
}

LRESULT CXTPTabClientWnd::OnChildChange(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Default();
    SyncTabs();
    (void)wParam;
    (void)lParam;
    return result;
}

BEGIN_MESSAGE_MAP(CXTPTabClientWnd, CWnd)
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDOWN()
    ON_MESSAGE(WM_NCRBUTTONDOWN, OnNcRButton)
    ON_MESSAGE(WM_NCRBUTTONUP, OnNcRButton)
    ON_MESSAGE(WM_MDIACTIVATE, OnChildChange)
    ON_MESSAGE(WM_MDIDESTROY, OnChildChange)
END_MESSAGE_MAP()
