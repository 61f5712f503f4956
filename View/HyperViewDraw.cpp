// Drawing of the editing view: the objects bottom first with their handles above all of them,
// the grid points, guide lines and page edges, the snap marker, and the grid commands.
#include "View/HyperView.h"

#include "View/GridSettingsDlg.h"
#include "objects/GridGeometry.h"
#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/SnapPointSet.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/CmdUI.h"
#include "platform/ui/Document.h"

namespace {

// Grid points closer than this many pixels are not drawn.
constexpr int kMinGridPixels = 5;
constexpr int kSnapSquare = 16;
constexpr int kSnapFrame = 3;
constexpr COLORREF kGuideColor = RGB(0, 0, 255);
constexpr COLORREF kPageEdgeColor = RGB(255, 0, 0);

int Scale(int value, int zoom)
{
    return zoom == 100 ? value : value * zoom / 100;
}

// Inverts a rectangle with the 50 % grey pattern.
void InvertHalftone(CDC* dc, const CRect& rect)
{
    static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    CBitmap bitmap;
    CBrush brush;
    if (!bitmap.CreateBitmap(8, 8, 1, 1, pattern) || !brush.CreatePatternBrush(&bitmap))
        return;
    CBrush* old = dc->SelectObject(&brush);
    dc->PatBlt(rect.left, rect.top, rect.Width(), rect.Height(), PATINVERT);
    dc->SelectObject(old);
}

} // namespace

void CHyperView::DrawPage(CDC* dc, const CRect& rect)
{
    DrawObjects(dc, rect);
}

void CHyperView::DrawObjects(CDC* dc, CRect clip)
{
    if (GetObjects().GetSize() == 0)
        return;
    const BOOL showHandles = m_showHandles;
    m_showHandles = FALSE;
    const BOOL printing = dc->IsPrinting();
    CObArray painted;
    for (INT_PTR i = GetObjects().GetSize() - 1; i >= 0; --i) {
        CHyperOb* object = GetObjectAtIndex(i);
        if (!object->IsVisible())
            continue;
        CRect update;
        object->GetUpdateRect(&update, dc);
        if (!printing && !CRect().IntersectRect(update, clip))
            continue;
        object->Paint(dc);
        CSnapPointSet* snapPoints = GetZoom() >= 50 ? object->GetSnapPoints(FALSE) : nullptr;
        if (snapPoints && snapPoints->GetCount() > 0)
            snapPoints->DrawSnapIndicators(dc, m_showSnapPoints);
        painted.Add(object);
    }
    m_showHandles = showHandles;
    if (!showHandles || !m_editMode || printing)
        return;
    for (INT_PTR i = 0; i < painted.GetSize(); ++i)
        static_cast<CHyperOb*>(painted.GetAt(i))->DrawTracker(dc);
    DrawSnapMarker(dc);
}

void CHyperView::DrawSnapMarker(CDC* dc)
{
    if (!m_snapMarkerShown || !m_editMode)
        return;
    CPoint center = m_snapMarkerPoint;
    LogicalToDevice(&center, nullptr);
    CRect square(center.x - kSnapSquare / 2, center.y - kSnapSquare / 2, center.x + kSnapSquare / 2,
                 center.y + kSnapSquare / 2);
    InvertHalftone(dc, square);
    square.DeflateRect(kSnapFrame, kSnapFrame);
    InvertHalftone(dc, square);
}

void CHyperView::InvertSnapMarker()
{
    if (!GetSafeHwnd())
        return;
    CClientDC dc(this);
    const BOOL shown = m_snapMarkerShown;
    m_snapMarkerShown = TRUE;
    DrawSnapMarker(&dc);
    m_snapMarkerShown = shown;
}

void CHyperView::DrawGrid(CDC* dc)
{
    if (!m_editMode || GetPasteGridX() <= 1 || GetPasteGridY() <= 1)
        return;
    const int zoom = GetZoom() > 0 ? GetZoom() : 100;
    const int stepX = GetPasteGridX();
    const int stepY = GetPasteGridY();
    CSize extent = GetPageExtent(zoom);
    const BOOL mapped = IsMapped();
    CPoint oldOrigin;
    if (mapped)
        oldOrigin = dc->SetViewportOrg(-GetScrollPosition().x, -GetScrollPosition().y);

    CRect box;
    dc->GetClipBox(&box);
    box = CRect(box.left * 100 / zoom, box.top * 100 / zoom, box.right * 100 / zoom, box.bottom * 100 / zoom);
    box.InflateRect(stepX, stepY);
    box.left -= box.left % stepX;
    box.top -= box.top % stepY;
    if (zoom * stepX / 100 >= kMinGridPixels && zoom * stepY / 100 >= kMinGridPixels)
        for (int y = box.top; y < box.bottom; y += stepY)
            for (int x = box.left; x < box.right; x += stepX)
                dc->SetPixel(Scale(x, zoom), Scale(y, zoom), 0);
    DrawGuides(dc, extent, zoom);
    if (mapped) {
        DrawPageEdges(dc, extent, zoom);
        dc->SetViewportOrg(oldOrigin);
    }
}

CSize CHyperView::GetPageExtent(int zoom) const
{
    CHyperViewOb* page = GetPageObject();
    if (IsMapped() && page)
        return CSize(page->GetScrollWidth(), page->GetScrollHeight());
    CRect client;
    GetClientRect(&client);
    return CSize(client.Width() * 100 / zoom, client.Height() * 100 / zoom);
}

void CHyperView::DrawGuides(CDC* dc, CSize extent, int zoom)
{
    const CRect margins = GetPageMargins();
    CRect guides(margins.left, margins.top, extent.cx - margins.right, extent.cy - margins.bottom);
    guides = CRect(Scale(guides.left, zoom), Scale(guides.top, zoom), Scale(guides.right, zoom),
                   Scale(guides.bottom, zoom));
    CRect client;
    GetClientRect(&client);
    // A mapped page is drawn from its own origin: the lines start there, so that their dots
    // keep their places when the window scrolls, and reach the window's far edges.
    if (IsMapped()) {
        client.right += GetDeviceScrollPosition().x;
        client.bottom += GetDeviceScrollPosition().y;
    }
    CPen pen(PS_DOT, 1, kGuideColor);
    CPen* oldPen = dc->SelectObject(&pen);
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    const struct {
        LONG distance;
        int at;
        bool horizontal;
    } lines[] = {{margins.top, guides.top, true}, {margins.bottom, guides.bottom, true},
                 {margins.left, guides.left, false}, {margins.right, guides.right, false}};
    for (const auto& line : lines) {
        if (line.distance <= 0)
            continue;
        dc->MoveTo(line.horizontal ? client.left : line.at, line.horizontal ? line.at : client.top);
        dc->LineTo(line.horizontal ? client.right : line.at, line.horizontal ? line.at : client.bottom);
    }
    dc->SetBkMode(oldMode);
    dc->SelectObject(oldPen);
}

void CHyperView::DrawPageEdges(CDC* dc, CSize extent, int zoom)
{
    CPen pen(PS_DOT, 1, kPageEdgeColor);
    CPen* oldPen = dc->SelectObject(&pen);
    const int right = Scale(extent.cx, zoom);
    const int bottom = Scale(extent.cy, zoom);
    dc->MoveTo(right, 0);
    dc->LineTo(right, bottom);
    dc->MoveTo(0, bottom);
    dc->LineTo(right, bottom);
    dc->SelectObject(oldPen);
}

BOOL CHyperView::OnEraseBkgnd(CDC* dc)
{
    CHyperRunView::OnEraseBkgnd(dc);
    DrawGrid(dc);
    return TRUE;
}

int CHyperView::GetPasteGridX() const
{
    return IsGridVisible() ? CHyperRunView::GetGridStepX() : 1;
}

int CHyperView::GetPasteGridY() const
{
    return IsGridVisible() ? CHyperRunView::GetGridStepY() : 1;
}

int CHyperView::GetGridStepX() const
{
    return IsSnapToGrid() ? CHyperRunView::GetGridStepX() : 1;
}

int CHyperView::GetGridStepY() const
{
    return IsSnapToGrid() ? CHyperRunView::GetGridStepY() : 1;
}

BOOL CHyperView::IsGridVisible() const
{
    return (m_pageFlags & FlagShowGrid) != 0;
}

BOOL CHyperView::IsSnapToGrid() const
{
    return (m_pageFlags & FlagSnapGrid) != 0;
}

BOOL CHyperView::IsSnapToCenter() const
{
    return (m_pageFlags & (FlagSnapGrid | FlagSnapCenter)) == (FlagSnapGrid | FlagSnapCenter);
}

void CHyperView::ShowGrid(BOOL show)
{
    m_pageFlags = show ? m_pageFlags | FlagShowGrid : m_pageFlags & ~FlagShowGrid;
}

void CHyperView::SetSnapToGrid(BOOL snap)
{
    m_pageFlags = snap ? m_pageFlags | FlagSnapGrid : m_pageFlags & ~FlagSnapGrid;
}

void CHyperView::GetSelectionRect(CRect* out, CHyperOb* first, BOOL snapOut) const
{
    if (!first)
        first = m_selection.GetSize() > 0 ? static_cast<CHyperOb*>(m_selection.GetAt(0)) : GetCurrentObject();
    out->SetRectEmpty();
    if (first)
        first->GetRect(out, nullptr);
    for (INT_PTR i = 0; i < m_selection.GetSize(); ++i) {
        CRect rect;
        static_cast<CHyperOb*>(m_selection.GetAt(i))->GetRect(&rect, nullptr);
        out->UnionRect(out, &rect);
    }
    if (!snapOut || !IsSnapToCenter())
        return;
    const int halfX = GetGridStepX() / 2;
    const int halfY = GetGridStepY() / 2;
    out->left -= halfX;
    out->top -= halfY;
    out->right += halfX;
    out->bottom += halfY;
    SnapToGrid(reinterpret_cast<int*>(&out->left), GetGridStepX());
    SnapToGrid(reinterpret_cast<int*>(&out->top), GetGridStepY());
    SnapToGrid(reinterpret_cast<int*>(&out->right), GetGridStepX());
    SnapToGrid(reinterpret_cast<int*>(&out->bottom), GetGridStepY());
}

void CHyperView::OnGrid()
{
    const BOOL show = !IsGridVisible();
    ShowGrid(show);
    SetSnapToGrid(show);
    OnUpdate(nullptr, 0, nullptr);
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag(TRUE);
}

void CHyperView::OnUpdateGrid(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_editMode);
    cmdUI->SetCheck(IsGridVisible());
}

void CHyperView::OnGridSettings()
{
    DWORD flags = m_pageFlags;
    DWORD steps = m_gridStep;
    int guides[4] = {m_margins.left, m_margins.top, m_margins.right, m_margins.bottom};
    CGridSettingsDlg dialog(&flags, &steps, guides, this);
    if (dialog.DoModal() != IDOK)
        return;
    m_pageFlags = flags;
    m_gridStep = steps;
    m_margins = CRect(guides[0], guides[1], guides[2], guides[3]);
    if (IsMapped() && GetPageObject())
        UpdateScrollSizes(GetPageObject()->GetScrollWidth(), GetPageObject()->GetScrollHeight());
    OnUpdate(nullptr, 0, nullptr);
    if (CDocument* doc = GetDocument())
        doc->SetModifiedFlag(TRUE);
}

void CHyperView::OnUpdateEditMode(CCmdUI* cmdUI)
{
    cmdUI->Enable(m_editMode);
}
