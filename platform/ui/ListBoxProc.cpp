// The list box window class: single, multiple and extended selection, sorted lists, item
// data, and owner-drawn items of fixed or variable height.
#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"
#include "platform/ui/ItemList.h"

#include <algorithm>

namespace {

struct ListBoxState {
    ctl::ItemList list{ODT_LISTBOX};
    int current = LB_ERR; // the selection of a single-selection list
    int caret = 0;
    int anchor = 0;
    int top = 0;
    int itemHeight = 0; // 0 until measured
    bool focus = false;
};
using States = ctl::StateMap<ListBoxState>;

DWORD style(HWND hwnd) { return ctl::StyleOf(hwnd); }
bool ownerDrawn(HWND hwnd) { return (style(hwnd) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
bool hasStrings(HWND hwnd) { return !ownerDrawn(hwnd) || (style(hwnd) & LBS_HASSTRINGS); }
bool multiple(HWND hwnd) { return (style(hwnd) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }

int measure(HWND hwnd, int index, ULONG_PTR data)
{
    MEASUREITEMSTRUCT mis{ODT_LISTBOX, ctl::IdOf(hwnd), static_cast<UINT>(std::max(index, 0)), 0,
                          static_cast<UINT>(ctl::LineHeight(hwnd)), data};
    if (HWND parent = ::GetParent(hwnd))
        ::SendMessage(parent, WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
    return std::max<int>(1, static_cast<int>(mis.itemHeight));
}

int fixedHeight(HWND hwnd)
{
    ListBoxState& s = States::Of(hwnd);
    if (!s.itemHeight)
        s.itemHeight = (style(hwnd) & LBS_OWNERDRAWFIXED) ? measure(hwnd, 0, 0) : ctl::LineHeight(hwnd);
    return s.itemHeight;
}

int heightOf(HWND hwnd, int index)
{
    ListBoxState& s = States::Of(hwnd);
    if ((style(hwnd) & LBS_OWNERDRAWVARIABLE) && s.list.Valid(index))
        return s.list.items[static_cast<size_t>(index)].height;
    return fixedHeight(hwnd);
}

RECT itemRect(HWND hwnd, int index)
{
    ListBoxState& s = States::Of(hwnd);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    int y = 0;
    for (int i = s.top; i < index; ++i)
        y += heightOf(hwnd, i);
    for (int i = index; i < s.top; ++i)
        y -= heightOf(hwnd, i);
    return RECT{client.left, y, client.right, y + heightOf(hwnd, index)};
}

int itemAt(HWND hwnd, int y)
{
    ListBoxState& s = States::Of(hwnd);
    for (int i = s.top, at = 0; i < s.list.Count(); ++i) {
        at += heightOf(hwnd, i);
        if (y < at)
            return i;
    }
    return LB_ERR;
}

bool isSelected(HWND hwnd, int index)
{
    ListBoxState& s = States::Of(hwnd);
    if (!s.list.Valid(index))
        return false;
    return multiple(hwnd) ? s.list.items[static_cast<size_t>(index)].selected : s.current == index;
}

void drawItem(HWND hwnd, CDC& dc, int index, RECT rect)
{
    ListBoxState& s = States::Of(hwnd);
    const ctl::ListItem& item = s.list.items[static_cast<size_t>(index)];
    UINT state = (isSelected(hwnd, index) ? ODS_SELECTED : 0) | (s.focus && s.caret == index ? ODS_FOCUS : 0) |
                 (::IsWindowEnabled(hwnd) ? 0 : ODS_DISABLED);
    if (ownerDrawn(hwnd)) {
        DRAWITEMSTRUCT dis{ODT_LISTBOX, ctl::IdOf(hwnd), static_cast<UINT>(index), ODA_DRAWENTIRE, state, hwnd,
                           dc.GetSafeHdc(), rect, item.data};
        if (HWND parent = ::GetParent(hwnd))
            ::SendMessage(parent, WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    bool selected = state & ODS_SELECTED;
    dc.FillSolidRect(&rect, ::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc.SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT text = rect;
    text.left += 2;
    dc.DrawText(item.text.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (state & ODS_FOCUS)
        dc.DrawFocusRect(&rect);
}

void paint(HWND hwnd, CDC& dc, const RECT& client)
{
    ListBoxState& s = States::Of(hwnd);
    for (int i = s.top; i < s.list.Count(); ++i) {
        RECT rect = itemRect(hwnd, i);
        if (rect.top >= client.bottom)
            break;
        drawItem(hwnd, dc, i, rect);
    }
}

void changed(HWND hwnd)
{
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

void selectOnly(HWND hwnd, int index)
{
    ListBoxState& s = States::Of(hwnd);
    for (auto& item : s.list.items)
        item.selected = false;
    if (s.list.Valid(index))
        s.list.items[static_cast<size_t>(index)].selected = true;
    s.current = s.list.Valid(index) ? index : LB_ERR;
    if (s.list.Valid(index))
        s.caret = s.anchor = index;
    changed(hwnd);
}

void ensureVisible(HWND hwnd, int index)
{
    ListBoxState& s = States::Of(hwnd);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    if (index < s.top)
        s.top = index;
    while (s.top < index && itemRect(hwnd, index).bottom > client.bottom)
        ++s.top;
}

// A selection made by the user: click, key or extended-selection range.
void userSelect(HWND hwnd, int index, bool toggle, bool range)
{
    ListBoxState& s = States::Of(hwnd);
    if (!s.list.Valid(index) || (style(hwnd) & LBS_NOSEL))
        return;
    if (style(hwnd) & LBS_MULTIPLESEL) {
        s.list.items[static_cast<size_t>(index)].selected ^= true;
        s.caret = index;
    } else if ((style(hwnd) & LBS_EXTENDEDSEL) && range) {
        for (int i = 0; i < s.list.Count(); ++i)
            s.list.items[static_cast<size_t>(i)].selected = i >= std::min(s.anchor, index) && i <= std::max(s.anchor, index);
        s.caret = index;
    } else if ((style(hwnd) & LBS_EXTENDEDSEL) && toggle) {
        s.list.items[static_cast<size_t>(index)].selected ^= true;
        s.caret = s.anchor = index;
    } else {
        selectOnly(hwnd, index);
    }
    ensureVisible(hwnd, index);
    changed(hwnd);
    if (style(hwnd) & LBS_NOTIFY)
        ctl::NotifyParent(hwnd, LBN_SELCHANGE);
}

void keyDown(HWND hwnd, WPARAM vk)
{
    ListBoxState& s = States::Of(hwnd);
    int from = multiple(hwnd) ? s.caret : s.current;
    int to = vk == VK_UP ? from - 1 : vk == VK_DOWN ? from + 1 : vk == VK_HOME ? 0 : vk == VK_END ? s.list.Count() - 1 : -2;
    if (vk == VK_SPACE && (style(hwnd) & LBS_MULTIPLESEL))
        userSelect(hwnd, s.caret, true, false);
    else if (to != -2)
        userSelect(hwnd, std::clamp(to, 0, s.list.Count() - 1), false, ::GetKeyState(VK_SHIFT) < 0);
}

LRESULT setSel(HWND hwnd, WPARAM select, LPARAM index)
{
    ListBoxState& s = States::Of(hwnd);
    if (!multiple(hwnd))
        return LB_ERR;
    if (index == -1) {
        for (auto& item : s.list.items)
            item.selected = select != 0;
    } else if (s.list.Valid(static_cast<int>(index))) {
        s.list.items[static_cast<size_t>(index)].selected = select != 0;
    } else {
        return LB_ERR;
    }
    changed(hwnd);
    return LB_OKAY;
}

LRESULT selectedItems(HWND hwnd, WPARAM max, LPARAM out)
{
    ListBoxState& s = States::Of(hwnd);
    if (!multiple(hwnd))
        return LB_ERR;
    auto* indexes = reinterpret_cast<int*>(out);
    LRESULT n = 0;
    for (int i = 0; i < s.list.Count() && static_cast<WPARAM>(n) < max; ++i)
        if (s.list.items[static_cast<size_t>(i)].selected)
            indexes[n++] = i;
    return n;
}

LRESULT insert(HWND hwnd, int index, LPARAM value)
{
    ListBoxState& s = States::Of(hwnd);
    bool sorted = (style(hwnd) & LBS_SORT) && index < 0;
    int at = s.list.Insert(hwnd, index, value, sorted, hasStrings(hwnd));
    if (at < 0)
        return LB_ERR;
    if (s.current >= at)
        ++s.current;
    if (style(hwnd) & LBS_OWNERDRAWVARIABLE)
        s.list.items[static_cast<size_t>(at)].height = measure(hwnd, at, s.list.items[static_cast<size_t>(at)].data);
    changed(hwnd);
    return at;
}

LRESULT remove(HWND hwnd, int index)
{
    ListBoxState& s = States::Of(hwnd);
    if (!s.list.Delete(hwnd, index))
        return LB_ERR;
    if (s.current == index)
        s.current = LB_ERR;
    else if (s.current > index)
        --s.current;
    s.top = std::min(s.top, std::max(0, s.list.Count() - 1));
    changed(hwnd);
    return s.list.Count();
}

LRESULT itemMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListBoxState& s = States::Of(hwnd);
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case LB_GETTEXT: return s.list.GetText(index, lParam, hasStrings(hwnd));
    case LB_GETTEXTLEN: return s.list.TextLength(index, hasStrings(hwnd));
    case LB_GETITEMDATA: return s.list.GetData(index);
    case LB_SETITEMDATA: return s.list.SetData(index, lParam);
    case LB_GETITEMRECT:
        if (!s.list.Valid(index) || !lParam)
            return LB_ERR;
        *reinterpret_cast<RECT*>(lParam) = itemRect(hwnd, index);
        return LB_OKAY;
    case LB_GETITEMHEIGHT: return heightOf(hwnd, index);
    case LB_SETITEMHEIGHT:
        if (style(hwnd) & LBS_OWNERDRAWVARIABLE) {
            if (!s.list.Valid(index))
                return LB_ERR;
            s.list.items[static_cast<size_t>(index)].height = LOWORD(lParam);
        } else {
            s.itemHeight = std::max<int>(1, LOWORD(lParam));
        }
        changed(hwnd);
        return LB_OKAY;
    default: return LB_ERR;
    }
}

LRESULT selectionMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListBoxState& s = States::Of(hwnd);
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case LB_SETCURSEL:
        if (multiple(hwnd))
            return LB_ERR;
        selectOnly(hwnd, index);
        if (s.list.Valid(index))
            ensureVisible(hwnd, index);
        return s.list.Valid(index) ? index : LB_ERR;
    case LB_GETCURSEL: return multiple(hwnd) ? (s.list.Valid(s.caret) ? s.caret : LB_ERR) : s.current;
    case LB_SETSEL: return setSel(hwnd, wParam, lParam);
    case LB_GETSEL: return s.list.Valid(static_cast<int>(wParam)) ? (isSelected(hwnd, static_cast<int>(wParam)) ? 1 : 0) : LB_ERR;
    case LB_GETSELCOUNT:
        if (!multiple(hwnd))
            return LB_ERR;
        return std::count_if(s.list.items.begin(), s.list.items.end(), [](const ctl::ListItem& item) { return item.selected; });
    case LB_GETSELITEMS: return selectedItems(hwnd, wParam, lParam);
    case LB_SELECTSTRING: {
        int found = s.list.Find(lParam, index, false, hasStrings(hwnd));
        if (found != LB_ERR && !multiple(hwnd))
            selectOnly(hwnd, found);
        return found;
    }
    case LB_SETCARETINDEX:
        if (!s.list.Valid(index))
            return LB_ERR;
        s.caret = index;
        changed(hwnd);
        return LB_OKAY;
    case LB_GETCARETINDEX: return s.caret;
    default: return LB_ERR;
    }
}

} // namespace

LRESULT AfxListBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ListBoxState& s = States::Of(hwnd);
    switch (message) {
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLOREDIT, [hwnd](CDC& dc, const RECT& r) { paint(hwnd, dc, r); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
        ::SetFocus(hwnd);
        userSelect(hwnd, itemAt(hwnd, GET_Y_LPARAM(lParam)), (wParam & MK_CONTROL) != 0, (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_LBUTTONDBLCLK:
        if ((style(hwnd) & LBS_NOTIFY) && itemAt(hwnd, GET_Y_LPARAM(lParam)) != LB_ERR)
            ctl::NotifyParent(hwnd, LBN_DBLCLK);
        return 0;
    case WM_KEYDOWN: keyDown(hwnd, wParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        s.focus = message == WM_SETFOCUS;
        changed(hwnd);
        if (style(hwnd) & LBS_NOTIFY)
            ctl::NotifyParent(hwnd, s.focus ? LBN_SETFOCUS : LBN_KILLFOCUS);
        return 0;
    case LB_ADDSTRING: return insert(hwnd, -1, lParam);
    case LB_INSERTSTRING: return insert(hwnd, static_cast<int>(static_cast<INT_PTR>(wParam)), lParam);
    case LB_DELETESTRING: return remove(hwnd, static_cast<int>(wParam));
    case LB_RESETCONTENT:
        s.list.Clear(hwnd);
        s.current = LB_ERR;
        s.top = s.caret = s.anchor = 0;
        changed(hwnd);
        return 0;
    case LB_GETCOUNT: return s.list.Count();
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return s.list.Find(lParam, static_cast<int>(static_cast<INT_PTR>(wParam)), message == LB_FINDSTRINGEXACT, hasStrings(hwnd));
    case LB_GETTOPINDEX: return s.top;
    case LB_SETTOPINDEX:
        if (!s.list.Valid(static_cast<int>(wParam)))
            return LB_ERR;
        s.top = static_cast<int>(wParam);
        changed(hwnd);
        return LB_OKAY;
    case LB_ITEMFROMPOINT: {
        int index = itemAt(hwnd, GET_Y_LPARAM(lParam));
        return index == LB_ERR ? MAKELONG(static_cast<WORD>(std::max(0, s.list.Count() - 1)), 1) : index;
    }
    case LB_GETTEXT:
    case LB_GETTEXTLEN:
    case LB_GETITEMDATA:
    case LB_SETITEMDATA:
    case LB_GETITEMRECT:
    case LB_GETITEMHEIGHT:
    case LB_SETITEMHEIGHT: return itemMessage(hwnd, message, wParam, lParam);
    case LB_SETCURSEL:
    case LB_GETCURSEL:
    case LB_SETSEL:
    case LB_GETSEL:
    case LB_GETSELCOUNT:
    case LB_GETSELITEMS:
    case LB_SELECTSTRING:
    case LB_SETCARETINDEX:
    case LB_GETCARETINDEX: return selectionMessage(hwnd, message, wParam, lParam);
    case WM_NCDESTROY:
        s.list.Clear(hwnd);
        States::Forget(hwnd);
        break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}
