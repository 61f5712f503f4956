// Reads arbitrary bytes as a sound, and as the record of each note kind and the OLE object. A
// reader may only succeed or throw the archive or file exception; what it read must store and
// read back unchanged.
#include "objects/kinds/HyperOleOb.h"
#include "objects/kinds/RTFOb.h"
#include "objects/kinds/SoundOb.h"
#include "objects/kinds/StickyOb.h"
#include "objects/tests/ArchiveBytes.h"
#include "objects/Wave.h"

#include "platform/core/FileException.h"

#include <cstdint>
#include <cstdlib>

namespace {

template <typename Record>
bool Loads(const Bytes& bytes, Record& record)
{
    try {
        LoadBytes(bytes, [&](CArchive& ar) { record.Serialize(ar); });
    } catch (CArchiveException* e) {
        e->Delete();
        return false;
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
    return true;
}

template <typename Record>
void CheckStable(const Bytes& bytes)
{
    Record record;
    if (!Loads(bytes, record))
        return;
    Bytes stored = StoreBytes([&](CArchive& ar) { record.Serialize(ar); });
    Record again;
    if (!Loads(stored, again) || StoreBytes([&](CArchive& ar) { again.Serialize(ar); }) != stored)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes bytes(data, data + size);
    CheckStable<CWave>(bytes);
    CheckStable<CStickyOb>(bytes);
    CheckStable<CSoundOb>(bytes);
    CheckStable<CRTFOb>(bytes);
    CheckStable<CHyperOleOb>(bytes);
    return 0;
}
