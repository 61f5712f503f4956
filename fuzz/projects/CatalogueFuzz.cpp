// Reads arbitrary bytes as a ".cat" file and as a "Catalogue Object" block. A catalogue that
// opens must save whole and open again with the same entries.
#include "fuzz/FuzzFolder.h"
#include "projects/Catalogue.h"
#include "projects/CatalogueOb.h"
#include "platform/core/GlobalMemory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool SameEntries(const CCatalogue& a, const CCatalogue& b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (int i = 0; i < a.GetCount(); ++i) {
        const CCatalogueOb& x = *a.GetEntry(i);
        const CCatalogueOb& y = *b.GetEntry(i);
        if (x.GetName() != y.GetName() || x.GetFormatCount() != y.GetFormatCount())
            return false;
        for (int f = 0; f < x.GetFormatCount(); ++f)
            if (x.GetData(f) != y.GetData(f) || x.GetFormatName(f) != y.GetFormatName(f))
                return false;
    }
    return true;
}

void CheckFile(const FuzzFolder& folder, const uint8_t* data, size_t size)
{
    const std::string input = folder.File("input.cat"), copy = folder.File("copy.cat");
    if (!FuzzFolder::Write(input, data, size))
        return;
    CCatalogue catalogue;
    if (catalogue.Load(input.c_str()) != 0)
        return;
    catalogue.SetPath(copy.c_str());
    if (catalogue.Save(0) != 0)
        std::abort();
    CCatalogue again;
    if (again.Load(copy.c_str()) != 0 || !SameEntries(catalogue, again) || !again.GetSkippedEntries().empty())
        std::abort();
}

void CheckBlock(const uint8_t* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (size)
        std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    delete CCatalogueOb::FromGlobal(block);
    GlobalFree(block);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzFolder folder;
    if (!folder.IsUsable() || size > (1u << 20))
        return 0;
    CheckFile(folder, data, size);
    CheckBlock(data, size);
    return 0;
}
