// The tool bar's own drawing: raised buttons with their pictures, sunken when checked or
// pressed, an etched line for a separator.
#include "platform/ui/ControlBar.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

void CToolBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    CDC images;
    const bool pictures = m_bitmap.m_hObject && images.CreateCompatibleDC(&dc);
    CBitmap* old = pictures ? images.SelectObject(&m_bitmap) : nullptr;
    for (int i = 0; i < GetCount(); ++i)
        DrawButton(dc, pictures ? &images : nullptr, i);
    if (old)
        images.SelectObject(old);
}

void CToolBar::DrawButton(CDC& dc, CDC* images, int index)
{
    const Button& b = m_buttons[static_cast<size_t>(index)];
    CRect rect;
    GetItemRect(index, &rect);
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW);
    if (b.style & TBBS_HIDDEN)
        return;
    if (b.style & TBBS_SEPARATOR) {
        const int x = rect.CenterPoint().x;
        const CRect line(x - 1, rect.top + 2, x + 1, rect.bottom - 2);
        dc.Draw3dRect(&line, shadow, light);
        return;
    }
    const bool down = (b.style & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
    dc.Draw3dRect(&rect, down ? shadow : light, down ? light : shadow);
    if (!images || (b.style & TBBS_DISABLED))
        return;
    const CPoint at(rect.left + (rect.Width() - m_sizeImage.cx) / 2 + (down ? 1 : 0),
                    rect.top + (rect.Height() - m_sizeImage.cy) / 2 + (down ? 1 : 0));
    dc.BitBlt(at.x, at.y, m_sizeImage.cx, m_sizeImage.cy, images, b.image * m_sizeImage.cx, 0, SRCCOPY);
}
