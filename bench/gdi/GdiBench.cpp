// Drawing throughput on a full-HD memory bitmap.
#include "platform/gdi/Dc.h"
#include "platform/gdi/Dib.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

struct Screen {
    Screen(int width = 1920, int height = 1080)
    {
        CDC ref;
        ref.Attach(::GetDC(nullptr));
        dc.CreateCompatibleDC(&ref);
        bitmap.CreateCompatibleBitmap(&ref, width, height);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, width, height, RGB(255, 255, 255));
    }
    ~Screen() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

void MixedShapes(benchmark::State& state)
{
    Screen screen;
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> x(0, 1900), y(0, 1060), size(4, 120), kind(0, 4);
    CPen pens[3] = {CPen(PS_SOLID, 0, RGB(0, 0, 0)), CPen(PS_DASH, 1, RGB(200, 0, 0)),
                    CPen(PS_SOLID, 3, RGB(0, 0, 200))};
    CBrush brushes[3] = {CBrush(RGB(0, 160, 0)), CBrush(HS_DIAGCROSS, RGB(90, 90, 90)), CBrush(RGB(250, 250, 0))};
    for (auto _ : state) {
        for (int i = 0; i < 10000; ++i) {
            int l = x(rng), t = y(rng), r = l + size(rng), b = t + size(rng);
            CPen* oldPen = screen.dc.SelectObject(&pens[i % 3]);
            CBrush* oldBrush = screen.dc.SelectObject(&brushes[i % 3]);
            switch (kind(rng)) {
            case 0: screen.dc.Rectangle(l, t, r, b); break;
            case 1: screen.dc.Ellipse(l, t, r, b); break;
            case 2: screen.dc.Pie(l, t, r, b, r, t, l, t); break;
            case 3: {
                POINT tri[3] = {{l, b}, {r, b}, {(l + r) / 2, t}};
                screen.dc.Polygon(tri, 3);
                break;
            }
            default:
                screen.dc.MoveTo(l, t);
                screen.dc.LineTo(r, b);
                break;
            }
            screen.dc.SelectObject(oldPen);
            screen.dc.SelectObject(oldBrush);
        }
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(MixedShapes)->Unit(benchmark::kMillisecond);

void BitBltCopy(benchmark::State& state)
{
    Screen dst, src;
    for (auto _ : state)
        dst.dc.BitBlt(0, 0, 1920, 1080, &src.dc, 0, 0, static_cast<DWORD>(state.range(0)));
    state.SetBytesProcessed(state.iterations() * 1920 * 1080 * 4);
}
BENCHMARK(BitBltCopy)->Arg(SRCCOPY)->Arg(SRCINVERT)->Arg(0x00B8074A)->Unit(benchmark::kMillisecond);

void StretchBltHalf(benchmark::State& state)
{
    Screen dst, src;
    dst.dc.SetStretchBltMode(static_cast<int>(state.range(0)));
    for (auto _ : state)
        dst.dc.StretchBlt(0, 0, 960, 540, &src.dc, 0, 0, 1920, 1080, SRCCOPY);
    state.SetBytesProcessed(state.iterations() * 960 * 540 * 4);
}
BENCHMARK(StretchBltHalf)->Arg(COLORONCOLOR)->Arg(HALFTONE)->Unit(benchmark::kMillisecond);

// Small drawing calls on a full-HD 24-bit DIB section, whose bits follow every call.
void SectionLines(benchmark::State& state)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1920, 1080, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = dc.SelectObject(section);
    int i = 0;
    for (auto _ : state) {
        dc.MoveTo(i % 1900, 10);
        dc.LineTo(i % 1900 + 20, 1000);
        ++i;
    }
    dc.SelectObject(old);
    DeleteObject(section);
}
BENCHMARK(SectionLines)->Unit(benchmark::kMicrosecond);

}  // namespace
