// The window table: classes, creation and destruction, attributes and relations.
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <strings.h>
#include <unordered_map>

namespace ui {
namespace {

struct Table {
    std::unordered_map<uintptr_t, std::unique_ptr<Window>> windows;
    std::map<std::string, WindowClass> classes;
    uintptr_t nextHandle = 0x10000;
    Window desktop;
    Table()
    {
        desktop.hwnd = reinterpret_cast<HWND>(uintptr_t{0x10});
        desktop.style = WS_VISIBLE;
        desktop.rect = {0, 0, 1280, 1024};
        desktop.client = desktop.rect;
    }
};

Table& table()
{
    static Table t;
    return t;
}

std::string lower(const std::string& s)
{
    std::string r = s;
    std::transform(r.begin(), r.end(), r.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return r;
}

std::string classKey(LPCSTR name)
{
    if (name && IS_INTRESOURCE(name)) {
        std::string key = "#";
        key += std::to_string(reinterpret_cast<uintptr_t>(name));
        return key;
    }
    return lower(name ? name : "");
}

} // namespace

Window* Find(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    Table& t = table();
    if (hwnd == t.desktop.hwnd)
        return &t.desktop;
    auto it = t.windows.find(reinterpret_cast<uintptr_t>(hwnd));
    return it == t.windows.end() ? nullptr : it->second.get();
}

Window* Desktop() { return &table().desktop; }

std::vector<HWND>& SiblingsOf(Window* w)
{
    Window* p = w->parent ? Find(w->parent) : nullptr;
    return p ? p->children : table().desktop.children;
}

std::map<std::string, WindowClass>& Classes() { return table().classes; }

WindowClass* FindClass(const std::string& name)
{
    auto it = table().classes.find(name);
    return it == table().classes.end() ? nullptr : &it->second;
}

POINT WindowOrigin(Window* w)
{
    POINT p{w->rect.left, w->rect.top};
    for (Window* a = Find(w->parent); a && a != Desktop(); a = Find(a->parent)) {
        p.x += a->rect.left + a->client.left;
        p.y += a->rect.top + a->client.top;
    }
    return p;
}

POINT ClientOrigin(Window* w)
{
    if (w == Desktop())
        return {0, 0};
    POINT p = WindowOrigin(w);
    return {p.x + w->client.left, p.y + w->client.top};
}

bool IsVisibleChain(Window* w)
{
    for (; w && w != Desktop(); w = Find(w->parent)) {
        if (!(w->style & WS_VISIBLE))
            return false;
        if (!w->parent)
            return true;
    }
    return w != nullptr;
}

Window* TopLevelOf(Window* w)
{
    while (w && w->parent && Find(w->parent) != Desktop())
        w = Find(w->parent);
    return w;
}

} // namespace ui

using namespace ui;

BOOL RegisterClass(const WNDCLASS* wc)
{
    if (!wc || !wc->lpszClassName)
        return FALSE;
    std::string key = classKey(wc->lpszClassName);
    if (FindClass(key))
        return FALSE;
    WindowClass& c = Classes()[key];
    c.name = IS_INTRESOURCE(wc->lpszClassName) ? key : wc->lpszClassName;
    c.style = wc->style;
    c.proc = wc->lpfnWndProc ? wc->lpfnWndProc : DefWindowProc;
    c.cursor = wc->hCursor;
    c.background = wc->hbrBackground;
    c.icon = wc->hIcon;
    return TRUE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR className, WNDCLASS* wc)
{
    WindowClass* c = FindClass(classKey(className));
    if (!c || !wc)
        return FALSE;
    *wc = WNDCLASS{c->style, c->proc, 0, 0, nullptr, c->icon, c->cursor, c->background, nullptr, c->name.c_str()};
    return TRUE;
}

int GetClassName(HWND hwnd, LPSTR buffer, int size)
{
    Window* w = Find(hwnd);
    if (!w || !w->cls || !buffer || size <= 0)
        return 0;
    int n = std::min<int>(static_cast<int>(w->cls->name.size()), size - 1);
    memcpy(buffer, w->cls->name.data(), n);
    buffer[n] = 0;
    return n;
}

LONG_PTR GetClassLongPtr(HWND hwnd, int index)
{
    Window* w = Find(hwnd);
    if (!w || !w->cls)
        return 0;
    switch (index) {
    case GCL_HCURSOR: return reinterpret_cast<LONG_PTR>(w->cls->cursor);
    case GCL_HBRBACKGROUND: return reinterpret_cast<LONG_PTR>(w->cls->background);
    case GCL_HICON: return reinterpret_cast<LONG_PTR>(w->cls->icon);
    case GCL_STYLE: return w->cls->style;
    default: return 0;
    }
}

LONG_PTR SetClassLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    Window* w = Find(hwnd);
    if (!w || !w->cls)
        return 0;
    LONG_PTR old = GetClassLongPtr(hwnd, index);
    switch (index) {
    case GCL_HCURSOR: w->cls->cursor = reinterpret_cast<HCURSOR>(value); break;
    case GCL_HBRBACKGROUND: w->cls->background = reinterpret_cast<HBRUSH>(value); break;
    case GCL_HICON: w->cls->icon = reinterpret_cast<HICON>(value); break;
    case GCL_STYLE: w->cls->style = static_cast<UINT>(value); break;
    default: return 0;
    }
    return old;
}

namespace {

constexpr int kUseDefault = static_cast<int>(0x80000000);

RECT initialRect(DWORD style, HWND parent, int x, int y, int cx, int cy)
{
    static int cascade = 0;
    if ((style & WS_CHILD) == 0 && x == kUseDefault) {
        x = y = 40 + 24 * (cascade++ % 8);
    }
    if (x == kUseDefault)
        x = y = 0;
    if (cx == kUseDefault) {
        RECT area{};
        GetClientRect(parent ? parent : GetDesktopWindow(), &area);
        cx = std::max(0, (area.right - x) * 3 / 4);
        cy = std::max(0, (area.bottom - y) * 3 / 4);
    }
    return {x, y, x + std::max(0, cx), y + std::max(0, cy)};
}

void linkIntoTable(Window* w, HWND parent, DWORD style)
{
    Window* p = Find(parent);
    if ((style & WS_CHILD) && p) {
        w->parent = parent;
        p->children.insert(p->children.begin(), w->hwnd);
    } else {
        w->owner = parent ? GetAncestorTopLevel(parent) : nullptr;
        Desktop()->children.insert(Desktop()->children.begin(), w->hwnd);
    }
}

void unlinkFromTable(Window* w)
{
    auto& sib = SiblingsOf(w);
    sib.erase(std::remove(sib.begin(), sib.end(), w->hwnd), sib.end());
}

void sendSizeAndMove(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return;
    UINT type = (w->style & WS_MAXIMIZE) ? SIZE_MAXIMIZED : (w->style & WS_MINIMIZE) ? SIZE_MINIMIZED : SIZE_RESTORED;
    RECT c{};
    GetClientRect(hwnd, &c);
    SendMessage(hwnd, WM_SIZE, type, MAKELPARAM(static_cast<WORD>(c.right), static_cast<WORD>(c.bottom)));
    if ((w = Find(hwnd)) != nullptr)
        SendMessage(hwnd, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(w->rect.left + w->client.left),
                               static_cast<WORD>(w->rect.top + w->client.top)));
}

} // namespace

namespace {

ui::CreateHook createHook = nullptr;

} // namespace

void ui::SetCreateHook(CreateHook hook) { createHook = hook; }

HWND CreateWindowEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int cx,
                    int cy, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID param)
{
    WindowClass* cls = FindClass(classKey(className));
    if (!cls || ((style & WS_CHILD) && !Find(parent)))
        return nullptr;
    Table& t = table();
    auto owned = std::make_unique<Window>();
    Window* w = owned.get();
    w->hwnd = reinterpret_cast<HWND>(t.nextHandle);
    t.nextHandle += 4;
    w->cls = cls;
    w->proc = cls->proc;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->instance = instance;
    w->id = reinterpret_cast<UINT_PTR>(menuOrId);
    w->rect = initialRect(style, (style & WS_CHILD) ? parent : nullptr, x, y, cx, cy);
    w->normalRect = w->rect;
    w->client = DefaultClientRect(w, w->rect);
    HWND hwnd = w->hwnd;
    t.windows.emplace(reinterpret_cast<uintptr_t>(hwnd), std::move(owned));
    linkIntoTable(w, parent, style);
    if (createHook)
        createHook(hwnd);

    CREATESTRUCT cs{param, instance, menuOrId, parent, w->rect.bottom - w->rect.top, w->rect.right - w->rect.left,
                    w->rect.top, w->rect.left, static_cast<LONG>(style), windowName, className, exStyle};
    if (!SendMessage(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    RECT wr = w->rect;
    NCCALCSIZE_PARAMS nc{};
    nc.rgrc[0] = wr;
    SendMessage(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&nc.rgrc[0]));
    if ((w = Find(hwnd)) == nullptr)
        return nullptr;
    w->client = {nc.rgrc[0].left - wr.left, nc.rgrc[0].top - wr.top, nc.rgrc[0].right - wr.left,
                 nc.rgrc[0].bottom - wr.top};
    if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    sendSizeAndMove(hwnd);
    w = Find(hwnd);
    if (w && (style & WS_CHILD) && !(exStyle & WS_EX_NOPARENTNOTIFY) && w->parent)
        SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, static_cast<WORD>(w->id)),
                    reinterpret_cast<LPARAM>(hwnd));
    if (IsWindow(hwnd) && (style & WS_VISIBLE))
        ShowWindow(hwnd, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

namespace {

void sendDestroy(HWND hwnd)
{
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    Window* w = Find(hwnd);
    if (!w)
        return;
    std::vector<HWND> kids = w->children;
    for (HWND k : kids)
        if (IsWindow(k))
            sendDestroy(k);
}

void sendNcDestroyAndFree(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return;
    std::vector<HWND> kids = w->children;
    for (HWND k : kids)
        sendNcDestroyAndFree(k);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    if ((w = Find(hwnd)) == nullptr)
        return;
    HostDestroy(w);
    ForgetWindowMessages(hwnd);
    ForgetWindowTimers(hwnd);
    ForgetInputState(hwnd);
    unlinkFromTable(w);
    table().windows.erase(reinterpret_cast<uintptr_t>(hwnd));
}

} // namespace

BOOL DestroyWindow(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || w == Desktop() || w->destroying)
        return FALSE;
    w->destroying = true;
    std::vector<HWND> owned;
    for (auto& [key, other] : table().windows)
        if (other->owner == hwnd && !other->destroying)
            owned.push_back(other->hwnd);
    for (HWND o : owned)
        DestroyWindow(o);
    if (IsWindowVisible(hwnd))
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if ((w = Find(hwnd)) != nullptr && (w->style & WS_CHILD) && !(w->exStyle & WS_EX_NOPARENTNOTIFY) && w->parent)
        SendMessage(w->parent, WM_PARENTNOTIFY, MAKEWPARAM(WM_DESTROY, static_cast<WORD>(w->id)),
                    reinterpret_cast<LPARAM>(hwnd));
    if (IsWindow(hwnd))
        sendDestroy(hwnd);
    sendNcDestroyAndFree(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return Find(hwnd) != nullptr; }

LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(hwnd, message, wParam, lParam) : 0;
}

LONG_PTR GetWindowLongPtr(HWND hwnd, int index)
{
    Window* w = Find(hwnd);
    if (!w)
        return 0;
    switch (index) {
    case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
    case GWL_STYLE: return static_cast<LONG>(w->style);
    case GWL_EXSTYLE: return static_cast<LONG>(w->exStyle);
    case GWL_ID: return static_cast<LONG_PTR>(w->id);
    case GWL_USERDATA: return w->userData;
    case GWL_HINSTANCE: return reinterpret_cast<LONG_PTR>(w->instance);
    case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(w->parent ? w->parent : w->owner);
    default: return 0;
    }
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value)
{
    Window* w = Find(hwnd);
    if (!w || w == Desktop())
        return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
    case GWL_WNDPROC: w->proc = reinterpret_cast<WNDPROC>(value); break;
    case GWL_STYLE: w->style = static_cast<DWORD>(value); break;
    case GWL_EXSTYLE: w->exStyle = static_cast<DWORD>(value); break;
    case GWL_ID: w->id = static_cast<UINT_PTR>(value); break;
    case GWL_USERDATA: w->userData = value; break;
    case GWL_HWNDPARENT: w->owner = reinterpret_cast<HWND>(value); break;
    default: return 0;
    }
    return old;
}

BOOL SetWindowText(HWND hwnd, LPCSTR text)
{
    return static_cast<BOOL>(SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)));
}

int GetWindowText(HWND hwnd, LPSTR buffer, int size)
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = 0;
    return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) { return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

int GetDlgCtrlID(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && (w->style & WS_CHILD) ? static_cast<int>(w->id) : 0;
}

HWND GetDlgItem(HWND parent, int id)
{
    Window* p = Find(parent);
    if (!p)
        return nullptr;
    for (HWND c : p->children)
        if (static_cast<int>(Find(c)->id) == id)
            return c;
    return nullptr;
}

HWND GetParent(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return nullptr;
    return (w->style & WS_CHILD) ? w->parent : ((w->style & WS_POPUP) ? w->owner : nullptr);
}

HWND SetParent(HWND hwnd, HWND newParent)
{
    Window* w = Find(hwnd);
    Window* p = newParent ? Find(newParent) : Desktop();
    if (!w || !p || w == Desktop())
        return nullptr;
    HWND old = w->parent ? w->parent : GetDesktopWindow();
    bool visible = IsWindowVisible(hwnd);
    if (visible)
        InvalidateParentArea(w);
    unlinkFromTable(w);
    w->parent = (p == Desktop()) ? nullptr : newParent;
    p->children.insert(p->children.begin(), hwnd);
    if (p == Desktop())
        HostShow(w, visible);
    else
        HostDestroy(w);
    if (visible)
        InvalidateAll(w, true, true);
    return old;
}

HWND GetWindow(HWND hwnd, UINT relation)
{
    Window* w = Find(hwnd);
    if (!w)
        return nullptr;
    if (relation == GW_CHILD)
        return w->children.empty() ? nullptr : w->children.front();
    if (relation == GW_OWNER)
        return w->owner;
    auto& sib = SiblingsOf(w);
    auto it = std::find(sib.begin(), sib.end(), hwnd);
    switch (relation) {
    case GW_HWNDFIRST: return sib.front();
    case GW_HWNDLAST: return sib.back();
    case GW_HWNDNEXT: return (it == sib.end() || it + 1 == sib.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV: return (it == sib.begin() || it == sib.end()) ? nullptr : *(it - 1);
    default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd)
{
    Window* w = hwnd ? Find(hwnd) : Desktop();
    return (w && !w->children.empty()) ? w->children.front() : nullptr;
}

HWND GetDesktopWindow() { return Desktop()->hwnd; }

HWND GetAncestorTopLevel(HWND hwnd)
{
    Window* w = TopLevelOf(Find(hwnd));
    return w && w != Desktop() ? w->hwnd : nullptr;
}

BOOL IsChild(HWND parent, HWND hwnd)
{
    for (Window* w = Find(hwnd); w && (w->style & WS_CHILD); w = Find(w->parent))
        if (w->parent == parent)
            return TRUE;
    return FALSE;
}

HWND ChildWindowFromPoint(HWND parent, POINT pt)
{
    Window* p = Find(parent);
    if (!p)
        return nullptr;
    for (HWND c : p->children) {
        Window* w = Find(c);
        if ((w->style & WS_VISIBLE) && pt.x >= w->rect.left && pt.x < w->rect.right && pt.y >= w->rect.top &&
            pt.y < w->rect.bottom)
            return c;
    }
    RECT r{};
    GetClientRect(parent, &r);
    return (pt.x >= 0 && pt.y >= 0 && pt.x < r.right && pt.y < r.bottom) ? parent : nullptr;
}

namespace ui {

HWND DeepestWindowAt(Window* w, POINT screenPt)
{
    for (HWND c : w->children) {
        Window* k = Find(c);
        if (!(k->style & WS_VISIBLE))
            continue;
        POINT o = WindowOrigin(k);
        if (screenPt.x >= o.x && screenPt.y >= o.y && screenPt.x < o.x + (k->rect.right - k->rect.left) &&
            screenPt.y < o.y + (k->rect.bottom - k->rect.top)) {
            if (k->style & WS_DISABLED)
                return (k->style & WS_CHILD) ? w->hwnd : c;
            POINT co = ClientOrigin(k);
            RECT cr{};
            GetClientRect(c, &cr);
            bool inClient = screenPt.x >= co.x && screenPt.y >= co.y && screenPt.x < co.x + cr.right &&
                            screenPt.y < co.y + cr.bottom;
            return inClient ? DeepestWindowAt(k, screenPt) : c;
        }
    }
    return w->hwnd;
}

} // namespace ui

HWND WindowFromPoint(POINT screenPt)
{
    HWND h = DeepestWindowAt(Desktop(), screenPt);
    return h == GetDesktopWindow() ? nullptr : h;
}

BOOL IsWindowVisible(HWND hwnd) { return IsVisibleChain(Find(hwnd)); }

BOOL EnableWindow(HWND hwnd, BOOL enable)
{
    Window* w = Find(hwnd);
    if (!w)
        return FALSE;
    BOOL wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable == !wasDisabled)
        return wasDisabled;
    if (enable)
        w->style &= ~WS_DISABLED;
    else {
        w->style |= WS_DISABLED;
        if (GetFocus() == hwnd || IsChild(hwnd, GetFocus()))
            SetFocus(nullptr);
        if (GetCapture() == hwnd)
            ReleaseCapture();
    }
    SendMessage(hwnd, WM_ENABLE, enable, 0);
    return wasDisabled;
}

BOOL IsWindowEnabled(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && !(w->style & WS_DISABLED);
}

BOOL IsIconic(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && (w->style & WS_MINIMIZE);
}

BOOL IsZoomed(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && (w->style & WS_MAXIMIZE);
}

BOOL GetWindowRect(HWND hwnd, LPRECT rect)
{
    Window* w = Find(hwnd);
    if (!w || !rect)
        return FALSE;
    POINT o = WindowOrigin(w);
    *rect = {o.x, o.y, o.x + (w->rect.right - w->rect.left), o.y + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

BOOL GetClientRect(HWND hwnd, LPRECT rect)
{
    Window* w = Find(hwnd);
    if (!w || !rect)
        return FALSE;
    *rect = {0, 0, std::max(0, w->client.right - w->client.left), std::max(0, w->client.bottom - w->client.top)};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, LPPOINT pt)
{
    Window* w = Find(hwnd);
    if (!w || !pt)
        return FALSE;
    POINT o = ClientOrigin(w);
    pt->x += o.x;
    pt->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, LPPOINT pt)
{
    Window* w = Find(hwnd);
    if (!w || !pt)
        return FALSE;
    POINT o = ClientOrigin(w);
    pt->x -= o.x;
    pt->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count)
{
    Window* a = from ? Find(from) : Desktop();
    Window* b = to ? Find(to) : Desktop();
    if (!a || !b)
        return 0;
    POINT oa = ClientOrigin(a), ob = ClientOrigin(b);
    int dx = oa.x - ob.x, dy = oa.y - ob.y;
    for (UINT i = 0; i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy));
}
