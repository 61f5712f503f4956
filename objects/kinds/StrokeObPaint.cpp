// Drawing the stroke object: its strokes mapped onto its rectangle at the view's pen sizes,
// and the upkeep of the group it belongs to.
#include "objects/kinds/StrokeOb.h"

#include "objects/GroupInfo.h"
#include "objects/ObjectHost.h"
#include "platform/gdi/Dc.h"

#include <utility>

RECT CStrokeOb::InkRectOnDevice(const RECT& device, HDC dc) const
{
    RECT ink = device;
    m_renderer.PixelToInkSpace(dc, ink);
    return ink;
}

void CStrokeOb::UpdateLayout(int recalc, BOOL hint)
{
    CRect rect;
    GetRect(&rect, nullptr);
    GetHost()->LogicalToDevice(reinterpret_cast<POINT*>(&rect.left), 2);
    GetHost()->InvalidateDevice(rect, TRUE);
    CHyperOb::UpdateLayout(recalc, hint);
}

BOOL CStrokeOb::AddStrokesToView(InkDisp& target)
{
    if (!m_ink)
        return FALSE;
    ApplyPenSizeZoom(GetHost()->GetZoomPercent());
    CRect device;
    GetRect(&device, nullptr);
    GetHost()->LogicalToDevice(reinterpret_cast<POINT*>(&device.left), 2);
    target.AddStrokesAtRectangle(m_ink->Strokes(), InkRectOnDevice(device, nullptr));
    return TRUE;
}

// The strokes are mapped onto the rectangle by the renderer, never rewritten, so drawing
// leaves the stored ink as it is; the pens keep their own sizes.
void CStrokeOb::Draw(CDC* dc)
{
    DrawGroupMembers(dc);
    if (GetHost()->IsInkEnabled() || !dc || !m_ink || !m_ink->StrokeCount())
        return;
    ApplyPenSizeZoom(GetHost()->GetZoomPercent());
    CRect device;
    GetRect(&device, nullptr);
    dc->LPtoDP(&device);
    const RECT target = InkRectOnDevice(device, dc->GetSafeHdc());
    InkStrokes strokes = m_ink->Strokes();
    const RECT box = strokes.GetBoundingBox();
    const double sx = box.right > box.left ? double(target.right - target.left) / (box.right - box.left) : 1.0;
    const double sy = box.bottom > box.top ? double(target.bottom - target.top) / (box.bottom - box.top) : 1.0;
    if (sx <= 0 || sy <= 0)
        return;
    InkRenderer renderer;
    renderer.ScaleTransform(sx, sy, false);
    renderer.Move(target.left - box.left * sx, target.top - box.top * sy);
    renderer.Draw(*dc, strokes);
}

// A member drawn from here skips its own group step, so two members do not draw each other
// without end.
void CStrokeOb::DrawGroupMembers(CDC* dc)
{
    if (m_drawingForGroup || GroupID < 0)
        return;
    CObjectHost* host = GetHost();
    std::vector<CHyperOb*> members;
    CRect united;
    for (int i = 0; i < host->GetObjectCount(); ++i) {
        auto* member = dynamic_cast<CHyperOb*>(host->GetObjectAt(i));
        if (!member || member->GroupID != GroupID)
            continue;
        members.push_back(member);
        CRect rect;
        united.UnionRect(united, *member->GetRect(&rect, nullptr));
    }
    for (CHyperOb* member : members) {
        if (CGroupInfo* group = member->GetOwnGroupInfo())
            group->m_rect = united;
        auto* stroke = dynamic_cast<CStrokeOb*>(member);
        if (member == this || !dc)
            continue;
        if (stroke)
            stroke->m_drawingForGroup = TRUE;
        member->Draw(dc);
        if (stroke)
            stroke->m_drawingForGroup = FALSE;
    }
}

void CStrokeOb::DrawTracker(CDC* dc)
{
    if (!GetHost()->IsInkEnabled())
        CHyperOb::DrawTracker(dc);
}
