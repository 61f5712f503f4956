#include "objects/HotSpotOb.h"

#include "objects/HyperOb.h"
#include "platform/gdi/Dc.h"

IMPLEMENT_DYNAMIC(CHotSpotOb, CObject)

CHotSpotOb::CHotSpotOb(CHyperOb* owner)
    : m_owner(owner)
{
    CRect rect;
    if (owner) {
        owner->GetRect(&rect, nullptr);
        m_width = rect.Width();
        m_height = rect.Height();
    }
}

CHotSpotOb::~CHotSpotOb()
{
    ReleasePicture();
}

void CHotSpotOb::ReleasePicture()
{
    if (!m_pictureDC)
        return;
    HGDIOBJ picture = m_pictureDC->SelectObject(static_cast<HGDIOBJ>(m_previousBitmap));
    if (picture)
        ::DeleteObject(picture);
    delete m_pictureDC;
    m_pictureDC = nullptr;
    m_previousBitmap = nullptr;
}

BOOL CHotSpotOb::SetPicture(HBITMAP bitmap, int width, int height)
{
    ReleasePicture();
    auto* dc = new CDC;
    if (!bitmap || !dc->CreateCompatibleDC(nullptr)) {
        delete dc;
        if (bitmap)
            ::DeleteObject(bitmap);
        return FALSE;
    }
    HGDIOBJ previous = dc->SelectObject(static_cast<HGDIOBJ>(bitmap));
    if (!previous) {
        delete dc;
        ::DeleteObject(bitmap);
        return FALSE;
    }
    m_pictureDC = dc;
    m_previousBitmap = static_cast<HBITMAP>(previous);
    m_width = width;
    m_height = height;
    return TRUE;
}

void CHotSpotOb::Draw(CDC* dc)
{
    if (m_pictureDC)
        dc->BitBlt(m_x, m_y, m_width, m_height, m_pictureDC, 0, 0, SRCCOPY);
}

int CHotSpotOb::HitTest(int px, int py, UINT flags, BOOL notify)
{
    BOOL inside = m_x <= px && px <= m_x + m_width && m_y <= py && py <= m_y + m_height;
    if (!inside)
        return 0;
    if (notify && m_owner)
        return m_owner->TrackContextMenu(m_id, this, px, py, flags);
    return 1;
}

void CHotSpotOb::Reposition()
{
    CRect r;
    if (m_owner)
        m_owner->GetRect(&r, nullptr);
    m_x = r.left;
    m_y = r.top;
    if (!m_pictureDC || m_placement < 0 || m_placement > 8)
        return;
    int column = m_placement % 3;
    int row = m_placement / 3;
    if (column == 0)
        m_x = r.left + m_offsetX;
    else if (column == 1)
        m_x = (r.left + r.right) / 2 - m_width / 2 + m_offsetX;
    else
        m_x = r.right - m_width - m_offsetX;
    // Rows: 0 top, 1 bottom, 2 middle.
    if (row == 0)
        m_y = r.top + m_offsetY;
    else if (row == 1)
        m_y = r.bottom - m_height - m_offsetY;
    else
        m_y = (r.top + r.bottom) / 2 - m_height / 2 + m_offsetY;
}

RECT* CHotSpotOb::GetRect(RECT* out) const
{
    ::SetRect(out, m_x, m_y, m_x + m_width, m_y + m_height);
    return out;
}

void CHotSpotArray::DrawAll(CDC* dc) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetHotSpot(i)->Draw(dc);
}

int CHotSpotArray::HitTestAll(int px, int py, UINT flags, BOOL notify) const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        if (int hit = GetHotSpot(i)->HitTest(px, py, flags, notify))
            return hit;
    return 0;
}

void CHotSpotArray::RepositionAll() const
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        GetHotSpot(i)->Reposition();
}
