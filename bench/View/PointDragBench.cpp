// Dragging one vertex of a 1,000-point polyline across a full-HD page: the work of one mouse
// move (the vertex kept on the page and the rubber lines to its neighbours drawn anew) and of
// the release (the point stored, the frame fitted to the points and the figure's area painted
// again), each printed in milliseconds beside the time to redraw the whole page. A frame
// should take well under 16 ms.
#include "bench/View/PageScreen.h"
#include "View/MyView.h"
#include "View/PointTracker.h"
#include "objects/kinds/PolyLineGen.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kPoints = 1000;
constexpr int kDragged = kPoints / 2;

// A zigzag over the whole page, so the figure's area is the page.
struct Page {
    Page()
    {
        view.CreatePageObject();
        std::vector<POINT> points;
        for (int i = 0; i < kPoints; ++i)
            points.push_back({20 + i * (kWidth - 40) / (kPoints - 1), i % 2 ? 60 : kHeight - 60});
        figure = new CPolyLineGen;
        figure->Init(&view, nullptr, TRUE);
        figure->SetPoints(points.data(), kPoints);
        view.GetObjects().Add(figure);
    }
    CMyView view;
    CPolyLineGen* figure = nullptr;
    PageScreen screen{kWidth, kHeight};
};

double SinceMs(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double PageRedrawMs(Page& page)
{
    constexpr int kRounds = 5;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i)
        page.screen.Paint(page.view);
    return SinceMs(start) / kRounds;
}

// The mouse moves the vertex back and forth across the page: erase the old rubber lines,
// place the vertex, draw the new ones.
void VertexDragFrame(benchmark::State& state)
{
    Page page;
    const CPoint before = page.figure->GetPoint(kDragged - 1), start = page.figure->GetPoint(kDragged),
                 after = page.figure->GetPoint(kDragged + 1);
    CPointTracker tracker(start.x, start.y, before.x, before.y, after.x, after.y, 0, 0, 0, 0, kWidth, kHeight);
    tracker.DrawFeedback(&page.view, page.screen.DC(), nullptr);
    int step = 0;
    const auto began = std::chrono::steady_clock::now();
    for (auto _ : state) {
        tracker.m_erase = TRUE;
        tracker.DrawFeedback(&page.view, page.screen.DC(), nullptr);
        tracker.m_erase = FALSE;
        POINT moved;
        tracker.AdjustPoint(&moved, &page.view, 20 + step % (kWidth - 40), 60 + step % (kHeight - 120));
        tracker.m_point = moved;
        tracker.DrawFeedback(&page.view, page.screen.DC(), nullptr);
        step += 7;
    }
    state.counters["frame_ms"] = SinceMs(began) / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
    state.counters["page_redraw_ms"] = PageRedrawMs(page);
}
BENCHMARK(VertexDragFrame)->Unit(benchmark::kMillisecond);

// The release: the vertex stored, the frame fitted and the figure's old and new area painted.
void VertexDragRelease(benchmark::State& state)
{
    Page page;
    int step = 0;
    const auto began = std::chrono::steady_clock::now();
    for (auto _ : state) {
        CRect area;
        page.figure->GetRect(&area, nullptr);
        page.figure->SetPointAt(kDragged, 20 + step % (kWidth - 40), 60 + step % (kHeight - 120));
        page.figure->RecalcFrameFromPoints(TRUE);
        CRect moved;
        page.figure->GetRect(&moved, nullptr);
        area.UnionRect(&area, &moved);
        page.screen.Paint(page.view, area);
        step += 7;
    }
    state.counters["frame_ms"] = SinceMs(began) / static_cast<double>(std::max<int64_t>(state.iterations(), 1));
    state.counters["page_redraw_ms"] = PageRedrawMs(page);
}
BENCHMARK(VertexDragRelease)->Unit(benchmark::kMillisecond);

} // namespace
