#include "controls/TwoStateButton.h"

#include "platform/gdi/Dc.h"

BEGIN_MESSAGE_MAP(CTwoStateButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

void CTwoStateButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CBitmap& shown = m_bitmaps[m_state ? 1 : 0];
    if (!shown.GetSafeHandle())
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(&shown);
    const CRect& r = dis->rcItem;
    dc->BitBlt(r.left, r.top, r.Width(), r.Height(), &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

void CTwoStateButton::OnClicked()
{
    m_state = !m_state;
    Invalidate();
}
