#include "objects/kinds/ConnectorDragLine.h"

#include "objects/AnchorFmt.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/SnapPointSet.h"
#include "objects/kinds/ConnectL0.h"
#include "objects/kinds/ConnectorRoute.h"
#include "objects/kinds/LineRouterView.h"

#include <cstdlib>
#include <limits>

namespace {

template <typename Visit>
void ForEachSnapPoint(CHyperOb& object, Visit visit)
{
    CSnapPointSet* points = object.GetSnapPoints(FALSE);
    if (!points)
        return;
    const CAnchorFmt& list = points->GetList();
    for (INT_PTR k = 0; k < list.GetSize(); ++k) {
        const CAnchorItem* item = list.GetAnchor(k);
        POINT place;
        if (GetSnapPlace(points, item->m_id, &place))
            visit(place, item->m_position);
    }
}

long long SquaredDistance(POINT a, POINT b)
{
    const long long dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

BOOL NearestSnapPoint(CHyperOb& object, CPoint page, SnapLanding* landing)
{
    long long best = std::numeric_limits<long long>::max();
    ForEachSnapPoint(object, [&](POINT place, int side) {
        if (SquaredDistance(place, page) < best) {
            best = SquaredDistance(place, page);
            *landing = {place, side};
        }
    });
    return best != std::numeric_limits<long long>::max();
}

BOOL CapturingSnapPoint(CHyperOb& object, CPoint page, SnapLanding* landing)
{
    const int reach = CConnectorEnds::CaptureSize / 2;
    BOOL found = FALSE;
    ForEachSnapPoint(object, [&](POINT place, int side) {
        if (!found && std::abs(place.x - page.x) <= reach && std::abs(place.y - page.y) <= reach) {
            *landing = {place, side};
            found = TRUE;
        }
    });
    return found;
}

} // namespace

BOOL FindSnapLanding(const CObArray& targets, CPoint page, SnapLanding* landing)
{
    for (INT_PTR i = 0; i < targets.GetSize(); ++i) {
        auto* target = static_cast<CHyperOb*>(targets.GetAt(i));
        if (target->HitTest(page) >= 0 && NearestSnapPoint(*target, page, landing))
            return TRUE;
    }
    for (INT_PTR i = 0; i < targets.GetSize(); ++i)
        if (CapturingSnapPoint(*static_cast<CHyperOb*>(targets.GetAt(i)), page, landing))
            return TRUE;
    return FALSE;
}

int SnapSideAt(const CObArray& targets, POINT place)
{
    int found = -1;
    for (INT_PTR i = 0; i < targets.GetSize() && found < 0; ++i)
        ForEachSnapPoint(*static_cast<CHyperOb*>(targets.GetAt(i)), [&](POINT at, int side) {
            if (found < 0 && at.x == place.x && at.y == place.y)
                found = side;
        });
    return found;
}

CConnectorDragLine::CConnectorDragLine(CConnectL0& connector) : m_connector(connector)
{
    Init(connector.GetView(), nullptr, FALSE);
    // With the connector's name the line is never taken for a new object, nor captured by it.
    Code = connector.Code;
}

void CConnectorDragLine::Begin(int end)
{
    const CConnectorEnds& ends = m_connector.m_ends;
    m_end = end;
    m_fixed = end == 0 ? ends.GetEndPoint() : ends.GetStartPoint();
    m_fixedSide = end == 0 ? ends.GetEndSnapPointType() : ends.GetStartSnapPointType();
    CollectSnapTargets();
}

BOOL CConnectorDragLine::Drag(int end, CPoint page, POINT* moved)
{
    Begin(end);
    CPoint device = page;
    GetHost()->LogicalToDevice(&device, 1);
    SnapLanding landing {};
    const BOOL landed = GetHost()->TrackBandInView(*GetTracker(), device)
        && FindSnapLanding(m_snapTargets, Rect().BottomRight(), &landing);
    EraseSnapMarks();
    if (landed)
        *moved = landing.place;
    return landed;
}

void CConnectorDragLine::CollectSnapTargets()
{
    m_snapTargets.RemoveAll();
    GatherSnapTargets(GetHost(), &m_connector, m_snapTargets);
    m_startMark.SetRectEmpty();
    m_endMark.SetRectEmpty();
}

std::vector<POINT> CConnectorDragLine::RoutedPath(POINT dragged, int draggedSide) const
{
    const BOOL first = m_end == 0;
    return RouteConnector(dynamic_cast<const CLineRouterView*>(GetHost()), 0, first ? m_fixed : dragged,
                          first ? m_fixedSide : draggedSide, first ? dragged : m_fixed,
                          first ? draggedSide : m_fixedSide);
}

BOOL CConnectorDragLine::DrawDragFeedback(CWnd*, CDC* dc, CWnd*, BOOL erase)
{
    if (!erase) {
        const CPoint mouse = GetTracker()->LogicalRect(Rect()).BottomRight();
        SnapLanding landing {mouse, -1};
        m_startSnapped = FALSE;
        m_endSnapped = FindSnapLanding(m_snapTargets, mouse, &landing);
        m_dragEnd = landing.place;
        std::vector<POINT> path = RoutedPath(landing.place, landing.side);
        GetHost()->LogicalToDevice(path.data(), static_cast<int>(path.size()));
        GetTracker()->m_feedback = std::move(path);
    }
    CHyperTracker::FillOutlineRgn(dc, GetTracker()->m_feedback.data(), static_cast<int>(GetTracker()->m_feedback.size()));
    DrawSnapMarks(dc, erase);
    return TRUE;
}
