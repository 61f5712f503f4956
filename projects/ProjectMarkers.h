// The five task markers of a project: their groups, value ranges, names and images.
#pragma once

#include "platform/core/Types.h"

#include <array>
#include <span>
#include <vector>

// In the order the tree draws them.
enum class MarkerGroup { Priority, Workload, Finished, Flags, Arrows };
constexpr int MarkerGroupCount = 5;

struct MarkerGroupRow {
    MarkerGroup group;
    const char* heading;
    // The number GetGroupOf reports for the group.
    int number;
    // Values 1..count are named; 0 is "not set".
    UINT count;
    // First image of the group in the marker pane's image list.
    int paneImage;
    // The bitmap of the project manager's image list for the group and its mask colour.
    UINT bitmap;
    COLORREF mask;
    std::array<const char*, 10> names;
};

constexpr MarkerGroupRow kMarkerGroups[MarkerGroupCount] = {
    {MarkerGroup::Priority, "Taskpriority", 1, 5, 0, 352, RGB(0, 0, 0),
     {"Priority 1", "Priority 2", "Priority 3", "Priority 4", "Priority 5"}},
    {MarkerGroup::Workload, "Workload (%)", 2, 10, 10, 385, RGB(255, 0, 0),
     {"10%", "20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "100%"}},
    {MarkerGroup::Finished, "Task finished (%)", 3, 5, 5, 353, RGB(0, 0, 0),
     {"Task begun", "One quarter finished", "Half finished", "Three quarters finished", "Task finished"}},
    {MarkerGroup::Flags, "Flags", 4, 7, 26, 358, RGB(128, 0, 0),
     {"Go", "To discuss", "Possibility", "Risk", "Progress", "Care", "Attention"}},
    {MarkerGroup::Arrows, "Arrows", 5, 5, 21, 357, RGB(0, 0, 0),
     {"Important", "Both directions", "Reference", "Moved", "Yes!"}},
};

const MarkerGroupRow& MarkerRow(MarkerGroup group);
// The untranslated name of a value, or nullptr for 0 and values outside the group.
const char* MarkerValueName(MarkerGroup group, UINT value);

struct ProjectMarkers {
    UINT arrow = 0;
    UINT flag = 0;
    UINT finished = 0;
    UINT workload = 0;
    UINT priority = 0;

    UINT& Of(MarkerGroup group);
    UINT Of(MarkerGroup group) const;
    bool operator==(const ProjectMarkers&) const = default;
};

// Per group, the values whose projects are hidden.
using MarkerFilter = std::array<std::vector<UINT>, MarkerGroupCount>;
BOOL PassesMarkerFilter(const ProjectMarkers& markers, const MarkerFilter& filter);
