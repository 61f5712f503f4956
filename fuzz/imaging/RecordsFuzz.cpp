// Reads arbitrary bytes as each bitmap record. The stored-bitmap readers may only succeed or
// throw the archive exception, the packed DIB reader only succeed or fail; whatever was read
// must store and read back unchanged.
#include "imaging/ExtDib.h"
#include "imaging/OXDib.h"
#include "objects/tests/ArchiveBytes.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

bool Load(const Bytes& bytes, const std::function<void(CArchive&)>& read)
{
    return !LoadThrowsArchiveException(bytes, read);
}

void CheckDib(const Bytes& data)
{
    CDib dib;
    if (!Load(data, [&](CArchive& ar) { dib.Serialize(ar); }))
        return;
    Bytes stored = StoreBytes([&](CArchive& ar) { dib.Serialize(ar); });
    CDib again;
    if (!Load(stored, [&](CArchive& ar) { again.Serialize(ar); }) || again.GetSize() != dib.GetSize() ||
        (dib.GetSize() && std::memcmp(again.GetBlock(), dib.GetBlock(), dib.GetSize()) != 0))
        std::abort();
}

// Linked pictures (kind 3) open the file they name, so those inputs are left out.
bool NamesALinkedFile(const Bytes& data)
{
    for (size_t at : {size_t(0), size_t(4)})
        if (data.size() >= at + 2 && data[at] == 3 && data[at + 1] == 0)
            return true;
    return false;
}

void CheckExtDib(const Bytes& data)
{
    CExtDib dib;
    if (NamesALinkedFile(data) || !Load(data, [&](CArchive& ar) { dib.SerializeEx(ar, TRUE); }))
        return;
    Bytes stored = StoreBytes([&](CArchive& ar) { dib.SerializeEx(ar, TRUE); });
    CExtDib again;
    if (!Load(stored, [&](CArchive& ar) { again.SerializeEx(ar, TRUE); }) || !again.IsEqual(dib))
        std::abort();
}

void CheckPackedDib(const Bytes& data)
{
    COXDIB dib;
    BOOL read = FALSE;
    if (!Load(data, [&](CArchive& ar) { read = dib.Read(ar); }) || !read)
        return;
    BOOL written = FALSE;
    Bytes stored = StoreBytes([&](CArchive& ar) { written = dib.Write(ar); });
    COXDIB again;
    BOOL reread = FALSE;
    if (!written || !Load(stored, [&](CArchive& ar) { reread = again.Read(ar); }) || !reread)
        std::abort();
    if (StoreBytes([&](CArchive& ar) { again.Write(ar); }) != stored)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Bytes bytes(data, data + size);
    CheckDib(bytes);
    CheckExtDib(bytes);
    CheckPackedDib(bytes);
    return 0;
}
