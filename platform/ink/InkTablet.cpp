#include "platform/ink/InkTablet.h"

#include "platform/ink/InkCollector.h"
#include "platform/ui/UiApi.h"

#include <QCoreApplication>
#include <QTabletEvent>

#include <algorithm>
#include <cmath>

namespace {

// The collector on the window, or on the nearest window above it, that takes ink.
HWND CollectingWindowAt(POINT screen)
{
    for (HWND w = WindowFromPoint(screen); w; w = GetParent(w))
        if (InkCollector::OnWindow(w))
            return w;
    return nullptr;
}

class TabletWatcher : public QObject {
protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        QEvent::Type type = event->type();
        if (type != QEvent::TabletPress && type != QEvent::TabletMove && type != QEvent::TabletRelease)
            return QObject::eventFilter(object, event);
        auto* tablet = static_cast<QTabletEvent*>(event);
        POINT point{LONG(std::lround(tablet->globalPosition().x())), LONG(std::lround(tablet->globalPosition().y()))};
        if (type == QEvent::TabletPress)
            m_window = CollectingWindowAt(point);
        InkCollector* collector = m_window ? InkCollector::OnWindow(m_window) : nullptr;
        if (!collector)
            return false;
        ScreenToClient(m_window, &point);
        auto pressure = WORD(std::lround(std::clamp(tablet->pressure(), 0.0, 1.0) * kMaxInkPressure));
        if (type == QEvent::TabletPress) {
            bool eraser = tablet->pointerType() == QPointingDevice::PointerType::Eraser;
            collector->PenDown(point, pressure, InkCursor{2, "Pen", eraser});
        } else if (type == QEvent::TabletMove) {
            collector->PenMove(point, pressure);
        } else {
            collector->PenUp(point);
            m_window = nullptr;
        }
        event->accept();
        return true;
    }

private:
    HWND m_window = nullptr;  // where the pen went down
};

}  // namespace

void WatchTablets()
{
    static TabletWatcher* watcher = nullptr;
    if (watcher || !QCoreApplication::instance())
        return;
    watcher = new TabletWatcher;  // lives as long as the application
    QCoreApplication::instance()->installEventFilter(watcher);
}
