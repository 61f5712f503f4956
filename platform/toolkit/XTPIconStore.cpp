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
    const int count = static_cast<int>(ids.size());
    if (!SetIcons(toolBarId, ids.data(), count, CSize(t->width, t->height)))
        return FALSE;
    const std::vector<BYTE>* large = FindBinaryResource(ResourceKind::Bitmap, LargeToolBarBitmapName(toolBarId));
    if (large)
        AddStrip(LoadBitmapFromFile(large), ids.data(), count, CSize(32, 32), RGB(192, 192, 192), m_largeIcons);
    return TRUE;
}

BOOL CXTPIconStore::SetIcons(UINT bitmapId, const UINT* ids, int count, CSize size, COLORREF mask)
{
    return AddStrip(AfxLoadBitmapResource(bitmapId), ids, count, size, mask, m_icons);
}

BOOL CXTPIconStore::AddStrip(HBITMAP bitmap, const UINT* ids, int count, CSize size, COLORREF mask, Icons& icons)
{
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
        icons[ids[i]] = Icon{list.get(), i};
    m_lists.push_back(std::move(list));
    return TRUE;
}

const CXTPIconStore::Icon* CXTPIconStore::Find(UINT commandId, BOOL large) const
{
    if (large)
        if (auto it = m_largeIcons.find(commandId); it != m_largeIcons.end())
            return &it->second;
    auto it = m_icons.find(commandId);
    return it == m_icons.end() ? nullptr : &it->second;
}

BOOL CXTPIconStore::DrawIcon(CDC* dc, UINT commandId, CPoint point, BOOL large) const
{
    const Icon* icon = Find(commandId, large);
    return icon && icon->list->Draw(dc, icon->index, point, ILD_TRANSPARENT);
}

CSize CXTPIconStore::GetIconSize(UINT commandId, BOOL large) const
{
    const Icon* icon = Find(commandId, large);
    if (!icon)
        return CSize(16, 16);
    int cx = 16, cy = 16;
    ::ImageList_GetIconSize(icon->list->GetSafeHandle(), &cx, &cy);
    return CSize(cx, cy);
}
