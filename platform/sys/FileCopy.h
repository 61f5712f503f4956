// Copying a file. The copy is written beside the target and renamed into place, so an
// existing target is never left half-written.
#pragma once

#include "platform/core/Types.h"

// Names are Windows-1252 and may use '\'. With failIfExists an existing target is kept and
// FALSE returned. Sources above 2 GB are refused.
BOOL CopyFile(LPCTSTR existingName, LPCTSTR newName, BOOL failIfExists);
