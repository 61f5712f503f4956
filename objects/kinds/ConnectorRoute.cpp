#include "objects/kinds/ConnectorRoute.h"

std::vector<POINT> RouteConnector(int, POINT start, int, POINT end, int)
{
    if (start.x == end.x || start.y == end.y)
        return {end, start};
    return {end, {end.x, start.y}, start};
}
