#include "controls/ToolBarEx.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/Resources.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CToolBarEx, CToolBar)

BEGIN_MESSAGE_MAP(CToolBarEx, CToolBar)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_SYSCOLORCHANGE, OnSysColorChange)
    ON_MESSAGE(TB_SETBUTTONSIZE, OnSetButtonSize)
    ON_MESSAGE(TB_SETBITMAPSIZE, OnSetBitmapSize)
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR HotTimer = 1;
constexpr UINT HotPeriod = 250;
// The client starts this far in on bars docked top or bottom, and this far down on others.
constexpr int AcrossOffset = 4, DownOffset = 6;
// The gripper's two 3-pixel strips start 4 pixels in; the buttons begin after them.
constexpr int GripperInset = 4, GripperStrip = 3, GripperEnd = GripperInset + 2 * GripperStrip;
} // namespace

CToolBarEx::CToolBarEx()
{
    ReadColours();
}

COLORREF CToolBarEx::CheckedColour(COLORREF face, COLORREF highlight, COLORREF light)
{
    return light == face ? highlight : light;
}

void CToolBarEx::ReadColours()
{
    m_face = ::GetSysColor(COLOR_BTNFACE);
    m_highlight = ::GetSysColor(COLOR_3DHILIGHT);
    m_shadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_light = CheckedColour(m_face, m_highlight, ::GetSysColor(COLOR_3DLIGHT));
}

LRESULT CToolBarEx::OnSysColorChange(WPARAM, LPARAM)
{
    ReadColours();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    return 0;
}

bool CToolBarEx::HasGripper() const { return m_flat && !IsFloating(); }

CSize CToolBarEx::GetClientOffset() const
{
    const int offset = HasGripper() ? GripperEnd : 0;
    if (m_dwStyle & CBRS_ORIENT_HORZ)
        return CSize(std::max(AcrossOffset, offset), 0);
    return CSize(0, std::max(DownOffset, offset));
}

CSize CToolBarEx::CalcFixedLayout(BOOL stretch, BOOL horizontal)
{
    const CSize size = CToolBar::CalcFixedLayout(stretch, horizontal);
    const CSize offset = GetClientOffset();
    return CSize(std::min(32767, int(size.cx + offset.cx)), std::min(32767, int(size.cy + offset.cy)));
}

void CToolBarEx::OnNcCalcSize(BOOL calcValidRects, NCCALCSIZE_PARAMS* params)
{
    CToolBar::OnNcCalcSize(calcValidRects, params);
    RECT* r = calcValidRects ? &params->rgrc[0] : reinterpret_cast<RECT*>(params);
    const CSize offset = GetClientOffset();
    r->left = std::min(r->left + offset.cx, r->right);
    r->top = std::min(r->top + offset.cy, r->bottom);
}

void CToolBarEx::OnNcPaint()
{
    if (!m_flat) {
        CToolBar::OnNcPaint();
        return;
    }
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(&window);
    window.OffsetRect(-window.left, -window.top);
    dc.FillSolidRect(&window, m_face);
    if (HasGripper())
        DrawGripper(dc, window);
}

void CToolBarEx::DrawGripper(CDC& dc, const CRect& window)
{
    CRect strip = window;
    strip.DeflateRect(GripperInset, GripperInset);
    const bool across = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (across)
        strip.right = strip.left + GripperStrip;
    else
        strip.bottom = strip.top + GripperStrip;
    dc.Draw3dRect(&strip, m_highlight, m_shadow);
    strip.OffsetRect(across ? GripperStrip : 0, across ? 0 : GripperStrip);
    dc.Draw3dRect(&strip, m_highlight, m_shadow);
}

LRESULT CToolBarEx::OnSetButtonSize(WPARAM wParam, LPARAM size)
{
    const LRESULT result = CToolBar::OnSetButtonSize(wParam, size);
    UpdateImageOffset();
    return result;
}

LRESULT CToolBarEx::OnSetBitmapSize(WPARAM wParam, LPARAM size)
{
    const LRESULT result = CToolBar::OnSetBitmapSize(wParam, size);
    UpdateImageOffset();
    return result;
}

bool CToolBarEx::HasButtonText() const
{
    for (int i = 0; i < GetCount(); ++i)
        if (!GetButtonText(i).IsEmpty())
            return true;
    return false;
}

int CToolBarEx::OnCreate(LPCREATESTRUCT cs)
{
    m_notifyParent = cs->hwndParent;
    return CToolBar::OnCreate(cs);
}

BOOL CToolBarEx::LoadToolBar(UINT resourceId)
{
    if (!CToolBar::LoadToolBar(resourceId))
        return FALSE;
    m_images.DeleteImageList();
    CBitmap strip;
    if (HBITMAP bitmap = LoadBitmapResource(resourceId); bitmap && strip.Attach(bitmap)) {
        m_images.Create(m_sizeImage.cx, m_sizeImage.cy, ILC_COLOR24 | ILC_MASK, 0, 4);
        m_images.Add(&strip, m_face);
    }
    UpdateImageOffset();
    return TRUE;
}

// The gripper comes and goes with the flat look, and the client moves with it.
void CToolBarEx::SetFlat(BOOL flat)
{
    m_flat = flat;
    if (!m_hWnd)
        return;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
    if (m_pDockSite)
        m_pDockSite->DelayRecalcLayout();
}

// With texts under the pictures, the pictures keep to the top.
void CToolBarEx::UpdateImageOffset()
{
    m_imageOffset = CPoint((m_sizeButton.cx - m_sizeImage.cx) / 2,
                           HasButtonText() ? m_cyTopBorder : (m_sizeButton.cy - m_sizeImage.cy) / 2);
}

void CToolBarEx::OnMouseMove(UINT flags, CPoint point)
{
    if (!m_flat) {
        CToolBar::OnMouseMove(flags, point);
        return;
    }
    const int old = m_hot;
    m_hot = -1;
    for (int i = 0; i < GetCount(); ++i) {
        const UINT style = GetButtonStyle(i);
        if ((style & TBBS_SEPARATOR) || Disabled(style))
            continue;
        CRect r;
        GetItemRect(i, &r);
        if (r.PtInRect(point)) {
            m_hot = i;
            if (i != old)
                InvalidateRect(&r, FALSE);
        } else if (i == old) {
            InvalidateRect(&r, FALSE);
        }
    }
    if (m_timer)
        KillTimer(m_timer);
    m_timer = SetTimer(HotTimer, HotPeriod, nullptr);
    CToolBar::OnMouseMove(flags, point);
}

// The highlight leaves with the mouse even when no move inside the bar says so.
void CToolBarEx::OnTimer(UINT_PTR id)
{
    if (id != HotTimer) {
        CToolBar::OnTimer(id);
        return;
    }
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    CRect r;
    if (m_hot >= 0) {
        GetItemRect(m_hot, &r);
        if (!r.PtInRect(cursor)) {
            InvalidateRect(&r, FALSE);
            m_hot = -1;
        }
    }
    KillTimer(m_timer);
    m_timer = 0;
}

void CToolBarEx::OnUpdateCmdUI(CFrameWnd* target, BOOL disableIfNoHandler)
{
    if (!m_flat) {
        CToolBar::OnUpdateCmdUI(target, disableIfNoHandler);
        return;
    }
    m_savedStyles.clear();
    for (int i = 0; i < GetCount(); ++i)
        m_savedStyles.push_back(GetButtonStyle(i));
    CToolBar::OnUpdateCmdUI(target, disableIfNoHandler);
    for (int i = 0; i < GetCount(); ++i)
        if (GetButtonStyle(i) != m_savedStyles[static_cast<size_t>(i)]) {
            CRect r;
            GetItemRect(i, &r);
            InvalidateRect(&r, TRUE);
        }
}
