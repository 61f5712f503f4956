#include "projects/MarkerTreeCtrl.h"

#include "projects/ProjectHost.h"
#include "projects/ProjectIcons.h"

#include "platform/gdi/Icon.h"

#include "platform/ui/Resources.h"

#include <algorithm>

namespace {

// The groups as the pane lists them.
constexpr MarkerGroup kPaneOrder[] = {MarkerGroup::Priority, MarkerGroup::Finished, MarkerGroup::Workload,
                                      MarkerGroup::Flags, MarkerGroup::Arrows};

// The pane's image list: the groups' bitmaps in this order, with the heading symbol after the
// workload.
constexpr MarkerGroup kImageOrder[] = {MarkerGroup::Priority, MarkerGroup::Finished, MarkerGroup::Workload,
                                       MarkerGroup::Arrows, MarkerGroup::Flags};

} // namespace

void CMarkerTreeCtrl::BuildGroups()
{
    m_images.Create(16, 16, ILC_COLOR32 | ILC_MASK, 33, 1);
    for (MarkerGroup group : kImageOrder) {
        const MarkerGroupRow& row = MarkerRow(group);
        CBitmap bitmap;
        if (!bitmap.Attach(LoadBitmapResource(row.bitmap)))
            bitmap.CreateBitmap(16 * static_cast<int>(row.count), 16, 1, 32, nullptr);
        m_images.Add(&bitmap, row.mask);
        if (group == MarkerGroup::Workload) {
            HICON heading = LoadProjectIcon(HeadingIcon);
            m_images.Add(heading);
            DestroyIcon(heading);
        }
    }
    SetImageList(&m_images, TVSIL_NORMAL);
    for (MarkerGroup group : kPaneOrder) {
        const MarkerGroupRow& row = MarkerRow(group);
        HTREEITEM heading = InsertItem(ProjectText(row.heading), HeadingImage, HeadingImage);
        SetItemData(heading, static_cast<DWORD_PTR>(row.number));
        for (UINT value = 1; value <= row.count; ++value) {
            const int image = row.paneImage + static_cast<int>(value) - 1;
            HTREEITEM item = InsertItem(ProjectText(row.names[value - 1]), image, image, heading);
            SetItemData(item, value);
        }
        SetItemState(heading, TVIS_BOLD, TVIS_BOLD);
    }
    Expand(GetHeading(MarkerGroup::Priority), TVE_EXPAND);
}

HTREEITEM CMarkerTreeCtrl::GetHeading(MarkerGroup group) const
{
    for (HTREEITEM heading = GetRootItem(); heading; heading = GetNextSiblingItem(heading))
        if (static_cast<int>(GetItemData(heading)) == MarkerRow(group).number)
            return heading;
    return nullptr;
}

int CMarkerTreeCtrl::GetGroupOf(HTREEITEM item) const
{
    const HTREEITEM parent = item ? GetParentItem(item) : nullptr;
    return parent && !GetParentItem(parent) ? static_cast<int>(GetItemData(parent)) : 0;
}

template <class Checked>
void CMarkerTreeCtrl::CheckEach(Checked checked)
{
    for (MarkerGroup group : kPaneOrder)
        for (HTREEITEM item = GetChildItem(GetHeading(group)); item; item = GetNextSiblingItem(item))
            SetCheck(item, checked(group, static_cast<UINT>(GetItemData(item))));
}

void CMarkerTreeCtrl::CheckValues(const ProjectMarkers& markers)
{
    CheckEach([&markers](MarkerGroup group, UINT value) { return markers.Of(group) == value; });
}

void CMarkerTreeCtrl::CheckFilterLists(const MarkerFilter& filter)
{
    CheckEach([&filter](MarkerGroup group, UINT value) {
        const std::vector<UINT>& hidden = filter[static_cast<size_t>(group)];
        return std::find(hidden.begin(), hidden.end(), value) != hidden.end();
    });
}
