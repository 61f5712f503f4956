// The path of a connector between its two ends, from the end point to the start point.
#pragma once

#include "platform/core/Geometry.h"

#include <vector>

class CLineRouterView;

// The sides are the snap-point positions of the ends (-1 for a free end). In a view that
// routes, the path goes around the view's objects; without one it takes the direct bend: the
// end point, the corner below or above it on the start's level, and the start point; two
// points when both lie on one axis.
std::vector<POINT> RouteConnector(const CLineRouterView* view, int offset, POINT start, int startSide, POINT end,
                                  int endSide);
