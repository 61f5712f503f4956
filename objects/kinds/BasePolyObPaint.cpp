// Drawing and hit testing of the point-list objects.
#include "objects/GridGeometry.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/kinds/BasePolyOb.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/gdi/SysColors.h"

#include <algorithm>
#include <vector>

namespace {

constexpr COLORREF Automatic = static_cast<COLORREF>(-1);

// Where the shadow lies by shadow style: 1 above left, 2 above right, 3 below left, 4 and
// any other style below right.
POINT ShadowShift(int style)
{
    constexpr int S = CBasePolyOb::ShadowOffset;
    switch (style) {
    case 1:
        return {-S, -S};
    case 2:
        return {S, -S};
    case 3:
        return {-S, S};
    default:
        return {S, S};
    }
}

} // namespace

void CBasePolyOb::Draw(CDC* dc)
{
    if (GetRotateAngle() != 0.0) {
        DrawOutline(dc);
        DrawArrowHeads(dc);
        DrawAlarmBitmap(dc);
        return;
    }
    if (m_outlineCount == 0)
        return;
    COLORREF back = BackColor, fore = ForeColor;
    GetBackColor(&back);
    GetForeColor(&fore);
    int hatch = HatchStyle, width = PenWidth, style = PenStyle;
    GetHatchStyle(&hatch);
    GetPenWidth(&width);
    GetPenStyle(&style);
    const COLORREF outline = width == 0 && hatch == NoHatch ? back : fore;
    if (IsTransparent() && width == 0)
        return;
    MakePointsAbsolute();
    DrawShadow(dc);
    if (width == 1 && GetZoom() < 100)
        width = 0;
    DrawFigure(dc, outline, back, width, style, hatch);
    MakePointsRelative();
    DrawArrowHeads(dc);
    DrawAlarmBitmap(dc);
}

void CBasePolyOb::DrawFigure(CDC* dc, COLORREF outline, COLORREF back, int width, int style, int hatch)
{
    CPen pen(style, width, outline);
    CPen* oldPen = dc->SelectObject(&pen);
    if (IsClosed() && !IsTransparent()) {
        COLORREF fore = ForeColor;
        GetForeColor(&fore);
        CBrush brush;
        if (hatch == NoHatch)
            brush.CreateSolidBrush(back);
        else
            brush.CreateHatchBrush(hatch, fore);
        CBrush* oldBrush = dc->SelectObject(&brush);
        const COLORREF oldBack = dc->SetBkColor(back);
        dc->Polygon(m_outlinePoints, m_outlineCount);
        dc->SetBkColor(oldBack);
        dc->SelectObject(oldBrush);
    } else {
        const int oldMode = dc->SetBkMode(TRANSPARENT);
        dc->Polyline(m_outlinePoints, m_outlineCount);
        dc->SetBkMode(oldMode);
    }
    dc->SelectObject(oldPen);
}

void CBasePolyOb::DrawShadow(CDC* dc)
{
    int style = 0;
    if (!GetShadowStyle(&style) || style == 0)
        return;
    const POINT shift = ShadowShift(style);
    std::vector<POINT> shadow(m_outlinePoints, m_outlinePoints + m_outlineCount);
    for (POINT& p : shadow)
        p = {p.x + shift.x, p.y + shift.y};
    CBrush brush(GetSysColor(COLOR_BTNSHADOW));
    CPen pen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    dc->Polygon(shadow.data(), static_cast<int>(shadow.size()));
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CBasePolyOb::DrawArrowHeads(CDC* dc)
{
    if (Arrowhead == 0 || IsClosed() || m_outlineCount < 2)
        return;
    COLORREF color = ForeColor;
    GetForeColor(&color);
    CBrush brush(color);
    CPen pen(PS_SOLID, 1, color);
    CBrush* oldBrush = dc->SelectObject(&brush);
    CPen* oldPen = dc->SelectObject(&pen);
    const int n = m_outlineCount;
    if (Arrowhead & HeadAtFirst) {
        const CPoint from = GetPoint(1), tip = GetPoint(0);
        DrawArrowHead(dc, from.x, from.y, tip.x, tip.y, ArrowheadHeight);
    }
    if (Arrowhead & HeadAtSecond) {
        const CPoint from = GetPoint(n - 2), tip = GetPoint(n - 1);
        DrawArrowHead(dc, from.x, from.y, tip.x, tip.y, ArrowheadHeight);
    }
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

int CBasePolyOb::PointListHitTest(int x, int y, int hitCode)
{
    if (!IsTransparent() && IsClosed()) {
        const CPoint centre = GetCentre();
        CRgn region;
        if (!region.CreatePolygonRgn(m_outlinePoints, m_outlineCount, WINDING))
            return -1;
        return region.PtInRegion(x - centre.x, y - centre.y) ? hitCode : -1;
    }
    const int tolerance = std::max(1, 500 / GetZoom());
    for (int i = 1; i < m_outlineCount; ++i) {
        const CPoint a = GetPoint(i - 1), b = GetPoint(i);
        if (IsPointNearSegment(x, y, a.x, a.y, b.x, b.y, tolerance))
            return CRectTracker::hitMiddle;
    }
    return -1;
}

CRect CBasePolyOb::GetPointHandleRect(int index) const
{
    const CPoint p = GetPoint(index);
    return CRect(p.x - HandleHalf, p.y - HandleHalf, p.x + HandleHalf, p.y + HandleHalf);
}

int CBasePolyOb::HitPointHandle(int x, int y) const
{
    for (int i = 0; i < m_outlineCount; ++i) {
        if (!GetPointHandleRect(i).PtInRect(CPoint(x, y)))
            continue;
        if (CanResize() || (i != 0 && i != m_outlineCount - 1))
            return i;
        return FixedHandle;
    }
    return -1;
}

int CBasePolyOb::HitSegment(int x, int y) const
{
    const int tolerance = 500 / GetZoom();
    for (int i = 0; i + 1 < m_outlineCount; ++i) {
        const CPoint a = GetPoint(i), b = GetPoint(i + 1);
        if (IsPointNearSegment(x, y, a.x, a.y, b.x, b.y, tolerance))
            return i;
    }
    return -1;
}

void CBasePolyOb::DrawTracker(CDC* dc)
{
    if (GetHost()->IsEditPointsMode() && m_tracker && m_tracker->m_nStyle != 0)
        DrawPointHandles(dc);
    else
        C1DOb::DrawTracker(dc);
}

void CBasePolyOb::DrawPointHandles(CDC* dc)
{
    CPen pen(PS_SOLID, 0, GetSysColor(COLOR_WINDOW));
    CBrush brush(GetSysColor(COLOR_BTNTEXT));
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    const int oldMode = dc->SetMapMode(MM_TEXT);
    const int skip = CanResize() ? 0 : 1;
    for (int i = skip; i < m_outlineCount - skip; ++i) {
        CRect handle = GetPointHandleRect(i);
        handle.InflateRect(1, 1);
        ScaleRectCenter(&handle, GetZoom());
        dc->Rectangle(&handle);
    }
    dc->SetMapMode(oldMode);
    dc->SelectObject(oldBrush);
    dc->SelectObject(oldPen);
}
