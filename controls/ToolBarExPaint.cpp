#include "controls/ToolBarEx.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/Icon.h"
#include "platform/ui/TreeCtrl.h"

constexpr UINT CDIS_DISABLED = 0x4, CDIS_CHECKED = 0x8;

LRESULT CToolBarEx::CustomDraw(CDC& dc, DWORD stage, const CRect& rect, UINT command, UINT state)
{
    if (!m_notifyParent)
        return CDRF_DODEFAULT;
    NMCUSTOMDRAW draw{{m_hWnd, static_cast<UINT_PTR>(GetDlgCtrlID()), NM_CUSTOMDRAW}, stage, dc.GetSafeHdc(), rect,
                      command, state, 0};
    return ::SendMessage(m_notifyParent, WM_NOTIFY, GetDlgCtrlID(), reinterpret_cast<LPARAM>(&draw));
}

void CToolBarEx::DrawSeparator(CDC& dc, const CRect& rect)
{
    if (rect.Width() >= 9)
        return;
    const bool horizontal = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect line = horizontal ? CRect(rect.CenterPoint().x - 1, rect.top, rect.CenterPoint().x + 1, rect.bottom)
                            : CRect(rect.left, rect.CenterPoint().y - 1, rect.left + m_sizeButton.cx, rect.CenterPoint().y + 1);
    dc.Draw3dRect(&line, m_shadow, m_highlight);
}

void CToolBarEx::DrawButton(CDC& dc, int index, const CRect& rect, CImageList& images)
{
    const UINT style = GetButtonStyle(index);
    const bool pressed = Pressed(style), hot = index == m_hot, enabled = !Disabled(style);
    dc.FillSolidRect(&rect, pressed && !hot ? m_light : m_face);
    CRect edge = rect;
    if (pressed) {
        dc.Draw3dRect(&edge, m_shadow, m_highlight);
        if (!hot) {
            edge.DeflateRect(1, 1);
            dc.Draw3dRect(&edge, m_face, m_face);
        }
    } else {
        dc.Draw3dRect(&edge, enabled && hot ? m_highlight : m_face, enabled && hot ? m_shadow : m_face);
    }
    UINT id = 0, buttonStyle = 0;
    int image = 0;
    GetButtonInfo(index, id, buttonStyle, image);
    CPoint at = rect.TopLeft() + m_imageOffset;
    if (pressed)
        at.Offset(1, 1);
    if (enabled) {
        images.Draw(&dc, image, at, ILD_TRANSPARENT);
    } else if (HICON icon = images.ExtractIcon(image)) {
        dc.DrawState(at, m_sizeImage, icon, DST_ICON | DSS_DISABLED);
        ::DestroyIcon(icon);
    }
    const CString text = GetButtonText(index);
    if (!text.IsEmpty()) {
        CRect area(rect.left + 3, at.y + m_sizeImage.cy + 1, rect.right - 3, rect.bottom - 3);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(RGB(0, 0, 0));
        dc.DrawText(text, &area, DT_CENTER | DT_VCENTER | DT_NOCLIP);
    }
}

void CToolBarEx::OnPaint()
{
    if (!m_flat || !m_images.GetSafeHandle()) {
        CToolBar::OnPaint();
        return;
    }
    if (HasButtonText())
        UpdateImageOffset();
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_face);
    const LRESULT prepaint = CustomDraw(dc, CDDS_PREPAINT, client, 0, 0);
    for (int i = 0; i < GetCount(); ++i) {
        const UINT style = GetButtonStyle(i);
        CRect r;
        GetItemRect(i, &r);
        if (style & TBBS_HIDDEN)
            continue;
        if (style & TBBS_SEPARATOR) {
            if (!((style & TBBS_WRAPPED) && IsFloating()))
                DrawSeparator(dc, r);
            continue;
        }
        UINT id = 0, unused = 0;
        int image = 0;
        GetButtonInfo(i, id, unused, image);
        const UINT state = (Disabled(style) ? CDIS_DISABLED : 0) | (Pressed(style) ? CDIS_CHECKED : 0);
        LRESULT item = CDRF_DODEFAULT;
        if (prepaint & CDRF_NOTIFYITEMDRAW)
            item = CustomDraw(dc, CDDS_ITEMPREPAINT, r, id, state);
        if (item & CDRF_SKIPDEFAULT)
            continue;
        DrawButton(dc, i, r, m_images);
        if (item & CDRF_NOTIFYPOSTPAINT)
            CustomDraw(dc, CDDS_ITEMPOSTPAINT, r, id, state);
    }
    if (prepaint & CDRF_NOTIFYPOSTPAINT)
        CustomDraw(dc, CDDS_POSTPAINT, client, 0, 0);
}
