// The ".cat" file: a header, parts appended as they change, and an entry table whose offset
// the header holds. The header's offset is written last, so the file stays readable at every
// step of a save.
#include "projects/Catalogue.h"

#include "projects/CatalogueOb.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/Exception.h"
#include "platform/core/File.h"
#include "platform/core/FilePath.h"
#include "platform/core/MemFile.h"
#include "platform/core/System.h"
#include "platform/sys/AtomicFile.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr DWORD kHeaderSize = 12;

// A sound file never shares a part between two entries of one table; refusing that keeps a
// small file from claiming the same large part over and over.
bool PartsAreNew(const CCatalogueOb& entry, std::vector<DWORD>& usedParts)
{
    for (int part = 0; part < CCatalogueOb::PartCount; ++part) {
        const DWORD offset = entry.GetPartOffset(static_cast<CCatalogueOb::Part>(part));
        if (std::find(usedParts.begin(), usedParts.end(), offset) != usedParts.end())
            return false;
    }
    for (int part = 0; part < CCatalogueOb::PartCount; ++part)
        usedParts.push_back(entry.GetPartOffset(static_cast<CCatalogueOb::Part>(part)));
    return true;
}

CString FullPath(const CString& path)
{
    if (path.IsEmpty() || path[0] == '/' || path[0] == '\\')
        return path;
    char folder[4096] = {};
    return _getcwd(folder, sizeof folder) ? CString(folder) + "/" + path : path;
}

} // namespace

void CCatalogue::ForgetOffsets()
{
    m_propertyOffset = 0;
    m_propertyEntry->ClearPartOffsets();
    for (int i = 0; i < GetCount(); ++i) {
        m_entryOffsets[i] = 0;
        GetEntry(i)->ClearPartOffsets();
    }
}

void CCatalogue::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        StoreTo(ar);
    else
        LoadFrom(ar);
}

// A file that already has its header keeps it, with the old table's offset, until the new
// table is complete.
void CCatalogue::StoreTo(CArchive& ar)
{
    CFile* file = ar.GetFile();
    if (file->GetLength() < kHeaderSize) {
        ar << Magic << Version << DWORD(0);
        ar.Flush();
    }
    for (int i = 0; i < GetCount(); ++i)
        if (m_entryOffsets[i] == 0 || GetEntry(i)->HasUnsavedParts())
            m_entryOffsets[i] = GetEntry(i)->WriteRecord(file);
    if (m_propertyOffset == 0 || m_propertyEntry->HasUnsavedParts())
        m_propertyOffset = m_propertyEntry->WriteRecord(file);
    ar.Flush();
    const auto table = static_cast<DWORD>(file->SeekToEnd());
    ar << static_cast<DWORD>(GetCount() + 1);
    for (int i = 0; i < GetCount(); ++i)
        ar << m_entryOffsets[i];
    ar << m_propertyOffset;
    ar.Flush();
    file->Flush();
    file->Seek(8, CFile::begin);
    ar << table;
}

void CCatalogue::LoadFrom(CArchive& ar)
{
    DWORD first = 0;
    ar >> first;
    if (first != Magic) {
        LoadOldFormat(ar, first);
        return;
    }
    DWORD version = 0, table = 0;
    ar >> version >> table;
    if (version != Version)
        AfxThrowArchiveException(CArchiveException::badIndex);
    CDWordArray offsets;
    ar.Flush();
    if (table < kHeaderSize || table >= ar.GetFile()->GetLength())
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.GetFile()->Seek(table, CFile::begin);
    ReadTable(ar, offsets);
    std::vector<DWORD> usedParts;
    for (int i = 0; i < offsets.GetSize(); ++i) {
        ar.Flush();
        if (CCatalogueOb* entry = ReadEntry(ar.GetFile(), offsets[i], usedParts)) {
            m_entries.Add(entry);
            m_entryOffsets.Add(offsets[i]);
        } else {
            m_skipped.push_back(i + 1);
        }
    }
    TakePropertyEntry();
}

// A table that claims more offsets than the file holds keeps those that are there; the rest
// count as skipped.
void CCatalogue::ReadTable(CArchive& ar, CDWordArray& offsets)
{
    DWORD count = 0;
    ar >> count;
    ar.Flush();
    CFile* file = ar.GetFile();
    const ULONGLONG room = (file->GetLength() - file->GetPosition()) / 4;
    const DWORD present = static_cast<DWORD>(std::min<ULONGLONG>(count, room));
    offsets.SetSize(static_cast<int>(present));
    for (DWORD i = 0; i < present; ++i)
        ar >> offsets[static_cast<int>(i)];
    if (present < count)
        m_tableCut = static_cast<int>(present) + 1;
}

CCatalogueOb* CCatalogue::ReadEntry(CFile* file, DWORD offset, std::vector<DWORD>& usedParts)
{
    // A damaged table may name thousands of places outside the file: they cost no entry.
    if (!CCatalogueOb::RecordInFile(file, offset))
        return nullptr;
    auto* entry = new CCatalogueOb;
    try {
        file->Seek(offset, CFile::begin);
        entry->ReadRecord(file);
        if (PartsAreNew(*entry, usedParts))
            return entry;
    } catch (CException* e) {
        e->Delete();
    }
    delete entry;
    return nullptr;
}

void CCatalogue::TakePropertyEntry()
{
    for (int i = 0; i < GetCount(); ++i) {
        if (!GetEntry(i)->IsPropertyObject())
            continue;
        delete m_propertyEntry;
        m_propertyEntry = GetEntry(i);
        m_propertyOffset = m_entryOffsets[i];
        m_entries.RemoveAt(i);
        m_entryOffsets.RemoveAt(i);
        return;
    }
}

// The entry array of the layout without a header, in an archive image of its own. Entries
// after one that cannot be read are lost with it; an empty place or a second reference to an
// entry counts as one that cannot be read.
void CCatalogue::LoadOldFormat(CArchive& ar, DWORD length)
{
    ar.CheckAvailable(length);
    std::vector<BYTE> image(length);
    if (ar.Read(image.data(), length) != length)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    CMemFile memory(image.data(), length);
    CArchive old(&memory, CArchive::load, 4096);
    const DWORD count = old.ReadCount();
    old.CheckAvailable(count);
    for (DWORD i = 0; i < count; ++i) {
        try {
            CObject* entry = old.ReadObject(RUNTIME_CLASS(CCatalogueOb));
            const bool again = std::find(m_entries.GetData(), m_entries.GetData() + GetCount(), entry) !=
                               m_entries.GetData() + GetCount();
            if (!entry || again)
                AfxThrowArchiveException(CArchiveException::badIndex);
            m_entries.Add(entry);
            m_entryOffsets.Add(0u);
        } catch (CException* e) {
            e->Delete();
            m_tableCut = static_cast<int>(i) + 1;
            break;
        }
    }
}

int CCatalogue::Load(const CString& path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return -1;
    RemoveAllEntries();
    m_skipped.clear();
    m_tableCut = 0;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        LoadFrom(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        RemoveAllEntries();
        return -1;
    }
    m_path = FullPath(path);
    m_name = CatalogueNameOf(m_path);
    RefreshReadOnly();
    return 0;
}

int CCatalogue::SaveIncrementally(CFile& file)
{
    try {
        file.SeekToBegin();
        CArchive ar(&file, CArchive::store, 4096);
        StoreTo(ar);
        ar.Close();
        file.Close();
        return 0;
    } catch (CException* e) {
        e->Delete();
    }
    file.Abort();
    ForgetOffsets();
    return -1;
}

// The whole catalogue goes to a new file beside the old one, which then takes its place.
int CCatalogue::RewriteWhole()
{
    m_saveCount = 0;
    ForgetOffsets();
    CMemFile memory(4096);
    try {
        CArchive ar(&memory, CArchive::store, 4096);
        StoreTo(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        ForgetOffsets();
        return -1;
    }
    const auto size = static_cast<size_t>(memory.GetLength());
    BYTE* bytes = memory.Detach();
    const bool written =
        WriteFileAtomically(SystemPathFromName(m_path), std::string_view(reinterpret_cast<const char*>(bytes), size));
    free(bytes);
    if (!written)
        ForgetOffsets();
    return written ? 0 : -1;
}

int CCatalogue::Save(int limit)
{
    if (m_path.IsEmpty())
        return -1;
    const DWORD attributes = GetFileAttributes(m_path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return -1;
    CFile file;
    if (file.Open(m_path, CFile::modeReadWrite | CFile::shareExclusive | CFile::typeBinary)) {
        DWORD magic = 0;
        const bool current = file.Read(&magic, 4) == 4 && magic == Magic;
        ++m_saveCount;
        if (m_saveCount <= limit && current)
            return SaveIncrementally(file);
        file.Close();
    }
    return RewriteWhole();
}
