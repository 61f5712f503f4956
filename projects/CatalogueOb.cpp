#include "projects/CatalogueOb.h"

#include "imaging/Dib.h"
#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/File.h"

#include <algorithm>

IMPLEMENT_SERIAL(CCatalogueOb, CObject, 1)

namespace {

// A part or record must lie after the 12-byte header and inside the file.
bool InFile(DWORD offset, ULONGLONG length) { return offset >= 12 && offset < length; }

void SeekToPart(CArchive& ar, DWORD offset)
{
    CFile* file = ar.GetFile();
    ar.Flush();
    if (!InFile(offset, file->GetLength()))
        AfxThrowArchiveException(CArchiveException::badIndex);
    file->Seek(offset, CFile::begin);
}

CDib* ReadDib(CArchive& ar)
{
    CDib* dib = nullptr;
    ar >> dib;
    return dib;
}

} // namespace

CCatalogueOb::~CCatalogueOb()
{
    ClearIcon();
    FreeData();
}

void CCatalogueOb::ClearIcon()
{
    delete m_iconImage;
    delete m_iconMask;
    m_iconImage = m_iconMask = nullptr;
    m_partOffsets[ImagePart] = m_partOffsets[MaskPart] = 0;
}

void CCatalogueOb::FreeData()
{
    m_data.clear();
    m_dataSizes.RemoveAll();
    m_formatIds.RemoveAll();
    m_formatNames.RemoveAll();
}

BOOL CCatalogueOb::HasUnsavedParts() const
{
    return std::find(m_partOffsets.begin(), m_partOffsets.end(), 0u) != m_partOffsets.end();
}

void CCatalogueOb::SetName(LPCTSTR name)
{
    m_name = name;
    m_partOffsets[NamePart] = 0;
}

void CCatalogueOb::SerializeData(CArchive& ar)
{
    m_formatIds.Serialize(ar);
    m_formatNames.Serialize(ar);
    m_dataSizes.Serialize(ar);
    SerializeDataBuffers(ar);
}

// The three arrays must agree before any buffer is allocated, and every buffer must fit in
// what is left of the stream.
void CCatalogueOb::SerializeDataBuffers(CArchive& ar)
{
    if (ar.IsStoring()) {
        for (const std::vector<BYTE>& block : m_data)
            ar.Write(block.data(), static_cast<UINT>(block.size()));
        return;
    }
    const int count = m_dataSizes.GetSize();
    if (m_formatIds.GetSize() != count || m_formatNames.GetSize() != count)
        AfxThrowArchiveException(CArchiveException::badIndex);
    m_data.clear();
    for (int i = 0; i < count; ++i) {
        ar.CheckAvailable(m_dataSizes[i]);
        std::vector<BYTE>& block = m_data.emplace_back(m_dataSizes[i]);
        if (ar.Read(block.data(), static_cast<UINT>(block.size())) != block.size())
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }
}

void CCatalogueOb::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        SerializeData(ar);
        ar << m_name;
        ar << static_cast<const CObject*>(m_iconImage) << static_cast<const CObject*>(m_iconMask);
        return;
    }
    FreeData();
    SerializeData(ar);
    ar >> m_name;
    ClearIcon();
    m_iconImage = ReadDib(ar);
    m_iconMask = ReadDib(ar);
    RefuseSharedMask();
}

// A mask that is the picture itself (a stored reference back to it) would be deleted twice.
void CCatalogueOb::RefuseSharedMask()
{
    if (m_iconMask && m_iconMask == m_iconImage) {
        m_iconMask = nullptr;
        AfxThrowArchiveException(CArchiveException::badIndex);
    }
}

void CCatalogueOb::WritePart(CArchive& ar, Part part)
{
    switch (part) {
    case NamePart: ar << m_name; break;
    case ImagePart: ar << static_cast<const CObject*>(m_iconImage); break;
    case MaskPart: ar << static_cast<const CObject*>(m_iconMask); break;
    default: SerializeData(ar); break;
    }
}

void CCatalogueOb::ReadPart(CArchive& ar, Part part)
{
    switch (part) {
    case NamePart: ar >> m_name; break;
    case ImagePart: delete m_iconImage; m_iconImage = nullptr; m_iconImage = ReadDib(ar); break;
    case MaskPart:
        delete m_iconMask;
        m_iconMask = nullptr;
        m_iconMask = ReadDib(ar);
        // The parts share one archive, so the mask may refer back to the picture.
        RefuseSharedMask();
        break;
    default: FreeData(); SerializeData(ar); break;
    }
}

// Each part goes through an archive of its own, so the class tags restart in every part.
DWORD CCatalogueOb::WriteRecord(CFile* file)
{
    for (int part = NamePart; part < PartCount; ++part) {
        if (m_partOffsets[part])
            continue;
        CArchive ar(file, CArchive::store, 4096);
        m_partOffsets[part] = static_cast<DWORD>(file->SeekToEnd());
        WritePart(ar, static_cast<Part>(part));
        ar.Close();
    }
    CArchive ar(file, CArchive::store, 4096);
    const auto record = static_cast<DWORD>(file->SeekToEnd());
    for (DWORD offset : m_partOffsets)
        ar << offset;
    ar.Close();
    return record;
}

BOOL CCatalogueOb::RecordInFile(CFile* file, DWORD offset)
{
    const ULONGLONG length = file->GetLength();
    std::array<DWORD, PartCount> offsets{};
    if (!InFile(offset, length) || length - offset < sizeof(offsets))
        return FALSE;
    file->Seek(offset, CFile::begin);
    if (file->Read(offsets.data(), sizeof(offsets)) != sizeof(offsets))
        return FALSE;
    return std::all_of(offsets.begin(), offsets.end(), [length](DWORD part) { return InFile(part, length); });
}

void CCatalogueOb::ReadRecord(CFile* file)
{
    // Each part is sought out anew, and long data bypass the buffer: a small one serves.
    CArchive ar(file, CArchive::load, 512);
    std::array<DWORD, PartCount> offsets{};
    for (DWORD& offset : offsets)
        ar >> offset;
    for (int part = NamePart; part < PartCount; ++part) {
        SeekToPart(ar, offsets[part]);
        ReadPart(ar, static_cast<Part>(part));
    }
    ar.Close();
    m_partOffsets = offsets;
}
