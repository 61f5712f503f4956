// Drawing and hit testing of the line.
#include "objects/kinds/LineOb.h"

#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <algorithm>
#include <utility>

int CLineOb::HitTolerance() const
{
    const int zoom = std::max(1, GetHost()->GetZoomPercent());
    const int tolerance = HitReach / zoom;
    return tolerance < 2 ? 1 : tolerance;
}

int CLineOb::HitTest(CPoint point)
{
    if (GroupID != -1 || !HasShape())
        return C1DOb::HitTest(point);
    const int tolerance = HitTolerance();
    const CRect rect = Rect();
    if (rect.Width() >= tolerance && rect.Height() >= tolerance) {
        const int hit = C1DOb::HitTest(point);
        const int o = m_ends.GetOrientation();
        if (hit == CRectTracker::hitMiddle && (o == CConnectorEnds::Diagonal || o == CConnectorEnds::Rising)) {
            const POINT a = o == CConnectorEnds::Diagonal ? rect.TopLeft() : CPoint(rect.right, rect.top);
            const POINT b = o == CConnectorEnds::Diagonal ? rect.BottomRight() : CPoint(rect.left, rect.bottom);
            if (!IsPointNearSegment(point.x, point.y, a.x, a.y, b.x, b.y, tolerance))
                return CRectTracker::hitNothing;
        }
        return hit;
    }
    // A thin line is hit within the tolerance on either side while no handles show.
    CRect widened = rect;
    if (!m_tracker || m_tracker->m_nStyle == 0)
        widened.InflateRect(tolerance, tolerance);
    Rect() = widened;
    const int hit = C1DOb::HitTest(point);
    Rect() = rect;
    return hit;
}

void CLineOb::Draw(CDC* dc)
{
    COLORREF color;
    GetForeColor(&color);
    int width = 1, style = 0;
    GetPenWidth(&width);
    GetPenStyle(&style);
    if (width == 1 && GetHost()->GetZoomPercent() < 100)
        width = 0;
    CPen pen(style, width, color);
    CPen* oldPen = dc->SelectObject(&pen);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    CPoint first = m_ends.GetStartPoint();
    CPoint second = m_ends.GetEndPoint();
    if (m_ends.GetOrientation() == CConnectorEnds::Rising) {
        first.y -= 1;
        second.y -= 1;
    }
    // The same pixels whatever the swap flag: always from the end with the smaller x.
    const BOOL fromSecond = second.x < first.x;
    dc->MoveTo(fromSecond ? second : first);
    dc->LineTo(fromSecond ? first : second);
    CBrush brush(color);
    CBrush* oldBrush = dc->SelectObject(&brush);
    if (Arrowhead & HeadAtFirst)
        DrawArrowHead(dc, second.x, second.y, first.x, first.y, ArrowheadHeight);
    if (Arrowhead & HeadAtSecond)
        DrawArrowHead(dc, first.x, first.y, second.x, second.y, ArrowheadHeight);
    dc->SelectObject(oldBrush);
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldPen);
    DrawAlarmBitmap(dc);
}
