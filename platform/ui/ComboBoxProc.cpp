// The combo box window class: simple, drop-down and drop-down-list boxes over a list of
// items (sorted, with data, owner-drawn without strings); the selection field shows the
// chosen item or the typed text. The dropped list is a pop-up window below the box, worked
// with the mouse, the wheel or the keyboard; a simple box shows its list always, below its
// field in its own window.
#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"
#include "platform/ui/ItemList.h"

#include <algorithm>
#include <utility>

namespace {

constexpr UINT ODS_COMBOBOXEDIT = 0x1000;

struct ComboState {
    ctl::ItemList list{ODT_COMBOBOX};
    int current = CB_ERR;
    bool dropped = false;
    bool focus = false;
    int itemHeight = 0;
    size_t limit = 30000;
    int dropHeight = 0; // the height asked for: field and dropped list together
    HWND listWnd = nullptr;
    int top = 0; // first item shown in the dropped list
    int hot = CB_ERR; // item under the pointer in the dropped list
};
using States = ctl::StateMap<ComboState>;

constexpr int kListRows = 8; // rows of a dropped list whose box was given no height for it

DWORD kind(HWND hwnd) { return ctl::StyleOf(hwnd) & 0x3; }
bool ownerDrawn(HWND hwnd) { return (ctl::StyleOf(hwnd) & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) != 0; }
bool hasStrings(HWND hwnd) { return !ownerDrawn(hwnd) || (ctl::StyleOf(hwnd) & CBS_HASSTRINGS); }
bool editable(HWND hwnd) { return kind(hwnd) != CBS_DROPDOWNLIST; }

int itemHeight(HWND hwnd)
{
    ComboState& s = States::Of(hwnd);
    if (!s.itemHeight) {
        MEASUREITEMSTRUCT mis{ODT_COMBOBOX, ctl::IdOf(hwnd), 0, 0, static_cast<UINT>(ctl::LineHeight(hwnd)), 0};
        if (ownerDrawn(hwnd) && ::GetParent(hwnd))
            ::SendMessage(::GetParent(hwnd), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
        s.itemHeight = std::max<int>(1, static_cast<int>(mis.itemHeight));
    }
    return s.itemHeight;
}

void select(HWND hwnd, int index)
{
    ComboState& s = States::Of(hwnd);
    s.current = s.list.Valid(index) ? index : CB_ERR;
    std::string text = s.current == CB_ERR || !hasStrings(hwnd) ? "" : s.list.items[static_cast<size_t>(s.current)].text;
    ctl::StoreText(hwnd, text);
}

void userSelect(HWND hwnd, int index)
{
    ComboState& s = States::Of(hwnd);
    if (!s.list.Valid(index) || index == s.current)
        return;
    select(hwnd, index);
    ctl::NotifyParent(hwnd, CBN_SELCHANGE);
}

int fieldHeight(HWND hwnd) { return ctl::LineHeight(hwnd) + 8; }

int simpleFieldBottom(HWND hwnd) { return itemHeight(hwnd) + 6; }

// The rows of a simple box's list, inside its frame.
RECT simpleListRows(HWND hwnd)
{
    RECT r{};
    ::GetClientRect(hwnd, &r);
    r.top = std::min<LONG>(r.bottom, simpleFieldBottom(hwnd) + 2);
    ::InflateRect(&r, -1, -1);
    return r;
}

// The window that shows the list: the dropped pop-up, or a simple box itself.
HWND listShownIn(HWND hwnd)
{
    ComboState& s = States::Of(hwnd);
    return s.listWnd ? s.listWnd : kind(hwnd) == CBS_SIMPLE ? hwnd : nullptr;
}

int visibleRows(HWND hwnd)
{
    RECT rows{};
    if (HWND dropped = States::Of(hwnd).listWnd)
        ::GetClientRect(dropped, &rows);
    else
        rows = simpleListRows(hwnd);
    return std::max(1, static_cast<int>(rows.bottom - rows.top) / itemHeight(hwnd));
}

// The first item shown keeps the chosen one in view.
void scrollListTo(HWND hwnd, int index)
{
    ComboState& s = States::Of(hwnd);
    HWND shownIn = listShownIn(hwnd);
    if (!shownIn || !s.list.Valid(index))
        return;
    const int rows = visibleRows(hwnd);
    s.top = std::clamp(s.top, std::max(0, index - rows + 1), index);
    ::InvalidateRect(shownIn, nullptr, TRUE);
}

// Below the box, or above it where the screen ends; as many rows as the box's dropped height
// holds, never more than there are items.
RECT listRect(HWND hwnd)
{
    ComboState& s = States::Of(hwnd);
    RECT box{};
    ::GetWindowRect(hwnd, &box);
    int room = s.dropHeight - (box.bottom - box.top);
    int rows = room >= itemHeight(hwnd) ? room / itemHeight(hwnd) : kListRows;
    int height = std::clamp(rows, 1, std::max(1, s.list.Count())) * itemHeight(hwnd) + 2;
    int top = box.bottom + height > ::GetSystemMetrics(SM_CYSCREEN) ? box.top - height : box.bottom;
    return RECT{box.left, std::max(0, top), box.right, std::max(0, top) + height};
}

void openList(HWND hwnd)
{
    ComboState& s = States::Of(hwnd);
    RECT r = listRect(hwnd);
    s.hot = s.current;
    s.top = 0;
    // The list never takes activation: a click on it would move the focus off the box and close it.
    s.listWnd = ::CreateWindowEx(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kComboListClass, "", WS_POPUP | WS_BORDER, r.left, r.top,
                                 r.right - r.left, r.bottom - r.top, hwnd, nullptr, nullptr, nullptr);
    if (!s.listWnd)
        return;
    ::SetWindowLongPtr(s.listWnd, GWL_USERDATA, reinterpret_cast<LONG_PTR>(hwnd));
    ::SendMessage(s.listWnd, WM_SETFONT, reinterpret_cast<WPARAM>(ctl::FontOf(hwnd)), FALSE);
    scrollListTo(hwnd, s.current);
    ::ShowWindow(s.listWnd, SW_SHOWNA);
    ::SetCapture(s.listWnd);
}

void closeList(HWND hwnd)
{
    ComboState& s = States::Of(hwnd);
    HWND list = std::exchange(s.listWnd, nullptr);
    if (!list)
        return;
    if (::GetCapture() == list)
        ::ReleaseCapture();
    ::DestroyWindow(list);
}

void showDrop(HWND hwnd, bool show)
{
    ComboState& s = States::Of(hwnd);
    if (s.dropped == show || kind(hwnd) == CBS_SIMPLE)
        return;
    if (show)
        ctl::NotifyParent(hwnd, CBN_DROPDOWN);
    s.dropped = show;
    ::InvalidateRect(hwnd, nullptr, TRUE);
    if (show) {
        openList(hwnd);
        return;
    }
    closeList(hwnd);
    ctl::NotifyParent(hwnd, CBN_SELENDOK);
    ctl::NotifyParent(hwnd, CBN_CLOSEUP);
}

void drawListItem(HWND hwnd, CDC& dc, int index, RECT rect);

void drawRows(HWND hwnd, CDC& dc, const RECT& rows)
{
    ComboState& s = States::Of(hwnd);
    dc.FillSolidRect(&rows, ::GetSysColor(COLOR_WINDOW));
    const int height = itemHeight(hwnd);
    for (int i = s.top, y = rows.top; i < s.list.Count() && y < rows.bottom; ++i, y += height)
        drawListItem(hwnd, dc, i, RECT{rows.left, y, rows.right, std::min<LONG>(y + height, rows.bottom)});
}

// The always-open list of a simple box, its chosen item marked.
void paintSimpleList(HWND hwnd, CDC& dc, const RECT& client)
{
    RECT gap{client.left, simpleFieldBottom(hwnd), client.right, client.bottom};
    dc.FillSolidRect(&gap, ::GetSysColor(COLOR_BTNFACE));
    RECT rows = simpleListRows(hwnd);
    if (rows.bottom <= rows.top)
        return;
    RECT frame = rows;
    ::InflateRect(&frame, 1, 1);
    CBrush border(::GetSysColor(COLOR_WINDOWFRAME));
    dc.FrameRect(&frame, &border);
    ComboState& s = States::Of(hwnd);
    s.hot = s.current;
    drawRows(hwnd, dc, rows);
}

void paint(HWND hwnd, CDC& dc, RECT client)
{
    ComboState& s = States::Of(hwnd);
    if (kind(hwnd) == CBS_SIMPLE)
        paintSimpleList(hwnd, dc, client);
    RECT field{client.left, client.top, client.right, client.top + std::min<LONG>(client.bottom - client.top, itemHeight(hwnd) + 6)};
    RECT button = field;
    if (kind(hwnd) != CBS_SIMPLE) {
        button.left = std::max(field.left, field.right - ::GetSystemMetrics(SM_CXVSCROLL));
        field.right = button.left;
        dc.DrawFrameControl(&button, DFC_SCROLL, DFCS_SCROLLDOWN | (s.dropped ? DFCS_PUSHED : 0));
    }
    dc.FillSolidRect(&field, ::GetSysColor(COLOR_WINDOW));
    ::InflateRect(&field, -2, -2);
    bool highlight = s.focus && !editable(hwnd);
    if (ownerDrawn(hwnd)) {
        UINT state = ODS_COMBOBOXEDIT | (highlight ? ODS_SELECTED | ODS_FOCUS : 0);
        ULONG_PTR data = s.list.Valid(s.current) ? s.list.items[static_cast<size_t>(s.current)].data : 0;
        DRAWITEMSTRUCT dis{ODT_COMBOBOX, ctl::IdOf(hwnd), static_cast<UINT>(s.current), ODA_DRAWENTIRE, state, hwnd,
                           dc.GetSafeHdc(), field, data};
        ::SendMessage(::GetParent(hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    if (highlight)
        dc.FillSolidRect(&field, ::GetSysColor(COLOR_HIGHLIGHT));
    dc.SetTextColor(::GetSysColor(highlight ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.DrawText(ctl::TextOf(hwnd).c_str(), -1, &field, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void typed(HWND hwnd, WPARAM ch)
{
    ComboState& s = States::Of(hwnd);
    if (!editable(hwnd)) {
        int found = s.list.Find(reinterpret_cast<LPARAM>(std::string(1, static_cast<char>(ch)).c_str()), s.current, false,
                                hasStrings(hwnd));
        userSelect(hwnd, found);
        return;
    }
    std::string text = ctl::TextOf(hwnd);
    if (ch == VK_BACK && !text.empty())
        text.pop_back();
    else if (ch >= 0x20 && text.size() < s.limit)
        text.push_back(static_cast<char>(ch));
    else
        return;
    ctl::StoreText(hwnd, text);
    s.current = CB_ERR;
    ctl::NotifyParent(hwnd, CBN_EDITUPDATE);
    ctl::NotifyParent(hwnd, CBN_EDITCHANGE);
}

void keyDown(HWND hwnd, WPARAM vk)
{
    ComboState& s = States::Of(hwnd);
    if (vk == VK_F4 || ((vk == VK_DOWN || vk == VK_UP) && ::GetKeyState(VK_MENU) < 0)) {
        showDrop(hwnd, !s.dropped);
        return;
    }
    if (vk == VK_RETURN || vk == VK_ESCAPE) {
        showDrop(hwnd, false);
        return;
    }
    int to = vk == VK_UP ? s.current - 1 : vk == VK_DOWN ? s.current + 1 : vk == VK_HOME ? 0 : vk == VK_END ? s.list.Count() - 1 : -2;
    if (to != -2 && s.list.Count() > 0) {
        userSelect(hwnd, std::clamp(to, 0, s.list.Count() - 1));
        s.hot = s.current;
        scrollListTo(hwnd, s.current);
    }
}

LRESULT insert(HWND hwnd, int index, LPARAM value)
{
    ComboState& s = States::Of(hwnd);
    int at = s.list.Insert(hwnd, index, value, (ctl::StyleOf(hwnd) & CBS_SORT) && index < 0, hasStrings(hwnd));
    if (at >= 0 && s.current >= at)
        ++s.current;
    if (kind(hwnd) == CBS_SIMPLE)
        ::InvalidateRect(hwnd, nullptr, TRUE);
    return at;
}

LRESULT remove(HWND hwnd, int index)
{
    ComboState& s = States::Of(hwnd);
    if (!s.list.Delete(hwnd, index))
        return CB_ERR;
    if (s.current == index)
        select(hwnd, CB_ERR);
    else if (s.current > index)
        --s.current;
    return s.list.Count();
}

LRESULT itemMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ComboState& s = States::Of(hwnd);
    int index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case CB_GETLBTEXT: return s.list.GetText(index, lParam, hasStrings(hwnd));
    case CB_GETLBTEXTLEN: return s.list.TextLength(index, hasStrings(hwnd));
    case CB_GETITEMDATA: return s.list.GetData(index);
    case CB_SETITEMDATA: return s.list.SetData(index, lParam);
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT: return s.list.Find(lParam, index, message == CB_FINDSTRINGEXACT, hasStrings(hwnd));
    case CB_SELECTSTRING: {
        int found = s.list.Find(lParam, index, false, hasStrings(hwnd));
        if (found != CB_ERR)
            select(hwnd, found);
        return found;
    }
    case CB_GETITEMHEIGHT: return itemHeight(hwnd);
    case CB_SETITEMHEIGHT:
        s.itemHeight = std::max<int>(1, LOWORD(lParam));
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return CB_OKAY;
    default: return CB_ERR;
    }
}

// The window is as tall as its selection field; the template's height is that of the list.
void fitField(HWND hwnd)
{
    if (kind(hwnd) == CBS_SIMPLE)
        return;
    RECT r{};
    ::GetWindowRect(hwnd, &r);
    ::SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, fieldHeight(hwnd), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Any other height given to a drop-down box is the height of its dropped state.
void keepField(HWND hwnd, WINDOWPOS* pos)
{
    if (kind(hwnd) == CBS_SIMPLE || (pos->flags & SWP_NOSIZE) || pos->cy == fieldHeight(hwnd))
        return;
    States::Of(hwnd).dropHeight = pos->cy;
    pos->cy = fieldHeight(hwnd);
}

LRESULT droppedRect(HWND hwnd, RECT* rect)
{
    if (!rect)
        return 0;
    ::GetWindowRect(hwnd, rect);
    rect->bottom = rect->top + std::max<LONG>(States::Of(hwnd).dropHeight, rect->bottom - rect->top);
    return TRUE;
}

HWND comboOfList(HWND list) { return reinterpret_cast<HWND>(::GetWindowLongPtr(list, GWL_USERDATA)); }

void drawListItem(HWND hwnd, CDC& dc, int index, RECT rect)
{
    ComboState& s = States::Of(hwnd);
    const bool hot = index == s.hot;
    if (ownerDrawn(hwnd)) {
        DRAWITEMSTRUCT dis{ODT_COMBOBOX, ctl::IdOf(hwnd), static_cast<UINT>(index), ODA_DRAWENTIRE,
                           hot ? ODS_SELECTED | ODS_FOCUS : 0u, hwnd, dc.GetSafeHdc(), rect,
                           s.list.items[static_cast<size_t>(index)].data};
        ::SendMessage(::GetParent(hwnd), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
        return;
    }
    dc.FillSolidRect(&rect, ::GetSysColor(hot ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    dc.SetTextColor(::GetSysColor(hot ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    rect.left += 2;
    const std::string& text = hasStrings(hwnd) ? s.list.items[static_cast<size_t>(index)].text : std::string();
    dc.DrawText(text.c_str(), -1, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void paintList(HWND list, CDC& dc, const RECT& client) { drawRows(comboOfList(list), dc, client); }

// The item under a point of the list's client area; CB_ERR outside the list.
int listItemAt(HWND list, POINT pt)
{
    HWND hwnd = comboOfList(list);
    ComboState& s = States::Of(hwnd);
    RECT client{};
    ::GetClientRect(list, &client);
    if (!::PtInRect(&client, pt))
        return CB_ERR;
    int index = s.top + static_cast<int>(pt.y - client.top) / itemHeight(hwnd);
    return s.list.Valid(index) ? index : CB_ERR;
}

void trackList(HWND list, POINT pt)
{
    HWND hwnd = comboOfList(list);
    ComboState& s = States::Of(hwnd);
    int index = listItemAt(list, pt);
    if (index == CB_ERR || index == s.hot)
        return;
    s.hot = index;
    ::InvalidateRect(list, nullptr, TRUE);
}

// A press outside the list closes it as it was; a release on an item chooses that item.
void listMouse(HWND list, UINT message, POINT pt)
{
    HWND hwnd = comboOfList(list);
    int index = listItemAt(list, pt);
    if (message == WM_LBUTTONDOWN && index == CB_ERR) {
        RECT client{};
        ::GetClientRect(list, &client);
        if (!::PtInRect(&client, pt))
            showDrop(hwnd, false);
        return;
    }
    if (message != WM_LBUTTONUP || index == CB_ERR)
        return;
    userSelect(hwnd, index);
    showDrop(hwnd, false);
}

void scrollList(HWND hwnd, int notches)
{
    ComboState& s = States::Of(hwnd);
    HWND shownIn = listShownIn(hwnd);
    if (!shownIn)
        return;
    s.top = std::clamp(s.top - notches * 3, 0, std::max(0, s.list.Count() - visibleRows(hwnd)));
    ::InvalidateRect(shownIn, nullptr, TRUE);
}

// A press on a row of a simple box's list chooses that item.
void pressSimpleList(HWND hwnd, POINT pt)
{
    const RECT rows = simpleListRows(hwnd);
    if (!::PtInRect(&rows, pt))
        return;
    ComboState& s = States::Of(hwnd);
    userSelect(hwnd, s.top + static_cast<int>(pt.y - rows.top) / itemHeight(hwnd));
    scrollListTo(hwnd, s.current);
}

} // namespace

// The dropped list of a combo box; it belongs to the box named in its user data.
LRESULT AfxComboListProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const POINT pt{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))};
    switch (message) {
    case WM_PAINT:
        ctl::Paint(hwnd, WM_CTLCOLOREDIT, [hwnd](CDC& dc, const RECT& r) { paintList(hwnd, dc, r); });
        return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_MOUSEMOVE: trackList(hwnd, pt); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: listMouse(hwnd, message, pt); return 0;
    case WM_MOUSEWHEEL: scrollList(comboOfList(hwnd), static_cast<SHORT>(HIWORD(wParam)) / WHEEL_DELTA); return 0;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}

LRESULT AfxComboBoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ComboState& s = States::Of(hwnd);
    switch (message) {
    case WM_NCCREATE:
        // Scroll styles in a template are meant for the drop list; the box itself never scrolls.
        ::SetWindowLong(hwnd, GWL_STYLE, static_cast<LONG>(ctl::StyleOf(hwnd) & ~(WS_VSCROLL | WS_HSCROLL)));
        break;
    case WM_CREATE:
        s.dropHeight = reinterpret_cast<LPCREATESTRUCT>(lParam)->cy;
        fitField(hwnd);
        break;
    case WM_WINDOWPOSCHANGING: keepField(hwnd, reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case CB_GETDROPPEDCONTROLRECT: return droppedRect(hwnd, reinterpret_cast<RECT*>(lParam));
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLOREDIT, [hwnd](CDC& dc, const RECT& r) { paint(hwnd, dc, r); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS | (s.dropped ? DLGC_WANTALLKEYS : 0);
    case WM_LBUTTONDOWN:
        ::SetFocus(hwnd);
        if (kind(hwnd) == CBS_SIMPLE)
            pressSimpleList(hwnd, POINT{static_cast<SHORT>(LOWORD(lParam)), static_cast<SHORT>(HIWORD(lParam))});
        else
            showDrop(hwnd, !s.dropped);
        return 0;
    case WM_CHAR: typed(hwnd, wParam); return 0;
    case WM_MOUSEWHEEL:
        if (s.listWnd)
            return ::SendMessage(s.listWnd, message, wParam, lParam);
        if (kind(hwnd) == CBS_SIMPLE) {
            scrollList(hwnd, static_cast<SHORT>(HIWORD(wParam)) / WHEEL_DELTA);
            return 0;
        }
        break;
    case WM_KEYDOWN: keyDown(hwnd, wParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        s.focus = message == WM_SETFOCUS;
        if (!s.focus)
            showDrop(hwnd, false);
        ::InvalidateRect(hwnd, nullptr, TRUE);
        ctl::NotifyParent(hwnd, s.focus ? CBN_SETFOCUS : CBN_KILLFOCUS);
        return 0;
    case WM_SETTEXT:
        if (!editable(hwnd)) {
            int found = s.list.Find(lParam, -1, true, hasStrings(hwnd));
            if (found == CB_ERR)
                return CB_ERR;
            select(hwnd, found);
            return TRUE;
        }
        break;
    case CB_ADDSTRING: return insert(hwnd, -1, lParam);
    case CB_INSERTSTRING: return insert(hwnd, static_cast<int>(static_cast<INT_PTR>(wParam)), lParam);
    case CB_DELETESTRING: return remove(hwnd, static_cast<int>(wParam));
    case CB_RESETCONTENT:
        s.list.Clear(hwnd);
        s.top = 0;
        select(hwnd, CB_ERR);
        return CB_OKAY;
    case CB_GETCOUNT: return s.list.Count();
    case CB_SETCURSEL:
        select(hwnd, static_cast<int>(static_cast<INT_PTR>(wParam)));
        scrollListTo(hwnd, s.current);
        return s.current;
    case CB_GETCURSEL: return s.current;
    case CB_SHOWDROPDOWN: showDrop(hwnd, wParam != 0); return TRUE;
    case CB_GETDROPPEDSTATE: return s.dropped;
    case CB_LIMITTEXT: s.limit = wParam ? static_cast<size_t>(wParam) : 0x7FFFFFFE; return TRUE;
    case CB_GETLBTEXT:
    case CB_GETLBTEXTLEN:
    case CB_GETITEMDATA:
    case CB_SETITEMDATA:
    case CB_FINDSTRING:
    case CB_FINDSTRINGEXACT:
    case CB_SELECTSTRING:
    case CB_GETITEMHEIGHT:
    case CB_SETITEMHEIGHT: return itemMessage(hwnd, message, wParam, lParam);
    case WM_SETFONT:
        ctl::HandleFontMessage(hwnd, message, wParam);
        fitField(hwnd);
        return 0;
    case WM_NCDESTROY:
        closeList(hwnd);
        s.list.Clear(hwnd);
        States::Forget(hwnd);
        break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}
