// Update regions, paint messages and the back buffers of top-level windows.
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowDC.h"
#include "platform/ui/WindowTable.h"

#include <QPainter>

namespace ui {
namespace {

QRect toQRect(const RECT& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

QRect clientRect(Window* w) { return QRect(0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top); }

QRect screenWindowRect(Window* w)
{
    POINT o = WindowOrigin(w);
    return QRect(o.x, o.y, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
}

QRect screenClientRect(Window* w)
{
    POINT o = ClientOrigin(w);
    return QRect(o.x, o.y, w->client.right - w->client.left, w->client.bottom - w->client.top);
}

bool paintPending(Window* w) { return w->redraw && (!w->update.isEmpty() || w->frameNeeded); }

// Invalidates the part of a screen area that lies in w's client area and in every visible
// window below it, except the subtree of skip.
void invalidateScreenArea(Window* w, const QRegion& screenArea, Window* skip)
{
    if (!(w->style & WS_VISIBLE) || w == skip)
        return;
    QRect sc = screenClientRect(w);
    QRegion mine = screenArea.intersected(sc);
    if (mine.isEmpty())
        return;
    InvalidateClient(w, mine.translated(-sc.topLeft()), true);
    for (HWND c : w->children)
        invalidateScreenArea(Find(c), mine, skip);
}

HWND firstPending(Window* w)
{
    if (!(w->style & WS_VISIBLE))
        return nullptr;
    if (paintPending(w))
        return w->hwnd;
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it)
        if (HWND h = firstPending(Find(*it)))
            return h;
    return nullptr;
}

COLORREF brushColour(HBRUSH brush)
{
    auto value = reinterpret_cast<uintptr_t>(brush);
    if (value == 0)
        return RGB(255, 255, 255);
    if (value <= 31)
        return GetSysColor(static_cast<int>(value - 1));
    return BrushColour(brush);
}

} // namespace

QPoint SurfaceOffset(Window* w)
{
    Window* top = TopLevelOf(w);
    POINT o = ClientOrigin(w), t = WindowOrigin(top);
    return QPoint(o.x - t.x, o.y - t.y);
}

namespace {

// The part of a screen region not hidden by ancestors' edges or by siblings above w or
// above any of its ancestors.
QRegion clipToAncestors(Window* w, QRegion visible)
{
    for (Window* a = w; a && a != Desktop() && (a->style & WS_CHILD); a = Find(a->parent)) {
        Window* p = Find(a->parent);
        visible &= screenClientRect(p);
        for (HWND s : p->children) {
            if (s == a->hwnd)
                break;
            Window* sib = Find(s);
            if (sib->style & WS_VISIBLE)
                visible -= screenWindowRect(sib);
        }
    }
    POINT t = WindowOrigin(TopLevelOf(w));
    return visible.translated(-t.x, -t.y);
}

} // namespace

QRegion VisibleClientRegion(Window* w)
{
    QRegion visible = screenClientRect(w);
    for (HWND c : w->children) {
        Window* k = Find(c);
        if (k->style & WS_VISIBLE)
            visible -= screenWindowRect(k);
    }
    return clipToAncestors(w, visible);
}

QRegion VisibleFrameRegion(Window* w) { return clipToAncestors(w, QRegion(screenWindowRect(w)) - screenClientRect(w)); }

void InvalidateClient(Window* w, const QRegion& region, bool erase)
{
    if (!w || w == Desktop() || !IsVisibleChain(w))
        return;
    QRegion add = region.intersected(clientRect(w));
    if (add.isEmpty())
        return;
    w->update += add;
    w->eraseNeeded = w->eraseNeeded || erase;
    WakeHost();
}

void InvalidateAll(Window* w, bool erase, bool frame)
{
    if (!w || w == Desktop())
        return;
    InvalidateClient(w, clientRect(w), erase);
    if (frame && IsVisibleChain(w))
        w->frameNeeded = true;
    for (HWND c : w->children)
        InvalidateAll(Find(c), erase, frame);
}

void InvalidateParentArea(Window* w)
{
    if (!IsVisibleChain(w))
        return;
    Window* p = Find(w->parent);
    if (!p || p == Desktop())
        return;
    invalidateScreenArea(p, screenWindowRect(w), w);
}

bool AnyPaintPending() { return firstPending(Desktop()) != nullptr; }

HWND NextWindowToPaint()
{
    for (auto it = Desktop()->children.rbegin(); it != Desktop()->children.rend(); ++it)
        if (HWND h = firstPending(Find(*it)))
            return h;
    return nullptr;
}

void EnsureSurface(Window* w)
{
    Window* top = TopLevelOf(w);
    if (!top || top == Desktop())
        return;
    QSize size(std::max(1, top->rect.right - top->rect.left), std::max(1, top->rect.bottom - top->rect.top));
    if (!top->surface)
        top->surface = std::make_unique<Surface>();
    if (top->surface->image.size() != size) {
        QImage fresh(size, QImage::Format_RGB32);
        fresh.fill(Qt::white);
        top->surface->image = fresh;
    }
}

void FillClientBackground(Window* w, const QRegion& clientArea)
{
    EnsureSurface(w);
    Window* top = TopLevelOf(w);
    QPainter p(&top->surface->image);
    QRegion area = clientArea.translated(SurfaceOffset(w)).intersected(VisibleClientRegion(w));
    p.setClipRegion(area);
    COLORREF c = brushColour(w->cls ? w->cls->background : nullptr);
    p.fillRect(area.boundingRect(), QColor(GetRValue(c), GetGValue(c), GetBValue(c)));
}

} // namespace ui

using namespace ui;

BOOL InvalidateRect(HWND hwnd, LPCRECT rect, BOOL erase)
{
    if (!hwnd) {
        for (HWND top : Desktop()->children)
            InvalidateAll(Find(top), erase, true);
        return TRUE;
    }
    Window* w = Find(hwnd);
    if (!w)
        return FALSE;
    InvalidateClient(w, rect ? QRegion(toQRect(*rect)) : QRegion(clientRect(w)), erase);
    return TRUE;
}

BOOL ValidateRect(HWND hwnd, LPCRECT rect)
{
    Window* w = Find(hwnd);
    if (!w)
        return FALSE;
    if (rect)
        w->update -= toQRect(*rect);
    else
        w->update = QRegion();
    if (w->update.isEmpty())
        w->eraseNeeded = false;
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, LPRECT rect, BOOL)
{
    Window* w = Find(hwnd);
    if (!w)
        return FALSE;
    QRect b = w->update.boundingRect();
    if (rect)
        *rect = b.isEmpty() ? RECT{0, 0, 0, 0} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    return !b.isEmpty();
}

BOOL UpdateWindow(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w)
        return FALSE;
    if (paintPending(w) && IsVisibleChain(w)) {
        SendMessage(hwnd, WM_PAINT, 0, 0);
        if ((w = Find(hwnd)) != nullptr)
            ValidateRect(hwnd, nullptr);
    }
    return TRUE;
}

namespace {

void updateTree(HWND hwnd)
{
    UpdateWindow(hwnd);
    Window* w = Find(hwnd);
    if (!w)
        return;
    std::vector<HWND> kids(w->children.rbegin(), w->children.rend());
    for (HWND k : kids)
        if (IsWindow(k))
            updateTree(k);
}

void validateTree(Window* w, const QRegion& r, bool children)
{
    w->update -= r;
    if (w->update.isEmpty())
        w->eraseNeeded = false;
    if (children)
        for (HWND c : w->children)
            validateTree(Find(c), QRegion(clientRect(Find(c))), true);
}

} // namespace

BOOL RedrawWindow(HWND hwnd, LPCRECT rect, HRGN, UINT flags)
{
    Window* w = hwnd ? Find(hwnd) : nullptr;
    if (!w)
        return InvalidateRect(nullptr, nullptr, TRUE);
    QRegion area = rect ? QRegion(toQRect(*rect)) : QRegion(clientRect(w));
    bool children = (flags & RDW_ALLCHILDREN) != 0;
    if (flags & RDW_INVALIDATE) {
        InvalidateClient(w, area, (flags & RDW_ERASE) != 0);
        if ((flags & RDW_FRAME) && IsVisibleChain(w))
            w->frameNeeded = true;
        if (children)
            for (HWND c : w->children)
                InvalidateAll(Find(c), (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0);
    }
    if (flags & RDW_VALIDATE)
        validateTree(w, area, children);
    if (flags & RDW_UPDATENOW) {
        if (children)
            updateTree(hwnd);
        else
            UpdateWindow(hwnd);
    }
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps)
{
    Window* w = Find(hwnd);
    if (!w || !ps)
        return nullptr;
    *ps = PAINTSTRUCT{};
    EnsureSurface(w);
    if (w->frameNeeded) {
        w->frameNeeded = false;
        SendMessage(hwnd, WM_NCPAINT, 1, 0);
        if ((w = Find(hwnd)) == nullptr)
            return nullptr;
    }
    QRegion area = w->update;
    bool erase = w->eraseNeeded;
    w->update = QRegion();
    w->eraseNeeded = false;
    w->painting = area;
    QRect b = area.boundingRect();
    ps->rcPaint = b.isEmpty() ? RECT{0, 0, 0, 0} : RECT{b.left(), b.top(), b.right() + 1, b.bottom() + 1};
    ps->hdc = CreateWindowDC(w, area, false);
    ps->fErase = TRUE;
    if (erase && !area.isEmpty())
        ps->fErase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) ? FALSE : TRUE;
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps)
{
    Window* w = Find(hwnd);
    if (ps && ps->hdc)
        ReleaseWindowDC(ps->hdc);
    if (!w)
        return FALSE;
    w->painting = QRegion();
    QRect r = ps ? QRect(ps->rcPaint.left, ps->rcPaint.top, ps->rcPaint.right - ps->rcPaint.left,
                         ps->rcPaint.bottom - ps->rcPaint.top)
                 : clientRect(w);
    FlushSurface(w, r.translated(SurfaceOffset(w)));
    return TRUE;
}

HDC GetDC(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || w == Desktop())
        return CreateScreenDC();
    return CreateWindowDC(w, QRegion(clientRect(w)), false);
}

HDC GetWindowDC(HWND hwnd)
{
    Window* w = Find(hwnd);
    if (!w || w == Desktop())
        return CreateScreenDC();
    return CreateWindowDC(w, QRegion(), true);
}

int ReleaseDC(HWND hwnd, HDC dc)
{
    if (!dc)
        return 0;
    ReleaseWindowDC(dc);
    if (Window* w = Find(hwnd))
        FlushSurface(w, QRect(SurfaceOffset(w), QSize(w->client.right - w->client.left, w->client.bottom - w->client.top)));
    return 1;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, LPCRECT scrollRect, LPCRECT clipRect)
{
    Window* w = Find(hwnd);
    if (!w)
        return FALSE;
    QRect area = scrollRect ? toQRect(*scrollRect) : clientRect(w);
    if (clipRect)
        area &= toQRect(*clipRect);
    if (IsVisibleChain(w) && !area.isEmpty()) {
        EnsureSurface(w);
        QImage& image = TopLevelOf(w)->surface->image;
        QPoint off = SurfaceOffset(w);
        QRegion visible = VisibleClientRegion(w);
        QRect src = area.translated(off);
        QImage copy = image.copy(src);
        QPainter p(&image);
        p.setClipRegion(visible.intersected(src));
        p.drawImage(src.topLeft() + QPoint(dx, dy), copy);
        p.end();
        QRegion moved = QRegion(area).intersected(QRegion(area.translated(dx, dy)));
        QRegion stale = w->update.intersected(area);
        w->update = (w->update - area) + stale.translated(dx, dy).intersected(area);
        QRegion hidden = QRegion(area) - visible.translated(-off);
        InvalidateClient(w, (QRegion(area) - moved) + hidden.translated(dx, dy).intersected(area), true);
        FlushSurface(w, src);
    }
    if (!scrollRect)
        for (HWND c : std::vector<HWND>(w->children)) {
            Window* k = Find(c);
            SetWindowPos(c, nullptr, k->rect.left + dx, k->rect.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    return TRUE;
}
