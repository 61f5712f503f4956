// Dragging a connector's end across a page of 1,000 objects: each frame erases the last
// routed preview, finds where the end would land and draws the new route around the page's
// objects. The full repaint of the same page is measured beside it for comparison.
#include "bench/View/PageScreen.h"
#include "View/MyView.h"
#include "objects/HyperTracker.h"
#include "objects/kinds/BorderGen.h"
#include "objects/kinds/ConnectGen.h"
#include "objects/kinds/ConnectorDragLine.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kObjects = 1000;
constexpr int kColumns = 40;
constexpr int kCell = 40;
constexpr int kPageWidth = kColumns * kCell;
constexpr int kPageHeight = kObjects / kColumns * kCell;

class Page {
public:
    Page()
    {
        m_view.CreatePageObject();
        for (int i = 0; i < kObjects; ++i) {
            const int x = (i % kColumns) * kCell;
            const int y = (i / kColumns) * kCell;
            const CRect rect(x + 5, y + 5, x + kCell - 5, y + kCell - 5);
            auto* border = new CBorderGen;
            border->Init(&m_view, &rect, TRUE);
            border->Code.Format("Box%d", i);
            m_view.GetObjects().Add(border);
        }
        // A connector from the first box's right middle to the second one's left middle.
        auto* connector = new CConnectGen;
        const CRect ends(35, 20, 45, 20);
        connector->Init(&m_view, &ends, TRUE);
        connector->Code = "Connector1";
        connector->OnInsert();
        m_view.GetObjects().InsertAt(0, connector);
        m_line = std::make_unique<CConnectorDragLine>(*connector);
        m_line->Begin(1);
    }

    // One frame: the last preview erased, the end moved a few pixels, the new preview drawn.
    void Step()
    {
        CHyperTracker& tracker = *m_line->GetTracker();
        m_line->DrawDragFeedback(nullptr, m_screen.DC(), nullptr, TRUE);
        m_step = (m_step + 7) % (kPageWidth - 100);
        tracker.m_rect.SetRect(45, 20, 100 + m_step, 20 + m_step % (kPageHeight - 40));
        m_line->DrawDragFeedback(nullptr, m_screen.DC(), nullptr, FALSE);
    }

    void Repaint() { m_screen.Paint(m_view); }

private:
    CMyView m_view;
    PageScreen m_screen{kPageWidth, kPageHeight};
    std::unique_ptr<CConnectorDragLine> m_line;
    int m_step = 0;
};

void ConnectorEndFrame(benchmark::State& state)
{
    Page page;
    for (auto _ : state)
        page.Step();
    state.SetLabel("one frame of an end drag: landing, route, preview");
}
BENCHMARK(ConnectorEndFrame)->Unit(benchmark::kMillisecond);

void ConnectorPageRepaint(benchmark::State& state)
{
    Page page;
    for (auto _ : state)
        page.Repaint();
    state.SetLabel("the whole page, for comparison");
}
BENCHMARK(ConnectorPageRepaint)->Unit(benchmark::kMillisecond);

} // namespace
