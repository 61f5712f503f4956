#include "controls/OffscreenDC.h"

COffscreenDC::COffscreenDC(CDC* target) : m_target(target), m_inUse(!target->IsPrinting())
{
    target->GetClipBox(&m_area);
    if (!m_inUse) {
        Attach(target->GetSafeHdc());
        return;
    }
    CRect device = m_area;
    target->LPtoDP(&device);
    CreateCompatibleDC(target);
    m_bitmap.CreateCompatibleBitmap(target, device.Width(), device.Height());
    m_oldBitmap = SelectObject(&m_bitmap);
    SetMapMode(target->GetMapMode());
    SetWindowExt(target->GetWindowExt());
    SetViewportExt(target->GetViewportExt());
    SetWindowOrg(m_area.left, m_area.top);
}

COffscreenDC::~COffscreenDC()
{
    if (!m_inUse) {
        Detach();
        return;
    }
    m_target->BitBlt(m_area.left, m_area.top, m_area.Width(), m_area.Height(), this, m_area.left, m_area.top, SRCCOPY);
    SelectObject(m_oldBitmap);
    m_bitmap.DeleteObject();
}
