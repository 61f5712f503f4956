#include "objects/VersionTag.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"
#include "platform/core/Object.h"

CVersionTag::CVersionTag(CArchive* archive, const CObject* owner, UINT versionToWrite, BOOL acceptAny)
    : m_archive(archive),
      m_versionToWrite(versionToWrite & 0xFF),
      m_acceptAny(acceptAny),
      m_owner(owner)
{
}

DWORD CVersionTag::HashClassName(LPCTSTR name)
{
    DWORD hash = 0;
    for (; name && *name; ++name) {
        auto c = static_cast<int32_t>(static_cast<signed char>(*name));
        hash = hash * 33 + static_cast<DWORD>(c * 256);
    }
    return hash;
}

void CVersionTag::Write()
{
    *m_archive << (Magic | m_versionToWrite);
}

BOOL CVersionTag::IsTag(DWORD value) const
{
    DWORD upper = value & 0xFFFFFF00;
    if (upper == Magic || m_acceptAny)
        return TRUE;
    // The class name is hashed only for a tag that is not the common one.
    return upper == (m_owner ? HashClassName(m_owner->GetRuntimeClass()->m_lpszClassName) : 0);
}

BOOL CVersionTag::Read()
{
    m_versionRead = NoTag;
    DWORD value = 0;
    if (!m_archive->Peek(&value, sizeof value) || !IsTag(value))
        return FALSE;
    *m_archive >> value;
    m_versionRead = static_cast<int>(value & 0xFF);
    return TRUE;
}

void CVersionTag::SeekBack()
{
    m_archive->Flush();
    CFile* file = m_archive->GetFile();
    ULONGLONG position = file->GetPosition();
    file->Seek(static_cast<LONGLONG>(position < sizeof(DWORD) ? 0 : position - sizeof(DWORD)), CFile::begin);
    m_archive->Flush();
}
