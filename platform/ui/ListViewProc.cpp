// The list view's window procedure: layout, painting, mouse and keys.
#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/ListViewState.h"

#include <algorithm>

namespace lv {

namespace {

int imageWidth(const State& s)
{
    int width = 0, height = 0;
    if (s.images[LVSIL_SMALL])
        ImageList_GetIconSize(s.images[LVSIL_SMALL]->GetSafeHandle(), &width, &height);
    return width;
}

constexpr int kCheckWidth = 14;

int checkWidth(const State& s) { return (s.exStyle & LVS_EX_CHECKBOXES) ? kCheckWidth : 0; }

bool checked(const Item& it) { return (it.state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2); }

int columnRight(HWND hwnd, const State& s, int column)
{
    if (s.columns.empty()) {
        RECT client{};
        ::GetClientRect(hwnd, &client);
        return client.right;
    }
    int x = 0;
    for (int i = 0; i <= column && i < static_cast<int>(s.columns.size()); ++i)
        x += s.columns[static_cast<size_t>(i)].width;
    return x;
}

void notify(HWND hwnd, UINT code, int item, UINT oldState, UINT newState)
{
    NMLISTVIEW nm{};
    nm.iItem = item;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = LVIF_STATE;
    nm.lParam = States::Of(hwnd).items[static_cast<size_t>(item)].data;
    ctl::SendNotify(hwnd, nm.hdr, code);
}

void setBits(HWND hwnd, int item, UINT state, UINT mask)
{
    Item& it = States::Of(hwnd).items[static_cast<size_t>(item)];
    UINT old = it.state;
    UINT now = (old & ~mask) | (state & mask);
    if (now == old)
        return;
    it.state = now;
    RECT r = RowRect(hwnd, item);
    ::InvalidateRect(hwnd, &r, TRUE);
    notify(hwnd, LVN_ITEMCHANGED, item, old, now);
}

void paintHeader(HWND hwnd, CDC& dc, const State& s)
{
    int height = HeaderHeight(hwnd), x = 0;
    for (const Column& c : s.columns) {
        RECT r{x, 0, x + c.width, height};
        dc.FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
        dc.DrawEdge(&r, EDGE_RAISED, BF_RECT);
        RECT text{r.left + 4, r.top, r.right - 4, r.bottom};
        dc.DrawText(c.heading.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
        x += c.width;
    }
}

UINT alignment(int format)
{
    if (format & LVCFMT_RIGHT)
        return DT_RIGHT;
    return (format & LVCFMT_CENTER) ? DT_CENTER : DT_LEFT;
}

void paintRow(HWND hwnd, CDC& dc, const State& s, int item, bool focused)
{
    const Item& it = s.items[static_cast<size_t>(item)];
    RECT row = RowRect(hwnd, item);
    bool selected = (it.state & LVIS_SELECTED) && (focused || (ctl::StyleOf(hwnd) & LVS_SHOWSELALWAYS));
    RECT highlight = (s.exStyle & LVS_EX_FULLROWSELECT) ? row : LabelRect(hwnd, item);
    if (selected)
        dc.FillSolidRect(&highlight, ::GetSysColor(focused ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    if (int check = checkWidth(s)) {
        RECT box{row.left + 1, row.top + 1, row.left + check - 1, row.top + check - 1};
        dc.DrawFrameControl(&box, DFC_BUTTON, DFCS_BUTTONCHECK | (checked(it) ? DFCS_CHECKED : 0));
    }
    if (CImageList* images = s.images[LVSIL_SMALL]; images && it.image >= 0)
        images->Draw(&dc, it.image, POINT{row.left + 1 + checkWidth(s), row.top}, ILD_TRANSPARENT);
    int columns = std::max(1, static_cast<int>(s.columns.size()));
    for (int c = 0; c < columns && c < static_cast<int>(it.texts.size()); ++c) {
        RECT cell = c == 0 ? LabelRect(hwnd, item) : RECT{columnRight(hwnd, s, c - 1), row.top, columnRight(hwnd, s, c), row.bottom};
        bool lit = selected && (c == 0 || (s.exStyle & LVS_EX_FULLROWSELECT));
        dc.SetTextColor(::GetSysColor(lit && focused ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        ::InflateRect(&cell, -2, 0);
        UINT align = s.columns.empty() ? DT_LEFT : alignment(s.columns[static_cast<size_t>(c)].format);
        dc.DrawText(it.texts[static_cast<size_t>(c)].c_str(), -1, &cell, align | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
    }
}

void paint(HWND hwnd, CDC& dc)
{
    const State& s = States::Of(hwnd);
    dc.SetBkMode(TRANSPARENT);
    if (!(ctl::StyleOf(hwnd) & LVS_NOCOLUMNHEADER))
        paintHeader(hwnd, dc, s);
    bool focused = ::GetFocus() == hwnd;
    int last = std::min(static_cast<int>(s.items.size()), s.top + RowsPerPage(hwnd) + 1);
    for (int i = s.top; i < last; ++i)
        paintRow(hwnd, dc, s, i, focused);
}

// A plain click or arrow key: the item becomes the only selected one and the focused one.
void choose(HWND hwnd, int item)
{
    State& s = States::Of(hwnd);
    for (int i = 0; i < static_cast<int>(s.items.size()); ++i)
        if (i != item)
            setBits(hwnd, i, 0, LVIS_SELECTED);
    if (Valid(s, item)) {
        ChangeState(hwnd, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ScrollInto(hwnd, item);
    }
}

void toggleCheck(HWND hwnd, int item)
{
    const State& s = States::Of(hwnd);
    if (!(s.exStyle & LVS_EX_CHECKBOXES) || !Valid(s, item))
        return;
    UINT next = INDEXTOSTATEIMAGEMASK(checked(s.items[static_cast<size_t>(item)]) ? 1 : 2);
    setBits(hwnd, item, next, LVIS_STATEIMAGEMASK);
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

void click(HWND hwnd, UINT code, LPARAM lParam, WPARAM keys)
{
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    int item = ItemAt(hwnd, pt, nullptr);
    if (code == NM_CLICK) {
        ::SetFocus(hwnd);
        choose(hwnd, item);
        if (pt.x < checkWidth(States::Of(hwnd)))
            toggleCheck(hwnd, item);
    }
    NMITEMACTIVATE nm{};
    nm.iItem = item;
    nm.ptAction = pt;
    nm.uKeyFlags = static_cast<UINT>(keys);
    ctl::SendNotify(hwnd, nm.hdr, code);
}

void key(HWND hwnd, WPARAM vk)
{
    const State& s = States::Of(hwnd);
    int count = static_cast<int>(s.items.size());
    if (count == 0)
        return;
    int current = -1;
    for (int i = 0; i < count && current < 0; ++i)
        if (s.items[static_cast<size_t>(i)].state & LVIS_FOCUSED)
            current = i;
    int page = std::max(1, RowsPerPage(hwnd) - 1);
    int next = current;
    switch (vk) {
    case VK_UP: next = current - 1; break;
    case VK_DOWN: next = current + 1; break;
    case VK_PRIOR: next = current - page; break;
    case VK_NEXT: next = current + page; break;
    case VK_HOME: next = 0; break;
    case VK_END: next = count - 1; break;
    case VK_SPACE: toggleCheck(hwnd, current); return;
    default: return;
    }
    choose(hwnd, std::clamp(next, 0, count - 1));
}

} // namespace

int RowHeight(HWND hwnd)
{
    int height = 0, width = 0;
    if (CImageList* images = States::Of(hwnd).images[LVSIL_SMALL])
        ImageList_GetIconSize(images->GetSafeHandle(), &width, &height);
    return std::max(ctl::LineHeight(hwnd) + 2, height + 1);
}

int HeaderHeight(HWND hwnd) { return (ctl::StyleOf(hwnd) & LVS_NOCOLUMNHEADER) ? 0 : ctl::LineHeight(hwnd) + 6; }

int RowsPerPage(HWND hwnd)
{
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return std::max(0, (client.bottom - HeaderHeight(hwnd)) / RowHeight(hwnd));
}

RECT RowRect(HWND hwnd, int item)
{
    const State& s = States::Of(hwnd);
    int top = HeaderHeight(hwnd) + (item - s.top) * RowHeight(hwnd);
    int right = columnRight(hwnd, s, static_cast<int>(s.columns.size()) - 1);
    return RECT{0, top, right, top + RowHeight(hwnd)};
}

RECT LabelRect(HWND hwnd, int item)
{
    const State& s = States::Of(hwnd);
    RECT r = RowRect(hwnd, item);
    int image = imageWidth(s);
    r.left = checkWidth(s) + (image ? image + 2 : 0);
    r.right = std::max(r.left, columnRight(hwnd, s, 0));
    return r;
}

int ItemAt(HWND hwnd, POINT pt, UINT* flags)
{
    const State& s = States::Of(hwnd);
    UINT where = LVHT_NOWHERE;
    int item = -1;
    if (pt.y < HeaderHeight(hwnd)) {
        where = LVHT_ABOVE;
    } else {
        int row = s.top + (pt.y - HeaderHeight(hwnd)) / RowHeight(hwnd);
        RECT r = RowRect(hwnd, row);
        if (Valid(s, row) && pt.x >= 0 && pt.x < r.right) {
            item = row;
            where = pt.x < LabelRect(hwnd, row).left ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
        } else if (row >= static_cast<int>(s.items.size())) {
            where = LVHT_BELOW | LVHT_NOWHERE;
        }
    }
    if (flags)
        *flags = where;
    return item;
}

void ChangeState(HWND hwnd, int item, UINT state, UINT mask)
{
    State& s = States::Of(hwnd);
    // Bits that the item takes from every other one.
    UINT taken = mask & state & LVIS_FOCUSED;
    if (ctl::StyleOf(hwnd) & LVS_SINGLESEL)
        taken |= mask & state & LVIS_SELECTED;
    for (int i = 0; taken && i < static_cast<int>(s.items.size()); ++i)
        if (i != item)
            setBits(hwnd, i, 0, taken);
    setBits(hwnd, item, state, mask);
}

bool ScrollInto(HWND hwnd, int item)
{
    State& s = States::Of(hwnd);
    if (!Valid(s, item))
        return false;
    int page = std::max(1, RowsPerPage(hwnd));
    int top = std::clamp(s.top, item - page + 1, item);
    if (top != s.top) {
        s.top = top;
        ::InvalidateRect(hwnd, nullptr, TRUE);
    }
    return true;
}

} // namespace lv

LRESULT AfxListViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLOREDIT, [hwnd](CDC& dc, const RECT&) { lv::paint(hwnd, dc); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: lv::click(hwnd, NM_CLICK, lParam, wParam); return 0;
    case WM_LBUTTONDBLCLK: lv::click(hwnd, NM_DBLCLK, lParam, wParam); return 0;
    case WM_KEYDOWN: lv::key(hwnd, wParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: ::InvalidateRect(hwnd, nullptr, TRUE); break;
    case WM_NCDESTROY: lv::States::Forget(hwnd); break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}
