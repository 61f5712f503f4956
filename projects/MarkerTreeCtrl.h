// The check-box tree of the marker pane: one heading per marker group with its values below.
#pragma once

#include "projects/ProjectMarkers.h"

#include "platform/gdi/ImageList.h"
#include "platform/ui/TreeCtrl.h"

class CMarkerTreeCtrl : public CTreeCtrl {
public:
    static constexpr int HeadingImage = 20;
    static constexpr UINT HeadingIcon = 354;

    void BuildGroups();
    // Each group's value item is checked exactly when it carries the project's value.
    void CheckValues(const ProjectMarkers& markers);
    void CheckFilterLists(const MarkerFilter& filter);
    // The group number (1..5) of a value item; 0 for a heading or an item outside the groups.
    int GetGroupOf(HTREEITEM item) const;
    HTREEITEM GetHeading(MarkerGroup group) const;

private:
    template <class Checked>
    void CheckEach(Checked checked);

    CImageList m_images;
};
