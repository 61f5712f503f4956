// Bytes from outside as the container and the clipboard meet them: an item's stored record
// (which must read back the same after it is written again), clipboard blocks of the handle
// formats, a dropped-files block, and text coerced to every automation type.
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/core/tests/ArchiveBytes.h"
#include "platform/ole/OleClientItem.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"
#include "platform/ole/OleVariant.h"
#include "platform/ole/Variant.h"
#include "platform/ui/UiApi.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

Bytes Record(COleClientItem& item)
{
    return StoreBytes([&](CArchive& ar) { item.Serialize(ar); });
}

bool Load(COleClientItem& item, const Bytes& bytes)
{
    return ArchiveCause([&] { LoadBytes(bytes, [&](CArchive& ar) { item.Serialize(ar); }); }) < 0;
}

void PackageRecord(const uint8_t* data, size_t size)
{
    COleClientItem item;
    if (!Load(item, Bytes(data, data + size)))
        return;
    Bytes written = Record(item);
    COleClientItem again;
    if (!Load(again, written) || Record(again) != written)
        std::abort();
}

HGLOBAL Block(const uint8_t* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (block && size)
        std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    return block;
}

void ClipboardBlocks(const uint8_t* data, size_t size)
{
    auto* source = new COleDataSource;
    for (UINT format : {CF_DIB, CF_PALETTE, CF_ENHMETAFILE, CF_HDROP})
        source->CacheGlobalData(static_cast<CLIPFORMAT>(format), Block(data, size));
    COleDataObject object;
    object.AttachSource(source->MakeClipSource());
    source->ExternalRelease();
    for (UINT format : {CF_BITMAP, CF_PALETTE}) {
        STGMEDIUM medium{};
        if (object.GetData(static_cast<CLIPFORMAT>(format), &medium))
            ReleaseStgMedium(&medium);
    }
    COleClientItem item;
    item.CreateStaticFromData(&object);
    auto drop = static_cast<HDROP>(object.GetGlobalData(CF_HDROP));
    UINT count = DragQueryFile(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        char name[64];
        DragQueryFile(drop, i, name, sizeof name);
    }
    DragFinish(drop);
}

void Coercions(const uint8_t* data, size_t size)
{
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocStringByteLen(reinterpret_cast<const char*>(data), static_cast<UINT>(size));
    for (VARTYPE vt : {VT_I2, VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_BOOL, VT_UI1, VT_BSTR}) {
        COleVariant out;
        VariantChangeType(&out, &text, 0, vt);
    }
    VariantClear(&text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    PackageRecord(data, size);
    ClipboardBlocks(data, size);
    Coercions(data, size);
    return 0;
}
