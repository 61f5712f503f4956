#include "platform/ui/ListCtrl.h"

#include "platform/gdi/ImageList.h"
#include "platform/ui/ListViewState.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <utility>

IMPLEMENT_DYNAMIC(CListCtrl, CWnd)

using lv::States;

namespace {

bool before(const std::string& a, const std::string& b) { return ::strcasecmp(a.c_str(), b.c_str()) < 0; }

// Where a new item goes: sorted lists keep their order, others take the index asked for.
int placeFor(HWND hwnd, int index, const std::string& text)
{
    const auto& items = States::Of(hwnd).items;
    DWORD style = ctl::StyleOf(hwnd);
    auto label = [](const lv::Item& it) { return it.texts.front(); };
    if (style & LVS_SORTASCENDING)
        return static_cast<int>(std::find_if(items.begin(), items.end(), [&](const lv::Item& it) { return before(text, label(it)); }) - items.begin());
    if (style & LVS_SORTDESCENDING)
        return static_cast<int>(std::find_if(items.begin(), items.end(), [&](const lv::Item& it) { return before(label(it), text); }) - items.begin());
    return std::clamp(index, 0, static_cast<int>(items.size()));
}

void copyIn(lv::Item& it, const LVITEM& item)
{
    if (item.mask & LVIF_IMAGE)
        it.image = item.iImage;
    if (item.mask & LVIF_PARAM)
        it.data = item.lParam;
    if ((item.mask & LVIF_TEXT) && item.pszText) {
        size_t sub = static_cast<size_t>(std::max(0, item.iSubItem));
        if (it.texts.size() <= sub)
            it.texts.resize(sub + 1);
        it.texts[sub] = item.pszText;
    }
}

int textWidth(HWND hwnd, int column, bool withHeading)
{
    const lv::State& s = States::Of(hwnd);
    int width = withHeading ? ctl::TextWidth(hwnd, s.columns[static_cast<size_t>(column)].heading) : 0;
    for (const lv::Item& it : s.items)
        if (static_cast<size_t>(column) < it.texts.size())
            width = std::max(width, ctl::TextWidth(hwnd, it.texts[static_cast<size_t>(column)]));
    return width + 12;
}

} // namespace

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_LISTVIEW, "", style, rect, parent, id);
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width, int subItem)
{
    LVCOLUMN info{LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM, format, width, const_cast<LPSTR>(heading ? heading : ""), 0, subItem};
    if (width >= 0)
        info.mask |= LVCF_WIDTH;
    return InsertColumn(column, &info);
}

int CListCtrl::InsertColumn(int column, const LVCOLUMN* info)
{
    lv::State& s = States::Of(m_hWnd);
    if (!info || column < 0)
        return -1;
    column = std::min(column, static_cast<int>(s.columns.size()));
    lv::Column c;
    if ((info->mask & LVCF_TEXT) && info->pszText)
        c.heading = info->pszText;
    if (info->mask & LVCF_FMT)
        c.format = info->fmt;
    if (info->mask & LVCF_WIDTH)
        c.width = info->cx;
    s.columns.insert(s.columns.begin() + column, c);
    Invalidate();
    return column;
}

BOOL CListCtrl::DeleteColumn(int column)
{
    lv::State& s = States::Of(m_hWnd);
    if (column < 0 || column >= static_cast<int>(s.columns.size()))
        return FALSE;
    s.columns.erase(s.columns.begin() + column);
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    lv::State& s = States::Of(m_hWnd);
    if (column < 0 || column >= static_cast<int>(s.columns.size()) || width < LVSCW_AUTOSIZE_USEHEADER)
        return FALSE;
    if (width < 0)
        width = textWidth(m_hWnd, column, width == LVSCW_AUTOSIZE_USEHEADER);
    s.columns[static_cast<size_t>(column)].width = width;
    Invalidate();
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const
{
    const lv::State& s = States::Of(m_hWnd);
    return column >= 0 && column < static_cast<int>(s.columns.size()) ? s.columns[static_cast<size_t>(column)].width : 0;
}

int CListCtrl::InsertItem(int index, LPCTSTR text) { return InsertItem(index, text, -1); }

int CListCtrl::InsertItem(int index, LPCTSTR text, int image)
{
    LVITEM item{LVIF_TEXT | LVIF_IMAGE, index, 0, 0, 0, const_cast<LPSTR>(text ? text : ""), 0, image, 0};
    return InsertItem(&item);
}

int CListCtrl::InsertItem(const LVITEM* item)
{
    if (!item || item->iItem < 0 || item->iSubItem != 0)
        return -1;
    lv::Item it;
    copyIn(it, *item);
    int index = placeFor(m_hWnd, item->iItem, it.texts.front());
    auto& items = States::Of(m_hWnd).items;
    items.insert(items.begin() + index, it);
    if (item->mask & LVIF_STATE)
        lv::ChangeState(m_hWnd, index, item->state, item->stateMask);
    Invalidate();
    return index;
}

BOOL CListCtrl::SetItemText(int item, int subItem, LPCTSTR text)
{
    LVITEM info{LVIF_TEXT, item, subItem, 0, 0, const_cast<LPSTR>(text ? text : ""), 0, 0, 0};
    return SetItem(&info);
}

CString CListCtrl::GetItemText(int item, int subItem) const
{
    const lv::State& s = States::Of(m_hWnd);
    if (!lv::Valid(s, item) || subItem < 0)
        return CString();
    const auto& texts = s.items[static_cast<size_t>(item)].texts;
    return static_cast<size_t>(subItem) < texts.size() ? CString(texts[static_cast<size_t>(subItem)].c_str()) : CString();
}

int CListCtrl::GetItemText(int item, int subItem, LPTSTR buffer, int size) const
{
    if (!buffer || size <= 0)
        return 0;
    CString text = GetItemText(item, subItem);
    return static_cast<int>(ctl::CopyOut(std::string(static_cast<LPCTSTR>(text)), reinterpret_cast<LPARAM>(buffer), static_cast<size_t>(size)));
}

BOOL CListCtrl::DeleteItem(int item)
{
    lv::State& s = States::Of(m_hWnd);
    if (!lv::Valid(s, item))
        return FALSE;
    s.items.erase(s.items.begin() + item);
    s.top = std::clamp(s.top, 0, std::max(0, static_cast<int>(s.items.size()) - 1));
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    lv::State& s = States::Of(m_hWnd);
    s.items.clear();
    s.top = 0;
    Invalidate();
    return TRUE;
}

int CListCtrl::GetItemCount() const { return static_cast<int>(States::Of(m_hWnd).items.size()); }

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    LVITEM info{LVIF_PARAM, item, 0, 0, 0, nullptr, 0, 0, static_cast<LPARAM>(data)};
    return SetItem(&info);
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    const lv::State& s = States::Of(m_hWnd);
    return lv::Valid(s, item) ? static_cast<DWORD_PTR>(s.items[static_cast<size_t>(item)].data) : 0;
}

BOOL CListCtrl::SetItem(const LVITEM* item)
{
    lv::State& s = States::Of(m_hWnd);
    if (!item || !lv::Valid(s, item->iItem) || item->iSubItem < 0)
        return FALSE;
    copyIn(s.items[static_cast<size_t>(item->iItem)], *item);
    if (item->mask & LVIF_STATE)
        lv::ChangeState(m_hWnd, item->iItem, item->state, item->stateMask);
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::GetItem(LVITEM* item) const
{
    const lv::State& s = States::Of(m_hWnd);
    if (!item || !lv::Valid(s, item->iItem))
        return FALSE;
    const lv::Item& it = s.items[static_cast<size_t>(item->iItem)];
    if ((item->mask & LVIF_TEXT) && item->pszText && item->cchTextMax > 0)
        GetItemText(item->iItem, item->iSubItem, item->pszText, item->cchTextMax);
    if (item->mask & LVIF_IMAGE)
        item->iImage = it.image;
    if (item->mask & LVIF_PARAM)
        item->lParam = it.data;
    if (item->mask & LVIF_STATE)
        item->state = it.state & item->stateMask;
    return TRUE;
}

int CListCtrl::FindItem(LVFINDINFO* info, int start) const
{
    const lv::State& s = States::Of(m_hWnd);
    if (!info)
        return -1;
    for (int i = std::max(0, start + 1); i < static_cast<int>(s.items.size()); ++i) {
        const lv::Item& it = s.items[static_cast<size_t>(i)];
        if ((info->flags & LVFI_PARAM) && it.data == info->lParam)
            return i;
        if (!(info->flags & (LVFI_STRING | LVFI_PARTIAL)) || !info->psz)
            continue;
        size_t length = (info->flags & LVFI_PARTIAL) ? std::strlen(info->psz) : std::string::npos;
        const std::string& label = it.texts.front();
        if ((info->flags & LVFI_PARTIAL) ? ::strncasecmp(label.c_str(), info->psz, length) == 0 : ::strcasecmp(label.c_str(), info->psz) == 0)
            return i;
    }
    return -1;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    LVITEM info{LVIF_STATE, item, 0, state, mask, nullptr, 0, 0, 0};
    if (item != -1)
        return SetItem(&info);
    // -1 changes every item, as clearing a whole selection needs.
    for (int i = 0; i < GetItemCount(); ++i) {
        info.iItem = i;
        SetItem(&info);
    }
    return TRUE;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    const lv::State& s = States::Of(m_hWnd);
    return lv::Valid(s, item) ? s.items[static_cast<size_t>(item)].state & mask : 0;
}

BOOL CListCtrl::SetCheck(int item, BOOL check)
{
    return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::GetCheck(int item) const
{
    return GetItemState(item, LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

int CListCtrl::GetNextItem(int item, int flags) const
{
    const lv::State& s = States::Of(m_hWnd);
    UINT wanted = static_cast<UINT>(flags) & (LVNI_SELECTED | LVNI_FOCUSED);
    for (int i = std::max(0, item + 1); i < static_cast<int>(s.items.size()); ++i)
        if ((s.items[static_cast<size_t>(i)].state & wanted) == wanted)
            return i;
    return -1;
}

UINT CListCtrl::GetSelectedCount() const
{
    const auto& items = States::Of(m_hWnd).items;
    return static_cast<UINT>(std::count_if(items.begin(), items.end(), [](const lv::Item& it) { return it.state & LVIS_SELECTED; }));
}

// A position is the selected item's index plus one, so that null ends the walk.
POSITION CListCtrl::GetFirstSelectedItemPosition() const
{
    int first = GetNextItem(-1, LVNI_SELECTED);
    return reinterpret_cast<POSITION>(static_cast<intptr_t>(first + 1));
}

int CListCtrl::GetNextSelectedItem(POSITION& pos) const
{
    int item = static_cast<int>(reinterpret_cast<intptr_t>(pos)) - 1;
    pos = reinterpret_cast<POSITION>(static_cast<intptr_t>(GetNextItem(item, LVNI_SELECTED) + 1));
    return item;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int type)
{
    if (type < LVSIL_NORMAL || type > LVSIL_STATE)
        return nullptr;
    CImageList*& slot = States::Of(m_hWnd).images[type];
    CImageList* old = slot;
    slot = list;
    Invalidate();
    return old;
}

CImageList* CListCtrl::GetImageList(int type) const
{
    return type >= LVSIL_NORMAL && type <= LVSIL_STATE ? States::Of(m_hWnd).images[type] : nullptr;
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle)
{
    DWORD old = std::exchange(States::Of(m_hWnd).exStyle, exStyle);
    Invalidate();
    return old;
}

DWORD CListCtrl::GetExtendedStyle() const { return States::Of(m_hWnd).exStyle; }

BOOL CListCtrl::EnsureVisible(int item, BOOL) { return lv::ScrollInto(m_hWnd, item); }

int CListCtrl::GetTopIndex() const { return States::Of(m_hWnd).top; }

int CListCtrl::GetCountPerPage() const { return lv::RowsPerPage(m_hWnd); }

BOOL CListCtrl::GetItemRect(int item, LPRECT rect, UINT code) const
{
    if (!rect || !lv::Valid(States::Of(m_hWnd), item))
        return FALSE;
    RECT row = lv::RowRect(m_hWnd, item), label = lv::LabelRect(m_hWnd, item);
    switch (code) {
    case LVIR_ICON: *rect = RECT{row.left, row.top, label.left, row.bottom}; break;
    case LVIR_LABEL: *rect = label; break;
    default: *rect = row; break;
    }
    return TRUE;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const { return lv::ItemAt(m_hWnd, point, flags); }

int CListCtrl::HitTest(LVHITTESTINFO* info) const
{
    if (!info)
        return -1;
    info->iItem = lv::ItemAt(m_hWnd, info->pt, &info->flags);
    info->iSubItem = 0;
    return info->iItem;
}
