#include "projects/ProjectRecord.h"

#include "projects/ProjMemberEntry.h"
#include "projects/ProjectHelpers.h"
#include "projects/ProjectHost.h"

#include "platform/core/Archive.h"
#include "platform/core/ArchiveException.h"
#include "platform/core/File.h"
#include "platform/core/FileFind.h"

namespace {

BOOL ReadRecordFile(const CString& path, ProjectRecord& record)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    try {
        CArchive ar(&file, CArchive::load, 4096);
        ReadProjectRecord(ar, record);
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

// One copied project file; `original` is the file it was copied from.
void RebaseFile(const CString& copied, const CString& original, const CString& source)
{
    ProjectRecord record;
    if (!ReadRecordFile(copied, record))
        return;
    BOOL changed = FALSE;
    for (int i = 0; i < record.paths.GetSize(); ++i) {
        if (ParseUrlIdent(record.paths[i], nullptr))
            continue;
        const CString full = NormalizePath(GetProjectHost().MakeAbsolutePath(FolderOf(original), record.paths[i]));
        if (IsInsideFolder(full, source))
            continue;
        record.paths[i] = MakeRelativePath(full, copied);
        changed = TRUE;
    }
    if (changed)
        WriteArchiveFile(copied, [&record](CArchive& ar) { WriteProjectRecord(ar, record); });
}

void RebaseFolder(const CString& copyFolder, const CString& sourceFolder, const CString& source)
{
    CFileFind find;
    BOOL more = find.FindFile(copyFolder + "/*.*");
    while (more) {
        more = find.FindNextFile();
        const CString name = find.GetFileName();
        if (find.IsDots() || name.IsEmpty())
            continue;
        if (find.IsDirectory())
            RebaseFolder(copyFolder + "/" + name, sourceFolder + "/" + name, source);
        else if (name.Right(4).CompareNoCase(".prj") == 0)
            RebaseFile(copyFolder + "/" + name, sourceFolder + "/" + name, source);
    }
}

} // namespace

void KeepOutsideMembersOfCopy(const CString& source, const CString& copy)
{
    RebaseFolder(copy, source, NormalizePath(source));
}
