// Default message processing: text, non-client layout and hit testing, erasing, closing,
// cursors, activation and the standard scroll bars.
#include "platform/ui/Menu.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowTable.h"

#include <algorithm>
#include <cstring>

using namespace ui;

namespace {

LRESULT setText(Window* w, LPCSTR text)
{
    w->text = text ? text : "";
    if (!(w->style & WS_CHILD))
        HostTitle(w);
    else if ((w->style & WS_CAPTION) == WS_CAPTION)
        w->frameNeeded = IsVisibleChain(w);
    return TRUE;
}

LRESULT getText(Window* w, WPARAM size, LPARAM buffer)
{
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || size == 0)
        return 0;
    size_t n = std::min(w->text.size(), static_cast<size_t>(size) - 1);
    memcpy(out, w->text.data(), n);
    out[n] = 0;
    return static_cast<LRESULT>(n);
}

HCURSOR cursorForHit(int hit)
{
    switch (hit) {
    case HTLEFT: case HTRIGHT: return MakeIntCursor(IDC_SIZEWE_ID);
    case HTTOP: case HTBOTTOM: return MakeIntCursor(IDC_SIZENS_ID);
    case HTTOPLEFT: case HTBOTTOMRIGHT: return MakeIntCursor(IDC_SIZENWSE_ID);
    case HTTOPRIGHT: case HTBOTTOMLEFT: return MakeIntCursor(IDC_SIZENESW_ID);
    default: return MakeIntCursor(IDC_ARROW_ID);
    }
}

LRESULT setCursor(HWND hwnd, Window* w, LPARAM lParam)
{
    if ((w->style & WS_CHILD) && w->parent &&
        SendMessage(w->parent, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd), lParam))
        return TRUE;
    int hit = static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(lParam)));
    if (hit == HTCLIENT) {
        if (w->cls && w->cls->cursor) {
            SetCursor(w->cls->cursor);
            return FALSE;
        }
    }
    SetCursor(cursorForHit(hit));
    return FALSE;
}

// Drags the thumb: SB_THUMBTRACK while the mouse moves, SB_THUMBPOSITION when it is released.
void dragThumb(HWND hwnd, int bar, int grab)
{
    UINT msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    SetCapture(hwnd);
    int pos = GetScrollPos(hwnd, bar);
    for (;;) {
        MSG m;
        if (!GetMessage(&m, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(m.wParam));
            break;
        }
        Window* w = Find(hwnd);
        if (!w || GetCapture() != hwnd)
            break;
        bool up = m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP;
        if (!up && m.message != WM_MOUSEMOVE && m.message != WM_NCMOUSEMOVE) {
            DispatchMessage(&m);
            continue;
        }
        POINT o = WindowOrigin(w);
        int along = bar == SB_VERT ? m.pt.y - o.y - w->client.top : m.pt.x - o.x - w->client.left;
        int length = bar == SB_VERT ? w->client.bottom - w->client.top : w->client.right - w->client.left;
        pos = PositionAt(w->bars[bar], length, along - grab);
        w->bars[bar].trackPos = pos;
        SendMessage(hwnd, msg, MAKEWPARAM(up ? SB_THUMBPOSITION : SB_THUMBTRACK, static_cast<WORD>(pos)), 0);
        if (up)
            break;
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
    if (IsWindow(hwnd))
        SendMessage(hwnd, msg, SB_ENDSCROLL, 0);
}

// Pages, lines or the thumb of a standard scroll bar, from a click in the non-client area.
void clickScrollBar(HWND hwnd, Window* w, int hit, POINT screenPt)
{
    int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
    UINT msg = bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    POINT o = WindowOrigin(w);
    int along = bar == SB_VERT ? screenPt.y - o.y - w->client.top : screenPt.x - o.x - w->client.left;
    int length = bar == SB_VERT ? w->client.bottom - w->client.top : w->client.right - w->client.left;
    Thumb thumb = ThumbOf(w->bars[bar], length);
    if (along >= thumb.at && along < thumb.at + thumb.length && along >= kScrollArrow && along < length - kScrollArrow) {
        dragThumb(hwnd, bar, along - thumb.at);
        return;
    }
    UINT code = along < kScrollArrow            ? SB_LINEUP
                : along >= length - kScrollArrow ? SB_LINEDOWN
                : along < thumb.at              ? SB_PAGEUP
                                                : SB_PAGEDOWN;
    SendMessage(hwnd, msg, code, 0);
    SendMessage(hwnd, msg, SB_ENDSCROLL, 0);
}

// The edges a drag at a hit-test code moves: left, top, right, bottom.
struct Edges {
    int hit;
    bool left, top, right, bottom;
};

const Edges* edgesFor(int hit)
{
    static const Edges table[] = {
        {HTCAPTION, true, true, true, true},       {HTLEFT, true, false, false, false},
        {HTRIGHT, false, false, true, false},      {HTTOP, false, true, false, false},
        {HTBOTTOM, false, false, false, true},     {HTTOPLEFT, true, true, false, false},
        {HTTOPRIGHT, false, true, true, false},    {HTBOTTOMLEFT, true, false, false, true},
        {HTBOTTOMRIGHT, false, false, true, true},
    };
    for (const Edges& e : table)
        if (e.hit == hit)
            return &e;
    return nullptr;
}

// Widens a span to the minimum by moving its loose end.
void keepMinimum(LONG& low, LONG& high, bool lowMoves, LONG minimum)
{
    if (high - low >= minimum)
        return;
    if (lowMoves)
        low = high - minimum;
    else
        high = low + minimum;
}

// Moves or sizes a child window with the mouse until the button goes up; Esc restores it.
void moveSizeLoop(HWND hwnd, const Edges& edges, POINT start)
{
    Window* w = Find(hwnd);
    RECT original = w->rect;
    MINMAXINFO mmi{};
    mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN)};
    SendMessage(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    SetCapture(hwnd);
    for (;;) {
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (GetCapture() != hwnd || !IsWindow(hwnd))
            break;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            MoveWindow(hwnd, original.left, original.top, original.right - original.left, original.bottom - original.top, TRUE);
            break;
        }
        bool up = msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP;
        if (!up && msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) {
            DispatchMessage(&msg);
            continue;
        }
        int dx = msg.pt.x - start.x, dy = msg.pt.y - start.y;
        RECT r = original;
        r.left += edges.left ? dx : 0;
        r.right += edges.right ? dx : 0;
        r.top += edges.top ? dy : 0;
        r.bottom += edges.bottom ? dy : 0;
        keepMinimum(r.left, r.right, edges.left && !edges.right, mmi.ptMinTrackSize.x);
        keepMinimum(r.top, r.bottom, edges.top && !edges.bottom, mmi.ptMinTrackSize.y);
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
        if (up)
            break;
    }
    if (GetCapture() == hwnd)
        ReleaseCapture();
}

// A click on the menu bar opens that item's pop-up, or sends its command.
void clickMenuBar(HWND hwnd, Window* w, POINT screenPt)
{
    POINT o = WindowOrigin(w);
    QPoint at(screenPt.x - o.x, screenPt.y - o.y);
    std::vector<QRect> items = MenuBarItems(w);
    auto menu = reinterpret_cast<HMENU>(w->id);
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i].contains(at))
            continue;
        int index = static_cast<int>(i);
        if (GetMenuState(menu, static_cast<UINT>(index), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED))
            return;
        if (HMENU popup = GetSubMenu(menu, index))
            TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_LEFTBUTTON, o.x + items[i].left(), o.y + items[i].bottom() + 1, 0,
                           hwnd, nullptr);
        else
            PostMessage(hwnd, WM_COMMAND, GetMenuItemID(menu, index), 0);
        return;
    }
}

LRESULT nonClientButton(HWND hwnd, Window* w, WPARAM hit, LPARAM lParam)
{
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (static_cast<int>(hit)) {
    case HTCLOSE: PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, lParam); break;
    case HTMENU: clickMenuBar(hwnd, w, pt); break;
    case HTVSCROLL: case HTHSCROLL: clickScrollBar(hwnd, w, static_cast<int>(hit), pt); break;
    default: {
        if ((w->style & WS_CHILD) && w->parent && (w->exStyle & WS_EX_MDICHILD))
            SendMessage(hwnd, WM_CHILDACTIVATE, 0, 0);
        const Edges* edges = edgesFor(static_cast<int>(hit));
        bool sizable = static_cast<int>(hit) == HTCAPTION || (w->style & WS_THICKFRAME);
        if (edges && sizable && IsWindow(hwnd) && (w->style & WS_CHILD) && !(w->style & WS_MAXIMIZE))
            moveSizeLoop(hwnd, *edges, pt);
        break;
    }
    }
    return 0;
}

LRESULT sysCommand(HWND hwnd, WPARAM wParam)
{
    switch (wParam & 0xFFF0) {
    case SC_CLOSE: return SendMessage(hwnd, WM_CLOSE, 0, 0);
    case SC_MINIMIZE: ShowWindow(hwnd, SW_MINIMIZE); return 0;
    case SC_MAXIMIZE: ShowWindow(hwnd, SW_MAXIMIZE); return 0;
    case SC_RESTORE: ShowWindow(hwnd, SW_RESTORE); return 0;
    default: return 0;
    }
}

LRESULT mouseActivate(Window* w, WPARAM wParam, LPARAM lParam)
{
    if ((w->style & WS_CHILD) && w->parent) {
        LRESULT r = SendMessage(w->parent, WM_MOUSEACTIVATE, wParam, lParam);
        if (r)
            return r;
    }
    return MA_ACTIVATE;
}

LRESULT forwardToParent(Window* w, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ((w->style & WS_CHILD) && w->parent) ? SendMessage(w->parent, message, wParam, lParam) : 0;
}

void windowPosChanged(HWND hwnd, const WINDOWPOS* pos)
{
    if (!(pos->flags & SWP_NOSIZE) || (pos->flags & SWP_FRAMECHANGED)) {
        Window* w = Find(hwnd);
        UINT type = (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
        RECT c{};
        GetClientRect(hwnd, &c);
        SendMessage(hwnd, WM_SIZE, type, MAKELPARAM(static_cast<WORD>(c.right), static_cast<WORD>(c.bottom)));
    }
    if (!(pos->flags & SWP_NOMOVE))
        if (Window* w = Find(hwnd))
            SendMessage(hwnd, WM_MOVE, 0,
                        MAKELPARAM(static_cast<WORD>(w->rect.left + w->client.left),
                                   static_cast<WORD>(w->rect.top + w->client.top)));
}

LRESULT nonClientCalc(Window* w, WPARAM wParam, LPARAM lParam)
{
    RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
    RECT c = DefaultClientRect(w, *r);
    *r = {r->left + c.left, r->top + c.top, r->left + c.right, r->top + c.bottom};
    return 0;
}

LRESULT keyDown(HWND hwnd, Window* w, UINT message, WPARAM wParam)
{
    if (message == WM_SYSKEYDOWN && wParam == VK_F4 && !(w->style & WS_CHILD))
        PostMessage(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    // The keyboard's context menu keys ask for the menu with no point (-1, -1).
    if (wParam == VK_APPS || (wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0))
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(0xFFFF, 0xFFFF));
    return 0;
}

} // namespace

LRESULT DefWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = Find(hwnd);
    if (!w)
        return 0;
    switch (message) {
    case WM_NCCREATE: {
        auto* cs = reinterpret_cast<CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName && !IS_INTRESOURCE(cs->lpszName))
            w->text = cs->lpszName;
        return TRUE;
    }
    case WM_NCCALCSIZE: return nonClientCalc(w, wParam, lParam);
    case WM_NCHITTEST:
        return DefaultHitTest(w, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_NCPAINT: PaintNonClient(w); return 0;
    case WM_NCACTIVATE:
        w->frameNeeded = IsVisibleChain(w) && (w->style & WS_CAPTION) == WS_CAPTION;
        return TRUE;
    case WM_ERASEBKGND:
        if (!w->cls || !w->cls->background)
            return 0;
        FillClientBackground(w, w->painting.isEmpty() ? QRegion(0, 0, w->client.right - w->client.left,
                                                                w->client.bottom - w->client.top)
                                                      : w->painting);
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_SETTEXT: return setText(w, reinterpret_cast<LPCSTR>(lParam));
    case WM_GETTEXT: return getText(w, wParam, lParam);
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(w->text.size());
    case WM_CLOSE: DestroyWindow(hwnd); return 0;
    case WM_SYSCOMMAND: return sysCommand(hwnd, wParam);
    case WM_WINDOWPOSCHANGED: windowPosChanged(hwnd, reinterpret_cast<WINDOWPOS*>(lParam)); return 0;
    case WM_SETCURSOR: return setCursor(hwnd, w, lParam);
    case WM_MOUSEACTIVATE: return mouseActivate(w, wParam, lParam);
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(w->style & WS_MINIMIZE) && !IsChild(hwnd, GetFocus()))
            SetFocus(hwnd);
        return 0;
    case WM_SETREDRAW:
        w->redraw = wParam != 0;
        return 0;
    case WM_NCLBUTTONDOWN: return nonClientButton(hwnd, w, wParam, lParam);
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION && (w->style & WS_MAXIMIZEBOX))
            PostMessage(hwnd, WM_SYSCOMMAND, (w->style & WS_MAXIMIZE) ? SC_RESTORE : SC_MAXIMIZE, lParam);
        return 0;
    case WM_RBUTTONUP: {
        POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &pt);
        SendMessage(hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd), MAKELPARAM(static_cast<WORD>(pt.x), static_cast<WORD>(pt.y)));
        return 0;
    }
    case WM_MOUSEWHEEL:
    case WM_CONTEXTMENU:
    case WM_HELP: return forwardToParent(w, message, wParam, lParam);
    case WM_SYSKEYDOWN:
    case WM_KEYDOWN: return keyDown(hwnd, w, message, wParam);
    case WM_GETFONT: return 0;
    case WM_CTLCOLOR:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: return 0;
    case WM_DROPFILES: DragFinish(reinterpret_cast<HDROP>(wParam)); return 0;
    default: return 0;
    }
}
