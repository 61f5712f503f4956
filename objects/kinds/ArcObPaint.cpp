// Drawing and hit testing of the arc.
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/kinds/ArcOb.h"
#include "objects/kinds/KindPen.h"
#include "platform/gdi/Dc.h"

#include <cstdlib>

void CArcOb::Draw(CDC* dc)
{
    if (IsRotated()) {
        DrawOutline(dc);
        DrawAlarmBitmap(dc);
        return;
    }
    COLORREF back, fore;
    GetBackColor(&back);
    GetForeColor(&fore);
    KindPen pen(dc, PenWidth, PenStyle, fore, GetHost()->GetZoomPercent());
    CBrush fill;
    CGdiObject* oldBrush = nullptr;
    int oldMode = dc->GetBkMode();
    COLORREF oldBack = dc->GetBkColor();
    if (IsTransparent()) {
        oldBrush = dc->SelectStockObject(NULL_BRUSH);
        dc->SetBkMode(TRANSPARENT);
    } else {
        fill.CreateSolidBrush(back);
        oldBrush = dc->SelectObject(&fill);
        dc->SetBkColor(back);
    }
    int a = std::abs(m_radiusX);
    int b = std::abs(m_radiusY);
    CRect ellipse(m_centre.x - a, m_centre.y - b, m_centre.x + a, m_centre.y + b);
    POINT start = PointAt(StartAngle);
    POINT end = PointAt(EndAngle);
    start = {start.x + m_centre.x, start.y + m_centre.y};
    end = {end.x + m_centre.x, end.y + m_centre.y};
    if (Wedge)
        dc->Pie(&ellipse, start, end);
    else if (IsTransparent())
        dc->Arc(&ellipse, start, end);
    else
        dc->Chord(&ellipse, start, end);
    if (oldBrush)
        dc->SelectObject(oldBrush->GetSafeHandle());
    dc->SetBkMode(oldMode);
    dc->SetBkColor(oldBack);
    DrawAlarmBitmap(dc);
}

int CArcOb::HitTest(CPoint point)
{
    int hit = CHyperDrawOb::HitTest(point);
    if (hit != CRectTracker::hitMiddle || IsTransparent() || IsRotated())
        return hit;
    std::vector<POINT> outline = OutlinePoints();
    CRect rect;
    CPoint middle = GetRect(&rect, nullptr)->CenterPoint();
    CRgn region;
    if (!region.CreatePolygonRgn(outline.data(), static_cast<int>(outline.size()), WINDING))
        return CRectTracker::hitNothing;
    return region.PtInRegion(point.x - middle.x, point.y - middle.y) ? hit : CRectTracker::hitNothing;
}
