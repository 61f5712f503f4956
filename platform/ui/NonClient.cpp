// Drawing of the default non-client area: borders, captions and standard scroll bars.
#include "platform/gdi/GdiState.h"
#include "platform/ui/Menu.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowTable.h"

#include <QPainter>

#include <algorithm>

namespace ui {
namespace {

QColor sys(int index)
{
    COLORREF c = GetSysColor(index);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// A filled triangle pointing along (dx, dy), centred in the button.
void drawArrow(QPainter& p, const QRect& button, int dx, int dy)
{
    const QPointF c = QRectF(button).center();
    const qreal s = std::max(2, std::min(button.width(), button.height()) / 4);
    const QPointF along(dx * s / 2, dy * s / 2), across(-dy * s, dx * s);
    const QPointF tip[3] = {c + along, c - along + across, c - along - across};
    p.setPen(Qt::NoPen);
    p.setBrush(sys(COLOR_BTNTEXT));
    p.drawPolygon(tip, 3);
    p.setBrush(Qt::NoBrush);
}

void drawScrollBar(QPainter& p, const QRect& track, const ScrollBar& b, bool vertical)
{
    p.fillRect(track, sys(COLOR_SCROLLBAR));
    int length = vertical ? track.height() : track.width();
    int thick = vertical ? track.width() : track.height();
    QRect first = vertical ? QRect(track.left(), track.top(), thick, thick) : QRect(track.left(), track.top(), thick, thick);
    QRect last = vertical ? QRect(track.left(), track.bottom() - thick + 1, thick, thick)
                          : QRect(track.right() - thick + 1, track.top(), thick, thick);
    p.fillRect(first, sys(COLOR_BTNFACE));
    p.fillRect(last, sys(COLOR_BTNFACE));
    Thumb thumb = ThumbOf(b, length);
    QRect t = vertical ? QRect(track.left(), track.top() + thumb.at, thick, thumb.length)
                       : QRect(track.left() + thumb.at, track.top(), thumb.length, thick);
    p.fillRect(t, sys(COLOR_BTNFACE));
    p.setPen(sys(COLOR_BTNSHADOW));
    p.drawRect(t.adjusted(0, 0, -1, -1));
    p.drawRect(first.adjusted(0, 0, -1, -1));
    p.drawRect(last.adjusted(0, 0, -1, -1));
    drawArrow(p, first, vertical ? 0 : -1, vertical ? -1 : 0);
    drawArrow(p, last, vertical ? 0 : 1, vertical ? 1 : 0);
}

void drawCaption(QPainter& p, Window* w, const QRect& bar)
{
    bool active = GetActiveWindow() == TopLevelOf(w)->hwnd;
    p.fillRect(bar, sys(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    p.setPen(sys(COLOR_CAPTIONTEXT));
    // Text needs the fonts of a GUI application, which a program without a display may lack.
    gdi::EnsureGuiApplication();
    p.drawText(bar.adjusted(4, 0, -20, 0), Qt::AlignVCenter | Qt::AlignLeft, QString::fromLatin1(w->text.c_str()));
    QRect close(bar.right() - 17, bar.top() + 2, 15, bar.height() - 4);
    p.fillRect(close, sys(COLOR_BTNFACE));
    p.setPen(sys(COLOR_BTNTEXT));
    p.drawLine(close.topLeft() + QPoint(4, 4), close.bottomRight() - QPoint(4, 4));
    p.drawLine(close.topRight() + QPoint(-4, 4), close.bottomLeft() + QPoint(4, -4));
}

QString menuText(HMENU menu, int index)
{
    char text[128] = "";
    GetMenuString(menu, static_cast<UINT>(index), text, sizeof text, MF_BYPOSITION);
    return QString::fromLatin1(text).remove('&');
}

void drawMenuBar(QPainter& p, Window* w)
{
    std::vector<QRect> items = MenuBarItems(w);
    if (items.empty() && !HasMenuBar(w))
        return;
    QRect band(w->client.left, w->client.top - kMenuBarHeight, w->client.right - w->client.left, kMenuBarHeight);
    p.fillRect(band, sys(COLOR_MENU));
    auto menu = reinterpret_cast<HMENU>(w->id);
    for (size_t i = 0; i < items.size(); ++i) {
        bool grayed = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED);
        p.setPen(sys(grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
        p.drawText(items[i], Qt::AlignCenter, menuText(menu, static_cast<int>(i)));
    }
}

} // namespace

Thumb ThumbOf(const ScrollBar& b, int length)
{
    int track = std::max(1, length - 2 * kScrollArrow);
    int range = std::max(1, b.max - b.min + 1);
    int thumb = b.page ? std::max(8, static_cast<int>(track * static_cast<long long>(b.page) / range)) : kScrollArrow;
    thumb = std::min(thumb, track);
    int span = std::max(1, range - static_cast<int>(b.page));
    int at = kScrollArrow + static_cast<int>((track - thumb) * static_cast<long long>(b.pos - b.min) / span);
    return Thumb{at, thumb, track};
}

int PositionAt(const ScrollBar& b, int length, int thumbAt)
{
    Thumb t = ThumbOf(b, length);
    int free = std::max(1, t.track - t.length);
    int span = std::max(0, b.max - b.min + 1 - static_cast<int>(b.page));
    int offset = std::clamp(thumbAt - kScrollArrow, 0, free);
    return b.min + static_cast<int>(static_cast<long long>(offset) * span / free);
}

bool HasMenuBar(Window* w)
{
    return !(w->style & WS_CHILD) && w != Desktop() && w->id && IsMenu(reinterpret_cast<HMENU>(w->id));
}

// Items are laid out by the length of their text, so hit testing needs no font.
std::vector<QRect> MenuBarItems(Window* w)
{
    std::vector<QRect> items;
    if (!HasMenuBar(w))
        return items;
    auto menu = reinterpret_cast<HMENU>(w->id);
    int x = w->client.left + 2;
    int top = w->client.top - kMenuBarHeight;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        int width = static_cast<int>(menuText(menu, i).size()) * 7 + 14;
        items.emplace_back(x, top, width, kMenuBarHeight);
        x += width;
    }
    return items;
}

void PaintNonClient(Window* w)
{
    EnsureImages(w);
    if (w->frameImage.isNull())
        return;
    QRect whole(0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top);
    QPainter p(&w->frameImage);
    int frame = (w->style & WS_CHILD) ? ((w->style & WS_THICKFRAME) ? 4 : (w->style & WS_DLGFRAME) ? 3 : (w->style & WS_BORDER) ? 1 : 0) : 0;
    if (frame) {
        p.fillRect(whole, sys(COLOR_BTNFACE));
        p.setPen(sys(COLOR_WINDOWFRAME));
        p.drawRect(whole.adjusted(0, 0, -1, -1));
    }
    if ((w->style & WS_CHILD) && (w->style & WS_CAPTION) == WS_CAPTION)
        drawCaption(p, w, QRect(frame, frame, whole.width() - 2 * frame, 19));
    drawMenuBar(p, w);
    QRect c(QPoint(w->client.left, w->client.top), QSize(w->client.right - w->client.left, w->client.bottom - w->client.top));
    if (w->exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) {
        int e = (w->exStyle & WS_EX_CLIENTEDGE) ? 2 : 1;
        QRect edge = c.adjusted(-e, -e, e, e);
        if (w->style & WS_VSCROLL)
            edge.setRight(edge.right() + 16);
        if (w->style & WS_HSCROLL)
            edge.setBottom(edge.bottom() + 16);
        p.fillRect(edge, sys(COLOR_BTNFACE));
        p.setPen(sys(COLOR_BTNSHADOW));
        p.drawRect(edge.adjusted(0, 0, -1, -1));
    }
    if (w->style & WS_VSCROLL)
        drawScrollBar(p, QRect(c.right() + 1, c.top(), 16, c.height()), w->bars[SB_VERT], true);
    if (w->style & WS_HSCROLL)
        drawScrollBar(p, QRect(c.left(), c.bottom() + 1, c.width(), 16), w->bars[SB_HORZ], false);
    if ((w->style & WS_VSCROLL) && (w->style & WS_HSCROLL))
        p.fillRect(QRect(c.right() + 1, c.bottom() + 1, 16, 16), sys(COLOR_BTNFACE));
    p.end();
    FlushWindow(w);
}

} // namespace ui
