#include "platform/toolkit/XTTreeCtrl.h"

IMPLEMENT_DYNAMIC(CXTTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CXTTreeCtrl, CTreeCtrl)
    ON_NOTIFY_REFLECT_EX(TVN_DELETEITEM, OnDeleteItem)
END_MESSAGE_MAP()

void CXTTreeCtrl::SetItemColor(HTREEITEM item, COLORREF color)
{
    if (color == static_cast<COLORREF>(-1))
        m_colors.erase(item);
    else
        m_colors[item] = color;
}

COLORREF CXTTreeCtrl::GetItemColor(HTREEITEM item) const
{
    auto found = m_colors.find(item);
    return found == m_colors.end() ? static_cast<COLORREF>(-1) : found->second;
}

void CXTTreeCtrl::SetItemFont(HTREEITEM item, const LOGFONT& font) { m_fonts[item] = font; }

BOOL CXTTreeCtrl::GetItemFont(HTREEITEM item, LOGFONT* font) const
{
    auto found = m_fonts.find(item);
    if (found == m_fonts.end() || !font)
        return FALSE;
    *font = found->second;
    return TRUE;
}

void CXTTreeCtrl::SetItemBold(HTREEITEM item, BOOL bold) { SetItemState(item, bold ? TVIS_BOLD : 0, TVIS_BOLD); }

BOOL CXTTreeCtrl::GetItemBold(HTREEITEM item) const { return (GetItemState(item, TVIS_BOLD) & TVIS_BOLD) != 0; }

// A deleted item's handle may come back for a new item, which must not inherit its looks.
BOOL CXTTreeCtrl::OnDeleteItem(NMHDR* header, LRESULT* result)
{
    const auto* info = reinterpret_cast<const NMTREEVIEW*>(header);
    m_colors.erase(info->itemOld.hItem);
    m_fonts.erase(info->itemOld.hItem);
    *result = 0;
    return FALSE;
}
