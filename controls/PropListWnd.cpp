#include "controls/PropListWnd.h"

#include "controls/PropertiesDlg.h"
#include "objects/ViewSettings.h"
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Pixels from the list's left edge to the splitter, shared by every Properties dialog of
// the run; 0 until first set.
int g_nameWidth = 0;

constexpr int FirstMinimum = 120;
constexpr int DragAllowance = 50;
constexpr int PaneAllowance = 30;

BOOL IsNavigationKey(UINT key)
{
    switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_HOME:
    case VK_END: return TRUE;
    default: return FALSE;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CPropListWnd, CListBox)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_KEYDOWN()
    ON_WM_KEYUP()
    ON_WM_CHAR()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
    ON_WM_SIZE()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

int CPropListWnd::GetNameWidth()
{
    return g_nameWidth;
}

void CPropListWnd::SetProgramNameWidth(int width)
{
    g_nameWidth = width;
}

int CPropListWnd::GetRowHeight() const
{
    CClientDC dc(const_cast<CPropListWnd*>(this));
    CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(const_cast<CPropListWnd*>(this)->SendMessage(WM_GETFONT)));
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    if (old)
        dc.SelectObject(old);
    return metrics.tmHeight + 2 * m_margin + 1;
}

int CPropListWnd::GetClientWidth() const
{
    CRect client;
    GetClientRect(&client);
    return client.Width() - 4;
}

int CPropListWnd::ClampNameWidth(int width, int margin)
{
    width = std::min(width, GetClientWidth() - ButtonWidth);
    if (g_nameWidth == 0) {
        const BOOL inPane = GetViewSettings().m_propertyHostWnd != nullptr;
        width = std::max(width, FirstMinimum - (m_dragging ? DragAllowance : 0) - (inPane ? PaneAllowance : 0));
    }
    m_margin = margin;
    return width;
}

BOOL CPropListWnd::SetNameWidth(int referenceWidth)
{
    if (referenceWidth == -1)
        referenceWidth = GetClientWidth();
    const int wanted = g_nameWidth != 0 ? g_nameWidth : 2 * referenceWidth / 5;
    const int width = ClampNameWidth(wanted, m_margin);
    const BOOL changed = width != g_nameWidth;
    g_nameWidth = width;
    return changed;
}

void CPropListWnd::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    mis->itemHeight = static_cast<UINT>(GetRowHeight());
    SetNameWidth(-1);
}

int CPropListWnd::CompareItem(LPCOMPAREITEMSTRUCT cis)
{
    const auto a = static_cast<INT_PTR>(cis->itemData1);
    const auto b = static_cast<INT_PTR>(cis->itemData2);
    if (!CPropertiesDlg::GetSortFlag() || !m_dialog)
        return a < b ? -1 : (a > b ? 1 : 0);
    const int order = m_dialog->GetPropertyName(a).CompareNoCase(m_dialog->GetPropertyName(b));
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void CPropListWnd::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (GetCount() == 0 || static_cast<int>(dis->itemID) < 0 || !m_dialog)
        return;
    const auto data = static_cast<INT_PTR>(dis->itemData);
    if (data == m_trackedRow)
        if (CWnd* editor = m_dialog->GetFocusControl())
            editor->Invalidate();
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect row(dis->rcItem);
    const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;
    const CRect name(row.left, row.top, g_nameWidth - 1, row.bottom - 1);
    const CRect value(g_nameWidth + 1, row.top, row.right, row.bottom - 1);
    const COLORREF grid = GetSysColor(COLOR_BTNFACE);
    dc->FillSolidRect(g_nameWidth - 1, row.top, 2, row.Height(), grid);
    dc->FillSolidRect(row.left, row.bottom - 1, row.Width(), 1, grid);
    const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    dc->FillSolidRect(&name, back);
    dc->FillSolidRect(&value, GetSysColor(COLOR_WINDOW));
    dc->SetBkMode(TRANSPARENT);
    const BOOL enabled = m_dialog->IsPropertyEnabled(data);
    dc->SetTextColor(GetSysColor(!enabled ? COLOR_GRAYTEXT : (selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT)));
    DrawNameCell(dc, name, data, selected);
    dc->SetTextColor(GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawValueCell(dc, value, data, selected);
    if (!enabled) {
        CBrush frame(GetSysColor(COLOR_GRAYTEXT));
        dc->FrameRect(&value, &frame);
    }
}

void CPropListWnd::DrawNameCell(CDC* dc, const CRect& cell, INT_PTR data, BOOL selected)
{
    if (m_dialog->IsScriptEmpty(data) && !selected)
        dc->SetTextColor(RGB(0, 0, 255));
    CRect text = cell;
    text.left += 2;
    dc->DrawText(m_dialog->GetPropertyName(data), &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void CPropListWnd::DrawValueCell(CDC* dc, const CRect& cell, INT_PTR data, BOOL selected)
{
    CRect text = cell;
    text.left += 2;
    text.left += m_dialog->DrawColourCell(dc, data, text, selected);
    m_dialog->DrawValueText(dc, data, text);
    if (selected)
        m_dialog->DrawRowButton(dc, data, cell);
}

void CPropListWnd::OnHScroll(UINT code, UINT pos, CScrollBar* bar)
{
    SetFocus();
    if (m_dialog)
        m_dialog->m_tabPending = FALSE;
    CListBox::OnHScroll(code, pos, bar);
}

void CPropListWnd::OnVScroll(UINT code, UINT pos, CScrollBar* bar)
{
    SetFocus();
    if (m_dialog)
        m_dialog->m_tabPending = FALSE;
    CListBox::OnVScroll(code, pos, bar);
}

void CPropListWnd::OnKeyDown(UINT key, UINT repeat, UINT flags)
{
    if (m_dialog) {
        if (IsNavigationKey(key)) {
            m_dialog->m_suppressEdit = TRUE;
        } else if (GetKeyState(VK_CONTROL) >= 0 && key != VK_SHIFT && key != VK_TAB) {
            m_dialog->BeginEdit(TRUE);
            m_dialog->OnEditorKey(key);
        }
    }
    CListBox::OnKeyDown(key, repeat, flags);
    if (m_dialog)
        m_dialog->m_suppressEdit = m_dialog->m_rightZone = FALSE;
}

void CPropListWnd::OnKeyUp(UINT key, UINT repeat, UINT flags)
{
    if (m_dialog && key == VK_TAB && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0 &&
        !m_dialog->m_tabPending)
        m_dialog->BeginEdit(TRUE);
    if (m_dialog)
        m_dialog->m_tabPending = FALSE;
    CListBox::OnKeyUp(key, repeat, flags);
}

// A typed character goes on into the editor it opened.
void CPropListWnd::OnChar(UINT ch, UINT repeat, UINT flags)
{
    CListBox::OnChar(ch, repeat, flags);
    if (!m_dialog || GetCurSel() < GetTopIndex())
        return;
    CWnd* editor = m_dialog->GetFocusControl();
    if (editor && ch >= ' ') {
        editor->SendMessage(EM_SETSEL, 0, -1);
        editor->SendMessage(WM_CHAR, ch, 0);
    }
}

BOOL CPropListWnd::IsOnSplitter(int x) const
{
    return std::abs(g_nameWidth - x) < 4;
}

void CPropListWnd::OnLButtonDown(UINT flags, CPoint point)
{
    if (IsOnSplitter(point.x)) {
        m_dragging = TRUE;
        SetFocus();
        SetCapture();
        return;
    }
    if (m_dialog) {
        m_dialog->m_suppressEdit = point.x <= g_nameWidth - m_margin - 2;
        m_dialog->m_rightZone = point.x > GetClientWidth() - ButtonWidth;
    }
    CListBox::OnLButtonDown(flags, point);
}

void CPropListWnd::OnRButtonDown(UINT flags, CPoint point)
{
    if (m_dragging || !m_dialog)
        return;
    ClientToScreen(&point);
    m_dialog->ScreenToClient(&point);
    m_dialog->PostMessage(WM_RBUTTONDOWN, flags, MAKELPARAM(point.x, point.y));
}

void CPropListWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_dragging) {
        CListBox::OnMouseMove(flags, point);
        return;
    }
    const int width = ClampNameWidth(point.x, m_margin);
    if (width != g_nameWidth) {
        g_nameWidth = width;
        Invalidate();
    }
}

void CPropListWnd::EndDrag()
{
    if (!m_dragging)
        return;
    m_dragging = FALSE;
    if (GetCapture() == this)
        ReleaseCapture();
}

void CPropListWnd::OnLButtonUp(UINT flags, CPoint point)
{
    EndDrag();
    CListBox::OnLButtonUp(flags, point);
}

void CPropListWnd::OnKillFocus(CWnd* next)
{
    EndDrag();
    CListBox::OnKillFocus(next);
}

void CPropListWnd::OnSize(UINT type, int cx, int cy)
{
    CListBox::OnSize(type, cx, cy);
    if (SetNameWidth(-1))
        Invalidate();
}

BOOL CPropListWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    CPoint point;
    GetCursorPos(&point);
    ScreenToClient(&point);
    if (m_dragging || IsOnSplitter(point.x)) {
        ::SetCursor(::LoadCursor(nullptr, IDC_SIZEWE));
        return TRUE;
    }
    return CListBox::OnSetCursor(wnd, hitTest, message);
}

BOOL CPropListWnd::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    const int rows = GetCount();
    const int below = rows > 0 ? (rows - GetTopIndex()) * GetItemHeight(0) : 0;
    if (below < client.bottom)
        dc->FillSolidRect(client.left, below, client.Width(), client.bottom - below, GetSysColor(COLOR_WINDOW));
    return TRUE;
}
