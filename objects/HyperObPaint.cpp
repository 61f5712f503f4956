// Drawing, hit testing, selection and cursors of page objects.
#include "objects/GroupInfo.h"
#include "objects/HyperOb.h"
#include "objects/HyperTracker.h"
#include "objects/ObjectHost.h"
#include "objects/SnapPointSet.h"
#include "objects/ViewSettings.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/SysColors.h"

namespace {
constexpr int NoHatch = 99;
constexpr UINT SelectionStyles = CRectTracker::resizeInside | CRectTracker::resizeOutside;

BOOL IsHandle(int hit)
{
    return hit >= 0 && hit <= 7;
}
}

void CHyperOb::Paint(CDC* dc)
{
    if (GetDisplayMode() != 0) {
        CRect rect;
        CBrush brush(GetSysColor(COLOR_BTNTEXT));
        dc->FillRect(GetRect(&rect, nullptr), &brush);
        return;
    }
    if (!IsVisible())
        return;
    m_textRect1.SetRectEmpty();
    m_textRect2.SetRectEmpty();
    Draw(dc);
    if (m_hotSpots)
        m_hotSpots->DrawAll(dc);
    CObjectHost* host = GetHost();
    if (host->IsEditMode() && host->ShowsHandles() && !dc->IsPrinting())
        DrawTracker(dc);
}

void CHyperOb::DrawTracker(CDC* dc)
{
    if (m_tracker)
        m_tracker->DrawHandles(dc);
}

void CHyperOb::DrawOutline(CDC* dc)
{
    if (!IsRotated() || !m_rotatedPoints || m_outlineCount < 2)
        return;
    int hatch = NoHatch;
    int penWidth = 1;
    int penStyle = PS_SOLID;
    BOOL hatched = GetHatchStyle(&hatch) && hatch >= HS_HORIZONTAL && hatch <= HS_DIAGCROSS;
    GetPenWidth(&penWidth);
    GetPenStyle(&penStyle);
    COLORREF fore, back;
    GetForeColor(&fore);
    GetBackColor(&back);
    CPen pen(penStyle, penWidth, fore);
    CPen* oldPen = dc->SelectObject(&pen);
    if (hatched || !IsTransparent()) {
        CBrush brush;
        if (hatched)
            brush.CreateHatchBrush(hatch, fore);
        else
            brush.CreateSolidBrush(back);
        CBrush* oldBrush = dc->SelectObject(&brush);
        dc->Polygon(m_rotatedPoints, m_outlineCount);
        dc->SelectObject(oldBrush);
    } else {
        dc->Polyline(m_rotatedPoints, m_outlineCount);
    }
    dc->SelectObject(oldPen);
}

void CHyperOb::SetClip(CDC* dc, const RECT* updateRect)
{
    if (dc->IsPrinting())
        return;
    CRgn whole;
    whole.CreateRectRgn(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    dc->SelectClipRgn(&whole);
    if (updateRect)
        dc->IntersectClipRect(updateRect);
}

void CHyperOb::GetUpdateRect(CRect* out, CDC* dc) const
{
    CObjectHost* host = GetHost();
    *out = Rect();
    if (host->IsEditMode() && HasShape()) {
        if (m_tracker)
            m_tracker->GetHandleBounds(out);
        if (m_groupInfo) {
            CRect group;
            m_groupInfo->GetRect(&group);
            out->UnionRect(out, &group);
        }
    }
    // Asking for the set only names this object its owner, as drawing does.
    if (const CSnapPointSet* points = const_cast<CHyperOb*>(this)->GetSnapPoints(FALSE))
        points->AddDrawnBounds(out);
    if (dc && !dc->IsPrinting() && host->IsMapped())
        host->LogicalToDevice(reinterpret_cast<POINT*>(&out->left), 2);
}

void CHyperOb::InvalidateArea(CRect* out)
{
    CRect area;
    GetUpdateRect(&area, nullptr);
    CObjectHost* host = GetHost();
    host->LogicalToDevice(reinterpret_cast<POINT*>(&area.left), 2);
    host->InvalidateDevice(area, TRUE);
    if (out)
        *out = area;
}

void CHyperOb::InvalidateTracker(CRect* out)
{
    CRect area = Rect();
    if (m_tracker)
        m_tracker->GetHandleBounds(&area);
    CObjectHost* host = GetHost();
    host->LogicalToDevice(reinterpret_cast<POINT*>(&area.left), 2);
    host->InvalidateDevice(area, TRUE);
    if (out)
        *out = area;
}

BOOL CHyperOb::IntersectsRect(const RECT* rect) const
{
    CRect own;
    GetRect(&own, nullptr);
    own.InflateRect(1, 1);
    CRect common;
    return common.IntersectRect(&own, rect);
}

int CHyperOb::HitTest(CPoint point)
{
    if (!HasShape())
        return CRectTracker::hitNothing;
    CObjectHost* host = GetHost();
    int hit = HitTestFrame(point);
    if (IsHandle(hit) && !host->IsHandleMode() && !(host->IsResizeMode() && CanResize()))
        hit = CRectTracker::hitNothing;
    if (hit == CRectTracker::hitMiddle && IsRotated()) {
        CRgn outline;
        if (!m_rotatedPoints || !outline.CreatePolygonRgn(m_rotatedPoints, m_outlineCount, WINDING)
            || !outline.PtInRegion(point))
            hit = CRectTracker::hitNothing;
    }
    if (IsHandle(hit) && !host->IsEditMode())
        hit = CRectTracker::hitMiddle;
    return hit;
}

BOOL CHyperOb::IsSelected() const
{
    return m_tracker && (m_tracker->m_nStyle & SelectionStyles) != 0;
}

void CHyperOb::Select(BOOL primary)
{
    GetTracker();
    CObjectHost* host = GetHost();
    if (host->IsInsertingObject() && !GetViewSettings().m_selectionFlag) {
        InvalidateArea(nullptr);
        RememberRects();
        return;
    }
    BOOL wasSelected = IsSelected();
    m_tracker->m_nStyle = SelectedStyle | (primary ? PrimaryStyle : 0);
    InvalidateArea(nullptr);
    RememberRects();
    if (primary) {
        CRect display;
        GetDisplayRect(&display, FALSE);
        host->ShowRectInStatusBar(display);
    }
    if (!wasSelected && !host->IsInsertingObject())
        host->OnObjectSelected(this);
}

void CHyperOb::Deselect(BOOL redraw)
{
    EnsureShape();
    if (redraw)
        InvalidateArea(nullptr);
    BOOL wasSelected = IsSelected();
    if (m_tracker)
        m_tracker->m_nStyle = 0;
    RememberRects();
    if (wasSelected)
        GetHost()->OnObjectDeselected(this);
}

BOOL CHyperOb::SetTextCursor(CPoint point)
{
    CObjectHost* host = GetHost();
    if (!CanInlineEditText() || !host->AllowsInlineEdit() || !m_textRect1.PtInRect(point))
        return FALSE;
    host->ShowCursor(CHyperOb::CursorIBeam);
    return TRUE;
}

BOOL CHyperOb::OnSetCursor(CPoint point, UINT hitTest)
{
    if (SetTextCursor(point))
        return TRUE;
    CObjectHost* host = GetHost();
    if (host->TakesOverCursor())
        return host->OnViewSetCursor(point, hitTest);
    int hit = HitTest(point);
    if (host->IsHandleMode()) {
        host->ShowCursor(IsHandle(hit) ? CHyperOb::CursorHandleModeHandle : CHyperOb::CursorHandleMode);
        return TRUE;
    }
    if (hit == CRectTracker::hitNothing || (IsHandle(hit) && (GroupID >= 0 || IsRotated()))) {
        host->ShowCursor(CHyperOb::CursorArrow);
        return FALSE;
    }
    host->ShowCursor(hit == CRectTracker::hitMiddle && IsRotated() ? CHyperOb::CursorRotated
                                                                   : CRectTracker::GetCursorId(hit));
    return TRUE;
}
