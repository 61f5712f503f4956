// Rules every document class of the editor shares: which paths enter the recent-file list,
// temporary "~DSL" copies that go with their document, and the working folder of saving.
#pragma once

#include "platform/core/String.h"

#include <functional>

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

// What opening did about a newer autosave copy of the file.
enum class AutoSaveCopyChoice { None, Opened, Declined };

// The open path every document class shares. An empty file is refused. A newer autosave copy
// is offered; when the user takes it, it is read in place of the file and the document is left
// modified. A load that stopped part-way is reported: `load` reads a file into the document and
// sets `incomplete`, which is cleared first.
BOOL OpenDocumentChecked(CDocument& document, LPCTSTR path, BOOL& incomplete,
                         const std::function<BOOL(LPCTSTR)>& load, AutoSaveCopyChoice& choice);

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
