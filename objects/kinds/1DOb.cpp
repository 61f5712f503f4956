#include "objects/kinds/1DOb.h"

#include "objects/AnchorFmt.h"
#include "objects/ConnectorEnds.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/PropNumber.h"
#include "objects/PropCombo.h"
#include "objects/SnapPointSet.h"
#include "objects/kinds/KindShared.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

IMPLEMENT_SERIAL(C1DOb, CHyperDrawOb, 0)

namespace {

constexpr KindChoice arrowheads[] = {
    {27186, 0},
    {27187, C1DOb::HeadAtFirst},
    {27188, C1DOb::HeadAtSecond},
    {27189, C1DOb::HeadAtFirst | C1DOb::HeadAtSecond},
};
// The angle between the line and each wing, seen from the tip.
constexpr double WingAngle = 2.618;

} // namespace

ArrowHead ComputeArrowHead(int x1, int y1, int x2, int y2, int height)
{
    const double length = std::hypot(x2 - x1, y2 - y1);
    // A line of length 0 has no direction: its head shrinks to the tip.
    const double ratio = height == -1 ? 0.2 : (length > 0 ? height / length : 0.0);
    const double bx = x1 * ratio + x2 * (1 - ratio);
    const double by = y1 * ratio + y2 * (1 - ratio);
    const double dx = x2 - bx;
    const double dy = y2 - by;
    const double wing = std::hypot(dx, dy);
    const double a = dx == 0 && dy == 0 ? 0.0 : std::atan2(dy, dx);
    const POINT tip = {x2, y2};
    const POINT w1 = {static_cast<LONG>(x2 + std::cos(a - WingAngle) * wing),
                      static_cast<LONG>(y2 + std::sin(a - WingAngle) * wing)};
    const POINT w2 = {static_cast<LONG>(x2 + std::cos(a + WingAngle) * wing),
                      static_cast<LONG>(y2 + std::sin(a + WingAngle) * wing)};
    return {{tip, w1, w2, tip, {(w1.x + w2.x) / 2, (w1.y + w2.y) / 2}}};
}

void DrawArrowHead(CDC* dc, int x1, int y1, int x2, int y2, int height)
{
    const ArrowHead head = ComputeArrowHead(x1, y1, x2, y2, height);
    dc->MoveTo(head.points[4]);
    LOGPEN current {};
    if (CPen* pen = dc->GetCurrentPen())
        pen->GetLogPen(&current);
    CPen solid(PS_SOLID, current.lopnWidth.x, current.lopnColor);
    CPen* old = dc->SelectObject(&solid);
    dc->Polygon(head.points, 4);
    dc->SelectObject(old);
}

BOOL IsPointNearSegment(int px, int py, int x1, int y1, int x2, int y2, int tolerance)
{
    double fx, fy;
    if (std::fabs(static_cast<double>(x2 - x1)) < FLT_MIN) {
        fx = x1, fy = py;
    } else if (std::fabs(static_cast<double>(y2 - y1)) < FLT_MIN) {
        fx = px, fy = y1;
    } else {
        const double m = static_cast<double>(y2 - y1) / (x2 - x1);
        const double q = y1 - x1 * m;
        fx = ((py - q) * m + px) / (m * m + 1);
        fy = m * fx + q;
    }
    fx = std::clamp(fx, static_cast<double>(std::min(x1, x2)), static_cast<double>(std::max(x1, x2)));
    fy = std::clamp(fy, static_cast<double>(std::min(y1, y2)), static_cast<double>(std::max(y1, y2)));
    return static_cast<int>(std::hypot(fx - px, fy - py)) <= tolerance;
}

void GatherSnapTargets(CObjectHost* host, const CHyperOb* except, CObArray& out)
{
    for (int i = 0; host && i < host->GetObjectCount(); ++i) {
        auto* object = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        CSnapPointSet* set = object && object != except ? object->GetSnapPoints(FALSE) : nullptr;
        if (set && set->GetCount() > 0)
            out.Add(object);
    }
}

CPropOb* C1DOb::CreateProperty(UINT propertyId, BOOL withChoices)
{
    switch (propertyId) {
    case ArrowheadTypeId:
        return MakeChoiceEditor(propertyId, &Arrowhead, arrowheads, 4, withChoices);
    case ArrowheadHeightId:
        return new CPropInt(propertyId, &ArrowheadHeight, MinArrowheadHeight, MaxArrowheadHeight);
    default:
        return CHyperDrawOb::CreateProperty(propertyId, withChoices);
    }
}

void C1DOb::CollectProperties(CObArray& list, BOOL withChoices)
{
    CHyperDrawOb::CollectProperties(list, withChoices);
    static constexpr UINT ids[] = {ArrowheadTypeId, ArrowheadHeightId};
    AppendProperties(this, list, ids, 2, withChoices);
}

void C1DOb::CopyFrom(const CHyperBaseOb* base)
{
    CHyperDrawOb::CopyFrom(base);
    auto* other = dynamic_cast<const C1DOb*>(base);
    if (!other || other == this)
        return;
    Arrowhead = other->Arrowhead;
    ArrowheadHeight = other->ArrowheadHeight;
    m_connectionColor = other->m_connectionColor;
}

void C1DOb::ApplyDefaults()
{
    CHyperDrawOb::ApplyDefaults();
    EnsureShape();
    if (m_tracker)
        m_tracker->m_sizeMin = GetMinimumSize();
}

void C1DOb::GetUpdateRect(CRect* out, CDC* dc) const
{
    CHyperDrawOb::GetUpdateRect(out, dc);
    // The pen straddles the end points, which lie on the rectangle's right and bottom edges
    // too: without this reach those strokes are clipped away and never erased.
    const int reach = PenWidth / 2 + 1;
    out->InflateRect(reach, reach);
    if (Arrowhead == 0)
        return;
    const BOOL handles = m_tracker && m_tracker->m_nStyle != 0;
    const int grow = std::max(1, ArrowheadHeight - (handles ? 8 : 0));
    out->InflateRect(grow, grow);
}

BOOL C1DOb::GetForeColor(COLORREF* color) const
{
    const BOOL result = CHyperDrawOb::GetForeColor(color);
    if (ForeColor == static_cast<COLORREF>(-1) && m_connectionColor != static_cast<COLORREF>(-1))
        *color = m_connectionColor;
    return result;
}

void C1DOb::DrawArrowHead(CDC* dc, int x1, int y1, int x2, int y2, int height)
{
    ::DrawArrowHead(dc, x1, y1, x2, y2, height);
}

CAnchorItem* C1DOb::ComputeConnectionColour()
{
    m_connectionColor = static_cast<COLORREF>(-1);
    CConnectorEnds* ends = GetEndPoints();
    for (int index = 1; ends && index >= 0; --index) {
        int id = -1;
        CHyperOb* object = index == 1 ? ends->GetEndObject(&id) : ends->GetStartObject(&id);
        CSnapPointSet* set = object ? object->GetSnapPoints(FALSE) : nullptr;
        CAnchorItem* item = set ? set->FindPoint(id) : nullptr;
        if (item && item->m_colorFlag) {
            m_connectionColor = item->m_color;
            return item;
        }
    }
    return nullptr;
}
