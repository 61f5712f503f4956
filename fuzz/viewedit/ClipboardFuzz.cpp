// Reads arbitrary bytes as objects on the clipboard in the program's private format. Reading
// may only succeed or throw the framework's exception; a read that succeeded holds as many page
// objects as the count says. The same bytes as clipboard text are read as a dragged tool's id,
// which only a "!" and a number in range give.
#include "View/HyperView.h"
#include "objects/HyperOb.h"
#include "platform/core/Exception.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/ole/Clipboard.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDataSource.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void DraggedToolId(const uint8_t* data, size_t size)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (size)
        std::memcpy(GlobalLock(block), data, size);
    GlobalUnlock(block);
    auto* source = new COleDataSource;
    source->CacheGlobalData(CF_TEXT, block);
    COleDataObject object;
    object.AttachSource(source->MakeClipSource());
    source->ExternalRelease();
    const UINT id = CHyperView::ReadDragToolId(&object);
    if (id != 0 && (id > 0xFFFF || size < 2 || data[0] != '!'))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DraggedToolId(data, size);
    std::vector<uint8_t> copy(data, data + size);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CObArray objects;
    try {
        CHyperView::ReadPrivateObjects(&file, objects);
    } catch (CException* e) {
        e->Delete();
        if (objects.GetSize() != 0)
            std::abort();
        return 0;
    }
    const INT_PTR count = size >= 2 ? data[0] | data[1] << 8 : -1;
    if (objects.GetSize() != count)
        std::abort();
    for (INT_PTR i = 0; i < objects.GetSize(); ++i) {
        if (!dynamic_cast<CHyperOb*>(objects[i]))
            std::abort();
        delete objects[i];
    }
    return 0;
}
