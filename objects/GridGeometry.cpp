#include "objects/GridGeometry.h"

#include <climits>

int SnapToGrid(int* value, int step)
{
    if (step <= 0)
        return *value;
    int64_t magnitude = *value < 0 ? -static_cast<int64_t>(*value) : *value;
    int64_t snapped = (magnitude + step / 2) / step * step;
    if (snapped > (*value < 0 ? -static_cast<int64_t>(INT_MIN) : INT_MAX))
        snapped -= step;
    *value = static_cast<int>(*value < 0 ? -snapped : snapped);
    return *value;
}

namespace {
// Centre of a span, rounded down, so a span keeps its place when the scale is 100 %.
LONG SpanCentre(LONG low, LONG high)
{
    int64_t sum = static_cast<int64_t>(low) + high;
    return static_cast<LONG>(sum >= 0 ? sum / 2 : (sum - 1) / 2);
}

void ScaleSpan(LONG& low, LONG& high, int percent)
{
    LONG centre = SpanCentre(low, high);
    LONG scaled = MulDiv(centre, percent, 100);
    int64_t offsetLow = static_cast<int64_t>(low) - centre;
    int64_t offsetHigh = static_cast<int64_t>(high) - centre;
    low = static_cast<LONG>(scaled + offsetLow);
    high = static_cast<LONG>(scaled + offsetHigh);
}
}

void ScaleRectCenter(RECT* rect, int percent)
{
    ScaleSpan(rect->left, rect->right, percent);
    ScaleSpan(rect->top, rect->bottom, percent);
}
