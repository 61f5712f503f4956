// The record of a ".prj" file, read and written apart from any project object, so that a
// damaged file is refused before anything of it is used.
#pragma once

#include "projects/ProjectMarkers.h"

#include "imaging/Dib.h"
#include "platform/core/Arrays.h"
#include "platform/core/String.h"

#include <functional>

class CArchive;

struct ProjectRecord {
    static constexpr DWORD Magic = 0x73154827;

    // FALSE for the older layout: the counter and the two lists only.
    BOOL current = TRUE;
    UINT formCounter = 1;
    CStringArray paths;
    CStringArray titles;
    BOOL sortNone = FALSE;
    BOOL sortByDate = FALSE;
    BOOL sortByName = FALSE;
    BOOL expanded = FALSE;
    int activeSubproject = -1;
    ProjectMarkers markers;
    CString name;
    CDib iconImage;
    CDib iconMask;
    BOOL hasPassword = FALSE;
    CString digest;
};

// Throws the framework's archive exception for a truncated or inconsistent record.
void ReadProjectRecord(CArchive& ar, ProjectRecord& record);
// Always the current layout.
void WriteProjectRecord(CArchive& ar, const ProjectRecord& record);

// Writes what `write` stores into an archive to the file, which keeps its old contents until
// the new ones are complete; FALSE when storing or writing failed.
BOOL WriteArchiveFile(const CString& path, const std::function<void(CArchive&)>& write);

// After the project folder `source` was copied to `copy`: members of the copied project files
// that lie outside `source` are stored again as seen from the copy, so the copy finds the
// same files; the others are the copied files already.
void KeepOutsideMembersOfCopy(const CString& source, const CString& copy);
