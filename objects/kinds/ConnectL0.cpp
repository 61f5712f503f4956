#include "objects/kinds/ConnectL0.h"

#include "objects/AnchorFmt.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/VersionTag.h"
#include "objects/kinds/ConnectorRoute.h"
#include "objects/kinds/LineRouterView.h"
#include "objects/kinds/KindShared.h"
#include "platform/core/Archive.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/RectTracker.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

IMPLEMENT_SERIAL(CConnectL0, CBasePolyOb, 0)

namespace {
constexpr POINT DefaultEnds[] = {{25, 25}, {-25, -25}};
}

void CConnectL0Ends::ComputeEndPoints(POINT* first, POINT* second, BOOL, int* handle1, int* handle2) const
{
    const int n = m_list ? m_list->GetNumberOfPoints() : 0;
    *first = m_list ? m_list->GetPoint(0) : CPoint();
    *second = m_list ? m_list->GetPoint(n - 1) : CPoint();
    if (handle1)
        *handle1 = -1;
    if (handle2)
        *handle2 = -1;
}

BOOL CConnectL0Ends::MoveEndPoints(const POINT points[2], const int[2])
{
    const int n = m_list ? m_list->GetNumberOfPoints() : 0;
    if (n == 0)
        return FALSE;
    m_list->SetPointAt(0, points[0].x, points[0].y);
    m_list->SetPointAt(n - 1, points[1].x, points[1].y);
    m_list->RecalcFrameFromPoints(TRUE);
    return TRUE;
}

CSegmentRectTest::CSegmentRectTest(const RECT& rect, int x1, int y1, int x2, int y2)
    : m_rect(rect)
    , m_a{x1, y1}
    , m_b{x2, y2}
{
    if (x1 == x2) {
        m_slope = FLT_MAX;
        m_intercept = x1;
    } else {
        m_slope = static_cast<double>(y2 - y1) / (x2 - x1);
        m_intercept = y2 - x2 * m_slope;
    }
}

BOOL CSegmentRectTest::IsVertical() const
{
    return std::fabs(m_slope) >= FLT_MAX;
}

BOOL CSegmentRectTest::CrossesEdge(double a, double b, double c, double d, double e, BOOL verticalEdge) const
{
    double crossing;
    if (verticalEdge) {
        if (IsVertical())
            return FALSE;
        crossing = e * m_slope + m_intercept;
    } else {
        if (m_slope == 0)
            return FALSE;
        crossing = IsVertical() ? m_a.x : (e - m_intercept) / m_slope;
    }
    return crossing >= a && crossing <= b && (c - e) * (d - e) <= 0;
}

BOOL CSegmentRectTest::Intersects() const
{
    if (m_rect.PtInRect(m_a) || m_rect.PtInRect(m_b))
        return TRUE;
    const double l = m_rect.left, t = m_rect.top, r = m_rect.right, b = m_rect.bottom;
    if (IsVertical()) {
        const double y1 = m_a.y, y2 = m_b.y;
        if (m_a.x >= l && m_a.x <= r && ((y1 - t) * (y2 - t) <= 0 || (y1 - b) * (y2 - b) <= 0))
            return TRUE;
    }
    return CrossesEdge(t, b, m_a.x, m_b.x, l, TRUE) || CrossesEdge(t, b, m_a.x, m_b.x, r, TRUE)
        || CrossesEdge(l, r, m_a.y, m_b.y, t, FALSE) || CrossesEdge(l, r, m_a.y, m_b.y, b, FALSE);
}

CConnectL0::CConnectL0()
{
    m_ends.m_owner = this;
    m_ends.m_list = this;
    m_stayInFront = TRUE;
    m_keepsDirection = TRUE;
}

void CConnectL0::Serialize(CArchive& archive)
{
    CBasePolyOb::Serialize(archive);
    CVersionTag tag(&archive, this, RecordVersion);
    if (archive.IsStoring()) {
        tag.Write();
        archive << static_cast<DWORD>(m_connectionColor);
    } else if (tag.Read()) {
        m_connectionColor = static_cast<COLORREF>(ReadInt32(archive));
    }
}

void CConnectL0::ApplyDefaults()
{
    SetRect(CRect(50, 50, 100, 100));
    if (m_outlineCount == 0) {
        m_outlinePoints = new POINT[2];
        std::copy(std::begin(DefaultEnds), std::end(DefaultEnds), m_outlinePoints);
        m_outlineCount = 2;
    }
    EnsureShape();
    if (m_tracker)
        m_tracker->m_sizeMin = GetMinimumSize();
}

BOOL CConnectL0::MayReroute(int recalc) const
{
    CObjectHost* host = GetHost();
    return recalc != 0 && recalc != 2 && !host->IsBusy() && !host->IsEditPointsMode() && GroupID == -1;
}

void CConnectL0::UpdateLayout(int recalc, BOOL hint)
{
    CHyperOb::UpdateLayout(recalc, hint);
    if (!MayReroute(recalc))
        return;
    ComputeConnectionColour();
    Reroute();
    CHyperOb::UpdateLayout(recalc, hint);
}

void CConnectL0::Reroute()
{
    const int startSide = m_ends.GetStartSnapPointType();
    const int endSide = m_ends.GetEndSnapPointType();
    const std::vector<POINT> path =
        RouteConnector(dynamic_cast<const CLineRouterView*>(GetHost()), 0, m_ends.GetEndPoint(), endSide,
                       m_ends.GetStartPoint(), startSide);
    InvalidateArea(nullptr);
    SetPoints(path.data(), static_cast<int>(path.size()));
    InvalidateArea(nullptr);
}

void CConnectL0::Refresh(BOOL recalc)
{
    // The view moved the objects the ends name: the ends follow them first.
    RefreshConnections();
    CHyperOb::UpdateLayout(recalc, FALSE);
}

void CConnectL0::RecalcRect()
{
    if (!GetHost()->IsBusy()) {
        RecalcFrameFromPoints(TRUE);
        if (m_ends.Reattach(0))
            InvalidateArea(nullptr);
        UpdateEndsFromTargets();
        NotifyEndsChanged();
    }
    CBasePolyOb::RecalcRect();
}

BOOL CConnectL0::OnInsert()
{
    // The tracked rectangle runs from the press to the release: those are the two ends.
    CRect tracked;
    GetRect(&tracked, nullptr);
    const POINT ends[] = {tracked.TopLeft(), tracked.BottomRight()};
    SetPoints(ends, 2);
    m_ends.Reattach(0);
    if (m_ends.CountFreeEnds() > m_freeEndAllowance) {
        m_ends.Disconnect(0);
        m_ends.Disconnect(1);
        return FALSE;
    }
    ComputeConnectionColour();
    Reroute();
    return CBasePolyOb::OnInsert();
}

BOOL CConnectL0::NotifyEndsChanged()
{
    if (m_ends.CountFreeEnds() <= m_freeEndAllowance)
        return FALSE;
    GetHost()->PostDeleteObject(this);
    return TRUE;
}

BOOL CConnectL0::UpdateConnectedEnds(int, int)
{
    CRect tracked = GetTrackedRect();
    SetDragEndPoints(&tracked);
    CaptureDragPoints(nullptr);
    return TRUE;
}

int CConnectL0::HitTest(CPoint point)
{
    int hit = CHyperOb::HitTest(point);
    if (hit != CRectTracker::hitMiddle)
        hit = CRectTracker::hitNothing;
    return PointListHitTest(point.x, point.y, hit);
}

void CConnectL0::Draw(CDC* dc)
{
    if (!m_busy)
        CBasePolyOb::Draw(dc);
}

void CConnectL0::DrawTracker(CDC* dc)
{
    if (m_busy)
        return;
    CObjectHost* host = GetHost();
    if (host->IsEditPointsMode() || !m_tracker || m_tracker->m_nStyle == 0 || GroupID != -1) {
        CBasePolyOb::DrawTracker(dc);
        return;
    }
    const CObjectHost::HandleColors colors = host->GetHandleColors();
    // Handles keep their size in pixels at every zoom: the ends go through the DC's own
    // mapping and the squares are drawn unmapped.
    CRect ends(m_ends.GetStartPoint(), m_ends.GetEndPoint());
    CDevicePixelScope pixels(dc, &ends);
    CPen pen(PS_SOLID, 0, colors.outline);
    CPen* oldPen = dc->SelectObject(&pen);
    const BOOL attached[2] = {m_ends.IsStartConnected(), m_ends.IsEndConnected()};
    const CPoint centres[2] = {ends.TopLeft(), ends.BottomRight()};
    const int half = m_tracker->m_nHandleSize / 2;
    for (int i = 0; i < 2; ++i) {
        CBrush brush(attached[i] ? colors.fill : FreeEndColor);
        CBrush* oldBrush = dc->SelectObject(&brush);
        dc->Rectangle(centres[i].x - half, centres[i].y - half, centres[i].x + half + 1, centres[i].y + half + 1);
        dc->SelectObject(oldBrush);
    }
    dc->SelectObject(oldPen);
}

BOOL CConnectL0::IntersectsRect(const RECT* rect) const
{
    CRect own;
    GetRect(&own, nullptr);
    own.InflateRect(1, 1);
    CRect overlap;
    if (!overlap.IntersectRect(own, rect))
        return FALSE;
    CRect area(rect);
    area.InflateRect(1, 1);
    for (int i = 0; i < m_outlineCount; ++i) {
        const CPoint p = GetPoint(i);
        if (area.PtInRect(p))
            return TRUE;
        const CPoint q = GetPoint(i - 1);
        if (i > 0 && CSegmentRectTest(area, q.x, q.y, p.x, p.y).Intersects())
            return TRUE;
    }
    return FALSE;
}
