#include "platform/ui/TabCtrl.h"

#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"

#include <algorithm>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CTabCtrl, CWnd)

namespace {

struct Tab {
    std::string text;
    int image = -1;
    LPARAM data = 0;
};

struct TabState {
    std::vector<Tab> tabs;
    int current = -1;
};
using States = ctl::StateMap<TabState>;

void copyIn(Tab& tab, const TCITEM& item)
{
    if ((item.mask & TCIF_TEXT) && item.pszText)
        tab.text = item.pszText;
    if (item.mask & TCIF_IMAGE)
        tab.image = item.iImage;
    if (item.mask & TCIF_PARAM)
        tab.data = item.lParam;
}

int rowHeight(HWND hwnd) { return ctl::LineHeight(hwnd) + 8; }

RECT tabRect(HWND hwnd, int index)
{
    const TabState& s = States::Of(hwnd);
    int x = 2;
    for (int i = 0; i < index; ++i)
        x += ctl::TextWidth(hwnd, s.tabs[static_cast<size_t>(i)].text) + 16;
    int width = ctl::TextWidth(hwnd, s.tabs[static_cast<size_t>(index)].text) + 16;
    return RECT{x, 2, x + width, rowHeight(hwnd)};
}

int tabAt(HWND hwnd, POINT pt)
{
    const TabState& s = States::Of(hwnd);
    for (int i = 0; i < static_cast<int>(s.tabs.size()); ++i) {
        RECT r = tabRect(hwnd, i);
        if (::PtInRect(&r, pt))
            return i;
    }
    return -1;
}

void paint(HWND hwnd, CDC& dc, const RECT& client)
{
    const TabState& s = States::Of(hwnd);
    RECT body{client.left, rowHeight(hwnd) - 1, client.right, client.bottom};
    dc.DrawEdge(&body, EDGE_RAISED, BF_RECT);
    for (int i = 0; i < static_cast<int>(s.tabs.size()); ++i) {
        RECT r = tabRect(hwnd, i);
        if (i == s.current)
            ::InflateRect(&r, 2, 2);
        dc.FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
        dc.DrawEdge(&r, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        dc.DrawText(s.tabs[static_cast<size_t>(i)].text.c_str(), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}

void choose(HWND hwnd, int index)
{
    TabState& s = States::Of(hwnd);
    if (index < 0 || index == s.current)
        return;
    NMHDR nm{};
    if (ctl::SendNotify(hwnd, nm, TCN_SELCHANGING))
        return;
    s.current = index;
    ::InvalidateRect(hwnd, nullptr, TRUE);
    NMHDR done{};
    ctl::SendNotify(hwnd, done, TCN_SELCHANGE);
}

} // namespace

LRESULT AfxTabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TabState& s = States::Of(hwnd);
    switch (message) {
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLOR, [hwnd](CDC& dc, const RECT& r) { paint(hwnd, dc, r); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
        ::SetFocus(hwnd);
        choose(hwnd, tabAt(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}));
        return 0;
    case WM_KEYDOWN:
        if ((wParam == VK_LEFT || wParam == VK_RIGHT) && !s.tabs.empty())
            choose(hwnd, std::clamp(s.current + (wParam == VK_LEFT ? -1 : 1), 0, static_cast<int>(s.tabs.size()) - 1));
        return 0;
    case WM_NCDESTROY: States::Forget(hwnd); break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}

BOOL CTabCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_TABCONTROL, "", style, rect, parent, id);
}

LONG CTabCtrl::InsertItem(int index, LPCTSTR text)
{
    TCITEM item{TCIF_TEXT, 0, 0, const_cast<LPSTR>(text ? text : ""), 0, -1, 0};
    return InsertItem(index, &item);
}

LONG CTabCtrl::InsertItem(int index, const TCITEM* item)
{
    TabState& s = States::Of(m_hWnd);
    if (!item || index < 0)
        return -1;
    index = std::min(index, static_cast<int>(s.tabs.size()));
    Tab tab;
    copyIn(tab, *item);
    s.tabs.insert(s.tabs.begin() + index, tab);
    if (s.current < 0)
        s.current = 0;
    else if (index <= s.current)
        ++s.current;
    Invalidate();
    return index;
}

BOOL CTabCtrl::DeleteItem(int index)
{
    TabState& s = States::Of(m_hWnd);
    if (index < 0 || index >= static_cast<int>(s.tabs.size()))
        return FALSE;
    s.tabs.erase(s.tabs.begin() + index);
    if (s.current > index || s.current >= static_cast<int>(s.tabs.size()))
        --s.current;
    Invalidate();
    return TRUE;
}

BOOL CTabCtrl::DeleteAllItems()
{
    TabState& s = States::Of(m_hWnd);
    s.tabs.clear();
    s.current = -1;
    Invalidate();
    return TRUE;
}

int CTabCtrl::GetItemCount() const { return static_cast<int>(States::Of(m_hWnd).tabs.size()); }

BOOL CTabCtrl::GetItem(int index, TCITEM* item) const
{
    const TabState& s = States::Of(m_hWnd);
    if (!item || index < 0 || index >= static_cast<int>(s.tabs.size()))
        return FALSE;
    const Tab& tab = s.tabs[static_cast<size_t>(index)];
    if ((item->mask & TCIF_TEXT) && item->pszText && item->cchTextMax > 0)
        ctl::CopyOut(tab.text, reinterpret_cast<LPARAM>(item->pszText), static_cast<size_t>(item->cchTextMax));
    if (item->mask & TCIF_IMAGE)
        item->iImage = tab.image;
    if (item->mask & TCIF_PARAM)
        item->lParam = tab.data;
    return TRUE;
}

BOOL CTabCtrl::SetItem(int index, const TCITEM* item)
{
    TabState& s = States::Of(m_hWnd);
    if (!item || index < 0 || index >= static_cast<int>(s.tabs.size()))
        return FALSE;
    copyIn(s.tabs[static_cast<size_t>(index)], *item);
    Invalidate();
    return TRUE;
}

int CTabCtrl::GetCurSel() const { return States::Of(m_hWnd).current; }

int CTabCtrl::SetCurSel(int index)
{
    TabState& s = States::Of(m_hWnd);
    if (index < 0 || index >= static_cast<int>(s.tabs.size()))
        return -1;
    int old = s.current;
    s.current = index;
    Invalidate();
    return old;
}

BOOL CTabCtrl::GetItemRect(int index, LPRECT rect) const
{
    if (!rect || index < 0 || index >= GetItemCount())
        return FALSE;
    *rect = tabRect(m_hWnd, index);
    return TRUE;
}

void CTabCtrl::AdjustRect(BOOL larger, LPRECT rect) const
{
    if (!rect)
        return;
    int top = rowHeight(m_hWnd) + 2, side = 4;
    int sign = larger ? -1 : 1;
    rect->left += sign * side;
    rect->right -= sign * side;
    rect->top += sign * top;
    rect->bottom -= sign * side;
}

int CTabCtrl::HitTest(TCHITTESTINFO* info) const
{
    if (!info)
        return -1;
    int index = tabAt(m_hWnd, info->pt);
    info->flags = index < 0 ? TCHT_NOWHERE : TCHT_ONITEMLABEL;
    return index;
}
