#include "View/ObjectsFormat.h"

#include "View/HyperView.h"
#include "objects/HyperOb.h"
#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/ole/Clipboard.h"


UINT PrivateObjectFormat()
{
    static const UINT format = RegisterClipboardFormat("Quillon++ for MFC");
    return format;
}

// A block of exactly the record's size, so that readers see where it ends.
HGLOBAL SaveObjectsToGlobal(const std::vector<const CHyperOb*>& objects)
{
    CMemFile file(4096);
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<WORD>(objects.size());
        for (const CHyperOb* object : objects) {
            std::unique_ptr<CHyperOb> copy(object->Clone());
            copy->ResetConnections();
            copy->SetView(nullptr);
            ar.WriteObject(copy.get());
        }
    }
    const auto length = static_cast<size_t>(file.GetLength());
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, length);
    if (!block)
        return nullptr;
    file.SeekToBegin();
    file.Read(GlobalLock(block), static_cast<UINT>(length));
    GlobalUnlock(block);
    return block;
}

// What was read before a failure is dropped with it.
std::vector<std::unique_ptr<CHyperOb>> LoadObjectsFromGlobal(HGLOBAL block)
{
    std::vector<std::unique_ptr<CHyperOb>> objects;
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    if (!bytes)
        return objects;
    std::vector<BYTE> copy(bytes, bytes + GlobalSize(block));
    GlobalUnlock(block);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CObArray read;
    try {
        CHyperView::ReadPrivateObjects(&file, read);
    } catch (CException* e) {
        e->Delete();
        return objects;
    }
    for (INT_PTR i = 0; i < read.GetSize(); ++i)
        objects.emplace_back(static_cast<CHyperOb*>(read[i]));
    return objects;
}
