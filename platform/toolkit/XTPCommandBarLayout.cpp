// Laying the controls of a bar out along its length, the expand button, the windows that
// controls host, tips, and drawing.
#include "platform/gdi/Dc.h"
#include "platform/toolkit/XTPCommandBar.h"
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPPaintManager.h"
#include "platform/toolkit/XTPPopupBar.h"

#include <algorithm>

namespace {

BOOL hidesWhenVertical(const CXTPControl* control)
{
    CommandControlType type = control->GetType();
    return type == ControlTypeComboBox || type == ControlTypeEdit || type == ControlTypeCustom;
}

constexpr int kSeparator = 6;

} // namespace

int CXTPCommandBar::GripperSize() const { return 0; }

void CXTPCommandBar::LayoutLine(CDC* dc, int length, BOOL horizontal, CSize& total)
{
    int start = 2 + GripperSize();
    int x = horizontal ? start : 2, y = horizontal ? TopMargin() : start;
    int lineExtent = 0;
    total = CSize(0, 0);
    for (int i = 0; i < GetControlCount(); ++i) {
        CXTPControl* control = GetControl(i);
        BOOL shown = control->IsVisible() && (horizontal || !hidesWhenVertical(control));
        if (!shown) {
            control->SetRect(CRect(0, 0, 0, 0));
            continue;
        }
        CSize size = control->GetSize(dc);
        int& along = horizontal ? x : y;
        int at = along == (horizontal ? start : start) ? along : along + (control->GetBeginGroup() ? kSeparator : 0);
        int extent = horizontal ? size.cx : size.cy;
        if (length > 0 && at + extent > length - 2 && along > start) {
            (horizontal ? y : x) += lineExtent;
            lineExtent = 0;
            at = start;
        }
        CRect rect = horizontal ? CRect(at, y, at + size.cx, y + size.cy) : CRect(x, at, x + size.cx, at + size.cy);
        control->SetRect(rect);
        along = at + extent;
        lineExtent = std::max(lineExtent, static_cast<int>(horizontal ? size.cy : size.cx));
        total.cx = std::max(total.cx, rect.right + 2);
        total.cy = std::max(total.cy, rect.bottom + 2);
    }
    if (ShowsExpandButton())
        (horizontal ? total.cx : total.cy) += kExpandButton;
    total.cx = std::max(total.cx, static_cast<LONG>(horizontal ? start + 2 : 27));
    total.cy = std::max(total.cy, static_cast<LONG>(horizontal ? 26 : start + 2));
    if (!horizontal)
        for (int i = 0; i < GetControlCount(); ++i) {
            CRect r = GetControl(i)->GetRect();
            if (!r.IsRectEmpty())
                GetControl(i)->SetRect(CRect(r.left, r.top, total.cx - 2, r.bottom));
        }
}

CSize CXTPCommandBar::CalcDockingLayout(int length, DWORD mode)
{
    CClientDC screen(nullptr);
    CSize total;
    BOOL wrap = !(mode & (LM_HORZDOCK | LM_VERTDOCK));
    LayoutLine(&screen, wrap ? length : 0, (mode & LM_HORZ) != 0, total);
    if (mode & LM_STRETCH) {
        if (mode & LM_HORZ)
            total.cx = std::max(static_cast<int>(total.cx), length);
        else
            total.cy = std::max(static_cast<int>(total.cy), length);
    }
    return total;
}

void CXTPCommandBar::OnRecalcLayout()
{
    m_bLayoutPending = FALSE;
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    BOOL horizontal = IsHorizontal();
    DWORD mode = (horizontal ? LM_HORZ : 0) | LM_COMMIT | (m_barPosition == BarFloating ? 0 : LM_HORZDOCK);
    const int length = horizontal ? client.Width() : client.Height();
    const CSize natural = CalcDockingLayout(length, mode);
    // A docked bar longer than its row (large icons, a narrow window) keeps what does not fit
    // behind the expand button instead of cutting it off.
    const bool cutShort = m_barPosition <= BarRight && (horizontal ? natural.cx : natural.cy) > length;
    m_rcExpand = CRect(0, 0, 0, 0);
    if (ShowsExpandButton() || cutShort) {
        m_rcExpand = horizontal ? CRect(client.right - kExpandButton, client.top, client.right, client.bottom)
                                : CRect(client.left, client.bottom - kExpandButton, client.right, client.bottom);
        // What does not fit before the button goes into its drop-down.
        for (int i = 0; i < GetControlCount(); ++i) {
            CRect r = GetControl(i)->GetRect();
            if (horizontal ? r.right > m_rcExpand.left : r.bottom > m_rcExpand.top)
                GetControl(i)->SetRect(CRect(0, 0, 0, 0));
        }
    }
    PlaceHostedWindows();
    UpdateToolTips();
    Invalidate(FALSE);
}

void CXTPCommandBar::UpdateToolTips()
{
    BOOL wanted = m_barPosition != BarPopup && m_pCommandBars && m_pCommandBars->GetOptions().screenTips;
    if (!wanted) {
        if (m_toolTip.GetSafeHwnd())
            m_toolTip.DestroyWindow();
        return;
    }
    if (!m_toolTip.GetSafeHwnd() && !m_toolTip.Create(this))
        return;
    for (int i = m_toolTip.GetToolCount(); i > 0; --i)
        m_toolTip.DelTool(this, static_cast<UINT_PTR>(i));
    for (int i = 0; i < GetControlCount(); ++i) {
        CRect rect = GetControl(i)->GetRect();
        if (!rect.IsRectEmpty() && GetControl(i)->GetType() != ControlTypeCustom)
            m_toolTip.AddTool(this, LPSTR_TEXTCALLBACK, &rect, static_cast<UINT_PTR>(i + 1));
    }
}

BOOL CXTPCommandBar::CanDockTo(BarDockPosition side) const
{
    constexpr DWORD kAlign[] = {0x2000, 0x8000, 0x1000, 0x4000}; // top, bottom, left, right
    return side > BarRight || m_dwDockingStyle == 0 || (m_dwDockingStyle & kAlign[side]) != 0;
}

BOOL CXTPCommandBar::ShowsExpandButton() const
{
    return (m_dwFlags & BarFlagShowExpandButton) && m_barPosition <= BarRight;
}

BOOL CXTPCommandBar::OpenExpandPopup()
{
    if (m_rcExpand.IsRectEmpty() || !m_pCommandBars)
        return FALSE;
    if (!m_pExpandPopup)
        m_pExpandPopup = CXTPPopupBar::CreatePopupBar(m_pCommandBars);
    m_pExpandPopup->GetControls()->RemoveAll();
    for (int i = 0; i < GetControlCount(); ++i) {
        CXTPControl* control = GetControl(i);
        if (control->IsVisible() && control->GetRect().IsRectEmpty() && control->GetType() != ControlTypeCustom)
            m_pExpandPopup->GetControls()->Add(CloneControl(control), control->GetID());
    }
    CRect screen = m_rcExpand;
    ClientToScreen(&screen);
    return m_pExpandPopup->Popup(nullptr, IsHorizontal() ? CPoint(screen.left, screen.bottom) : CPoint(screen.right, screen.top),
                                 screen);
}

void CXTPCommandBar::PlaceHostedWindows()
{
    for (int i = 0; i < GetControlCount(); ++i)
        GetControl(i)->PlaceWindow();
}

void CXTPCommandBar::DrawBar(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    CXTPPaintManager* paint = XTPPaintManager();
    paint->FillCommandBar(dc, this, client);
    BOOL horizontal = IsHorizontal();
    if (int grip = GripperSize())
        paint->DrawGripper(dc, horizontal ? CRect(2, 2, 2 + grip, client.bottom - 2) : CRect(2, 2, client.right - 2, 2 + grip),
                           horizontal);
    int count = GetControlCount();
    for (int i = 0; i < count; ++i) {
        CXTPControl* control = GetControl(i);
        CRect rect = control->GetRect();
        if (rect.IsRectEmpty())
            continue;
        if (control->GetBeginGroup() && FindNextVisible(i, -1) < i)
            paint->DrawSeparator(dc,
                                 horizontal ? CRect(rect.left - kSeparator, rect.top, rect.left, rect.bottom)
                                            : CRect(rect.left, rect.top - kSeparator, rect.right, rect.top),
                                 horizontal);
        control->Draw(dc);
    }
    if (!m_rcExpand.IsRectEmpty())
        paint->DrawDropArrow(dc, m_rcExpand, TRUE, FALSE);
}

void CXTPCommandBar::OnPaint()
{
    CPaintDC dc(this);
    if (m_bLayoutPending)
        OnRecalcLayout();
    DrawBar(&dc);
}

void CXTPCommandBar::OnSize(UINT, int, int) { OnRecalcLayout(); }
