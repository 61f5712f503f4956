#include "View/ObjectsFormat.h"

#include "objects/HyperOb.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/Exception.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/core/SharedFile.h"
#include "platform/ole/Clipboard.h"

#include <algorithm>

UINT PrivateObjectFormat()
{
    static const UINT format = RegisterClipboardFormat("Quillon++ for MFC");
    return format;
}

HGLOBAL SaveObjectsToGlobal(const std::vector<const CHyperOb*>& objects)
{
    CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
    CArchive ar(&file, CArchive::store, 4096);
    ar << static_cast<WORD>(objects.size());
    for (const CHyperOb* object : objects) {
        std::unique_ptr<CHyperOb> copy(object->Clone());
        copy->ResetConnections();
        ar.WriteObject(copy.get());
    }
    ar.Close();
    return file.Detach();
}

// Only page objects are taken, each once and none empty; what was read before a failure is
// dropped with it.
std::vector<std::unique_ptr<CHyperOb>> LoadObjectsFromGlobal(HGLOBAL block)
{
    std::vector<std::unique_ptr<CHyperOb>> objects;
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
    if (!bytes)
        return objects;
    std::vector<BYTE> copy(bytes, bytes + GlobalSize(block));
    GlobalUnlock(block);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    try {
        CArchive ar(&file, CArchive::load, 4096);
        WORD count = 0;
        ar >> count;
        for (WORD i = 0; i < count; ++i) {
            auto* object = static_cast<CHyperOb*>(ar.ReadObject(RUNTIME_CLASS(CHyperOb)));
            const bool again = std::any_of(objects.begin(), objects.end(), [&](const auto& o) { return o.get() == object; });
            if (!object || again)
                AfxThrowArchiveException(CArchiveException::badIndex);
            objects.emplace_back(object);
        }
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        objects.clear();
    }
    return objects;
}
