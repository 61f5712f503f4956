// Folders and file names of documents.
#pragma once

#include "platform/core/Types.h"

// Makes one folder level (an existing folder is fine); when asked, enters it and answers
// whether that worked. TRUE at once for an empty path.
BOOL MakeDirectory(LPCTSTR path, BOOL changeInto);
// TRUE when the file-name part of the path begins with "~DSL" in any case: the name of a
// temporary copy of a document.
BOOL IsTempDocFile(LPCTSTR path);
