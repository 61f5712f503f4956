#include "controls/BitmapSlider.h"

#include "controls/OffscreenDC.h"

CRect CBitmapSlider::ThumbRect() const
{
    const int centre = PosToPixel(m_pos);
    if (m_vertical)
        return CRect(CPoint(m_marginLeft, centre - m_thumb.height / 2), CSize(m_thumb.width, m_thumb.height));
    return CRect(CPoint(centre - m_thumb.width / 2, m_marginTop), CSize(m_thumb.width, m_thumb.height));
}

void CBitmapSlider::DrawPicture(CDC& dc, CBitmap& image, CBitmap& mask, BOOL transparent, int x, int y, int cx, int cy,
                                int srcX, int srcY)
{
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = nullptr;
    if (transparent) {
        old = memory.SelectObject(&mask);
        dc.BitBlt(x, y, cx, cy, &memory, srcX, srcY, SRCAND);
        memory.SelectObject(&image);
        dc.BitBlt(x, y, cx, cy, &memory, srcX, srcY, SRCPAINT);
    } else {
        old = memory.SelectObject(&image);
        dc.BitBlt(x, y, cx, cy, &memory, srcX, srcY, SRCCOPY);
    }
    memory.SelectObject(old);
}

// With an active channel, the part from the minimum end to the thumb's centre is active.
void CBitmapSlider::DrawChannel(CDC& dc)
{
    Pictures& c = m_channel;
    if (!c.set)
        return;
    if (!c.hasActive || !m_enabled) {
        DrawPicture(dc, c.image, c.mask, c.transparent, 0, 0, c.width, c.height, 0, 0);
        return;
    }
    const int split = PosToPixel(m_pos);
    if (m_vertical) {
        DrawPicture(dc, c.active, c.activeMask, c.transparent, 0, 0, c.width, split, 0, 0);
        DrawPicture(dc, c.image, c.mask, c.transparent, 0, split, c.width, c.height - split, 0, split);
    } else {
        DrawPicture(dc, c.active, c.activeMask, c.transparent, 0, 0, split, c.height, 0, 0);
        DrawPicture(dc, c.image, c.mask, c.transparent, split, 0, c.width - split, c.height, split, 0);
    }
}

void CBitmapSlider::DrawThumb(CDC& dc)
{
    if (!m_thumb.set || !m_enabled)
        return;
    const CRect r = ThumbRect();
    if (m_channel.transparent || !m_channel.set) {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        m_background.DeleteObject();
        m_background.CreateCompatibleBitmap(&dc, r.Width(), r.Height());
        CBitmap* old = memory.SelectObject(&m_background);
        memory.BitBlt(0, 0, r.Width(), r.Height(), &dc, r.left, r.top, SRCCOPY);
        memory.SelectObject(old);
        m_lastThumb = r.TopLeft();
    }
    const bool active = m_dragging && m_thumb.hasActive;
    DrawPicture(dc, active ? m_thumb.active : m_thumb.image, active ? m_thumb.activeMask : m_thumb.mask,
                m_thumb.transparent, r.left, r.top, r.Width(), r.Height(), 0, 0);
}

void CBitmapSlider::OnPaint()
{
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    COffscreenDC dc(&paint);
    if (m_channel.transparent)
        dc.BitBlt(0, 0, client.Width(), client.Height(), &paint, 0, 0, SRCCOPY);
    else
        dc.FillSolidRect(&client, paint.GetBkColor());
    if (m_focusRectDrawn && !(m_channel.set && !m_channel.transparent))
        dc.DrawFocusRect(&client);
    m_focusRectDrawn = FALSE;
    DrawChannel(dc);
    if (m_lastThumb.x >= 0 && m_background.GetSafeHandle()) {
        CDC memory;
        memory.CreateCompatibleDC(&dc);
        CBitmap* old = memory.SelectObject(&m_background);
        dc.BitBlt(m_lastThumb.x, m_lastThumb.y, m_thumb.width, m_thumb.height, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    }
    DrawThumb(dc);
    if (m_drawFocusRect && m_hasFocus && m_enabled) {
        dc.DrawFocusRect(&client);
        m_focusRectDrawn = TRUE;
    }
}
