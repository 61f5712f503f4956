#include "View/HyperOleViewScale.h"

#include "objects/kinds/HyperOleItem.h"
#include "objects/kinds/HyperOleOb.h"
#include "platform/core/System.h"

#include <vector>

// The item first returns to its natural size, which the owner takes; the scale applies to that.
BOOL COleScaleDialog::OnApplyScale(COleClientItem* item, int scale, BOOL)
{
    auto* oleItem = dynamic_cast<CHyperOleItem*>(item);
    CHyperOleOb* owner = oleItem ? oleItem->GetOwner() : nullptr;
    if (!owner)
        return FALSE;
    oleItem->ResetExtent();
    owner->InvalidateArea(nullptr);
    CRect rect;
    owner->GetRect(&rect, nullptr);
    rect.right = rect.left + MulDiv(rect.Width(), scale, 100);
    rect.bottom = rect.top + MulDiv(rect.Height(), scale, 100);
    owner->SetRect(rect);
    owner->InvalidateArea(nullptr);
    return TRUE;
}

CWorkingFolderKeeper::CWorkingFolderKeeper()
{
    std::vector<char> buffer(4096);
    if (_getcwd(buffer.data(), static_cast<int>(buffer.size())))
        m_folder = buffer.data();
}

CWorkingFolderKeeper::~CWorkingFolderKeeper()
{
    if (!m_folder.IsEmpty())
        _chdir(m_folder);
}
