#include "controls/CoolCombo.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Icon.h"

bool CCoolCombo::ValidSelectedImage() const
{
    return m_selection >= 0 && m_selection < m_items.GetImageCount();
}

void CCoolCombo::DrawArrow(CDC& dc, const CSize& edge)
{
    UINT state = DFCS_SCROLLDOWN | (m_dropped ? DFCS_PUSHED : (m_flat ? DFCS_FLAT : 0)) |
                 (IsWindowEnabled() ? 0 : DFCS_INACTIVE);
    CRect glyph = m_arrowRect;
    if (m_joinedArrow) {
        glyph.DeflateRect(edge);
        dc.DrawFrameControl(&glyph, DFC_SCROLL, state);
        return;
    }
    if (!m_flat) {
        dc.DrawFrameControl(&glyph, DFC_SCROLL, state);
        return;
    }
    glyph.InflateRect(1, 1);
    dc.DrawFrameControl(&glyph, DFC_SCROLL, state);
    CRect frame = m_arrowRect;
    if (m_dropped)
        dc.DrawEdge(&frame, BDR_SUNKENOUTER, BF_RECT);
    else if (m_hot)
        dc.DrawEdge(&frame, BDR_RAISEDINNER, BF_RECT);
    else
        dc.Draw3dRect(&frame, ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNFACE));
}

void CCoolCombo::DrawMainEdge(CDC& dc, CRect& main, const CSize& edge)
{
    const bool enabled = IsWindowEnabled() && CurrentCommandEnabled();
    const bool checkedImage = m_showSelectionChecked && m_showSelectionImage && ValidSelectedImage();
    const bool sunken = enabled && ((m_mainPressed && m_pressedInside) ||
                                    (m_joinedArrow && !m_flat && !m_hot && !m_dropped) || checkedImage);
    const bool resting = m_flat && !m_hot && !m_dropped && !(m_mainPressed && !m_pressedInside);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    if (sunken)
        dc.DrawEdge(&main, m_flat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
    else if (enabled && !resting)
        dc.DrawEdge(&main, m_flat ? BDR_RAISEDINNER : EDGE_RAISED, BF_RECT);
    else if (m_flat)
        dc.Draw3dRect(&main, face, face);
    main.DeflateRect(edge);
}

void CCoolCombo::DrawImageCentred(CDC& dc, CImageList& images, int index, const CRect& rect, CSize size)
{
    CPoint at(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2);
    if (IsWindowEnabled()) {
        images.Draw(&dc, index, at, ILD_TRANSPARENT);
        return;
    }
    HICON icon = images.ExtractIcon(index);
    dc.DrawState(at, size, icon, DST_ICON | DSS_DISABLED);
    ::DestroyIcon(icon);
}

void CCoolCombo::DrawButtonContent(CDC& dc, const CRect& rect)
{
    CRect clip = rect;
    clip.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(&clip);
    if (m_showSelectionImage && ValidSelectedImage())
        DrawImageCentred(dc, m_items, m_selection, rect, m_itemSize);
    else if (m_buttonImage.GetSafeHandle())
        DrawImageCentred(dc, m_buttonImage, 0, rect, m_buttonSize);
    DrawUnsetChecker(dc, clip);
    dc.RestoreDC(saved);
}

void CCoolCombo::DrawUnsetChecker(CDC& dc, const CRect& clip)
{
    if (m_selection != CC_UNSET || !IsWindowEnabled())
        return;
    const COLORREF light = ::GetSysColor(COLOR_3DLIGHT);
    for (int y = clip.top; y < clip.bottom; ++y)
        for (int x = clip.left + ((clip.left + y + 1) & 1); x < clip.right; x += 2)
            dc.SetPixel(x, y, light);
}

void CCoolCombo::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC& dc = *CDC::FromHandle(dis->hDC);
    const CSize edge = m_flat ? CSize(1, 1) : CSize(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    DrawArrow(dc, edge);
    CRect main = m_mainRect;
    if (m_joinedArrow)
        main.UnionRect(&m_mainRect, &m_arrowRect);
    DrawMainEdge(dc, main, edge);
    if (m_joinedArrow)
        main.right += 2 * edge.cx;
    const bool checkedImage = m_showSelectionChecked && m_showSelectionImage && ValidSelectedImage();
    const bool light = IsWindowEnabled() && (checkedImage || m_selection == CC_UNSET);
    dc.FillSolidRect(&main, ::GetSysColor(light ? COLOR_3DLIGHT : COLOR_BTNFACE));
    DrawButtonContent(dc, main);
}
