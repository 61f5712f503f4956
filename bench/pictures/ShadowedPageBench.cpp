// A page of 100 shadowed pictures: after the first draw has rendered each shadow and built
// each picture's device bitmap, a repaint only blits them, far below 16 ms. The first draw
// is measured beside it for comparison.
#include "View/MyView.h"
#include "objects/kinds/BitmapShadowOb.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kObjects = 100;
constexpr int kColumns = 10;
constexpr int kCell = 100;
constexpr int kPictureWidth = 64;
constexpr int kPictureHeight = 48;
constexpr int kPageWidth = kColumns * kCell;
constexpr int kPageHeight = kObjects / kColumns * kCell;

// A 24-bit picture with a diagonal colour ramp, kept in the document.
void MakePicture(CExtDib& picture, CDC* dc)
{
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, kPictureWidth, kPictureHeight);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(&bitmap);
    for (int y = 0; y < kPictureHeight; ++y)
        for (int x = 0; x < kPictureWidth; ++x)
            memory.SetPixelV(x, y, RGB(x * 4, y * 5, 255 - x * 2));
    memory.SelectObject(old);
    picture.CreateFromBitmap(&memory, &bitmap, 24, FALSE);
    picture.m_kind = CExtDib::Embedded;
}

class Page {
public:
    Page()
    {
        m_screen.CreateCompatibleDC(nullptr);
        m_dc.CreateCompatibleDC(&m_screen);
        m_bitmap.CreateCompatibleBitmap(&m_screen, kPageWidth, kPageHeight);
        m_old = m_dc.SelectObject(&m_bitmap);
        MakePicture(m_picture, &m_screen);
        for (int i = 0; i < kObjects; ++i) {
            const int x = (i % kColumns) * kCell + 10;
            const int y = (i / kColumns) * kCell + 10;
            const CRect rect(x, y, x + kPictureWidth, y + kPictureHeight);
            auto* object = new CBitmapShadowOb;
            object->Init(&m_view, &rect, FALSE);
            object->SetPicture(&m_picture);
            object->GetShadow().OffsetX = 6;
            object->GetShadow().OffsetY = 6;
            m_view.GetObjects().Add(object);
        }
    }
    ~Page() { m_dc.SelectObject(m_old); }

    void Repaint()
    {
        const CRect page(0, 0, kPageWidth, kPageHeight);
        m_dc.FillSolidRect(&page, RGB(255, 255, 255));
        m_view.DrawObjects(&m_dc, page);
    }

private:
    CMyView m_view;
    CDC m_screen;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
    CExtDib m_picture;
};

void CachedRepaint(benchmark::State& state)
{
    Page page;
    page.Repaint();
    for (auto _ : state)
        page.Repaint();
    state.SetLabel("100 shadowed pictures, caches built");
}
BENCHMARK(CachedRepaint)->Unit(benchmark::kMillisecond);

void FirstDraw(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        Page page;
        state.ResumeTiming();
        page.Repaint();
    }
    state.SetLabel("the first draw renders every shadow, for comparison");
}
BENCHMARK(FirstDraw)->Unit(benchmark::kMillisecond);

} // namespace
