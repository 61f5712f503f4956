// The small pictures of the project code: project, subproject and link icons by resource id,
// and the texts of the project string table.
#pragma once

#include "platform/core/String.h"
#include "platform/gdi/GdiTypes.h"

// A new 16 x 16 icon of the program's icon resource the caller destroys; null when there is none.
HICON LoadProjectIcon(UINT id);
CString LoadProjectString(UINT id);

class CBitmap;
// An icon shows the screen XOR its colour where its mask is set: the colour is made black
// there, so clear pixels let the background through instead of tinting it.
void BlackenMaskedPixels(CBitmap& colour, CBitmap& mask, int width, int height);
