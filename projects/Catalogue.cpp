#include "projects/Catalogue.h"

#include "projects/CatalogueOb.h"
#include "projects/CatalogueText.h"
#include "platform/core/Archive.h"
#include "platform/core/MemFile.h"
#include "platform/core/System.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CCatalogue, CObject)

namespace {

CCatalogueOb* NewPropertyEntry()
{
    auto* entry = new CCatalogueOb;
    const BYTE zero = 0;
    entry->AddNamedData(CCatalogueOb::PropertyFormatName, &zero, 1);
    return entry;
}

} // namespace

CString CatalogueNameOf(const CString& path)
{
    const int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    CString title = path.Mid(slash + 1);
    const int dot = title.ReverseFind('.');
    return dot < 0 ? title : title.Left(dot);
}

CCatalogue::CCatalogue()
    : m_name(CatalogueText(NewCatalogString, "New Catalog")), m_propertyEntry(NewPropertyEntry())
{
}

CCatalogue::~CCatalogue()
{
    RemoveAllEntries();
    delete m_propertyEntry;
}

CCatalogueOb* CCatalogue::GetEntry(int index) const { return static_cast<CCatalogueOb*>(m_entries[index]); }

void CCatalogue::InsertEntry(int index, CCatalogueOb* entry)
{
    index = std::clamp(index, 0, GetCount());
    m_entries.InsertAt(index, entry);
    m_entryOffsets.InsertAt(index, 0u);
}

void CCatalogue::MoveEntry(int to, int from)
{
    if (from < 0 || from >= GetCount() || to < 0 || to > GetCount())
        return;
    m_entries.InsertAt(to, m_entries[from]);
    m_entryOffsets.InsertAt(to, m_entryOffsets[from]);
    const int old = from > to ? from + 1 : from;
    m_entries.RemoveAt(old);
    m_entryOffsets.RemoveAt(old);
}

void CCatalogue::RemoveEntry(int index)
{
    if (index < 0 || index >= GetCount())
        return;
    delete GetEntry(index);
    m_entries.RemoveAt(index);
    m_entryOffsets.RemoveAt(index);
}

void CCatalogue::RemoveAllEntries()
{
    for (int i = 0; i < GetCount(); ++i)
        delete GetEntry(i);
    m_entries.RemoveAll();
    m_entryOffsets.RemoveAll();
}

// A copy through the entries' stream form: the copies have no parts in the file, so the
// next save writes them again.
void CCatalogue::CopyFrom(const CCatalogue& other)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        const_cast<CObArray&>(other.m_entries).Serialize(ar);
        const_cast<CDWordArray&>(other.m_entryOffsets).Serialize(ar);
        ar << static_cast<const CObject*>(other.m_propertyEntry);
        ar.Close();
    }
    file.SeekToBegin();
    RemoveAllEntries();
    delete m_propertyEntry;
    m_propertyEntry = nullptr;
    CArchive ar(&file, CArchive::load, 4096);
    m_entries.Serialize(ar);
    m_entryOffsets.Serialize(ar);
    m_propertyEntry = static_cast<CCatalogueOb*>(ar.ReadObject(RUNTIME_CLASS(CCatalogueOb)));
    ar.Close();
    m_path = other.m_path;
    m_name = other.m_name;
    m_readOnly = other.m_readOnly;
    m_protected = other.m_protected;
    m_propertyOffset = other.m_propertyOffset;
}

int CCatalogue::RefreshReadOnly()
{
    const DWORD attributes = GetFileAttributes(m_path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return -1;
    m_readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    return 0;
}

int CCatalogue::Lock()
{
    if (m_readOnly)
        return 0;
    if (RefreshReadOnly() < 0)
        return -1;
    if (!m_readOnly && !SetFileAttributes(m_path, GetFileAttributes(m_path) | FILE_ATTRIBUTE_READONLY))
        return -1;
    return RefreshReadOnly() == 0 && m_readOnly ? 0 : -1;
}

int CCatalogue::Unlock()
{
    if (RefreshReadOnly() < 0)
        return -1;
    if (m_readOnly && !SetFileAttributes(m_path, GetFileAttributes(m_path) & ~FILE_ATTRIBUTE_READONLY))
        return -1;
    return RefreshReadOnly() == 0 && !m_readOnly ? 0 : -1;
}

HICON CCatalogue::GetIcon() const { return m_propertyEntry->CreateIcon(); }
