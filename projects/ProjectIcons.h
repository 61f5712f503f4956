// The small pictures of the project code: project, subproject and link icons by resource id,
// and the texts of the project string table.
#pragma once

#include "platform/core/String.h"
#include "platform/gdi/GdiTypes.h"

// A new 16 x 16 icon of the program's icon resource the caller destroys; null when there is none.
HICON LoadProjectIcon(UINT id);
CString LoadProjectString(UINT id);
