// The editing view's zoom: a zoom step that maps an unmapped page first, and the zoom that
// fits a rectangle into the window.
#include "View/HyperView.h"

#include "objects/GridGeometry.h"
#include "objects/HyperViewOb.h"
#include "objects/UndoRecord.h"
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cmath>

void CHyperView::SetZoom(int percent, const POINT* devicePosition)
{
    if (percent < GetFirstZoom() || percent > GetMaxZoom())
        return;
    CHyperViewOb* page = GetPageObject();
    if (!IsMapped() && percent != 100 && page) {
        PushUndo(new CUndoRecord(this, UndoProperties), FALSE);
        page->ScrollBars = 1;
        page->UpdateLayout(FALSE, 0);
    }
    CRect client;
    GetClientRect(&client);
    if (!IsMapped() || !page) {
        m_zoom = 100;
        ScrollToPosition(CPoint(0, 0));
        UpdateScrollSizes(client.Width(), client.Height());
        Invalidate();
        return;
    }
    const int oldZoom = m_zoom;
    const CPoint scrolled = GetScrollPosition();
    CPoint target = devicePosition ? CPoint(*devicePosition)
                                   : CPoint(MulDiv(scrolled.x + client.Width() / 2, 100, oldZoom),
                                            MulDiv(scrolled.y + client.Height() / 2, 100, oldZoom));
    m_zoom = percent;
    UpdateScrollSizes(page->GetScrollWidth(), page->GetScrollHeight());
    if (!devicePosition)
        target = CPoint(MulDiv(target.x, percent, 100) - client.Width() / 2,
                        MulDiv(target.y, percent, 100) - client.Height() / 2);
    const CSize total(page->GetScrollWidth() * percent / 100, page->GetScrollHeight() * percent / 100);
    auto limit = [&](LONG& value, int extent, int totalSize, int grid) {
        value = std::max<LONG>(0, std::min<LONG>(value, totalSize - extent));
        if (percent % 50 == 0)
            ::SnapToGrid(reinterpret_cast<int*>(&value), grid * percent / 100);
    };
    limit(target.x, client.Width(), total.cx, GetGridStepX());
    limit(target.y, client.Height(), total.cy, GetGridStepY());
    ScrollToDevicePosition(target);
    // The ink layer and the rulers follow the new zoom from the new scroll position.
    SetZoom(percent);
}

void CHyperView::ZoomToRect(RECT rect, const double* scale)
{
    CRect area(rect);
    area.NormalizeRect();
    CRect client;
    GetClientRect(&client);
    double factor = 1.0;
    if (scale)
        factor = *scale;
    else if (area.Width() > 0 && area.Height() > 0)
        factor = std::min(static_cast<double>(client.Width()) / area.Width(),
                          static_cast<double>(client.Height()) / area.Height());
    int zoom = static_cast<int>(std::floor(factor * m_zoom + 3.0));
    zoom -= zoom % 5;
    zoom = std::clamp(zoom, GetFirstZoom(), std::max(GetFirstZoom(), GetMaxZoom()));
    CPoint origin(MulDiv(area.left, 100, m_zoom), MulDiv(area.top, 100, m_zoom));
    CClientDC dc(this);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1000, 1000);
    dc.SetViewportExt(zoom * 10, zoom * 10);
    dc.LPtoDP(&origin);
    SetZoom(zoom, &origin);
}
