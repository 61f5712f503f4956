#include "platform/toolkit/XTPIconStore.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/BitmapButton.h"
#include "platform/ui/Resources.h"

CXTPIconStore::~CXTPIconStore() = default;

BOOL CXTPIconStore::SetIcons(UINT toolBarId)
{
    const ToolBarTemplate* t = FindToolBarResource(toolBarId);
    if (!t)
        return FALSE;
    std::vector<UINT> ids;
    for (UINT id : t->items)
        if (id != 0)
            ids.push_back(id);
    return SetIcons(toolBarId, ids.data(), static_cast<int>(ids.size()), CSize(t->width, t->height));
}

BOOL CXTPIconStore::SetIcons(UINT bitmapId, const UINT* ids, int count, CSize size, COLORREF mask)
{
    HBITMAP bitmap = AfxLoadBitmapResource(bitmapId);
    if (!bitmap)
        return FALSE;
    if (count <= 0 || !ids) {
        ::DeleteObject(bitmap);
        return FALSE;
    }
    auto list = std::make_unique<CImageList>();
    BOOL ok = list->Create(size.cx, size.cy, ILC_COLOR24 | ILC_MASK, 0, 1) &&
              ::ImageList_AddMasked(list->GetSafeHandle(), bitmap, mask) >= 0;
    ::DeleteObject(bitmap);
    if (!ok)
        return FALSE;
    int available = list->GetImageCount();
    for (int i = 0; i < count && i < available; ++i)
        m_icons[ids[i]] = Icon{list.get(), i};
    m_lists.push_back(std::move(list));
    return TRUE;
}

BOOL CXTPIconStore::DrawIcon(CDC* dc, UINT commandId, CPoint point) const
{
    auto it = m_icons.find(commandId);
    return it != m_icons.end() && it->second.list->Draw(dc, it->second.index, point, ILD_TRANSPARENT);
}

CSize CXTPIconStore::GetIconSize(UINT commandId) const
{
    auto it = m_icons.find(commandId);
    if (it == m_icons.end())
        return CSize(16, 16);
    int cx = 16, cy = 16;
    ::ImageList_GetIconSize(it->second.list->GetSafeHandle(), &cx, &cy);
    return CSize(cx, cy);
}
