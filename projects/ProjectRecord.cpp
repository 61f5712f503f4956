#include "projects/ProjectRecord.h"

#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/FilePath.h"
#include "platform/core/MemFile.h"
#include "platform/sys/AtomicFile.h"

#include <cstdlib>
#include <string_view>

void ReadProjectRecord(CArchive& ar, ProjectRecord& record)
{
    DWORD first = 0;
    ar >> first;
    record.current = first == ProjectRecord::Magic;
    if (record.current)
        ar >> record.formCounter;
    else
        record.formCounter = first;
    record.paths.Serialize(ar);
    record.titles.Serialize(ar);
    if (record.paths.GetSize() != record.titles.GetSize())
        ar.ThrowException(CArchiveException::badIndex);
    if (!record.current)
        return;
    ar >> record.sortNone >> record.sortByDate >> record.sortByName >> record.expanded >> record.activeSubproject;
    ProjectMarkers& m = record.markers;
    ar >> m.workload >> m.priority >> m.finished >> m.flag >> m.arrow;
    ar >> record.name;
    record.iconImage.Serialize(ar);
    record.iconMask.Serialize(ar);
    ar >> record.hasPassword;
    if (record.hasPassword)
        ar >> record.digest;
}

void WriteProjectRecord(CArchive& ar, const ProjectRecord& record)
{
    ar << ProjectRecord::Magic << record.formCounter;
    const_cast<CStringArray&>(record.paths).Serialize(ar);
    const_cast<CStringArray&>(record.titles).Serialize(ar);
    ar << record.sortNone << record.sortByDate << record.sortByName << record.expanded << record.activeSubproject;
    const ProjectMarkers& m = record.markers;
    ar << m.workload << m.priority << m.finished << m.flag << m.arrow;
    ar << record.name;
    const_cast<CDib&>(record.iconImage).Serialize(ar);
    const_cast<CDib&>(record.iconMask).Serialize(ar);
    ar << record.hasPassword;
    if (record.hasPassword)
        ar << record.digest;
}

BOOL WriteArchiveFile(const CString& path, const std::function<void(CArchive&)>& write)
{
    CMemFile memory;
    try {
        CArchive ar(&memory, CArchive::store, 4096);
        write(ar);
        ar.Close();
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    const auto size = static_cast<size_t>(memory.GetLength());
    BYTE* bytes = memory.Detach();
    const bool written = WriteFileAtomically(SystemPathFromName(path), std::string_view(reinterpret_cast<char*>(bytes), size));
    std::free(bytes);
    return written;
}
