#include "platform/ink/InkOverlay.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/UiApi.h"

#include <algorithm>

void InkOverlay::SetEditingMode(InkOverlayEditingMode mode)
{
    m_mode = mode;
    if (mode != InkOverlayEditingMode::Select && m_selection.Count())
        SetSelection(InkStrokes(m_ink));
}

void InkOverlay::SetSelection(const InkStrokes& selection)
{
    InkStrokes chosen(m_ink);
    for (const auto& s : selection.All())
        chosen.Add(s);  // strokes of other inks are left out
    Fire([&](InkCollectorEvents& sink) { sink.SelectionChanging(chosen); });
    m_selection = chosen;
    Fire([](InkCollectorEvents& sink) { sink.SelectionChanged(); });
    if (m_hwnd)
        InvalidateRect(m_hwnd, nullptr, TRUE);
}

bool InkOverlay::BeginInput(POINT ink, std::optional<WORD> pressure)
{
    switch (m_mode) {
    case InkOverlayEditingMode::Ink:
        return InkCollector::BeginInput(ink, pressure);
    case InkOverlayEditingMode::Delete:
        EraseAt(ink);
        return true;
    case InkOverlayEditingMode::Select:
        m_anchor = ink;
        return true;
    }
    return false;
}

void InkOverlay::ContinueInput(POINT ink, std::optional<WORD> pressure)
{
    if (m_mode == InkOverlayEditingMode::Ink)
        InkCollector::ContinueInput(ink, pressure);
    else if (m_mode == InkOverlayEditingMode::Delete)
        EraseAt(ink);
}

void InkOverlay::EndInput(POINT ink)
{
    if (m_mode == InkOverlayEditingMode::Ink)
        return InkCollector::EndInput(ink);
    if (m_mode == InkOverlayEditingMode::Delete)
        return EraseAt(ink);
    RECT area{std::min(m_anchor.x, ink.x), std::min(m_anchor.y, ink.y), std::max(m_anchor.x, ink.x),
              std::max(m_anchor.y, ink.y)};
    SetSelection(m_ink->HitTestWithRectangle(area, 100.0f));
}

void InkOverlay::EraseAt(POINT ink)
{
    double radius = EraserWidth / 2;
    InkStrokes hit = m_ink->HitTestCircle(ink, radius);
    if (!hit.Count())
        return;
    Fire([&](InkCollectorEvents& sink) { sink.StrokesDeleting(hit); });
    RECT box = hit.GetBoundingBox();
    if (m_eraserMode == InkOverlayEraserMode::PointErase)
        m_ink->ErasePoints(ink, radius);
    else
        m_ink->DeleteStrokes(&hit);
    m_selection.RemoveStrokes(hit);
    Invalidate(box);
}

// Selected strokes get a wider outline in the highlight colour under their own drawing.
void InkOverlay::Paint(HDC dc)
{
    if (!dc)
        return;
    CDC* cdc = CDC::FromHandle(dc);
    for (const auto& s : m_selection.All()) {
        InkDrawingAttributes outline = s->DrawingAttributes();
        float grow = float(4 * kInkSpacePerInch / 96);
        outline.Width += grow;
        outline.Height += grow;
        outline.Color = GetSysColor(COLOR_HIGHLIGHT);
        outline.RasterOperation = kInkCopyPen;
        Renderer().DrawStroke(*cdc, *s, &outline);
    }
    InkCollector::Paint(dc);
}
