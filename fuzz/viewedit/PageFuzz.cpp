// Reads arbitrary bytes as a page record into the editing view, which also names objects that
// came without a name and notes the highest group id. Reading may only succeed, stop part-way
// or throw the framework's exception; every object of a read that ended has a name, and a page
// read completely stores and reads back to the same bytes.
#include "View/MyView.h"
#include "objects/HyperOb.h"
#include "objects/ScriptText.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/MemFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// FALSE when the framework's exception ended the read.
bool Load(CMyView& view, const Bytes& bytes)
{
    Bytes copy = bytes;
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive archive(&file, CArchive::load);
    try {
        view.Serialize(archive);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

Bytes Store(CMyView& view)
{
    CMemFile file;
    {
        CArchive archive(&file, CArchive::store);
        view.Serialize(archive);
        archive.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CMyView view;
    if (!Load(view, Bytes(data, data + size)))
        return 0;
    for (INT_PTR i = 0; i < view.GetObjects().GetSize(); ++i)
        if (IsScriptBlank(view.GetObjectAtIndex(i)->GetCode()))
            std::abort();
    if (view.LoadWasIncomplete())
        return 0;
    const Bytes stored = Store(view);
    CMyView again;
    if (!Load(again, stored) || Store(again) != stored)
        std::abort();
    return 0;
}
