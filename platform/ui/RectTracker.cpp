#include "platform/ui/RectTracker.h"

#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cstdlib>

namespace {
// Where each handle sits on the (inflated) rectangle: 0 at the left or top edge, 1 centred,
// 2 against the right or bottom edge.
struct HandlePlace {
    int x;
    int y;
};
constexpr HandlePlace handlePlaces[8]
    = { { 0, 0 }, { 2, 0 }, { 2, 2 }, { 0, 2 }, { 1, 0 }, { 2, 1 }, { 1, 2 }, { 0, 1 } };

int Place(int place, int low, int extent, int size)
{
    if (place == 0)
        return low;
    if (place == 1)
        return low + (extent - size) / 2;
    return low + extent - size;
}

}

CDevicePixelScope::CDevicePixelScope(CDC* dc, CRect* rect)
    : m_dc(dc)
    , m_saved(dc->SaveDC())
{
    if (rect)
        dc->LPtoDP(rect);
    dc->SetMapMode(MM_TEXT);
    dc->SetViewportOrg(0, 0);
    dc->SetWindowOrg(0, 0);
}

CDevicePixelScope::~CDevicePixelScope()
{
    m_dc->RestoreDC(m_saved);
}

int CRectTracker::GetHandleSize(LPCRECT rect) const
{
    const RECT& r = rect ? *rect : m_rect;
    int size = m_nHandleSize;
    if (!(m_nStyle & resizeOutside)) {
        int sizeMax = std::min(std::abs(r.right - r.left), std::abs(r.bottom - r.top));
        if (size * 2 > sizeMax)
            size = sizeMax / 2;
    }
    return size;
}

UINT CRectTracker::GetHandleMask() const
{
    UINT mask = 0x0F;
    int size = m_nHandleSize * 3;
    if (std::abs(m_rect.Width()) - size > 4)
        mask |= 0x50;
    if (std::abs(m_rect.Height()) - size > 4)
        mask |= 0xA0;
    return mask;
}

int CRectTracker::NormalizeHit(int handle) const
{
    if (handle < 0 || handle > 7)
        return handle;
    static constexpr int flipX[8] = { 1, 0, 3, 2, 4, 7, 6, 5 };
    static constexpr int flipY[8] = { 3, 2, 1, 0, 6, 5, 4, 7 };
    if (m_rect.Width() < 0)
        handle = flipX[handle];
    if (m_rect.Height() < 0)
        handle = flipY[handle];
    return handle;
}

void CRectTracker::GetHandleRect(int handle, CRect* handleRect) const
{
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine))
        r.InflateRect(1, 1);
    int size = GetHandleSize();
    if (m_nStyle & resizeOutside)
        r.InflateRect(size - 1, size - 1);
    const HandlePlace& place = handlePlaces[NormalizeHit(handle)];
    int left = Place(place.x, r.left, r.Width(), size);
    int top = Place(place.y, r.top, r.Height(), size);
    handleRect->SetRect(left, top, left + size, top + size);
}

void CRectTracker::GetTrueRect(LPRECT trueRect) const
{
    CRect r = m_rect;
    r.NormalizeRect();
    int inflateBy = 0;
    if (m_nStyle & (resizeOutside | hatchedBorder))
        inflateBy += GetHandleSize() - 1;
    if (m_nStyle & (solidLine | dottedLine))
        ++inflateBy;
    r.InflateRect(inflateBy, inflateBy);
    *trueRect = r;
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    UINT mask = GetHandleMask();
    for (int i = 0; i < 8; ++i) {
        CRect handle;
        GetHandleRect(i, &handle);
        if ((mask & (1u << i)) && handle.PtInRect(point))
            return i;
    }
    if (!(m_nStyle & hatchedBorder)) {
        CRect r = m_rect;
        r.NormalizeRect();
        if (m_nStyle & (solidLine | dottedLine))
            r.InflateRect(1, 1);
        if (!r.PtInRect(point))
            return hitNothing;
    }
    return hitMiddle;
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect trueRect;
    GetTrueRect(&trueRect);
    if (!trueRect.PtInRect(point))
        return hitNothing;
    if (m_nStyle & (resizeInside | resizeOutside))
        return HitTestHandles(point);
    return hitMiddle;
}

UINT CRectTracker::GetCursorId(int hit)
{
    static constexpr UINT cursors[9] = { CursorSizeNWSE, CursorSizeNESW, CursorSizeNWSE, CursorSizeNESW,
        CursorSizeNS, CursorSizeWE, CursorSizeNS, CursorSizeWE, CursorSizeAll };
    return hit >= 0 && hit <= 8 ? cursors[hit] : 0;
}

void CRectTracker::Draw(CDC* dc) const
{
    CRect r = m_rect;
    CDevicePixelScope pixels(dc, &r);
    CRectTracker device(*this);
    device.m_rect = r;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine)) {
        CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
        CPen* oldPen = dc->SelectObject(&pen);
        CGdiObject* oldBrush = dc->SelectStockObject(NULL_BRUSH);
        CRect frame = r;
        frame.InflateRect(1, 1);
        dc->Rectangle(&frame);
        dc->SelectObject(oldPen);
        if (oldBrush)
            dc->SelectObject(oldBrush->GetSafeHandle());
    }
    if (m_nStyle & hatchedBorder) {
        CBrush hatch(HS_BDIAGONAL, RGB(0, 0, 0));
        CRect border;
        device.GetTrueRect(&border);
        CRgn outer, inner;
        outer.CreateRectRgnIndirect(&border);
        inner.CreateRectRgnIndirect(&r);
        outer.CombineRgn(&outer, &inner, RGN_DIFF);
        dc->FillRgn(&outer, &hatch);
    }
    if (m_nStyle & (resizeInside | resizeOutside)) {
        UINT mask = device.GetHandleMask();
        for (int i = 0; i < 8; ++i) {
            CRect handle;
            device.GetHandleRect(i, &handle);
            if (mask & (1u << i))
                dc->FillSolidRect(&handle, RGB(0, 0, 0));
        }
    }
}
