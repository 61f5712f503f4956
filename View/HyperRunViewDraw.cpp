// Mapping the page to the window and the printer, drawing and erasing it.
#include "View/HyperRunView.h"

#include "objects/HyperOb.h"
#include "objects/HyperViewOb.h"
#include "objects/ViewSettings.h"
#include "platform/gdi/Dc.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

constexpr COLORREF White = 0xFFFFFF;

SIZE ScreenDotsPerInch()
{
    HDC screen = ::GetDC(nullptr);
    SIZE dpi{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ::ReleaseDC(nullptr, screen);
    return dpi;
}

int ScaledDots(double scale, int dots)
{
    return static_cast<int>(std::floor(scale * dots + 0.5));
}

// The viewport extent of the print mapping, made smaller where the objects would reach past
// the paper: a page larger than the paper is fitted to it rather than cut.
CSize PrintViewport(double scale, CSize extent, SIZE screen, CSize dots, CSize paper)
{
    const CSize viewport(ScaledDots(scale, dots.cx), ScaledDots(scale, dots.cy));
    if (extent.cx <= 0 || extent.cy <= 0 || screen.cx <= 0 || screen.cy <= 0 || viewport.cx <= 0 ||
        viewport.cy <= 0 || paper.cx <= 0 || paper.cy <= 0)
        return viewport;
    const double fit = std::min(double(paper.cx) * screen.cx / (double(extent.cx) * viewport.cx),
                                double(paper.cy) * screen.cy / (double(extent.cy) * viewport.cy));
    if (fit >= 1.0)
        return viewport;
    return CSize(std::max(1, static_cast<int>(viewport.cx * fit)), std::max(1, static_cast<int>(viewport.cy * fit)));
}

// Page colour and zoom of the screen, restored when printing ends.
class CPrintPassScope {
public:
    CPrintPassScope(CHyperViewOb* page, int& zoom) : m_page(page), m_zoom(zoom), m_color(page->Color), m_oldZoom(zoom)
    {
        m_page->Color = White;
        m_zoom = 100;
    }
    ~CPrintPassScope()
    {
        m_page->Color = m_color;
        m_zoom = m_oldZoom;
    }
    CPrintPassScope(const CPrintPassScope&) = delete;
    CPrintPassScope& operator=(const CPrintPassScope&) = delete;

private:
    CHyperViewOb* m_page;
    int& m_zoom;
    COLORREF m_color;
    int m_oldZoom;
};

} // namespace

BOOL CHyperRunView::IsMapped() const
{
    return m_pageObject && m_pageObject->ScrollBars != 0;
}

void CHyperRunView::OnPrepareDC(CDC* dc, CPrintInfo* info)
{
    CScrollView::OnPrepareDC(dc, info);
    dc->SetMapMode(MM_ANISOTROPIC);
    if (!dc->IsPrinting()) {
        dc->SetWindowExt(100, 100);
        dc->SetViewportExt(m_zoom, m_zoom);
        return;
    }
    dc->SetViewportOrg(0, 0);
    const SIZE screen = ScreenDotsPerInch();
    double scale = m_pageObject ? m_pageObject->PrintScale : 1.0;
    if (info && info->m_lpUserData)
        scale = *static_cast<const double*>(info->m_lpUserData);
    const CSize dots(dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY));
    CSize paper(dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
    if (info && !info->m_rectDraw.IsRectEmpty())
        paper = info->m_rectDraw.Size();
    const CSize viewport = PrintViewport(scale, GetObjectExtent(), screen, dots, paper);
    dc->SetWindowExt(screen.cx, screen.cy);
    dc->SetViewportExt(viewport.cx, viewport.cy);
}

void CHyperRunView::OnDraw(CDC* dc)
{
    if (!m_pageObject)
        return;
    std::optional<CPrintPassScope> printPass;
    if (dc->IsPrinting())
        printPass.emplace(m_pageObject, m_zoom);
    CRect clip;
    dc->GetClipBox(&clip);
    dc->LPtoDP(&clip);
    if (!dc->IsPrinting())
        clip.IntersectRect(&clip, CRect(0, 0, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES)));
    DrawPage(dc, clip);
}

void CHyperRunView::DrawPage(CDC*, const CRect&) { }

CSize CHyperRunView::GetObjectExtent() const
{
    CSize extent(0, 0);
    for (INT_PTR i = 0; i < m_objects.GetSize(); ++i) {
        CRect rect;
        GetObjectAtIndex(i)->GetRect(&rect, nullptr);
        rect.NormalizeRect();
        extent.cx = std::max(extent.cx, rect.right);
        extent.cy = std::max(extent.cy, rect.bottom);
    }
    return extent;
}

BOOL CHyperRunView::DrawObjectList(CDC* dc, const CRect& rect, const CObArray& objects, const CObArray*)
{
    if (rect.IsRectEmpty() || objects.IsEmpty())
        return FALSE;
    for (INT_PTR i = objects.GetSize() - 1; i >= 0; --i)
        static_cast<CHyperOb*>(objects[i])->Paint(dc);
    return TRUE;
}

BOOL CHyperRunView::DrawObjectsInRect(CDC* dc, const CRect& rect, int start)
{
    if (m_objects.IsEmpty())
        return FALSE;
    CObArray visible;
    for (INT_PTR i = std::max(start, 0); i < m_objects.GetSize() && !rect.IsRectEmpty(); ++i) {
        CHyperOb* object = GetObjectAtIndex(i);
        CRect update;
        object->GetUpdateRect(&update, dc);
        CRect common;
        if (object->IsVisible() && common.IntersectRect(&update, &rect))
            visible.Add(object);
    }
    return DrawObjectList(dc, rect, visible, nullptr);
}

BOOL CHyperRunView::DrawPageRect(CDC* dc, const CRect& rect)
{
    return DrawObjectsInRect(dc, rect, 0);
}

BOOL CHyperRunView::OnEraseBkgnd(CDC* dc)
{
    if (m_pageObject) {
        CRect clip;
        dc->GetClipBox(&clip);
        CBrush brush(m_pageObject->GetColor());
        CBrush* old = dc->SelectObject(&brush);
        dc->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
        dc->SelectObject(old);
    }
    return TRUE;
}

BOOL CHyperRunView::GetViewClientRect(RECT* rect) const
{
    if (!GetSafeHwnd())
        return FALSE;
    GetClientRect(rect);
    return TRUE;
}

BOOL CHyperRunView::EraseBackground(CDC* dc, const CRect& rect)
{
    if (!m_pageObject)
        return FALSE;
    dc->FillSolidRect(&rect, White);
    return TRUE;
}

CRect CHyperRunView::UnionObjectRects(const CDWordArray& indexes) const
{
    CRect all;
    for (INT_PTR i = 0; i < indexes.GetSize(); ++i) {
        CHyperOb* object = GetObjectAtIndex(static_cast<INT_PTR>(indexes[i]));
        if (!object)
            continue;
        CRect own;
        object->GetRect(&own, nullptr);
        all.UnionRect(&all, &own);
    }
    return all;
}

void CHyperRunView::RefreshPictureViews()
{
    const CObArray& views = GetViewSettings().m_openViews;
    for (INT_PTR i = 0; i < views.GetSize(); ++i) {
        auto* view = static_cast<CHyperRunView*>(views[i]);
        if (!view->m_hWnd)
            continue;
        CObArray pictures;
        if (view->m_pageObject)
            view->m_pageObject->CollectBitmaps(&pictures);
        if (!pictures.IsEmpty()) {
            view->Invalidate(TRUE);
            continue;
        }
        for (INT_PTR j = 0; j < view->m_objects.GetSize(); ++j) {
            CHyperOb* object = view->GetObjectAtIndex(j);
            CObArray own;
            object->CollectBitmaps(&own);
            if (!own.IsEmpty())
                object->InvalidateArea(nullptr);
        }
    }
}

void CHyperRunView::OnUpdate(CView*, LPARAM hint, CObject*)
{
    if (hint)
        InvalidateRect(reinterpret_cast<LPCRECT>(hint), TRUE);
    else
        Invalidate(TRUE);
}
