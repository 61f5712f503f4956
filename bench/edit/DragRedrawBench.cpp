// Dragging one object across a page of 10,000 objects: each step repaints only the area the
// object left and the area it entered, so a frame stays far below 16 ms. The full repaint of
// the same page is measured beside it for comparison.
#include "View/MyView.h"
#include "objects/kinds/BorderGen.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kObjects = 10000;
constexpr int kPageWidth = 1920;
constexpr int kPageHeight = 1080;
constexpr int kColumns = 125;
constexpr int kCell = 15;
// Handles stand outside the rectangle; the repaint covers them too.
constexpr int kHandleMargin = 8;

class Page {
public:
    Page()
    {
        m_screen.CreateCompatibleDC(nullptr);
        m_dc.CreateCompatibleDC(&m_screen);
        m_bitmap.CreateCompatibleBitmap(&m_screen, kPageWidth, kPageHeight);
        m_old = m_dc.SelectObject(&m_bitmap);
        for (int i = 0; i < kObjects; ++i) {
            const int x = (i % kColumns) * kCell;
            const int y = (i / kColumns) * kCell;
            const CRect rect(x, y, x + kCell - 3, y + kCell - 3);
            auto* border = new CBorderGen;
            border->Init(&m_view, &rect, TRUE);
            m_view.GetObjects().Add(border);
        }
        m_dragged = m_view.GetObjectAtIndex(0);
        m_view.SetCurrentIndex(0);
        m_dragged->Select(TRUE);
    }
    ~Page() { m_dc.SelectObject(m_old); }

    // One step of the drag: the object moves and the union of its old and new areas repaints.
    void Step(int dx)
    {
        CRect before;
        m_dragged->GetRect(&before, nullptr);
        CRect after = before;
        after.OffsetRect(dx, 0);
        if (after.right > kPageWidth)
            after.OffsetRect(-after.left, 0);
        m_dragged->SetRect(after);
        CRect dirty;
        dirty.UnionRect(&before, &after);
        dirty.InflateRect(kHandleMargin, kHandleMargin);
        Repaint(dirty);
    }

    void Repaint(const CRect& area)
    {
        const int saved = m_dc.SaveDC();
        m_dc.IntersectClipRect(&area);
        m_dc.FillSolidRect(&area, RGB(255, 255, 255));
        m_view.DrawObjects(&m_dc, area);
        m_dc.RestoreDC(saved);
    }

private:
    CMyView m_view;
    CDC m_screen;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
    CHyperOb* m_dragged = nullptr;
};

void DragFrame(benchmark::State& state)
{
    Page page;
    for (auto _ : state)
        page.Step(3);
    state.SetLabel("one drag step: move, repaint what changed");
}
BENCHMARK(DragFrame)->Unit(benchmark::kMillisecond);

void FullRepaint(benchmark::State& state)
{
    Page page;
    for (auto _ : state)
        page.Repaint(CRect(0, 0, kPageWidth, kPageHeight));
    state.SetLabel("the whole page, for comparison");
}
BENCHMARK(FullRepaint)->Unit(benchmark::kMillisecond);

} // namespace
