#include "projects/ProjectMarkers.h"

#include <algorithm>

const MarkerGroupRow& MarkerRow(MarkerGroup group)
{
    return kMarkerGroups[static_cast<int>(group)];
}

const char* MarkerValueName(MarkerGroup group, UINT value)
{
    const MarkerGroupRow& row = MarkerRow(group);
    return value >= 1 && value <= row.count ? row.names[value - 1] : nullptr;
}

UINT& ProjectMarkers::Of(MarkerGroup group)
{
    switch (group) {
    case MarkerGroup::Priority: return priority;
    case MarkerGroup::Workload: return workload;
    case MarkerGroup::Finished: return finished;
    case MarkerGroup::Flags: return flag;
    case MarkerGroup::Arrows: break;
    }
    return arrow;
}

UINT ProjectMarkers::Of(MarkerGroup group) const
{
    return const_cast<ProjectMarkers*>(this)->Of(group);
}

BOOL PassesMarkerFilter(const ProjectMarkers& markers, const MarkerFilter& filter)
{
    for (const MarkerGroupRow& row : kMarkerGroups) {
        const std::vector<UINT>& hidden = filter[static_cast<size_t>(row.number - 1)];
        if (std::find(hidden.begin(), hidden.end(), markers.Of(row.group)) != hidden.end())
            return FALSE;
    }
    return TRUE;
}
