#include "platform/toolkit/XTPToolBar.h"

#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPDockRows.h"
#include "platform/toolkit/XTPPopupBar.h"
#include "platform/ui/ControlBar.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Resources.h"

IMPLEMENT_DYNCREATE(CXTPToolBar, CXTPCommandBar)
IMPLEMENT_DYNCREATE(CXTPMenuBar, CXTPToolBar)

BOOL CXTPToolBar::CreateToolBar(DWORD style, CWnd* parent, UINT id)
{
    // The bar-style bits (alignment, borders, gripper) are the bar's, not the window's.
    if (!CreateBarWindow(parent, (style & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0)))
        return FALSE;
    SetDlgCtrlID(static_cast<int>(id));
    return TRUE;
}

void CXTPToolBar::SetVisible(BOOL visible)
{
    CXTPCommandBar::SetVisible(visible);
    if (m_pFloatingFrame)
        m_pFloatingFrame->ShowWindow(visible ? SW_SHOWNA : SW_HIDE);
    if (m_pCommandBars)
        m_pCommandBars->RecalcLayout();
}

int CXTPToolBar::GripperSize() const { return m_barPosition == BarFloating ? 0 : 6; }

CSize CXTPToolBar::GetFloatingSize()
{
    int width = m_rcFloating.Width() > 0 ? m_rcFloating.Width() : 32767;
    return CalcDockingLayout(width, LM_HORZ);
}

void CXTPToolBar::OnGripperDrag(CPoint)
{
    m_bDragging = TRUE;
    SetCapture();
}

void CXTPToolBar::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_bDragging)
        CXTPCommandBar::OnMouseMove(flags, point);
}

void CXTPToolBar::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_bDragging) {
        CXTPCommandBar::OnLButtonUp(flags, point);
        return;
    }
    m_bDragging = FALSE;
    ReleaseCapture();
    ClientToScreen(&point);
    DropAt(point);
}

BarDockPosition CXTPToolBar::SideAt(CPoint screenPt) const
{
    CFrameWnd* site = m_pCommandBars ? m_pCommandBars->GetSite() : nullptr;
    if (!site)
        return BarNone;
    CRect area;
    site->GetClientRect(&area);
    site->ClientToScreen(&area);
    BarDockPosition side = DockSideAtPoint(area, screenPt);
    return CanDockTo(side) ? side : BarFloating;
}

BOOL CXTPToolBar::DropAt(CPoint screenPt)
{
    BarDockPosition side = SideAt(screenPt);
    if (side == BarNone)
        return FALSE;
    CFrameWnd* site = m_pCommandBars->GetSite();
    if (side == BarFloating) {
        m_pCommandBars->FloatToolBar(this, screenPt);
        return FALSE;
    }
    CPoint client = screenPt;
    site->ScreenToClient(&client);
    CXTPDockRows* dock = m_pCommandBars->GetDockBar(side);
    BOOL horizontal = dock->IsHorizontal();
    int row = dock->RowAt(horizontal ? client.y : client.x);
    CRect edge = dock->GetRect();
    m_pCommandBars->DockToolBar(this, side, row, horizontal ? client.x - edge.left : client.y - edge.top);
    return TRUE;
}

BOOL CXTPToolBar::OnFloatingDropped(CPoint screenPt)
{
    BarDockPosition side = SideAt(screenPt);
    return side != BarFloating && side != BarNone && DropAt(screenPt);
}

void CXTPToolBar::ReplaceWith(UINT otherId, BOOL show)
{
    CXTPToolBar* other = m_pCommandBars ? m_pCommandBars->GetToolBar(otherId) : nullptr;
    if (!other || other == this)
        return;
    if (m_barPosition == BarFloating)
        m_pCommandBars->FloatToolBar(other, m_rcFloating.TopLeft());
    else
        m_pCommandBars->DockToolBar(other, m_barPosition, m_nRow, m_nOffset);
    SetVisible(FALSE);
    other->SetVisible(show);
}

void CXTPToolBar::OnFloatingDoubleClick()
{
    if (m_pCommandBars)
        m_pCommandBars->DockToolBar(this, m_lastDockPosition, m_nLastRow, m_nLastOffset);
}

void CXTPToolBar::OnFloatingResized()
{
    if (!m_pFloatingFrame)
        return;
    CRect content = m_pFloatingFrame->GetContentRect();
    m_rcFloating = CRect(0, 0, content.Width(), 0);
    CSize wrapped = CalcDockingLayout(content.Width(), LM_HORZ);
    m_pFloatingFrame->FitContent(CSize(content.Width(), wrapped.cy));
    content = m_pFloatingFrame->GetContentRect();
    SetWindowPos(nullptr, content.left, content.top, content.Width(), content.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    m_pFloatingFrame->GetWindowRect(&m_rcFloating);
}

void CXTPToolBar::OnLButtonDblClk(UINT flags, CPoint point)
{
    int grip = GripperSize();
    if (!grip || !m_pCommandBars || (IsHorizontal() ? point.x >= 2 + grip : point.y >= 2 + grip)) {
        OnLButtonDown(flags, point);
        return;
    }
    CRect window;
    GetWindowRect(&window);
    m_pCommandBars->FloatToolBar(this, window.TopLeft());
}

BEGIN_MESSAGE_MAP(CXTPToolBar, CXTPCommandBar)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

BOOL CXTPMenuBar::LoadMenuBar(UINT menuId)
{
    const std::vector<MenuTemplateItem>* items = FindMenuResource(menuId);
    if (!items)
        return FALSE;
    m_nMenuId = menuId;
    m_pControls->RemoveAll();
    LoadMenuItems(*items);
    return TRUE;
}

BOOL CXTPMenuBar::OnKeyboardKey(UINT vk)
{
    CXTPControl* selected = GetControl(m_nSelected);
    auto* popup = DYNAMIC_DOWNCAST(CXTPControlPopup, selected);
    switch (vk) {
    case VK_LEFT:
    case VK_RIGHT: {
        BOOL wasOpen = m_pCommandBars && m_pCommandBars->GetOpenPopupCount() > 0;
        if (m_pCommandBars)
            m_pCommandBars->ClosePopups();
        SetSelected(FindNextVisible(m_nSelected, vk == VK_RIGHT ? 1 : -1));
        if (wasOpen)
            ActivateControl(m_nSelected, TRUE);
        return TRUE;
    }
    case VK_DOWN:
    case VK_UP:
        if (popup)
            ActivateControl(m_nSelected, TRUE);
        return TRUE;
    default: return CXTPToolBar::OnKeyboardKey(vk);
    }
}
