#include "objects/kinds/ConnectorRoute.h"

#include "objects/kinds/LineRouter.h"

std::vector<POINT> RouteConnector(const CLineRouterView* view, int offset, POINT start, int startSide, POINT end,
                                  int endSide)
{
    if (view && GetLineRouter().PrepareArea(*view)) {
        std::vector<POINT> path = GetLineRouter().Route(offset, start.x, start.y, startSide, end.x, end.y, endSide);
        // The router ends its path with a terminator point.
        if (path.size() >= 3) {
            path.pop_back();
            return path;
        }
    }
    if (start.x == end.x || start.y == end.y)
        return {end, start};
    return {end, {end.x, start.y}, start};
}
