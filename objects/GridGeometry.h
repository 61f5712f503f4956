// Grid snapping and scaling of rectangles about their centre.
#pragma once

#include "platform/core/Types.h"

// Rounds the value to the nearest multiple of step, halves away from zero, and returns it.
// A step of 0 or less leaves the value as it is.
int SnapToGrid(int* value, int step);
// Moves the rectangle so that its centre is scaled by percent; its size stays.
void ScaleRectCenter(RECT* rect, int percent);
