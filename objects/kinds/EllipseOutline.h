// Points around an axis-parallel ellipse, taken from the radius measured from a focus so that
// they lie closer together where the curve turns fastest. Offsets from the centre, y down.
#pragma once

#include "platform/core/Geometry.h"

#include <vector>

// The closed outline of an ellipse with the half axes a and b: `steps` + 1 points, starting
// and ending on the right-hand vertex and running counter-clockwise on screen; the last point
// lies one unit lower so that the figure closes.
std::vector<POINT> EllipseOutline(double a, double b, int steps);
// 360 points once around the ellipse, counter-clockwise on screen from the right-hand vertex:
// a quarter of 91 points mirrored into the other three quarters.
std::vector<POINT> EllipseTable(double a, double b);
