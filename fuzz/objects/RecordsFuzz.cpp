// Reads arbitrary bytes as each record of the object model. A reader may only succeed or
// throw the archive exception; what it read must store and read back unchanged.
#include "objects/FontDescriptor.h"
#include "objects/ObValue.h"
#include "objects/SectionTag.h"
#include "objects/VersionTag.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/MemFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

template <typename Read>
bool ReadAll(const uint8_t* data, size_t size, Read read)
{
    std::vector<uint8_t> copy(data, data + size);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive archive(&file, CArchive::load);
    try {
        read(archive);
    } catch (CArchiveException* e) {
        e->Delete();
        return false;
    }
    return true;
}

template <typename Record>
std::vector<uint8_t> Store(Record& record)
{
    CMemFile file;
    CArchive archive(&file, CArchive::store);
    record.Serialize(archive);
    archive.Close();
    std::vector<uint8_t> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// A record that loads must come back equal after a store and a load.
template <typename Record>
void CheckRecord(const uint8_t* data, size_t size)
{
    Record record;
    if (!ReadAll(data, size, [&](CArchive& ar) { record.Serialize(ar); }))
        return;
    std::vector<uint8_t> stored = Store(record);
    Record reloaded;
    if (!ReadAll(stored.data(), stored.size(), [&](CArchive& ar) { reloaded.Serialize(ar); }) ||
        !reloaded.IsEqual(record))
        std::abort();
}

void CheckTags(const uint8_t* data, size_t size)
{
    ReadAll(data, size, [](CArchive& ar) {
        CVersionTag tag(&ar, nullptr, 8);
        tag.Read();
        CSectionTag(&ar, 0x22222222).Probe();
        DWORD next = 0;
        ar >> next;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CheckRecord<CObValue>(data, size);
    CheckRecord<CFontDescriptor>(data, size);
    CheckTags(data, size);
    return 0;
}
