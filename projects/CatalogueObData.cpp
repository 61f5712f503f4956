// The clipboard side of an entry: capturing representations, offering them again, and the
// "Catalogue Object" format that carries a whole entry.
#include "projects/CatalogueOb.h"

#include "platform/core/Archive.h"
#include "platform/core/Exception.h"
#include "platform/core/GlobalMemory.h"
#include "platform/core/MemFile.h"
#include "platform/core/SharedFile.h"
#include "platform/ole/OleDataSource.h"

#include <cstring>

namespace {

constexpr UINT kShareFlags = GMEM_MOVEABLE | GMEM_SHARE | GMEM_ZEROINIT;

} // namespace

UINT CatalogueObjectFormat()
{
    static const UINT format = RegisterClipboardFormatA("Catalogue Object");
    return format;
}

void CCatalogueOb::AppendData(DWORD id, const CString& name, const BYTE* bytes, DWORD size)
{
    m_formatIds.Add(id);
    m_formatNames.Add(name);
    m_dataSizes.Add(size);
    m_data.emplace_back(bytes, bytes + size);
    m_partOffsets[DataPart] = 0;
}

void CCatalogueOb::AddClipboardData(UINT format, HGLOBAL data, int)
{
    const DWORD id = format & 0xFFFF;
    if (!data)
        return;
    for (int i = 0; i < m_formatIds.GetSize(); ++i)
        if (m_formatIds[i] == id)
            return;
    char name[256] = {};
    if (GetClipboardFormatNameA(format, name, sizeof name) == 0)
        name[0] = '\0';
    const auto size = static_cast<DWORD>(GlobalSize(data));
    const auto* bytes = static_cast<const BYTE*>(GlobalLock(data));
    AppendData(id, name, bytes, bytes ? size : 0);
    GlobalUnlock(data);
}

int CCatalogueOb::AddNamedData(LPCTSTR name, const void* bytes, DWORD size)
{
    while (RemoveFormat(name) == 0) {
    }
    AppendData(0, name, static_cast<const BYTE*>(bytes), size);
    return 0;
}

int CCatalogueOb::FindFormat(LPCTSTR name) const
{
    for (int i = 0; i < m_formatNames.GetSize(); ++i)
        if (m_formatNames[i] == name)
            return i;
    return -1;
}

int CCatalogueOb::RemoveFormat(LPCTSTR name)
{
    const int i = FindFormat(name);
    if (i < 0)
        return -1;
    m_data.erase(m_data.begin() + i);
    m_formatIds.RemoveAt(i);
    m_formatNames.RemoveAt(i);
    m_dataSizes.RemoveAt(i);
    m_partOffsets[DataPart] = 0;
    return 0;
}

// A named format is offered under the number its name has on this machine.
void CCatalogueOb::PutFormat(COleDataSource* source, int i) const
{
    const std::vector<BYTE>& block = GetData(i);
    const UINT format = m_formatNames[i].IsEmpty() ? m_formatIds[i] : RegisterClipboardFormatA(m_formatNames[i]);
    if (format == 0)
        return;
    HGLOBAL handle = GlobalAlloc(kShareFlags, block.size());
    if (!handle)
        return;
    if (!block.empty())
        std::memcpy(GlobalLock(handle), block.data(), block.size());
    GlobalUnlock(handle);
    source->CacheGlobalData(static_cast<CLIPFORMAT>(format), handle);
}

void CCatalogueOb::PutAllFormats(COleDataSource* source) const
{
    for (int i = 0; i < GetFormatCount(); ++i)
        PutFormat(source, i);
}

void CCatalogueOb::CacheInDataSource(COleDataSource* source) const
{
    CSharedFile file(kShareFlags, 4096);
    CArchive ar(&file, CArchive::store, 4096);
    ar.WriteObject(this);
    ar.Close();
    if (HGLOBAL block = file.Detach())
        source->CacheGlobalData(static_cast<CLIPFORMAT>(CatalogueObjectFormat()), block);
}

void CCatalogueOb::OfferFromPage(COleDataSource* source, UINT format, HGLOBAL block, const CString& name,
                                 CBitmap* image, CBitmap* mask)
{
    CCatalogueOb entry;
    entry.AddClipboardData(format, block);
    entry.SetName(name);
    entry.SetIcon(image, mask);
    entry.CacheInDataSource(source);
}

CCatalogueOb* CCatalogueOb::FromGlobal(HGLOBAL block)
{
    const auto* bytes = static_cast<BYTE*>(GlobalLock(block));
    if (!bytes)
        return nullptr;
    std::vector<BYTE> copy(bytes, bytes + GlobalSize(block));
    GlobalUnlock(block);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CCatalogueOb* entry = nullptr;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        entry = static_cast<CCatalogueOb*>(ar.ReadObject(RUNTIME_CLASS(CCatalogueOb)));
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        delete entry;
        return nullptr;
    }
    return entry;
}
