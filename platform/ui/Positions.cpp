// Window positions, sizes, z-order, showing and the default non-client layout.
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowTable.h"

#include <algorithm>

namespace ui {

namespace {

bool isTopLevel(Window* w) { return !(w->style & WS_CHILD); }

int frameWidth(DWORD style)
{
    if (style & WS_THICKFRAME)
        return 4;
    if (style & WS_DLGFRAME)
        return 3;
    return (style & WS_BORDER) ? 1 : 0;
}

struct NonClient {
    int frame = 0;
    int caption = 0;
    int menu = 0;
    int edge = 0;
    int vscroll = 0;
    int hscroll = 0;
};

NonClient metrics(Window* w)
{
    NonClient m;
    if (!isTopLevel(w)) {
        m.frame = frameWidth(w->style);
        m.caption = ((w->style & WS_CAPTION) == WS_CAPTION) ? 19 : 0;
    }
    m.menu = HasMenuBar(w) ? kMenuBarHeight : 0;
    m.edge = (w->exStyle & WS_EX_CLIENTEDGE) ? 2 : ((w->exStyle & WS_EX_STATICEDGE) ? 1 : 0);
    m.vscroll = (w->style & WS_VSCROLL) ? 16 : 0;
    m.hscroll = (w->style & WS_HSCROLL) ? 16 : 0;
    return m;
}

} // namespace

RECT DefaultClientRect(Window* w, const RECT& r)
{
    NonClient m = metrics(w);
    int inset = m.frame + m.edge;
    RECT c{inset, inset + m.caption + m.menu, (r.right - r.left) - inset - m.vscroll,
           (r.bottom - r.top) - inset - m.hscroll};
    c.right = std::max(c.left, c.right);
    c.bottom = std::max(c.top, c.bottom);
    return c;
}

int DefaultHitTest(Window* w, POINT screenPt)
{
    POINT o = WindowOrigin(w);
    int x = screenPt.x - o.x, y = screenPt.y - o.y;
    int cx = w->rect.right - w->rect.left, cy = w->rect.bottom - w->rect.top;
    if (x < 0 || y < 0 || x >= cx || y >= cy)
        return HTNOWHERE;
    const RECT& c = w->client;
    if (x >= c.left && x < c.right && y >= c.top && y < c.bottom)
        return HTCLIENT;
    NonClient m = metrics(w);
    if (m.menu && y >= c.top - m.menu && y < c.top && x >= c.left && x < c.right)
        return HTMENU;
    if (m.vscroll && x >= c.right && x < c.right + m.vscroll && y >= c.top && y < c.bottom)
        return HTVSCROLL;
    if (m.hscroll && y >= c.bottom && y < c.bottom + m.hscroll && x >= c.left && x < c.right)
        return HTHSCROLL;
    if (m.caption && y >= m.frame && y < m.frame + m.caption && x >= m.frame && x < cx - m.frame)
        return (x >= cx - m.frame - 18) ? HTCLOSE : HTCAPTION;
    if (w->style & WS_THICKFRAME) {
        bool left = x < m.frame, right = x >= cx - m.frame, top = y < m.frame, bottom = y >= cy - m.frame;
        if (top)
            return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
        if (bottom)
            return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
        if (left)
            return HTLEFT;
        if (right)
            return HTRIGHT;
    }
    return HTBORDER;
}

} // namespace ui

using namespace ui;

namespace {

// Windows a top-level window owns stay in front of it, in their own order.
void keepOwnedAbove(Window* w, std::vector<HWND>& sib)
{
    if (w->style & WS_CHILD)
        return;
    auto self = std::find(sib.begin(), sib.end(), w->hwnd);
    std::vector<HWND> owned;
    for (auto it = self + 1; it != sib.end(); ++it)
        if (Window* other = Find(*it); other && other->owner == w->hwnd)
            owned.push_back(*it);
    if (owned.empty())
        return;
    std::erase_if(sib, [&](HWND h) { return std::find(owned.begin(), owned.end(), h) != owned.end(); });
    sib.insert(std::find(sib.begin(), sib.end(), w->hwnd), owned.begin(), owned.end());
}

void reorder(Window* w, HWND insertAfter)
{
    auto& sib = SiblingsOf(w);
    sib.erase(std::remove(sib.begin(), sib.end(), w->hwnd), sib.end());
    if (insertAfter == HWND_BOTTOM) {
        sib.push_back(w->hwnd);
        return;
    }
    auto at = std::find(sib.begin(), sib.end(), insertAfter);
    bool front = insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST || insertAfter == HWND_NOTOPMOST ||
                 at == sib.end();
    sib.insert(front ? sib.begin() : at + 1, w->hwnd);
    keepOwnedAbove(w, sib);
}

void applyVisibility(HWND hwnd, bool show)
{
    Window* w = Find(hwnd);
    bool was = (w->style & WS_VISIBLE) != 0;
    if (was == show)
        return;
    if (!show) {
        InvalidateParentArea(w);
        w->style &= ~WS_VISIBLE;
        HWND focus = GetFocus();
        if (focus == hwnd || IsChild(hwnd, focus))
            SetFocus(w->parent);
        if (GetCapture() == hwnd || IsChild(hwnd, GetCapture()))
            ReleaseCapture();
    } else {
        w->style |= WS_VISIBLE;
        InvalidateAll(w, true, true);
    }
    if (!(w->style & WS_CHILD))
        HostShow(w, show);
}

} // namespace

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    Window* w = Find(hwnd);
    if (!w || w == Desktop())
        return FALSE;
    WINDOWPOS pos{hwnd, insertAfter, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
    pos.cx = std::max(0, pos.cx);
    pos.cy = std::max(0, pos.cy);
    if (!(flags & SWP_NOSENDCHANGING))
        SendMessage(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if ((w = Find(hwnd)) == nullptr)
        return FALSE;
    RECT newRect{pos.x, pos.y, pos.x + std::max(0, pos.cx), pos.y + std::max(0, pos.cy)};
    bool moved = newRect.left != w->rect.left || newRect.top != w->rect.top;
    bool sized = (newRect.right - newRect.left) != (w->rect.right - w->rect.left) ||
                 (newRect.bottom - newRect.top) != (w->rect.bottom - w->rect.top);
    bool visible = IsWindowVisible(hwnd);
    if ((moved || sized) && visible && !(pos.flags & SWP_NOREDRAW))
        InvalidateParentArea(w);
    if (sized || moved || (pos.flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS nc{};
        nc.rgrc[0] = newRect;
        nc.rgrc[1] = w->rect;
        nc.lppos = &pos;
        SendMessage(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&nc));
        if ((w = Find(hwnd)) == nullptr)
            return FALSE;
        w->rect = newRect;
        w->client = {nc.rgrc[0].left - newRect.left, nc.rgrc[0].top - newRect.top,
                     nc.rgrc[0].right - newRect.left, nc.rgrc[0].bottom - newRect.top};
        if (!(w->style & (WS_MINIMIZE | WS_MAXIMIZE)))
            w->normalRect = newRect;
    }
    if (!(pos.flags & SWP_NOZORDER))
        reorder(w, pos.hwndInsertAfter);
    if (pos.flags & SWP_SHOWWINDOW)
        applyVisibility(hwnd, true);
    if (pos.flags & SWP_HIDEWINDOW)
        applyVisibility(hwnd, false);
    if ((w = Find(hwnd)) == nullptr)
        return FALSE;
    if ((moved || sized || (pos.flags & SWP_FRAMECHANGED)) && IsWindowVisible(hwnd) && !(pos.flags & SWP_NOREDRAW))
        InvalidateAll(w, true, true);
    if (!(w->style & WS_CHILD) && (moved || sized))
        HostGeometry(w);
    if (!(pos.flags & SWP_NOACTIVATE) && !(w->style & WS_CHILD) && IsWindowVisible(hwnd))
        SetActiveWindow(hwnd);
    pos.flags |= (moved ? 0 : SWP_NOMOVE) | (sized ? 0 : SWP_NOSIZE);
    SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int cx, int cy, BOOL repaint)
{
    return SetWindowPos(hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) { return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle)
{
    if (!rect)
        return FALSE;
    Window probe;
    probe.style = style;
    probe.exStyle = exStyle;
    probe.rect = {0, 0, 1000, 1000};
    RECT c = DefaultClientRect(&probe, probe.rect);
    rect->left -= c.left;
    rect->top -= c.top;
    rect->right += 1000 - c.right;
    rect->bottom += 1000 - c.bottom;
    if (menu && !(style & WS_CHILD))
        rect->top -= kMenuBarHeight;
    return TRUE;
}

namespace {

RECT maximizedRect(Window* w)
{
    RECT area{};
    GetClientRect(w->parent ? w->parent : GetDesktopWindow(), &area);
    if (w->style & WS_CHILD)
        AdjustWindowRectEx(&area, w->style & ~(WS_VSCROLL | WS_HSCROLL), FALSE, w->exStyle & ~WS_EX_CLIENTEDGE);
    return area;
}

void setState(HWND hwnd, DWORD state, const RECT& r, UINT flags)
{
    Window* w = Find(hwnd);
    w->style = (w->style & ~(WS_MINIMIZE | WS_MAXIMIZE)) | state;
    SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, flags | SWP_FRAMECHANGED);
}

} // namespace

BOOL ShowWindow(HWND hwnd, int cmdShow)
{
    Window* w = Find(hwnd);
    if (!w || w == Desktop())
        return FALSE;
    BOOL wasVisible = (w->style & WS_VISIBLE) != 0;
    bool show = cmdShow != SW_HIDE;
    if (show != static_cast<bool>(wasVisible)) {
        SendMessage(hwnd, WM_SHOWWINDOW, show, 0);
        if ((w = Find(hwnd)) == nullptr)
            return wasVisible;
    }
    UINT activate = (cmdShow == SW_SHOWNA || cmdShow == SW_SHOWNOACTIVATE || cmdShow == SW_SHOWMINNOACTIVE ||
                     cmdShow == SW_HIDE || (w->style & WS_CHILD))
                        ? SWP_NOACTIVATE
                        : 0;
    UINT zorder = ((w->style & WS_CHILD) || !show) ? SWP_NOZORDER : 0;
    UINT base = zorder | activate | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    switch (cmdShow) {
    case SW_SHOWMAXIMIZED:
        if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE)))
            w->normalRect = w->rect;
        setState(hwnd, WS_MAXIMIZE, maximizedRect(w), base);
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE: {
        if (!(w->style & (WS_MAXIMIZE | WS_MINIMIZE)))
            w->normalRect = w->rect;
        RECT r{w->rect.left, w->rect.top, w->rect.left + 160, w->rect.top + 24};
        setState(hwnd, WS_MINIMIZE, r, base | SWP_NOACTIVATE);
        break;
    }
    case SW_RESTORE:
    case SW_SHOWNORMAL:
        if (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) {
            setState(hwnd, 0, w->normalRect, base);
            break;
        }
        [[fallthrough]];
    default:
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, base | SWP_NOMOVE | SWP_NOSIZE);
        break;
    }
    return wasVisible;
}

namespace {

struct DeferList {
    std::vector<WINDOWPOS> entries;
};

} // namespace

HDWP BeginDeferWindowPos(int count)
{
    if (count < 0)
        return nullptr;
    auto* list = new DeferList;
    list->entries.reserve(static_cast<size_t>(count));
    return list;
}

HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags)
{
    auto* list = static_cast<DeferList*>(info);
    if (!list)
        return nullptr;
    if (!IsWindow(hwnd)) {
        delete list;
        return nullptr;
    }
    for (WINDOWPOS& e : list->entries)
        if (e.hwnd == hwnd) {
            e = WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags};
            return list;
        }
    list->entries.push_back(WINDOWPOS{hwnd, insertAfter, x, y, cx, cy, flags});
    return list;
}

BOOL EndDeferWindowPos(HDWP info)
{
    auto* list = static_cast<DeferList*>(info);
    if (!list)
        return FALSE;
    BOOL ok = TRUE;
    for (const WINDOWPOS& e : list->entries)
        if (!SetWindowPos(e.hwnd, e.hwndInsertAfter, e.x, e.y, e.cx, e.cy, e.flags))
            ok = FALSE;
    delete list;
    return ok;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement)
{
    Window* w = Find(hwnd);
    if (!w || !placement)
        return FALSE;
    placement->length = sizeof(WINDOWPLACEMENT);
    placement->flags = 0;
    placement->showCmd = (w->style & WS_MAXIMIZE)   ? SW_SHOWMAXIMIZED
                         : (w->style & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                         : (w->style & WS_VISIBLE)  ? SW_SHOWNORMAL
                                                    : SW_HIDE;
    placement->ptMinPosition = {-1, -1};
    placement->ptMaxPosition = {-1, -1};
    placement->rcNormalPosition = (w->style & (WS_MAXIMIZE | WS_MINIMIZE)) ? w->normalRect : w->rect;
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement)
{
    Window* w = Find(hwnd);
    if (!w || !placement)
        return FALSE;
    const RECT& r = placement->rcNormalPosition;
    if (w->style & (WS_MAXIMIZE | WS_MINIMIZE))
        w->normalRect = r;
    else
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hwnd, static_cast<int>(placement->showCmd));
    return TRUE;
}
