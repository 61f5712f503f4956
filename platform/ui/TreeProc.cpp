// The tree window class: items in a hierarchy with expansion, selection, check boxes,
// images, label editing, custom draw and drag notifications.
#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/ControlKit.h"
#include "platform/ui/TreeState.h"

#include <algorithm>
#include <cstdlib>

using ctl::TreeState;

namespace {

using States = ctl::StateMap<TreeState>;

DWORD style(HWND hwnd) { return ctl::StyleOf(hwnd); }

LRESULT notifyTree(HWND hwnd, UINT code, UINT action, HTREEITEM oldItem, HTREEITEM newItem, POINT pt = {})
{
    NMTREEVIEW nm{};
    nm.action = action;
    auto fill = [](TVITEM& out, HTREEITEM item) {
        out.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_STATE;
        out.hItem = item;
        if (item) {
            out.lParam = item->data;
            out.state = item->state;
        }
    };
    fill(nm.itemOld, oldItem);
    fill(nm.itemNew, newItem);
    nm.ptDrag = pt;
    return ctl::SendNotify(hwnd, nm.hdr, code);
}

int level(const _TREEITEM* item)
{
    int n = -1;
    for (const _TREEITEM* p = item->parent; p; p = p->parent)
        ++n;
    return n;
}

int indentOf(HWND hwnd, const _TREEITEM* item)
{
    const TreeState& s = States::Of(hwnd);
    bool rootButtons = style(hwnd) & TVS_LINESATROOT;
    return (level(item) + (rootButtons ? 1 : 0)) * s.indent;
}

void invalidate(HWND hwnd) { ::InvalidateRect(hwnd, nullptr, TRUE); }

void ensureVisible(HWND hwnd, HTREEITEM item)
{
    TreeState& s = States::Of(hwnd);
    for (_TREEITEM* p = item->parent; p && p != &s.root; p = p->parent)
        p->state |= TVIS_EXPANDED;
    RECT client{};
    ::GetClientRect(hwnd, &client);
    int rows = std::max(1, static_cast<int>(client.bottom) / s.RowHeight(hwnd));
    int row = s.RowOf(item);
    if (row < s.top)
        s.top = row;
    else if (row >= s.top + rows)
        s.top = row - rows + 1;
    invalidate(hwnd);
}

// Layout of one row: button, state image, icon, label.
struct RowLayout {
    RECT row, button, stateIcon, icon, label;
};

RowLayout layout(HWND hwnd, HTREEITEM item)
{
    TreeState& s = States::Of(hwnd);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    int h = s.RowHeight(hwnd);
    int y = (s.RowOf(item) - s.top) * h;
    int x = indentOf(hwnd, item);
    RowLayout l{};
    l.row = RECT{0, y, client.right, y + h};
    l.button = RECT{x - s.indent, y, x, y + h};
    int stateWidth = (style(hwnd) & TVS_CHECKBOXES) || s.stateList ? 16 : 0;
    l.stateIcon = RECT{x, y, x + stateWidth, y + h};
    int iconWidth = 0, iconHeight = 0;
    if (s.normalList)
        ImageList_GetIconSize(s.normalList, &iconWidth, &iconHeight);
    l.icon = RECT{l.stateIcon.right, y, l.stateIcon.right + iconWidth, y + h};
    l.label = RECT{l.icon.right, y, l.icon.right + ctl::TextWidth(hwnd, item->text) + 6, y + h};
    return l;
}

void drawItem(HWND hwnd, CDC& dc, HTREEITEM item, const RowLayout& l, COLORREF text, COLORREF back)
{
    TreeState& s = States::Of(hwnd);
    if (!item->children.empty() && (style(hwnd) & TVS_HASBUTTONS) && (level(item) > 0 || (style(hwnd) & TVS_LINESATROOT))) {
        RECT box{l.button.left + 4, l.button.top + (l.button.bottom - l.button.top) / 2 - 4, 0, 0};
        box.right = box.left + 9;
        box.bottom = box.top + 9;
        dc.FillSolidRect(&box, ::GetSysColor(COLOR_WINDOW));
        dc.Draw3dRect(&box, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNSHADOW));
        dc.FillSolidRect(box.left + 2, box.top + 4, 5, 1, ::GetSysColor(COLOR_WINDOWTEXT));
        if (!(item->state & TVIS_EXPANDED))
            dc.FillSolidRect(box.left + 4, box.top + 2, 1, 5, ::GetSysColor(COLOR_WINDOWTEXT));
    }
    UINT stateImage = (item->state & TVIS_STATEIMAGEMASK) >> 12;
    if (s.stateList && stateImage)
        ImageList_Draw(s.stateList, static_cast<int>(stateImage), dc.GetSafeHdc(), l.stateIcon.left, l.stateIcon.top, 0);
    else if (style(hwnd) & TVS_CHECKBOXES) {
        RECT box{l.stateIcon.left + 2, l.stateIcon.top + 2, l.stateIcon.left + 14, l.stateIcon.top + 14};
        dc.DrawFrameControl(&box, DFC_BUTTON, DFCS_BUTTONCHECK | (stateImage == 2 ? DFCS_CHECKED : 0));
    }
    if (s.normalList) {
        bool selected = item->state & TVIS_SELECTED;
        ImageList_Draw(s.normalList, selected ? item->selectedImage : item->image, dc.GetSafeHdc(), l.icon.left, l.icon.top, 0);
    }
    RECT label = l.label;
    dc.FillSolidRect(&label, back);
    dc.SetTextColor(text);
    label.left += 3;
    dc.DrawText(item->text.c_str(), -1, &label, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

LRESULT customDraw(HWND hwnd, DWORD stage, HDC hdc, RECT rc, HTREEITEM item, NMTVCUSTOMDRAW& cd)
{
    cd.nmcd.dwDrawStage = stage;
    cd.nmcd.hdc = hdc;
    cd.nmcd.rc = rc;
    cd.nmcd.dwItemSpec = reinterpret_cast<DWORD_PTR>(item);
    cd.nmcd.uItemState = item && (item->state & TVIS_SELECTED) ? CDIS_SELECTED : 0;
    cd.nmcd.lItemlParam = item ? item->data : 0;
    cd.iLevel = item ? level(item) : 0;
    return ctl::SendNotify(hwnd, cd.nmcd.hdr, NM_CUSTOMDRAW);
}

void paint(HWND hwnd, CDC& dc, const RECT& client)
{
    TreeState& s = States::Of(hwnd);
    COLORREF background = s.background != CLR_INVALID ? s.background : ::GetSysColor(COLOR_WINDOW);
    COLORREF text = s.textColour != CLR_INVALID ? s.textColour : ::GetSysColor(COLOR_WINDOWTEXT);
    dc.FillSolidRect(&client, background);
    NMTVCUSTOMDRAW cd{};
    LRESULT whole = customDraw(hwnd, CDDS_PREPAINT, dc.GetSafeHdc(), client, nullptr, cd);
    std::vector<HTREEITEM> rows = s.VisibleItems();
    bool focus = ::GetFocus() == hwnd;
    for (size_t i = static_cast<size_t>(std::max(0, s.top)); i < rows.size(); ++i) {
        HTREEITEM item = rows[i];
        RowLayout l = layout(hwnd, item);
        if (l.row.top >= client.bottom)
            break;
        bool selected = (item->state & TVIS_SELECTED) || item == s.dropHilite;
        bool shown = selected && (focus || (style(hwnd) & TVS_SHOWSELALWAYS) || item == s.dropHilite);
        cd.clrText = shown ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : text;
        cd.clrTextBk = shown ? ::GetSysColor(COLOR_HIGHLIGHT) : background;
        LRESULT each = (whole & CDRF_NOTIFYITEMDRAW) ? customDraw(hwnd, CDDS_ITEMPREPAINT, dc.GetSafeHdc(), l.row, item, cd)
                                                     : CDRF_DODEFAULT;
        if (!(each & CDRF_SKIPDEFAULT))
            drawItem(hwnd, dc, item, l, cd.clrText, cd.clrTextBk);
        if (each & CDRF_NOTIFYPOSTPAINT)
            customDraw(hwnd, CDDS_ITEMPOSTPAINT, dc.GetSafeHdc(), l.row, item, cd);
    }
    if (whole & CDRF_NOTIFYPOSTPAINT)
        customDraw(hwnd, CDDS_POSTPAINT, dc.GetSafeHdc(), client, nullptr, cd);
}

// A WM_PAINT whose wParam is a DC paints the tree into it, for owners that draw over it.
void paintInto(HWND hwnd, HDC hdc)
{
    RECT client{};
    ::GetClientRect(hwnd, &client);
    HFONT font = ctl::FontOf(hwnd);
    HGDIOBJ oldFont = font ? ::SelectObject(hdc, font) : nullptr;
    CDC* dc = CDC::FromHandle(hdc);
    dc->SetBkMode(TRANSPARENT);
    paint(hwnd, *dc, client);
    if (oldFont)
        ::SelectObject(hdc, oldFont);
}

UINT toggleCode(HTREEITEM item) { return (item->state & TVIS_EXPANDED) ? TVE_COLLAPSE : TVE_EXPAND; }

void mouseDown(HWND hwnd, LPARAM lParam)
{
    TreeState& s = States::Of(hwnd);
    ::SetFocus(hwnd);
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    UINT flags = 0;
    HTREEITEM item = ctl::TreeHitTest(hwnd, pt, &flags);
    s.dragItem = nullptr;
    if (!item)
        return;
    if (flags & TVHT_ONITEMBUTTON) {
        ctl::TreeExpand(hwnd, item, toggleCode(item));
        return;
    }
    if ((flags & TVHT_ONITEMSTATEICON) && (style(hwnd) & TVS_CHECKBOXES)) {
        UINT checked = (item->state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        item->state = (item->state & ~TVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(checked ? 1 : 2);
        invalidate(hwnd);
    }
    NMHDR nm{};
    if (ctl::SendNotify(hwnd, nm, NM_CLICK))
        return;
    if (flags & TVHT_ONITEM) {
        ctl::TreeSelect(hwnd, item, TVGN_CARET, TVC_BYMOUSE);
        s.dragItem = item;
        s.dragStart = pt;
    }
}

void mouseMove(HWND hwnd, WPARAM keys, LPARAM lParam)
{
    TreeState& s = States::Of(hwnd);
    if (!(keys & MK_LBUTTON) || !s.dragItem || (style(hwnd) & TVS_DISABLEDRAGDROP))
        return;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (std::abs(pt.x - s.dragStart.x) < 4 && std::abs(pt.y - s.dragStart.y) < 4)
        return;
    HTREEITEM item = s.dragItem;
    s.dragItem = nullptr;
    notifyTree(hwnd, TVN_BEGINDRAG, 0, nullptr, item, s.dragStart);
}

void keyDown(HWND hwnd, WPARAM vk)
{
    TreeState& s = States::Of(hwnd);
    NMTVKEYDOWN nm{{}, static_cast<WORD>(vk), 0};
    ctl::SendNotify(hwnd, nm.hdr, TVN_KEYDOWN);
    HTREEITEM at = s.caret;
    std::vector<HTREEITEM> rows = s.VisibleItems();
    if (rows.empty())
        return;
    int row = at ? s.RowOf(at) : -1;
    HTREEITEM target = nullptr;
    switch (vk) {
    case VK_UP: target = row > 0 ? rows[static_cast<size_t>(row - 1)] : rows.front(); break;
    case VK_DOWN: target = row + 1 < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(row + 1)] : rows.back(); break;
    case VK_HOME: target = rows.front(); break;
    case VK_END: target = rows.back(); break;
    case VK_LEFT:
        if (at && (at->state & TVIS_EXPANDED) && !at->children.empty())
            ctl::TreeExpand(hwnd, at, TVE_COLLAPSE);
        else if (at && at->parent != &s.root)
            target = at->parent;
        break;
    case VK_RIGHT:
        if (at && !at->children.empty() && !(at->state & TVIS_EXPANDED))
            ctl::TreeExpand(hwnd, at, TVE_EXPAND);
        else if (at && !at->children.empty())
            target = at->children.front().get();
        break;
    case VK_F2:
        if (at && (style(hwnd) & TVS_EDITLABELS))
            ctl::TreeEditLabel(hwnd, at);
        break;
    default: break;
    }
    if (target)
        ctl::TreeSelect(hwnd, target, TVGN_CARET, TVC_BYKEYBOARD);
}

void doubleClick(HWND hwnd, LPARAM lParam)
{
    NMHDR nm{};
    if (ctl::SendNotify(hwnd, nm, NM_DBLCLK))
        return;
    UINT flags = 0;
    HTREEITEM item = ctl::TreeHitTest(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, &flags);
    if (item && (flags & TVHT_ONITEM) && !item->children.empty())
        ctl::TreeExpand(hwnd, item, toggleCode(item));
}

} // namespace

namespace ctl {

TreeState& TreeStateOf(HWND hwnd) { return States::Of(hwnd); }

HTREEITEM TreeHitTest(HWND hwnd, POINT pt, UINT* flags)
{
    TreeState& s = States::Of(hwnd);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    UINT where = pt.y < 0 ? TVHT_ABOVE : pt.y >= client.bottom ? TVHT_BELOW : 0;
    where |= pt.x < 0 ? TVHT_TOLEFT : pt.x >= client.right ? TVHT_TORIGHT : 0;
    HTREEITEM found = nullptr;
    if (!where) {
        std::vector<HTREEITEM> rows = s.VisibleItems();
        int row = s.top + pt.y / s.RowHeight(hwnd);
        if (row >= 0 && row < static_cast<int>(rows.size())) {
            found = rows[static_cast<size_t>(row)];
            RowLayout l = layout(hwnd, found);
            where = pt.x < l.button.left    ? TVHT_ONITEMINDENT
                    : pt.x < l.button.right ? TVHT_ONITEMBUTTON
                    : pt.x < l.stateIcon.right ? TVHT_ONITEMSTATEICON
                    : pt.x < l.icon.right   ? TVHT_ONITEMICON
                    : pt.x < l.label.right  ? TVHT_ONITEMLABEL
                                            : TVHT_ONITEMRIGHT;
        } else {
            where = TVHT_NOWHERE;
        }
    }
    if (flags)
        *flags = where;
    return found;
}

BOOL TreeSelect(HWND hwnd, HTREEITEM item, UINT code, UINT action)
{
    TreeState& s = States::Of(hwnd);
    if (item && !s.Valid(item))
        return FALSE;
    if (code == TVGN_DROPHILITE) {
        s.dropHilite = item;
        invalidate(hwnd);
        return TRUE;
    }
    if (code == TVGN_FIRSTVISIBLE) {
        if (item) {
            ensureVisible(hwnd, item);
            s.top = s.RowOf(item);
        }
        return TRUE;
    }
    if (item == s.caret)
        return TRUE;
    if (notifyTree(hwnd, TVN_SELCHANGING, action, s.caret, item))
        return FALSE;
    HTREEITEM old = s.caret;
    if (old)
        old->state &= ~TVIS_SELECTED;
    s.caret = item;
    if (item) {
        item->state |= TVIS_SELECTED;
        ensureVisible(hwnd, item);
    }
    invalidate(hwnd);
    notifyTree(hwnd, TVN_SELCHANGED, action, old, item);
    return TRUE;
}

BOOL TreeExpand(HWND hwnd, HTREEITEM item, UINT code)
{
    TreeState& s = States::Of(hwnd);
    if (!s.Valid(item))
        return FALSE;
    bool expand = (code & TVE_TOGGLE) == TVE_TOGGLE ? !(item->state & TVIS_EXPANDED) : (code & TVE_EXPAND) != 0;
    if (expand == ((item->state & TVIS_EXPANDED) != 0))
        return FALSE;
    UINT action = expand ? TVE_EXPAND : TVE_COLLAPSE;
    if (notifyTree(hwnd, TVN_ITEMEXPANDING, action, nullptr, item))
        return FALSE;
    if (expand)
        item->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    else
        item->state &= ~TVIS_EXPANDED;
    if (!expand && s.caret && s.caret != item && s.IsAncestor(item, s.caret))
        TreeSelect(hwnd, item, TVGN_CARET, TVC_UNKNOWN);
    s.top = std::min(s.top, std::max(0, static_cast<int>(s.VisibleItems().size()) - 1));
    invalidate(hwnd);
    notifyTree(hwnd, TVN_ITEMEXPANDED, action, nullptr, item);
    return TRUE;
}

RECT TreeItemRect(HWND hwnd, HTREEITEM item, bool textOnly)
{
    RowLayout l = layout(hwnd, item);
    return textOnly ? l.label : l.row;
}

void TreeEnsureVisible(HWND hwnd, HTREEITEM item) { ensureVisible(hwnd, item); }

void TreeNotifyDeleted(HWND hwnd, HTREEITEM item) { notifyTree(hwnd, TVN_DELETEITEM, 0, item, nullptr); }

} // namespace ctl

LRESULT AfxTreeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        if (wParam)
            paintInto(hwnd, reinterpret_cast<HDC>(wParam));
        else
            ctl::Paint(hwnd, WM_CTLCOLOREDIT, [hwnd](CDC& dc, const RECT& r) { paint(hwnd, dc, r); });
        return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN: mouseDown(hwnd, lParam); return 0;
    case WM_MOUSEMOVE: mouseMove(hwnd, wParam, lParam); return 0;
    case WM_LBUTTONUP: States::Of(hwnd).dragItem = nullptr; return 0;
    case WM_LBUTTONDBLCLK: doubleClick(hwnd, lParam); return 0;
    case WM_RBUTTONDOWN: {
        NMHDR nm{};
        ctl::SendNotify(hwnd, nm, NM_RCLICK);
        return 0;
    }
    case WM_KEYDOWN: keyDown(hwnd, wParam); return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        NMHDR nm{};
        ctl::SendNotify(hwnd, nm, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
        invalidate(hwnd);
        return 0;
    }
    case WM_NCDESTROY:
        ctl::TreeEndEdit(hwnd, true);
        States::Forget(hwnd);
        break;
    default:
        if (message >= TV_FIRST && message <= TVM_GETTEXTCOLOR)
            return ctl::TreeMessage(hwnd, message, wParam, lParam);
        break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}
