#include "controls/FlatButton.h"

#include "controls/OffscreenDC.h"

void CFlatButton::DrawFrame(CDC& dc, CRect& rect, UINT state)
{
    const bool pressed = (state & ODS_SELECTED) != 0;
    if (!m_tracking && (state & ODS_FOCUS)) {
        CBrush black(RGB(0, 0, 0));
        dc.FrameRect(&rect, &black);
        rect.DeflateRect(1, 1);
    }
    dc.FillSolidRect(&rect, m_mouseOver || pressed ? m_hoverBack : m_normalBack);
    const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (pressed) {
        if (!m_tracking) {
            CBrush frame(shadow);
            dc.FrameRect(&rect, &frame);
        } else if (m_flatPress) {
            dc.Draw3dRect(&rect, shadow, light);
        }
    } else if (!m_tracking) {
        CRect edge = rect;
        dc.DrawEdge(&edge, EDGE_RAISED, BF_RECT);
    } else if (m_mouseOver) {
        dc.Draw3dRect(&rect, light, shadow);
    }
    if (!m_tracking && (state & ODS_FOCUS)) {
        CRect focus = rect;
        focus.DeflateRect(3, 3);
        dc.DrawFocusRect(&focus);
    }
}

// Returns the rectangle left for the text.
CRect CFlatButton::DrawIconPart(CDC& dc, const CRect& rect, UINT state, bool hover)
{
    const bool withText = m_showText && GetWindowTextLength() > 0;
    const bool pressed = (state & ODS_SELECTED) != 0;
    CPoint at(rect.left + (rect.Width() - m_iconWidth) / 2, rect.top + (rect.Height() - m_iconHeight) / 2);
    CRect text = rect;
    if (m_iconLayout == 0 && withText) {
        at.x = rect.left + 3;
        text.left = at.x + m_iconWidth + 3;
    } else if (m_iconLayout == 1 && withText) {
        at.y = rect.top + 3;
        text.top = at.y + m_iconHeight;
    }
    if (pressed)
        at.Offset(1, 1);
    if (HICON icon = hover ? m_iconHover : m_iconNormal)
        dc.DrawState(at, CSize(m_iconWidth, m_iconHeight), icon, DST_ICON | ((state & ODS_DISABLED) ? DSS_DISABLED : 0));
    return text;
}

void CFlatButton::DrawTextPart(CDC& dc, CRect textRect, UINT state, bool hover)
{
    CString text;
    GetWindowText(text);
    if (!m_showText || text.IsEmpty())
        return;
    CFont* font = CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    dc.SetTextColor(hover ? m_hoverText : m_normalText);
    dc.SetBkColor(hover ? m_hoverBack : m_normalBack);
    CRect measured = textRect;
    dc.DrawText(text, &measured, DT_CALCRECT | DT_SINGLELINE);
    const int shift = (textRect.Height() - measured.Height()) / 2 + ((state & ODS_SELECTED) ? 1 : 0);
    textRect.OffsetRect(shift, shift);
    dc.DrawState(textRect.TopLeft(), textRect.Size(), text, DST_PREFIXTEXT | ((state & ODS_DISABLED) ? DSS_DISABLED : 0));
    if (old)
        dc.SelectObject(old);
}

void CFlatButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    COffscreenDC dc(CDC::FromHandle(dis->hDC));
    CRect rect = dis->rcItem;
    const bool hover = m_mouseOver || (dis->itemState & ODS_SELECTED);
    DrawFrame(dc, rect, dis->itemState);
    CRect text = DrawIconPart(dc, rect, dis->itemState, hover);
    DrawTextPart(dc, text, dis->itemState, hover);
}
