// A catalogue of 1,000 entries, each with a 32 x 32 icon and 2 KB of data: opening its file,
// and opening it in the catalogue manager with its window drawn.
#include "projects/CatManager.h"
#include "projects/CatWnd.h"
#include "projects/Catalogue.h"
#include "projects/CatalogueFolder.h"
#include "projects/CatalogueOb.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Dc.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int EntryCount = 1000;
constexpr size_t DataSize = 2048;

// A folder of its own, removed when the program ends.
struct BenchFolder {
    BenchFolder()
    {
        char pattern[] = "/tmp/catalogue-bench-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~BenchFolder() { std::filesystem::remove_all(path); }
    std::string path;
};

const std::string& Folder()
{
    static BenchFolder folder;
    return folder.path;
}

CString FolderText() { return Folder().c_str(); }

CCatalogueOb* MakeEntry(int i)
{
    auto* entry = new CCatalogueOb;
    CString name;
    name.Format("Entry number %d", i);
    entry->SetName(name);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, DataSize);
    entry->AddClipboardData(CF_TEXT, block);
    GlobalFree(block);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap icon;
    icon.CreateBitmap(32, 32, 1, 32, nullptr);
    CBitmap* old = dc.SelectObject(&icon);
    dc.FillSolidRect(0, 0, 32, 32, RGB(i % 256, 80, 160));
    dc.SelectObject(old);
    entry->SetIcon(&icon, nullptr);
    return entry;
}

const std::string& CatalogueFile()
{
    static const std::string path = [] {
        const std::string file = Folder() + "/bench.cat";
        CCatalogue catalogue;
        for (int i = 0; i < EntryCount; ++i)
            catalogue.InsertEntry(i, MakeEntry(i));
        catalogue.SetPath(file.c_str());
        catalogue.Save(0);
        return file;
    }();
    return path;
}

void OpenCatalogueFile(benchmark::State& state)
{
    const std::string& file = CatalogueFile();
    for (auto _ : state) {
        CCatalogue catalogue;
        benchmark::DoNotOptimize(catalogue.Load(file.c_str()));
    }
}
BENCHMARK(OpenCatalogueFile)->Unit(benchmark::kMillisecond);

void OpenAndShowInTheManager(benchmark::State& state)
{
    const std::string& file = CatalogueFile();
    SetCatalogueFolderSource(FolderText);
    CWnd top;
    top.CreateEx(0, AfxRegisterWndClass(0), "", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 800, nullptr, nullptr);
    for (auto _ : state) {
        CCatManager manager;
        manager.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 250, 760), &top, 1);
        manager.OpenCatalogue(file.c_str());
        manager.GetWindow()->UpdateWindow();
        benchmark::DoNotOptimize(manager.GetActiveCatalogue()->GetCount());
        manager.DestroyWindow();
    }
    top.DestroyWindow();
}
BENCHMARK(OpenAndShowInTheManager)->Unit(benchmark::kMillisecond);

} // namespace
