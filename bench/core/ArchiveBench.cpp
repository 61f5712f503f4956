// Archive throughput: scalars and strings through the buffer, and object graphs
// through the class and object maps.
#include "platform/core/Archive.h"
#include "platform/core/Arrays.h"
#include "platform/core/MemFile.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

class CBenchItem : public CObject {
    DECLARE_SERIAL(CBenchItem)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_id << m_name;
        else
            ar >> m_id >> m_name;
    }
    DWORD m_id = 0;
    CString m_name{"item"};
};
IMPLEMENT_SERIAL(CBenchItem, CObject, 1)

static void StoreScalarsAndStrings(benchmark::State& state)
{
    const CString text("a short object name");
    for (auto _ : state) {
        CMemFile file(64 * 1024);
        CArchive ar(&file, CArchive::store);
        for (int i = 0; i < 10000; ++i)
            ar << static_cast<DWORD>(i) << static_cast<WORD>(i) << 1.5 << text;
        ar.Close();
        benchmark::DoNotOptimize(file.GetLength());
    }
    state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(StoreScalarsAndStrings);

static void LoadObjectGraph(benchmark::State& state)
{
    std::vector<std::unique_ptr<CBenchItem>> items(static_cast<size_t>(state.range(0)));
    CObArray array;
    for (auto& item : items) {
        item = std::make_unique<CBenchItem>();
        array.Add(item.get());
    }
    CMemFile stored;
    {
        CArchive ar(&stored, CArchive::store);
        array.Serialize(ar);
        ar.Close();
    }
    for (auto _ : state) {
        stored.SeekToBegin();
        CArchive ar(&stored, CArchive::load);
        CObArray loaded;
        loaded.Serialize(ar);
        for (int i = 0; i < loaded.GetSize(); ++i)
            delete loaded[i];
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LoadObjectGraph)->Arg(1000)->Arg(50000);
