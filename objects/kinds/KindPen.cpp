#include "objects/kinds/KindPen.h"

#include "platform/gdi/Dc.h"

KindPen::KindPen(CDC* dc, int width, int style, COLORREF color, int zoomPercent)
    : m_dc(dc)
{
    CGdiObject* old = nullptr;
    if (width == 0) {
        old = dc->SelectStockObject(NULL_PEN);
    } else {
        m_pen.CreatePen(style, width == 1 && zoomPercent < 100 ? 0 : width, color);
        old = dc->SelectObject(&m_pen);
    }
    m_old = old ? old->GetSafeHandle() : nullptr;
}

KindPen::~KindPen()
{
    if (m_old)
        m_dc->SelectObject(m_old);
}
