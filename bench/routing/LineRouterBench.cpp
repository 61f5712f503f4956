// Connector routing on a busy page: 100 boxes in a 10 x 10 lattice of slots and 100
// connectors, each to a box up to two slots away, so most of them have to go around others.
#include "objects/kinds/tests/LineRouterTestKit.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

struct Connector {
    size_t from;
    int fromSide;
    size_t to;
    int toSide;
};

struct BusyPage {
    RouteTestView view;
    std::vector<Connector> connectors;

    BusyPage()
    {
        constexpr int Slots = 10;
        constexpr int Slot = 120;
        std::mt19937 random(7);
        std::uniform_int_distribution<int> inset(15, 35);
        view.extent = { Slots * Slot + 100, Slots * Slot + 100 };
        for (int row = 0; row < Slots; ++row) {
            for (int column = 0; column < Slots; ++column) {
                int left = 50 + column * Slot;
                int top = 50 + row * Slot;
                view.AddBox({ left + inset(random), top + inset(random), left + Slot - inset(random),
                              top + Slot - inset(random) });
            }
        }
        std::uniform_int_distribution<int> step(-2, 2);
        std::uniform_int_distribution<int> side(4, 7);
        for (size_t k = 0; k < 100; ++k) {
            int column = std::clamp(static_cast<int>(k % Slots) + step(random), 0, Slots - 1);
            int row = std::clamp(static_cast<int>(k / Slots) + step(random), 0, Slots - 1);
            size_t to = static_cast<size_t>(row * Slots + column);
            connectors.push_back({ k, side(random), to == k ? (k + 1) % 100 : to, side(random) });
        }
    }

    // The snap point in the middle of the given edge (4 top, 5 right, 6 bottom, 7 left).
    POINT EdgePoint(size_t box, int side) const
    {
        CRect rect;
        view.boxes[box]->GetRect(&rect, nullptr);
        POINT middle = rect.CenterPoint();
        switch (side) {
        case 4: return { middle.x, rect.top };
        case 5: return { rect.right, middle.y };
        case 6: return { middle.x, rect.bottom };
        default: return { rect.left, middle.y };
        }
    }

    void RouteConnector(CLineRouter& router, const Connector& c) const
    {
        POINT start = EdgePoint(c.from, c.fromSide);
        POINT end = EdgePoint(c.to, c.toSide);
        benchmark::DoNotOptimize(router.Route(0, start.x, start.y, c.fromSide, end.x, end.y, c.toSide));
    }
};

// After any change of the page every connector reroutes with an empty mask cache.
void RerouteAllConnectors(benchmark::State& state)
{
    BusyPage page;
    CLineRouter router;
    for (auto _ : state) {
        router.ResetPath();
        router.PrepareArea(page.view);
        for (const Connector& c : page.connectors)
            page.RouteConnector(router, c);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(page.connectors.size()));
}
BENCHMARK(RerouteAllConnectors)->Unit(benchmark::kMillisecond);

// While nothing moves (a connector end being dragged) the masks are kept.
void RerouteAllConnectorsUnchangedPage(benchmark::State& state)
{
    BusyPage page;
    CLineRouter router;
    for (auto _ : state) {
        router.PrepareArea(page.view);
        for (const Connector& c : page.connectors)
            page.RouteConnector(router, c);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(page.connectors.size()));
}
BENCHMARK(RerouteAllConnectorsUnchangedPage)->Unit(benchmark::kMillisecond);

std::vector<Connector> ConnectorsOf(const BusyPage& page, size_t box)
{
    std::vector<Connector> attached;
    for (const Connector& c : page.connectors) {
        if (c.from == box || c.to == box)
            attached.push_back(c);
    }
    return attached;
}

// One mouse move while the box with the most connectors is dragged: the box moves, the
// cache goes, and the connectors of that box reroute.
void RerouteConnectorsOfAMovedBox(benchmark::State& state)
{
    BusyPage page;
    CLineRouter router;
    size_t moved = 0;
    for (size_t box = 1; box < page.view.boxes.size(); ++box) {
        if (ConnectorsOf(page, box).size() > ConnectorsOf(page, moved).size())
            moved = box;
    }
    std::vector<Connector> attached = ConnectorsOf(page, moved);
    CRect rect;
    page.view.boxes[moved]->GetRect(&rect, nullptr);
    int shift = 5;
    for (auto _ : state) {
        rect.OffsetRect(shift, 0);
        shift = -shift;
        page.view.boxes[moved]->SetRect(rect);
        router.PrepareArea(page.view);
        for (const Connector& c : attached)
            page.RouteConnector(router, c);
    }
    state.counters["connectors"] = static_cast<double>(attached.size());
}
BENCHMARK(RerouteConnectorsOfAMovedBox)->Unit(benchmark::kMillisecond);

} // namespace
