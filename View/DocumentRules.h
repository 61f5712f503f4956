// Rules every document class of the editor shares: which paths enter the recent-file list,
// temporary "~DSL" copies that go with their document, and the working folder of saving.
#pragma once

#include "platform/core/String.h"

class CDocument;

// The extension after the file name's last dot, in lower case; empty without one.
CString LowerExtension(LPCTSTR path);
// An autosave or temporary copy of a document: its file name holds a "~".
BOOL IsWorkingCopy(LPCTSTR path);
// The add-to-recent flag that a path gets: never for autosave or temporary copies.
BOOL RecentListFlagFor(LPCTSTR path, BOOL requested);
// Deletes the document's file when it is a temporary "~DSL" copy; a missing file is fine.
void RemoveTempDocFile(const CString& path);
// Tells the user that a document could be read only in part, and will be saved under a new
// name.
void ReportIncompleteLoad(LPCTSTR path);
// An empty file holds no document: the user is told so and nothing is opened. TRUE when the
// file is empty (and the user was told).
BOOL RefuseEmptyFile(LPCTSTR path);
// The read-only attribute of the file, FALSE when it cannot be read.
BOOL IsReadOnlyFile(LPCTSTR path);

// Enters the document folder of the view settings (made when missing) for as long as it lives,
// then returns to the folder that was current.
class CDocFolderScope {
public:
    CDocFolderScope();
    ~CDocFolderScope();
    CDocFolderScope(const CDocFolderScope&) = delete;
    CDocFolderScope& operator=(const CDocFolderScope&) = delete;

private:
    CString m_previous;
};
