// Autosave copies bring work back after a crash. A document with a path has its copy beside it,
// '~' before the file name; a document that was never saved has one under a name of its own in
// the program's autosave folder. A copy left newer than its document is offered when the
// document opens; copies of documents without a path are offered at start-up.
#pragma once

#include "platform/core/String.h"

#include <vector>

// The copy of a path: '~' before the file name; empty for an empty path.
CString AutoSavePathFor(LPCTSTR path);
// An unused name in the autosave folder for the copy of a document without a path; empty
// when the program keeps no autosave folder.
CString NewUnsavedCopyPath(LPCTSTR extension);
// The autosave copy of the document file when it exists and is not older than the file;
// otherwise empty.
CString NewerAutoSaveCopy(LPCTSTR path);
// Asks the user whether to open the newer autosave copy instead of the document.
BOOL OfferAutoSaveCopy(LPCTSTR path);
// Copies of documents without a path that an earlier run left behind, in name order; the
// copies of another program still running are its own.
std::vector<CString> LeftUnsavedCopies();
// Offers every left copy: Yes opens it as a document without a path, No deletes it, Cancel
// keeps it for the next start.
void OfferUnsavedCopies();
