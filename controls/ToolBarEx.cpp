#include "controls/ToolBarEx.h"

#include "platform/ui/Resources.h"

IMPLEMENT_DYNAMIC(CToolBarEx, CToolBar)

BEGIN_MESSAGE_MAP(CToolBarEx, CToolBar)
    ON_WM_PAINT()
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CREATE()
END_MESSAGE_MAP()

namespace {
constexpr UINT_PTR HotTimer = 1;
constexpr UINT HotPeriod = 250;
} // namespace

CToolBarEx::CToolBarEx()
{
    ReadColours();
}

// On a scheme whose 3-D light is the face colour, checked buttons use the highlight.
void CToolBarEx::ReadColours()
{
    m_face = ::GetSysColor(COLOR_BTNFACE);
    m_highlight = ::GetSysColor(COLOR_3DHILIGHT);
    m_shadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_light = ::GetSysColor(COLOR_3DLIGHT);
    if (m_light == m_face)
        m_light = m_highlight;
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

void CToolBarEx::SetFlat(BOOL flat)
{
    m_flat = flat;
    if (m_hWnd)
        Invalidate();
}

void CToolBarEx::UpdateImageOffset()
{
    m_imageOffset = CPoint((m_sizeButton.cx - m_sizeImage.cx) / 2, (m_sizeButton.cy - m_sizeImage.cy) / 2);
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
