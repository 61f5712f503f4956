#include "controls/CoolComboPopup.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/ImageList.h"

// Selected and not hot: the light fill; selected: sunken; hot: raised. Grid cells get the
// light fill and the edges only while enabled.
void CCoolComboPopup::DrawEntry(CDC& dc, const CRect& rect, int value, bool enabled)
{
    const bool selected = value == m_selected && enabled;
    const bool hot = value == m_hot && enabled;
    dc.FillSolidRect(&rect, ::GetSysColor(selected && !hot ? COLOR_3DLIGHT : COLOR_BTNFACE));
    CRect edge = rect;
    if (selected)
        dc.DrawEdge(&edge, BDR_SUNKENOUTER, BF_RECT);
    else if (hot)
        dc.DrawEdge(&edge, BDR_RAISEDINNER, BF_RECT);
}

void CCoolComboPopup::DrawTextEntry(CDC& dc, const CRect& rect, const CString& text)
{
    CFont* old = dc.SelectObject(&m_font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CRect area = rect;
    dc.DrawText(text, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(old);
}

void CCoolComboPopup::DrawCellContent(CDC& dc, int index, const CRect& rect, BOOL enabled)
{
    if (CommandOf(index) == 0) {
        CRect line(rect.left, rect.CenterPoint().y, rect.right, rect.CenterPoint().y + 2);
        dc.DrawEdge(&line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const CSize image = ImageSize();
    if (m_images && index < m_images->GetImageCount()) {
        CPoint at(rect.left + 1, rect.top + (rect.Height() - image.cy) / 2);
        if (enabled) {
            m_images->Draw(&dc, index, at, ILD_TRANSPARENT);
        } else {
            HICON icon = m_images->ExtractIcon(index);
            dc.DrawState(at, image, icon, DST_ICON | DSS_DISABLED);
            ::DestroyIcon(icon);
        }
    }
    if (HasLabels() && !GetLabel(index).IsEmpty())
        DrawLabel(dc, GetLabel(index), CRect(rect.left + 1 + image.cx + m_labelGap, rect.top, rect.right - 1, rect.bottom),
                  enabled);
}

void CCoolComboPopup::OnPaint()
{
    CPaintDC dc(this);
    if (m_tearOff)
        dc.FillSolidRect(&m_tearOffRect, ::GetSysColor(COLOR_HIGHLIGHT));
    if (!m_extraText.IsEmpty()) {
        DrawEntry(dc, m_extraRect, CC_EXTRA, true);
        DrawTextEntry(dc, m_extraRect, m_extraText);
        CRect outline = m_extraRect;
        outline.DeflateRect(m_edgeX + 1, m_edgeY + 1);
        CBrush shadow(::GetSysColor(COLOR_BTNSHADOW));
        dc.FrameRect(&outline, &shadow);
    }
    for (int i = 0; i < m_count; ++i) {
        const CRect cell = GetCellRect(i);
        const BOOL enabled = IsCellEnabled(i);
        DrawEntry(dc, cell, i, enabled);
        DrawCellContent(dc, i, cell, enabled);
    }
    if (m_textEntries.GetSize() > 0) {
        dc.FillSolidRect(m_separatorRect.left, m_separatorRect.top, m_separatorRect.Width(), 1, ::GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(m_separatorRect.left, m_separatorRect.top + 1, m_separatorRect.Width(), 1, ::GetSysColor(COLOR_3DHILIGHT));
    }
    for (int k = 0; k < m_textEntries.GetSize(); ++k) {
        const CRect entry = GetCellRect(CC_TEXTENTRY + k);
        DrawEntry(dc, entry, CC_TEXTENTRY + k, true);
        DrawTextEntry(dc, entry, m_textEntries[k]);
    }
    CRect client;
    GetClientRect(&client);
    dc.DrawEdge(&client, EDGE_RAISED, BF_RECT);
}
