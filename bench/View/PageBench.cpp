// The editor's own paths on a page of rectangles, each with a fill and a one-pixel outline:
// redrawing a full-HD view at 100 % beside QPainter drawing the same pixels on a QImage, and a
// scaling run from 100 to 50,000 objects (open to first paint, save, memory) with per-object costs.
#include "View/HyperRunDoc.h"
#include "View/MyView.h"
#include "bench/View/PageDifference.h"
#include "bench/View/PageScreen.h"
#include "objects/kinds/BorderGen.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Box {
    RECT rect;
    COLORREF fill;
    COLORREF outline;
};

// Boxes of 8 to 100 pixels a side spread over the page, in a fixed pseudo-random order.
std::vector<Box> MakeBoxes(int count)
{
    std::vector<Box> boxes;
    boxes.reserve(static_cast<size_t>(count));
    uint32_t seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
    };
    for (int i = 0; i < count; ++i) {
        const int w = 8 + next(93), h = 8 + next(93);
        const int x = next(kWidth - w), y = next(kHeight - h);
        boxes.push_back({{x, y, x + w, y + h}, RGB(next(256), next(256), next(256)), RGB(next(128), 0, next(128))});
    }
    return boxes;
}

// A page view holding rectangles as the Rectangle tool inserts and names them, the first box at
// the bottom.
void FillView(CMyView& view, const std::vector<Box>& boxes)
{
    for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) {
        const Box& box = *it;
        auto* border = new CBorderGen;
        border->Init(&view, &box.rect, TRUE);
        border->SetBackColor(box.fill);
        border->SetForeColor(box.outline);
        border->Code.Format("Rectangle%d", static_cast<int>(boxes.rend() - it));
        view.GetObjects().Add(border);
    }
}

void PaintWithQPainter(QImage& image, const std::vector<Box>& boxes)
{
    QPainter painter(&image);
    painter.fillRect(image.rect(), Qt::white);
    for (const Box& box : boxes) {
        const RECT& r = box.rect;
        const QColor fill(GetRValue(box.fill), GetGValue(box.fill), GetBValue(box.fill));
        const QColor outline(GetRValue(box.outline), GetGValue(box.outline), GetBValue(box.outline));
        painter.fillRect(QRect(r.left, r.top, r.right - r.left, r.bottom - r.top), fill);
        painter.setPen(QPen(outline, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1));
    }
}

void PageRedraw(benchmark::State& state)
{
    const std::vector<Box> boxes = MakeBoxes(static_cast<int>(state.range(0)));
    CMyView view;
    view.CreatePageObject();
    view.SetEditMode(FALSE);  // the page alone, without the snap marks of editing
    FillView(view, boxes);
    PageScreen screen(kWidth, kHeight);
    screen.Paint(view);
    QImage reference(kWidth, kHeight, QImage::Format_RGB32);
    PaintWithQPainter(reference, boxes);
    if (const std::string difference = FirstDifference(screen, reference); !difference.empty())
        state.SkipWithError(difference.c_str());
    for (auto _ : state)
        screen.Paint(view);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(PageRedraw)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void PageRedrawQPainter(benchmark::State& state)
{
    const std::vector<Box> boxes = MakeBoxes(static_cast<int>(state.range(0)));
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state)
        PaintWithQPainter(image, boxes);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(PageRedrawQPainter)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The process's resident memory now and at its peak since the last reset, in bytes.
struct Resident {
    long long now = 0;
    long long peak = 0;
};

Resident ReadResident()
{
    std::ifstream status("/proc/self/status");
    Resident r;
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            r.now = std::stoll(line.substr(6)) * 1024;
        else if (line.rfind("VmHWM:", 0) == 0)
            r.peak = std::stoll(line.substr(6)) * 1024;
    }
    return r;
}

void ResetPeak()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

// One document of rectangles, opened into a page view.
struct Document {
    Document()
    {
        document.m_bAutoDelete = FALSE;
        document.AddView(&view);
        view.CreatePageObject();
    }
    ~Document() { document.RemoveView(&view); }
    CHyperRunDoc document;
    CMyView view;
};

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// Open to first paint, save and the peak memory beyond the empty document, per object.
void PageScaling(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("vantrel-scaling-" + std::to_string(::getpid()) + ".trn")).string();
    {
        Document source;
        FillView(source.view, MakeBoxes(count));
        if (!source.document.OnSaveDocument(path.c_str()))
            state.SkipWithError("the document did not save");
    }
    PageScreen screen(kWidth, kHeight);
    double open = 0, save = 0, perObject = 0;
    for (auto _ : state) {
        ResetPeak();
        const Resident empty = ReadResident();
        Document target;
        const auto start = std::chrono::steady_clock::now();
        if (!target.document.OnOpenDocument(path.c_str()) || target.view.GetObjectCount() != count)
            state.SkipWithError("the document did not open");
        screen.Paint(target.view);
        const auto painted = std::chrono::steady_clock::now();
        perObject = double(ReadResident().peak - empty.now) / count;
        if (!target.document.OnSaveDocument(path.c_str()))
            state.SkipWithError("the document did not save");
        const auto saved = std::chrono::steady_clock::now();
        open = Milliseconds(painted - start);
        save = Milliseconds(saved - painted);
        state.SetIterationTime(Milliseconds(saved - start) / 1000);
    }
    state.counters["open_ms"] = open;
    state.counters["save_ms"] = save;
    state.counters["open_us_per_object"] = open * 1000 / count;
    state.counters["save_us_per_object"] = save * 1000 / count;
    state.counters["peak_bytes_per_object"] = perObject;
    state.counters["file_bytes_per_object"] = double(std::filesystem::file_size(path)) / count;
    std::filesystem::remove(path);
}
BENCHMARK(PageScaling)->Arg(100)->Arg(1000)->Arg(10000)->Arg(50000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
