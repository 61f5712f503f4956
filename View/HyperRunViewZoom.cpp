// Zoom steps, scrolling and the conversion between device and page units.
#include "View/HyperRunView.h"

#include "objects/GridGeometry.h"
#include "objects/HyperViewOb.h"
#include "platform/gdi/Dc.h"

#include <algorithm>

namespace {

// The largest zoom under the limit, rounded down to a step that reads well.
int RoundZoomLimit(int limit)
{
    int step = limit >= 500 ? 100 : limit >= 200 ? 50 : 25;
    return limit - limit % step;
}

template <typename Convert>
void WithPreparedDC(CHyperRunView* view, CDC* dc, Convert convert)
{
    if (dc) {
        convert(dc);
        return;
    }
    CClientDC client(view);
    view->OnPrepareDC(&client);
    convert(&client);
}

} // namespace

int CHyperRunView::GetFirstZoom() const
{
    return m_zoomTable.GetSize() < 2 ? 100 : static_cast<int>(m_zoomTable[0]);
}

int CHyperRunView::GetNextZoom(int zoom) const
{
    const INT_PTR n = m_zoomTable.GetSize();
    if (n < 2)
        return 100;
    for (INT_PTR k = 0; k + 1 < n; ++k) {
        if (static_cast<int>(m_zoomTable[k]) >= zoom)
            return static_cast<int>(m_zoomTable[k + 1]);
    }
    return static_cast<int>(m_zoomTable[n - 1]);
}

int CHyperRunView::GetPrevZoom(int zoom) const
{
    const INT_PTR n = m_zoomTable.GetSize();
    if (n < 2)
        return 100;
    for (INT_PTR j = n - 1; j > 0; --j) {
        if (static_cast<int>(m_zoomTable[j]) <= zoom)
            return static_cast<int>(m_zoomTable[j - 1]);
    }
    return static_cast<int>(m_zoomTable[0]);
}

int CHyperRunView::GetMaxZoom() const
{
    const INT_PTR n = m_zoomTable.GetSize();
    if (n < 2)
        return 100;
    const int last = static_cast<int>(m_zoomTable[n - 1]);
    const int extent = m_pageObject ? std::max(m_pageObject->GetScrollWidth(), m_pageObject->GetScrollHeight()) : 0;
    if (extent <= 0)
        return last;
    const int limit = MaxZoomedExtent / extent;
    return limit >= last ? last : RoundZoomLimit(limit);
}

void CHyperRunView::SetZoom(int zoom)
{
    if (zoom <= 0)
        return;
    m_zoom = m_zoomTable.GetSize() < 2 ? zoom : std::min(zoom, GetMaxZoom());
    if (IsMapped())
        UpdateScrollSizes(m_pageObject->GetScrollWidth(), m_pageObject->GetScrollHeight());
    if (m_hWnd)
        Invalidate(TRUE);
}

BOOL CHyperRunView::IsAltClick() const
{
    return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) < 0;
}

void CHyperRunView::UpdateScrollSizes(int width, int height)
{
    if (!IsEditMode() && !IsMapped())
        return;
    CRect client;
    if (m_hWnd)
        GetClientRect(&client);
    int pageX = client.Width() / 2;
    int pageY = client.Height() / 2;
    ::SnapToGrid(&pageX, GetGridStepX());
    ::SnapToGrid(&pageY, GetGridStepY());
    const CSize total(width * m_zoom / 100, height * m_zoom / 100);
    const CSize page(pageX * m_zoom / 100, pageY * m_zoom / 100);
    const CSize line(GetGridStepX() * m_zoom / 100, GetGridStepY() * m_zoom / 100);
    SetScrollSizes(MM_TEXT, total, page, line);
}

void CHyperRunView::OnSize(UINT type, int cx, int cy)
{
    if (!IsMapped())
        SetScrollSizes(MM_TEXT, CSize(std::max(cx, 0), std::max(cy, 0)));
    CScrollView::OnSize(type, cx, cy);
}

void CHyperRunView::DeviceToLogical(LPPOINT point, CDC* dc)
{
    if (IsMapped())
        WithPreparedDC(this, dc, [&](CDC* prepared) { prepared->DPtoLP(point); });
}

void CHyperRunView::DeviceToLogicalRect(LPRECT rect, CDC* dc)
{
    if (IsMapped())
        WithPreparedDC(this, dc, [&](CDC* prepared) { prepared->DPtoLP(rect); });
}

void CHyperRunView::LogicalToDevice(LPPOINT point, CDC* dc)
{
    if (IsMapped())
        WithPreparedDC(this, dc, [&](CDC* prepared) { prepared->LPtoDP(point); });
}

void CHyperRunView::LogicalToDeviceRect(LPRECT rect, CDC* dc)
{
    if (IsMapped())
        WithPreparedDC(this, dc, [&](CDC* prepared) { prepared->LPtoDP(rect); });
}

// Arithmetic rather than a DC: objects ask this for every area they invalidate.
void CHyperRunView::LogicalToDevice(POINT* points, int count) const
{
    if (!IsMapped())
        return;
    const CPoint scroll = m_hWnd ? GetDeviceScrollPosition() : CPoint(0, 0);
    for (int i = 0; i < count; ++i) {
        points[i].x = MulDiv(points[i].x, m_zoom, 100) - scroll.x;
        points[i].y = MulDiv(points[i].y, m_zoom, 100) - scroll.y;
    }
}

// The way back from the view window's device units.
void CHyperRunView::DeviceToLogicalPoints(POINT* points, int count) const
{
    if (!IsMapped() || m_zoom <= 0)
        return;
    const CPoint scroll = m_hWnd ? GetDeviceScrollPosition() : CPoint(0, 0);
    for (int i = 0; i < count; ++i) {
        points[i].x = MulDiv(points[i].x + scroll.x, 100, m_zoom);
        points[i].y = MulDiv(points[i].y + scroll.y, 100, m_zoom);
    }
}
