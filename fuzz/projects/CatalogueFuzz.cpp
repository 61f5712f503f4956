// Reads arbitrary bytes as a ".cat" file and as a "Catalogue Object" block. A catalogue that
// reads must store whole and read back with the same entries.
#include "projects/Catalogue.h"
#include "projects/CatalogueOb.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

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

// FALSE when the bytes are no catalogue.
bool Read(std::vector<BYTE> bytes, CCatalogue& catalogue)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    try {
        CArchive ar(&file, CArchive::load, 4096);
        catalogue.Serialize(ar);
        ar.Close();
        return true;
    } catch (CException* e) {
        e->Delete();
        return false;
    }
}

std::vector<BYTE> Stored(CCatalogue& catalogue)
{
    CMemFile file(4096);
    CArchive ar(&file, CArchive::store, 4096);
    catalogue.Serialize(ar);
    ar.Close();
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

void CheckFile(const uint8_t* data, size_t size)
{
    CCatalogue catalogue;
    if (!Read(std::vector<BYTE>(data, data + size), catalogue))
        return;
    CCatalogue copy;
    copy.CopyFrom(catalogue);
    CCatalogue again;
    if (!Read(Stored(copy), again) || !SameEntries(catalogue, again) || !again.GetSkippedEntries().empty())
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
    if (size > (1u << 20))
        return 0;
    CheckFile(data, size);
    CheckBlock(data, size);
    return 0;
}
