#include "platform/ui/TreeCtrl.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/ImageList.h"
#include "platform/ui/ControlKit.h"
#include "platform/ui/TreeState.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

IMPLEMENT_DYNAMIC(CTreeCtrl, CWnd)

using ctl::TreeState;

namespace ctl {

namespace {

LRESULT treeObjectMessage(CTreeCtrl& tree, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto item = reinterpret_cast<HTREEITEM>(lParam);
    switch (message) {
    case TVM_DELETEITEM: return tree.DeleteItem(item);
    case TVM_GETCOUNT: return tree.GetCount();
    case TVM_GETNEXTITEM: return reinterpret_cast<LRESULT>(tree.GetNextItem(item, static_cast<UINT>(wParam)));
    case TVM_EXPAND: return tree.Expand(item, static_cast<UINT>(wParam));
    case TVM_ENSUREVISIBLE: return tree.EnsureVisible(item);
    case TVM_SELECTITEM: return tree.Select(item, static_cast<UINT>(wParam));
    case TVM_EDITLABEL: {
        CEdit* edit = tree.EditLabel(item);
        return reinterpret_cast<LRESULT>(edit ? edit->m_hWnd : nullptr);
    }
    case TVM_GETEDITCONTROL: {
        CEdit* edit = tree.GetEditControl();
        return reinterpret_cast<LRESULT>(edit ? edit->m_hWnd : nullptr);
    }
    default: return 0;
    }
}

LRESULT imageListMessage(HWND hwnd, UINT message, WPARAM which, LPARAM list)
{
    TreeState& s = TreeStateOf(hwnd);
    bool forState = static_cast<int>(which) == TVSIL_STATE;
    HIMAGELIST& slot = forState ? s.stateList : s.normalList;
    HIMAGELIST old = slot;
    if (message == TVM_SETIMAGELIST) {
        slot = reinterpret_cast<HIMAGELIST>(list);
        (forState ? s.stateObject : s.normalObject) = nullptr;
        ::InvalidateRect(hwnd, nullptr, TRUE);
    }
    return reinterpret_cast<LRESULT>(old);
}

LRESULT colourMessage(HWND hwnd, UINT message, LPARAM colour)
{
    TreeState& s = TreeStateOf(hwnd);
    COLORREF& slot = message == TVM_SETBKCOLOR || message == TVM_GETBKCOLOR ? s.background : s.textColour;
    COLORREF old = slot;
    if (message == TVM_SETBKCOLOR || message == TVM_SETTEXTCOLOR) {
        slot = static_cast<COLORREF>(colour);
        ::InvalidateRect(hwnd, nullptr, TRUE);
    }
    return static_cast<LRESULT>(static_cast<LONG>(old));
}

} // namespace

LRESULT TreeMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == TVM_SETIMAGELIST || message == TVM_GETIMAGELIST)
        return imageListMessage(hwnd, message, wParam, lParam);
    if (message >= TVM_SETBKCOLOR && message <= TVM_GETTEXTCOLOR)
        return colourMessage(hwnd, message, lParam);
    if (auto* tree = dynamic_cast<CTreeCtrl*>(CWnd::FromHandlePermanent(hwnd)))
        return treeObjectMessage(*tree, message, wParam, lParam);
    CTreeCtrl temporary;
    if (!temporary.Attach(hwnd))
        return 0;
    LRESULT result = treeObjectMessage(temporary, message, wParam, lParam);
    temporary.Detach();
    return result;
}

_TREEITEM* TreeState::ParentFor(HTREEITEM item)
{
    if (!item || item == TVI_ROOT)
        return &root;
    return Valid(item) ? item : nullptr;
}

bool TreeState::IsAncestor(const _TREEITEM* ancestor, const _TREEITEM* item) const
{
    for (const _TREEITEM* p = item ? item->parent : nullptr; p; p = p->parent)
        if (p == ancestor)
            return true;
    return false;
}

std::vector<HTREEITEM> TreeState::VisibleItems()
{
    std::vector<HTREEITEM> rows;
    std::vector<_TREEITEM*> pending;
    for (auto it = root.children.rbegin(); it != root.children.rend(); ++it)
        pending.push_back(it->get());
    while (!pending.empty()) {
        _TREEITEM* item = pending.back();
        pending.pop_back();
        rows.push_back(item);
        if (item->state & TVIS_EXPANDED)
            for (auto it = item->children.rbegin(); it != item->children.rend(); ++it)
                pending.push_back(it->get());
    }
    return rows;
}

int TreeState::RowOf(HTREEITEM item)
{
    std::vector<HTREEITEM> rows = VisibleItems();
    auto it = std::find(rows.begin(), rows.end(), item);
    return it == rows.end() ? -1 : static_cast<int>(it - rows.begin());
}

int TreeState::RowHeight(HWND hwnd) const
{
    if (itemHeight > 0)
        return itemHeight;
    int icon = 0, unused = 0;
    if (normalList)
        ImageList_GetIconSize(normalList, &unused, &icon);
    return std::max({16, icon, ctl::LineHeight(hwnd) + 2});
}

namespace {

// Ends label editing on Enter, Esc or losing the focus; in a dialog it keeps those keys.
LRESULT editProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND tree = ::GetParent(hwnd);
    switch (message) {
    case WM_GETDLGCODE: return DLGC_WANTALLKEYS | AfxEditProc(hwnd, message, wParam, lParam);
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            TreeEndEdit(tree, wParam == VK_ESCAPE);
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 0x1B)
            return 0;
        break;
    case WM_KILLFOCUS:
        AfxEditProc(hwnd, message, wParam, lParam);
        TreeEndEdit(tree, false);
        return 0;
    default: break;
    }
    return AfxEditProc(hwnd, message, wParam, lParam);
}

LRESULT sendDispInfo(HWND hwnd, UINT code, HTREEITEM item, LPSTR text)
{
    NMTVDISPINFO info{};
    info.item.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    info.item.hItem = item;
    info.item.pszText = text;
    info.item.cchTextMax = text ? static_cast<int>(strlen(text)) + 1 : 0;
    info.item.lParam = item->data;
    info.item.state = item->state;
    return ctl::SendNotify(hwnd, info.hdr, code);
}

} // namespace

CEdit* TreeEditLabel(HWND hwnd, HTREEITEM item)
{
    TreeState& s = TreeStateOf(hwnd);
    if (!s.Valid(item))
        return nullptr;
    TreeEndEdit(hwnd, true);
    TreeSelect(hwnd, item, TVGN_CARET, TVC_UNKNOWN);
    std::string text = item->text;
    if (sendDispInfo(hwnd, TVN_BEGINLABELEDIT, item, text.data()))
        return nullptr;
    AfxRegisterControlClasses();
    RECT r = TreeItemRect(hwnd, item, true);
    r.right = std::max(r.right + 40, r.left + 80);
    HWND edit = ::CreateWindowEx(0, WC_EDIT, item->text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                                 r.left, r.top, r.right - r.left, r.bottom - r.top, hwnd, nullptr, nullptr, nullptr);
    if (!edit)
        return nullptr;
    ::SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(hwnd)), FALSE);
    ::SetWindowLongPtr(edit, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&editProc));
    s.editing = item;
    s.edit = std::make_unique<CEdit>();
    s.edit->Attach(edit);
    ::SetFocus(edit);
    ::SendMessage(edit, EM_SETSEL, 0, -1);
    return s.edit.get();
}

void TreeEndEdit(HWND hwnd, bool cancel)
{
    TreeState& s = TreeStateOf(hwnd);
    if (!s.edit || !s.editing)
        return;
    HTREEITEM item = s.editing;
    s.editing = nullptr;
    std::unique_ptr<CEdit> edit = std::move(s.edit);
    CString text;
    edit->GetWindowText(text);
    std::string buffer = text.GetString();
    bool accepted = sendDispInfo(hwnd, TVN_ENDLABELEDIT, item, cancel ? nullptr : buffer.data()) != 0;
    if (accepted && !cancel && TreeStateOf(hwnd).Valid(item))
        item->text = buffer;
    HWND h = edit->Detach();
    bool hadFocus = ::GetFocus() == h;
    ::DestroyWindow(h);
    if (hadFocus)
        ::SetFocus(hwnd);
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

} // namespace ctl

namespace {

TreeState& state(const CTreeCtrl* tree) { return ctl::TreeStateOf(tree->m_hWnd); }

void forgetSubtree(HWND hwnd, TreeState& s, _TREEITEM* item)
{
    for (auto& child : item->children)
        forgetSubtree(hwnd, s, child.get());
    ctl::TreeNotifyDeleted(hwnd, item);
    s.live.erase(item);
    if (s.caret == item)
        s.caret = nullptr;
    if (s.dropHilite == item)
        s.dropHilite = nullptr;
    if (s.dragItem == item)
        s.dragItem = nullptr;
    if (s.editing == item)
        ctl::TreeEndEdit(hwnd, true);
}

size_t insertPosition(const _TREEITEM* parent, HTREEITEM after, const std::string& text)
{
    const auto& kids = parent->children;
    if (after == TVI_FIRST)
        return 0;
    if (after == TVI_SORT) {
        size_t i = 0;
        while (i < kids.size() && strcasecmp(kids[i]->text.c_str(), text.c_str()) <= 0)
            ++i;
        return i;
    }
    for (size_t i = 0; i < kids.size(); ++i)
        if (kids[i].get() == after)
            return i + 1;
    return kids.size();
}

} // namespace

CTreeCtrl::~CTreeCtrl()
{
    if (m_hWnd)
        DestroyWindow();
}

BOOL CTreeCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(WC_TREEVIEW, "", style, rect, parent, id);
}

HTREEITEM CTreeCtrl::InsertItem(const TVINSERTSTRUCT* insert)
{
    TreeState& s = state(this);
    _TREEITEM* parent = insert ? s.ParentFor(insert->hParent) : nullptr;
    if (!parent)
        return nullptr;
    auto item = std::make_unique<_TREEITEM>();
    const TVITEM& in = insert->item;
    if ((in.mask & TVIF_TEXT) && in.pszText)
        item->text = in.pszText;
    if (in.mask & TVIF_IMAGE)
        item->image = in.iImage;
    if (in.mask & TVIF_SELECTEDIMAGE)
        item->selectedImage = in.iSelectedImage;
    if (in.mask & TVIF_PARAM)
        item->data = in.lParam;
    if (in.mask & TVIF_STATE)
        item->state = (in.state & in.stateMask) & ~TVIS_SELECTED;
    if ((GetStyle() & TVS_CHECKBOXES) && !(item->state & TVIS_STATEIMAGEMASK))
        item->state |= INDEXTOSTATEIMAGEMASK(1);
    item->parent = parent;
    HTREEITEM handle = item.get();
    size_t at = insertPosition(parent, insert->hInsertAfter, item->text);
    parent->children.insert(parent->children.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    s.live.insert(handle);
    Invalidate();
    return handle;
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, int image, int selectedImage, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCT insert{parent, after, {}};
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPSTR>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return InsertItem(&insert);
}

HTREEITEM CTreeCtrl::InsertItem(LPCTSTR text, HTREEITEM parent, HTREEITEM after)
{
    TVINSERTSTRUCT insert{parent, after, {}};
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPSTR>(text);
    return InsertItem(&insert);
}

BOOL CTreeCtrl::DeleteItem(HTREEITEM item)
{
    TreeState& s = state(this);
    if (item == TVI_ROOT || !item)
        return DeleteAllItems();
    if (!s.Valid(item))
        return FALSE;
    forgetSubtree(m_hWnd, s, item);
    auto& siblings = item->parent->children;
    siblings.erase(std::find_if(siblings.begin(), siblings.end(), [item](const auto& p) { return p.get() == item; }));
    s.top = std::min(s.top, std::max(0, static_cast<int>(s.VisibleItems().size()) - 1));
    Invalidate();
    return TRUE;
}

BOOL CTreeCtrl::DeleteAllItems()
{
    TreeState& s = state(this);
    while (!s.root.children.empty())
        DeleteItem(s.root.children.back().get());
    s.top = 0;
    return TRUE;
}

UINT CTreeCtrl::GetCount() const { return static_cast<UINT>(state(this).live.size()); }

UINT CTreeCtrl::GetVisibleCount() const
{
    CRect client;
    GetClientRect(&client);
    return static_cast<UINT>(client.Height() / state(this).RowHeight(m_hWnd));
}

HTREEITEM CTreeCtrl::GetNextItem(HTREEITEM item, UINT code) const
{
    TreeState& s = state(this);
    if (code == TVGN_ROOT)
        return s.root.children.empty() ? nullptr : s.root.children.front().get();
    if (code == TVGN_CARET)
        return s.caret;
    if (code == TVGN_DROPHILITE)
        return s.dropHilite;
    std::vector<HTREEITEM> rows = s.VisibleItems();
    if (code == TVGN_FIRSTVISIBLE)
        return s.top < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(s.top)] : nullptr;
    if (code == TVGN_LASTVISIBLE)
        return rows.empty() ? nullptr : rows.back();
    if (code == TVGN_CHILD && (item == TVI_ROOT || !item))
        return GetRootItem();
    if (!s.Valid(item))
        return nullptr;
    if (code == TVGN_CHILD)
        return item->children.empty() ? nullptr : item->children.front().get();
    if (code == TVGN_PARENT)
        return item->parent == &s.root ? nullptr : item->parent;
    if (code == TVGN_NEXTVISIBLE || code == TVGN_PREVIOUSVISIBLE) {
        int row = s.RowOf(item) + (code == TVGN_NEXTVISIBLE ? 1 : -1);
        return s.RowOf(item) >= 0 && row >= 0 && row < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(row)] : nullptr;
    }
    const auto& siblings = item->parent->children;
    auto it = std::find_if(siblings.begin(), siblings.end(), [item](const auto& p) { return p.get() == item; });
    if (code == TVGN_NEXT)
        return it + 1 == siblings.end() ? nullptr : (it + 1)->get();
    if (code == TVGN_PREVIOUS)
        return it == siblings.begin() ? nullptr : (it - 1)->get();
    return nullptr;
}

BOOL CTreeCtrl::Select(HTREEITEM item, UINT code) { return ctl::TreeSelect(m_hWnd, item, code, TVC_UNKNOWN); }

BOOL CTreeCtrl::GetItem(TVITEM* out) const
{
    TreeState& s = state(this);
    if (!out || !s.Valid(out->hItem))
        return FALSE;
    const _TREEITEM* item = out->hItem;
    if ((out->mask & TVIF_TEXT) && out->pszText && out->cchTextMax > 0)
        ctl::CopyOut(item->text, reinterpret_cast<LPARAM>(out->pszText), static_cast<size_t>(out->cchTextMax));
    if (out->mask & TVIF_IMAGE)
        out->iImage = item->image;
    if (out->mask & TVIF_SELECTEDIMAGE)
        out->iSelectedImage = item->selectedImage;
    if (out->mask & TVIF_PARAM)
        out->lParam = item->data;
    if (out->mask & TVIF_STATE)
        out->state = item->state & out->stateMask;
    if (out->mask & TVIF_CHILDREN)
        out->cChildren = item->children.empty() ? 0 : 1;
    return TRUE;
}

BOOL CTreeCtrl::SetItem(TVITEM* in)
{
    TreeState& s = state(this);
    if (!in || !s.Valid(in->hItem))
        return FALSE;
    _TREEITEM* item = in->hItem;
    if ((in->mask & TVIF_TEXT) && in->pszText)
        item->text = in->pszText;
    if (in->mask & TVIF_IMAGE)
        item->image = in->iImage;
    if (in->mask & TVIF_SELECTEDIMAGE)
        item->selectedImage = in->iSelectedImage;
    if (in->mask & TVIF_PARAM)
        item->data = in->lParam;
    if (in->mask & TVIF_STATE) {
        if ((in->stateMask & TVIS_SELECTED) && (in->state & TVIS_SELECTED))
            ctl::TreeSelect(m_hWnd, item, TVGN_CARET, TVC_UNKNOWN);
        UINT mask = in->stateMask & ~(TVIS_SELECTED | TVIS_EXPANDED);
        item->state = (item->state & ~mask) | (in->state & mask);
        if (in->stateMask & TVIS_EXPANDED)
            item->state = (item->state & ~TVIS_EXPANDED) | (in->state & TVIS_EXPANDED);
    }
    Invalidate();
    return TRUE;
}

CString CTreeCtrl::GetItemText(HTREEITEM item) const
{
    return state(this).Valid(item) ? CString(item->text.c_str()) : CString();
}

BOOL CTreeCtrl::SetItemText(HTREEITEM item, LPCTSTR text)
{
    TVITEM in{TVIF_TEXT, item, 0, 0, const_cast<LPSTR>(text ? text : ""), 0, 0, 0, 0, 0};
    return SetItem(&in);
}

DWORD_PTR CTreeCtrl::GetItemData(HTREEITEM item) const
{
    return state(this).Valid(item) ? static_cast<DWORD_PTR>(item->data) : 0;
}

BOOL CTreeCtrl::SetItemData(HTREEITEM item, DWORD_PTR data)
{
    TVITEM in{TVIF_PARAM, item, 0, 0, nullptr, 0, 0, 0, 0, static_cast<LPARAM>(data)};
    return SetItem(&in);
}

BOOL CTreeCtrl::GetItemImage(HTREEITEM item, int& image, int& selectedImage) const
{
    if (!state(this).Valid(item))
        return FALSE;
    image = item->image;
    selectedImage = item->selectedImage;
    return TRUE;
}

BOOL CTreeCtrl::SetItemImage(HTREEITEM item, int image, int selectedImage)
{
    TVITEM in{TVIF_IMAGE | TVIF_SELECTEDIMAGE, item, 0, 0, nullptr, 0, image, selectedImage, 0, 0};
    return SetItem(&in);
}

UINT CTreeCtrl::GetItemState(HTREEITEM item, UINT mask) const
{
    return state(this).Valid(item) ? item->state & mask : 0;
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT value, UINT mask)
{
    TVITEM in{TVIF_STATE, item, value, mask, nullptr, 0, 0, 0, 0, 0};
    return SetItem(&in);
}

BOOL CTreeCtrl::GetCheck(HTREEITEM item) const
{
    return GetItemState(item, TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
}

BOOL CTreeCtrl::SetCheck(HTREEITEM item, BOOL check)
{
    return SetItemState(item, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), TVIS_STATEIMAGEMASK);
}

BOOL CTreeCtrl::Expand(HTREEITEM item, UINT code) { return ctl::TreeExpand(m_hWnd, item, code); }

BOOL CTreeCtrl::EnsureVisible(HTREEITEM item)
{
    if (!state(this).Valid(item))
        return FALSE;
    ctl::TreeEnsureVisible(m_hWnd, item);
    return TRUE;
}

BOOL CTreeCtrl::GetItemRect(HTREEITEM item, LPRECT rect, BOOL textOnly) const
{
    TreeState& s = state(this);
    if (!rect || !s.Valid(item) || s.RowOf(item) < 0)
        return FALSE;
    *rect = ctl::TreeItemRect(m_hWnd, item, textOnly != FALSE);
    return TRUE;
}

HTREEITEM CTreeCtrl::HitTest(CPoint pt, UINT* flags) const { return ctl::TreeHitTest(m_hWnd, pt, flags); }

HTREEITEM CTreeCtrl::HitTest(TVHITTESTINFO* info) const
{
    if (!info)
        return nullptr;
    info->hItem = ctl::TreeHitTest(m_hWnd, info->pt, &info->flags);
    return info->hItem;
}

BOOL CTreeCtrl::SortChildren(HTREEITEM item)
{
    _TREEITEM* parent = state(this).ParentFor(item);
    if (!parent)
        return FALSE;
    std::stable_sort(parent->children.begin(), parent->children.end(),
                     [](const auto& a, const auto& b) { return strcasecmp(a->text.c_str(), b->text.c_str()) < 0; });
    Invalidate();
    return TRUE;
}

BOOL CTreeCtrl::SortChildrenCB(const TVSORTCB* sort)
{
    _TREEITEM* parent = sort && sort->lpfnCompare ? state(this).ParentFor(sort->hParent) : nullptr;
    if (!parent)
        return FALSE;
    std::stable_sort(parent->children.begin(), parent->children.end(), [sort](const auto& a, const auto& b) {
        return sort->lpfnCompare(a->data, b->data, sort->lParam) < 0;
    });
    Invalidate();
    return TRUE;
}

CImageList* CTreeCtrl::SetImageList(CImageList* list, int which)
{
    TreeState& s = state(this);
    bool forState = which == TVSIL_STATE;
    CImageList* old = forState ? s.stateObject : s.normalObject;
    (forState ? s.stateObject : s.normalObject) = list;
    (forState ? s.stateList : s.normalList) = list ? list->GetSafeHandle() : nullptr;
    Invalidate();
    return old;
}

CImageList* CTreeCtrl::GetImageList(int which) const
{
    return which == TVSIL_STATE ? state(this).stateObject : state(this).normalObject;
}

UINT CTreeCtrl::GetIndent() const { return static_cast<UINT>(state(this).indent); }
void CTreeCtrl::SetIndent(UINT indent)
{
    state(this).indent = std::max(4, static_cast<int>(indent));
    Invalidate();
}

SHORT CTreeCtrl::GetItemHeight() const { return static_cast<SHORT>(state(this).RowHeight(m_hWnd)); }
SHORT CTreeCtrl::SetItemHeight(SHORT height)
{
    SHORT old = GetItemHeight();
    state(this).itemHeight = height > 0 ? height : 0;
    Invalidate();
    return old;
}

CEdit* CTreeCtrl::EditLabel(HTREEITEM item) { return ctl::TreeEditLabel(m_hWnd, item); }
CEdit* CTreeCtrl::GetEditControl() const { return state(this).edit.get(); }

CImageList* CTreeCtrl::CreateDragImage(HTREEITEM item)
{
    TreeState& s = state(this);
    if (!s.Valid(item))
        return nullptr;
    CRect label = ctl::TreeItemRect(m_hWnd, item, true);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(label.Width(), label.Height(), 1, 32, nullptr);
    CBitmap* old = memory.SelectObject(&bitmap);
    CRect area(0, 0, label.Width(), label.Height());
    memory.FillSolidRect(&area, ::GetSysColor(COLOR_WINDOW));
    if (HFONT font = ctl::FontOf(m_hWnd))
        ::SelectObject(memory.GetSafeHdc(), font);
    memory.SetBkMode(TRANSPARENT);
    area.left += 3;
    memory.DrawText(item->text.c_str(), -1, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    memory.SelectObject(old);
    auto* list = new CImageList;
    list->Create(label.Width(), label.Height(), ILC_MASK, 1, 0);
    list->Add(&bitmap, ::GetSysColor(COLOR_WINDOW));
    return list;
}
