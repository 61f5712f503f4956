// A document of 10,000 objects: saving and loading it as a file, and redrawing a full-HD
// view of its page.
#include "View/HyperRunDoc.h"
#include "View/HyperRunView.h"
#include "objects/HyperOb.h"
#include "platform/gdi/Dc.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

// Fills its rectangle with its background colour.
class CBenchBoxOb : public CHyperOb {
    DECLARE_SERIAL(CBenchBoxOb)
public:
    void Draw(CDC* dc) override
    {
        CRect rect;
        dc->FillSolidRect(GetRect(&rect, nullptr), BackColor);
    }
};
IMPLEMENT_SERIAL(CBenchBoxOb, CHyperOb, 1)

namespace {

constexpr int ObjectCount = 10000;
constexpr int Width = 1920;
constexpr int Height = 1080;

// A page view that draws its objects.
class CBenchView : public CHyperRunView {
public:
    void DrawPage(CDC* dc, const CRect& rect) override { DrawPageRect(dc, rect); }
};

// A run document over one page view of boxes spread across a full-HD page.
struct BenchDocument {
    BenchDocument()
    {
        document.m_bAutoDelete = FALSE;
        document.AddView(&view);
        view.CreatePageObject();
        for (int i = 0; i < ObjectCount; ++i) {
            const int x = (i * 37) % (Width - 40);
            const int y = (i * 53) % (Height - 30);
            auto* box = new CBenchBoxOb;
            const RECT rect{x, y, x + 40, y + 30};
            box->Init(&view, &rect, FALSE);
            box->BackColor = RGB(i % 256, (i / 256) % 256, 128);
            box->Code.Format("Box%d", i);
            view.GetObjects().Add(box);
        }
    }
    ~BenchDocument() { document.RemoveView(&view); }

    CHyperRunDoc document;
    CBenchView view;
};

void SaveAndLoad(benchmark::State& state)
{
    BenchDocument source;
    BenchDocument target;
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vantrel-bench-" + std::to_string(::getpid()) + ".trn")).string();
    for (auto _ : state) {
        if (!source.document.OnSaveDocument(path.c_str()) || !target.document.OnOpenDocument(path.c_str()))
            state.SkipWithError("the document did not save and load");
    }
    state.counters["objects"] = static_cast<double>(target.view.GetObjectCount());
    std::filesystem::remove(path);
}
BENCHMARK(SaveAndLoad)->Unit(benchmark::kMillisecond);

void FullRedraw(benchmark::State& state)
{
    BenchDocument page;
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, Width, Height);
    CBitmap* old = memory.SelectObject(&bitmap);
    for (auto _ : state)
        page.view.OnDraw(&memory);
    memory.SelectObject(old);
    ::ReleaseDC(nullptr, screen.Detach());
}
BENCHMARK(FullRedraw)->Unit(benchmark::kMillisecond);

} // namespace
