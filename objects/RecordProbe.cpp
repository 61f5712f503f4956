#include "objects/RecordProbe.h"

#include "platform/core/Archive.h"
#include "platform/core/File.h"

CRecordProbe::CRecordProbe(CArchive& archive) : m_archive(archive)
{
    // Flushing makes the file position the archive's logical position with an empty buffer.
    m_archive.Flush();
    m_start = m_archive.GetFile()->GetPosition();
}

std::optional<DWORD> CRecordProbe::Next()
{
    ULONGLONG length = m_archive.GetFile()->GetLength();
    if (m_start > length || length - m_start < sizeof(DWORD))
        return std::nullopt;
    DWORD value = 0;
    m_archive >> value;
    m_archive.Flush();
    return value;
}

void CRecordProbe::Rewind()
{
    m_archive.GetFile()->Seek(static_cast<LONGLONG>(m_start), CFile::begin);
    m_archive.Flush();
}
