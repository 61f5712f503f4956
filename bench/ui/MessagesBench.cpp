// Message throughput: posting and dispatching through the queue, and sending through a
// message map with base-class chaining.
#include "platform/ui/Wnd.h"

#include <benchmark/benchmark.h>

namespace {

class CBenchBase : public CWnd {
public:
    LRESULT OnBase(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBenchBase, CWnd)
    ON_MESSAGE(WM_USER + 1, OnBase)
END_MESSAGE_MAP()

class CBenchWnd : public CBenchBase {
public:
    LRESULT OnOther(WPARAM, LPARAM) { return 0; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBenchWnd, CBenchBase)
    ON_MESSAGE(WM_USER + 2, OnOther)
    ON_MESSAGE(WM_USER + 3, OnOther)
    ON_MESSAGE(WM_USER + 4, OnOther)
END_MESSAGE_MAP()

void SendThroughMap(benchmark::State& state)
{
    CBenchWnd wnd;
    wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr);
    WPARAM i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(wnd.SendMessage(WM_USER + 1, ++i));
    wnd.DestroyWindow();
}
BENCHMARK(SendThroughMap);

void PostAndDispatch(benchmark::State& state)
{
    CBenchWnd wnd;
    wnd.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr);
    MSG msg;
    for (auto _ : state) {
        for (int i = 0; i < 64; ++i)
            wnd.PostMessage(WM_USER + 1, static_cast<WPARAM>(i));
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessage(&msg);
    }
    state.SetItemsProcessed(state.iterations() * 64);
    wnd.DestroyWindow();
}
BENCHMARK(PostAndDispatch);

} // namespace
