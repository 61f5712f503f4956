// A page with 5,000 ink strokes of 100 points each, redrawn whole: once as the stroke objects
// the page holds while the ink layer is off, once as the strokes of the layer's overlay, and once
// by QPainter for reference. Each redraw of the 1920 x 1080 page should stay under 16 ms.
#include "View/MyView.h"
#include "objects/kinds/StrokeOb.h"
#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ink/InkRenderer.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cmath>

namespace {

constexpr int kStrokes = 5000;
constexpr int kPoints = 100;
constexpr int kPageWidth = 1920;
constexpr int kPageHeight = 1080;
constexpr int kColumns = 100;

// A small wave in a 19 x 21 pixel cell of a grid over the page, in ink space.
std::shared_ptr<InkStrokeDisp> AddWave(InkDisp& ink, int index)
{
    const double perPixel = 2540.0 / 96.0;
    const double x0 = (index % kColumns) * 19 * perPixel, y0 = (index / kColumns) * 21 * perPixel;
    std::vector<POINT> points;
    for (int p = 0; p < kPoints; ++p)
        points.push_back({LONG(x0 + p * 0.16 * perPixel), LONG(y0 + (8 + 6 * std::sin(p * 0.3)) * perPixel)});
    auto stroke = ink.CreateStroke(points);
    InkDrawingAttributes pen;
    pen.Color = RGB(0, 0, 255);
    pen.Width = pen.Height = 10.0f;  // the red pen's size
    stroke->SetDrawingAttributes(pen);
    return stroke;
}

class Canvas {
public:
    Canvas()
    {
        m_screen.CreateCompatibleDC(nullptr);
        dc.CreateCompatibleDC(&m_screen);
        m_bitmap.CreateCompatibleBitmap(&m_screen, kPageWidth, kPageHeight);
        m_old = dc.SelectObject(&m_bitmap);
    }
    ~Canvas() { dc.SelectObject(m_old); }
    void Clear() { dc.FillSolidRect(0, 0, kPageWidth, kPageHeight, RGB(255, 255, 255)); }

    CDC dc;

private:
    CDC m_screen;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};

void RedrawStrokeObjects(benchmark::State& state)
{
    CMyView view;
    auto ink = InkDisp::Create();
    for (int i = 0; i < kStrokes; ++i) {
        auto* object = new CStrokeOb;
        object->Init(&view, nullptr, FALSE);
        object->TakeStroke(AddWave(*ink, i));
        view.GetObjects().Add(object);
    }
    Canvas canvas;
    const CRect page(0, 0, kPageWidth, kPageHeight);
    for (auto _ : state) {
        canvas.Clear();
        view.DrawObjects(&canvas.dc, page);
    }
}
BENCHMARK(RedrawStrokeObjects)->Unit(benchmark::kMillisecond);

void RedrawOverlayInk(benchmark::State& state)
{
    auto ink = InkDisp::Create();
    for (int i = 0; i < kStrokes; ++i)
        AddWave(*ink, i);
    const InkStrokes strokes = ink->Strokes();
    InkRenderer renderer;
    Canvas canvas;
    for (auto _ : state) {
        canvas.Clear();
        renderer.Draw(canvas.dc, strokes);
    }
}
BENCHMARK(RedrawOverlayInk)->Unit(benchmark::kMillisecond);

// The reference: QPainter on a QImage drawing the same strokes as one-pixel polylines, each
// redraw mapping the points into fresh polygons as the overlay does.
void RedrawOverlayInkQPainter(benchmark::State& state)
{
    auto ink = InkDisp::Create();
    for (int i = 0; i < kStrokes; ++i)
        AddWave(*ink, i);
    const InkStrokes strokes = ink->Strokes();
    const double toPixels = 96.0 / 2540.0;
    QImage image(kPageWidth, kPageHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(QPen(QColor(0, 0, 255), 1));
        for (const auto& stroke : strokes.All()) {
            const std::vector<POINT>& points = stroke->Points();
            QPolygon line(int(points.size()));
            for (size_t p = 0; p < points.size(); ++p)
                line[int(p)] = QPoint(qRound(points[p].x * toPixels), qRound(points[p].y * toPixels));
            painter.drawPolyline(line);
        }
    }
    state.SetLabel("reference");
}
BENCHMARK(RedrawOverlayInkQPainter)->Unit(benchmark::kMillisecond);

// What erasing the page costs alone, for comparison.
void ClearPage(benchmark::State& state)
{
    Canvas canvas;
    for (auto _ : state)
        canvas.Clear();
    state.SetLabel("erasing only, for comparison");
}
BENCHMARK(ClearPage)->Unit(benchmark::kMillisecond);

} // namespace
