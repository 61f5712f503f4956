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

void EnsureImages(Window* w)
{
    if (!w || w == Desktop())
        return;
    QSize client(std::max(1, w->client.right - w->client.left), std::max(1, w->client.bottom - w->client.top));
    if (w->clientImage.size() != client) {
        w->clientImage = QImage(client, QImage::Format_RGB32);
        w->clientImage.fill(Qt::white);
    }
    QSize whole(std::max(1, w->rect.right - w->rect.left), std::max(1, w->rect.bottom - w->rect.top));
    bool hasFrame = whole != client;
    if (!hasFrame)
        w->frameImage = QImage();
    else if (w->frameImage.size() != whole) {
        w->frameImage = QImage(whole, QImage::Format_RGB32);
        w->frameImage.fill(Qt::lightGray);
    }
}

void Compose(QPainter& painter, Window* w)
{
    if (!w || !(w->style & WS_VISIBLE))
        return;
    EnsureImages(w);
    painter.save();
    if (!w->frameImage.isNull())
        painter.drawImage(0, 0, w->frameImage);
    painter.translate(w->client.left, w->client.top);
    QRect clientArea(0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top);
    painter.setClipRect(clientArea, Qt::IntersectClip);
    painter.drawImage(0, 0, w->clientImage);
    for (auto it = w->children.rbegin(); it != w->children.rend(); ++it) {
        Window* k = Find(*it);
        painter.save();
        painter.translate(k->rect.left, k->rect.top);
        painter.setClipRect(QRect(0, 0, k->rect.right - k->rect.left, k->rect.bottom - k->rect.top), Qt::IntersectClip);
        Compose(painter, k);
        painter.restore();
    }
    painter.restore();
}

void FlushClient(Window* w, const QRect& rect) { FlushWindowArea(w, rect.translated(SurfaceOffset(w))); }

void FlushWindow(Window* w)
{
    Window* top = TopLevelOf(w);
    POINT o = WindowOrigin(w), t = WindowOrigin(top);
    FlushWindowArea(w, QRect(o.x - t.x, o.y - t.y, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top));
}

void FillClientBackground(Window* w, const QRegion& clientArea)
{
    EnsureImages(w);
    QPainter p(&w->clientImage);
    p.setClipRegion(clientArea);
    QRegion area = clientArea;
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
    EnsureImages(w);
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
    FlushClient(w, r);
    return TRUE;
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
        EnsureImages(w);
        QImage copy = w->clientImage.copy(area);
        QPainter p(&w->clientImage);
        p.setClipRect(area);
        p.drawImage(area.topLeft() + QPoint(dx, dy), copy);
        p.end();
        QRegion moved = QRegion(area).intersected(QRegion(area.translated(dx, dy)));
        QRegion stale = w->update.intersected(area);
        w->update = (w->update - area) + stale.translated(dx, dy).intersected(area);
        InvalidateClient(w, QRegion(area) - moved, true);
        FlushClient(w, area);
    }
    if (!scrollRect)
        for (HWND c : std::vector<HWND>(w->children)) {
            Window* k = Find(c);
            SetWindowPos(c, nullptr, k->rect.left + dx, k->rect.top + dy, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        }
    return TRUE;
}
