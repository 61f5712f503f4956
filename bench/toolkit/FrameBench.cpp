// A main frame as the editor builds it: a menu bar, twelve tool bars and seven docking panes,
// laid out and painted. The budget is one frame at 60 Hz (16 ms).
#include "platform/toolkit/XTPCommandBars.h"
#include "platform/toolkit/XTPDockingPaneManager.h"
#include "platform/toolkit/XTPMDIFrameWnd.h"
#include "platform/toolkit/XTPToolBar.h"
#include "platform/ui/Resources.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/WinApp.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

constexpr UINT kMenu = 500, kFirstBar = 600, kBars = 12, kPanes = 7;

void registerResources()
{
    std::vector<MenuTemplateItem> menu;
    for (UINT m = 0; m < 8; ++m) {
        MenuTemplateItem drop{0, 0, "&Menu", {}};
        for (UINT i = 0; i < 12; ++i)
            drop.children.push_back(MenuTemplateItem{0, 1000 + m * 20 + i, "Command", {}});
        menu.push_back(drop);
    }
    RegisterMenuResource(kMenu, menu);
    for (UINT b = 0; b < kBars; ++b) {
        ToolBarTemplate bar;
        for (UINT i = 0; i < 10; ++i)
            bar.items.push_back(i == 5 ? 0 : 2000 + b * 20 + i);
        RegisterToolBarResource(kFirstBar + b, bar);
    }
}

struct Frame {
    CXTPMDIFrameWnd* frame = new CXTPMDIFrameWnd;
    CXTPDockingPaneManager panes;
    std::vector<std::unique_ptr<CWnd>> hosted;

    Frame()
    {
        frame->LoadFrame(kMenu + 1);
        frame->MoveWindow(0, 0, 1280, 900);
        frame->ShowWindow(SW_SHOW);
        CXTPCommandBars* bars = frame->InitCommandBars();
        bars->SetMenu("Menu Bar", kMenu);
        for (UINT b = 0; b < kBars; ++b)
            bars->Add("Bar", b % 3 == 2 ? BarLeft : BarTop)->LoadToolBar(kFirstBar + b);
        panes.InstallDockingPanes(frame);
        CXTPDockingPane* first = nullptr;
        for (UINT p = 0; p < kPanes; ++p) {
            CXTPDockingPane* pane = panes.CreatePane(59000 + p, CRect(0, 0, 200, 100), PaneDockRight);
            hosted.push_back(std::make_unique<CWnd>());
            hosted.back()->Create(AfxRegisterWndClass(0), "", WS_CHILD, CRect(0, 0, 0, 0), frame, 0);
            pane->Attach(hosted.back().get());
            if (first)
                panes.AttachAsTab(pane, first);
            first = first ? first : pane;
        }
    }
    ~Frame() { frame->DestroyWindow(); }
};

void LayoutAndPaint(benchmark::State& state)
{
    Frame f;
    int width = 1280;
    for (auto _ : state) {
        width = width == 1280 ? 1279 : 1280;
        f.frame->MoveWindow(0, 0, width, 900);
        f.frame->RecalcLayout();
        f.frame->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
        UiTestHook::PumpPending();
    }
}
BENCHMARK(LayoutAndPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qt(argc, argv);
    CWinApp app("ToolkitBench");
    registerResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
