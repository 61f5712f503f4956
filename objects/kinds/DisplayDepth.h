// The colour depth of the screen, which decides whether pictures are reduced and shadows
// blurred. The screen answers by default; a different query can be installed in its place.
#pragma once

#include "platform/core/Types.h"

using DisplayDepthQuery = int (*)();

// Bits per pixel of a memory DC compatible with the screen.
int GetDisplayBitsPerPixel();
// More than 8 bits per pixel.
BOOL IsTrueColorDisplay();
// Installs the query; NULL goes back to asking the screen.
void SetDisplayDepthQuery(DisplayDepthQuery query);
