// The bridge to Qt: one widget per shown top-level window presents its back buffer and
// turns Qt's input, resize, close, focus and drop events into messages.
#include "platform/ui/DropHook.h"
#include "platform/ui/HostCursor.h"
#include "platform/ui/TestScript.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowTable.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <set>

using namespace ui;

namespace {

int hostDepth = 0;
DragHook dragHook = nullptr;

struct HandlerScope {
    HandlerScope() { ++hostDepth; }
    ~HandlerScope() { --hostDepth; }
};

std::set<HostWidget*>& hosts()
{
    static std::set<HostWidget*> all;
    return all;
}

UINT mouseKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    UINT k = 0;
    if (buttons & Qt::LeftButton)
        k |= MK_LBUTTON;
    if (buttons & Qt::RightButton)
        k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton)
        k |= MK_MBUTTON;
    if (mods & Qt::ShiftModifier)
        k |= MK_SHIFT;
    if (mods & Qt::ControlModifier)
        k |= MK_CONTROL;
    return k;
}

UINT buttonMessage(Qt::MouseButton b, UINT left)
{
    switch (b) {
    case Qt::RightButton: return left + (WM_RBUTTONDOWN - WM_LBUTTONDOWN);
    case Qt::MiddleButton: return left + (WM_MBUTTONDOWN - WM_LBUTTONDOWN);
    default: return left;
    }
}

int virtualKey(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return '0' + (key - Qt::Key_0);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        return VK_F1 + (key - Qt::Key_F1);
    static const std::pair<int, int> table[] = {
        {Qt::Key_Backspace, VK_BACK}, {Qt::Key_Tab, VK_TAB}, {Qt::Key_Backtab, VK_TAB}, {Qt::Key_Return, VK_RETURN},
        {Qt::Key_Enter, VK_RETURN}, {Qt::Key_Shift, VK_SHIFT}, {Qt::Key_Control, VK_CONTROL}, {Qt::Key_Alt, VK_MENU},
        {Qt::Key_Pause, VK_PAUSE}, {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE}, {Qt::Key_Space, VK_SPACE},
        {Qt::Key_PageUp, VK_PRIOR}, {Qt::Key_PageDown, VK_NEXT}, {Qt::Key_End, VK_END}, {Qt::Key_Home, VK_HOME},
        {Qt::Key_Left, VK_LEFT}, {Qt::Key_Up, VK_UP}, {Qt::Key_Right, VK_RIGHT}, {Qt::Key_Down, VK_DOWN},
        {Qt::Key_Insert, VK_INSERT}, {Qt::Key_Delete, VK_DELETE}, {Qt::Key_Help, VK_HELP}, {Qt::Key_Menu, VK_APPS},
        {Qt::Key_NumLock, VK_NUMLOCK}, {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Semicolon, 0xBA},
        {Qt::Key_Colon, 0xBA}, {Qt::Key_Equal, 0xBB}, {Qt::Key_Plus, 0xBB}, {Qt::Key_Comma, 0xBC},
        {Qt::Key_Less, 0xBC}, {Qt::Key_Minus, 0xBD}, {Qt::Key_Underscore, 0xBD}, {Qt::Key_Period, 0xBE},
        {Qt::Key_Greater, 0xBE}, {Qt::Key_Slash, 0xBF}, {Qt::Key_Question, 0xBF}, {Qt::Key_QuoteLeft, 0xC0},
        {Qt::Key_AsciiTilde, 0xC0}, {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_BraceLeft, 0xDB},
        {Qt::Key_Backslash, 0xDC}, {Qt::Key_Bar, 0xDC}, {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD},
        {Qt::Key_Apostrophe, 0xDE}, {Qt::Key_QuoteDbl, 0xDE}};
    for (auto [qt, vk] : table)
        if (qt == key)
            return vk;
    return 0;
}

} // namespace

class HostWidget : public QWidget {
public:
    explicit HostWidget(HWND hwnd) : m_hwnd(hwnd)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setMouseTracking(true);
        setFocusPolicy(Qt::StrongFocus);
        setAcceptDrops(true);
        hosts().insert(this);
    }
    ~HostWidget() override { hosts().erase(this); }

    void place(const RECT& r)
    {
        m_syncing = true;
        setGeometry(r.left, r.top, std::max(1, r.right - r.left), std::max(1, r.bottom - r.top));
        m_syncing = false;
    }

    void forget() { m_hwnd = nullptr; }

protected:
    void paintEvent(QPaintEvent* e) override
    {
        Window* w = Find(m_hwnd);
        QPainter p(this);
        p.fillRect(e->rect(), Qt::white);
        if (!w)
            return;
        p.setClipRect(e->rect());
        Compose(p, w);
        HWND caretWnd = nullptr;
        RECT caret{};
        if (CaretVisible(&caretWnd, &caret) && GetAncestorTopLevel(caretWnd) == m_hwnd) {
            QPoint o = SurfaceOffset(Find(caretWnd));
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
            p.fillRect(QRect(o + QPoint(caret.left, caret.top), QSize(caret.right - caret.left, caret.bottom - caret.top)),
                       Qt::white);
        }
    }

    void mouseMoveEvent(QMouseEvent* e) override { mouse(WM_MOUSEMOVE, e); }
    void mousePressEvent(QMouseEvent* e) override { mouse(buttonMessage(e->button(), WM_LBUTTONDOWN), e); }
    void mouseReleaseEvent(QMouseEvent* e) override { mouse(buttonMessage(e->button(), WM_LBUTTONUP), e); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { mouse(buttonMessage(e->button(), WM_LBUTTONDBLCLK), e); }

    void wheelEvent(QWheelEvent* e) override
    {
        HandlerScope scope;
        RouteWheel(e->angleDelta().y(), screenPoint(e->position().toPoint()), mouseKeys(e->buttons(), e->modifiers()));
    }

    void keyPressEvent(QKeyEvent* e) override { key(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override { key(e, false); }

    void resizeEvent(QResizeEvent*) override { syncGeometry(); }
    void moveEvent(QMoveEvent*) override { syncGeometry(); }

    void closeEvent(QCloseEvent* e) override
    {
        e->ignore();
        if (m_hwnd)
            PostMessage(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    }

    void focusInEvent(QFocusEvent*) override
    {
        HandlerScope scope;
        if (m_hwnd)
            ActivateFromDisplay(m_hwnd);
    }

    void dragEnterEvent(QDragEnterEvent* e) override
    {
        int effect = dragStage(DragStage::enter, e);
        if (effect >= 0 || wantsFiles(e))
            e->accept();
    }

    void dragMoveEvent(QDragMoveEvent* e) override
    {
        int effect = dragStage(DragStage::over, e);
        if (effect > 0)
            e->setDropAction(static_cast<Qt::DropAction>(effect & Qt::ActionMask));
        if (effect > 0 || (effect < 0 && wantsFiles(e)))
            e->accept();
        else
            e->ignore();
    }

    void dragLeaveEvent(QDragLeaveEvent*) override
    {
        if (dragHook)
            dragHook(DragStage::leave, nullptr, {0, 0}, 0, 0);
    }

    void dropEvent(QDropEvent* e) override
    {
        if (int effect = dragStage(DragStage::drop, e); effect >= 0) {
            e->setDropAction(static_cast<Qt::DropAction>(effect & Qt::ActionMask));
            e->accept();
            return;
        }
        std::vector<std::string> files;
        for (const QUrl& url : e->mimeData()->urls())
            if (url.isLocalFile())
                files.push_back(url.toLocalFile().toStdString());
        if (!files.empty() && m_hwnd)
            PostDroppedFiles(m_hwnd, screenPoint(e->position().toPoint()), files);
    }

private:
    bool wantsFiles(QDropEvent* e)
    {
        Window* w = Find(m_hwnd);
        return w && w->acceptFiles && e->mimeData()->hasUrls();
    }

    int dragStage(DragStage stage, QDropEvent* e)
    {
        if (!dragHook)
            return -1;
        HandlerScope scope;
        constexpr DWORD altKey = 0x20; // MK_ALT of drag key states
        DWORD keys = mouseKeys(e->buttons(), e->modifiers()) | ((e->modifiers() & Qt::AltModifier) ? altKey : 0);
        return dragHook(stage, e->mimeData(), screenPoint(e->position().toPoint()), keys,
                        static_cast<DWORD>(e->possibleActions() & Qt::ActionMask));
    }

    POINT screenPoint(QPoint local)
    {
        Window* w = Find(m_hwnd);
        POINT o = w ? WindowOrigin(w) : POINT{0, 0};
        return {o.x + local.x(), o.y + local.y()};
    }

    void mouse(UINT message, QMouseEvent* e)
    {
        HandlerScope scope;
        if (m_hwnd)
            RouteMouse(m_hwnd, message, screenPoint(e->position().toPoint()), mouseKeys(e->buttons(), e->modifiers()));
    }

    void key(QKeyEvent* e, bool down)
    {
        HandlerScope scope;
        int vk = virtualKey(e->key());
        // Alt itself comes as a system key, as do the keys pressed while it is held.
        bool alt = (e->modifiers() & Qt::AltModifier) || vk == VK_MENU;
        LPARAM lp = (e->isAutoRepeat() ? (1 << 30) : 0) | (down ? 0 : (1u << 31)) | (alt ? (1 << 29) : 0) | 1;
        if (vk) {
            RouteKey(down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP), static_cast<WPARAM>(vk), lp);
            return;
        }
        QByteArray text = e->text().toLatin1();
        if (down && text.size() == 1 && static_cast<unsigned char>(text[0]) >= 0x20)
            RouteKey(WM_CHAR, static_cast<unsigned char>(text[0]), lp);
    }

    void syncGeometry()
    {
        Window* w = Find(m_hwnd);
        if (m_syncing || !w)
            return;
        HandlerScope scope;
        QRect g = geometry();
        if (g.x() != w->rect.left || g.y() != w->rect.top || g.width() != w->rect.right - w->rect.left ||
            g.height() != w->rect.bottom - w->rect.top)
            SetWindowPos(m_hwnd, nullptr, g.x(), g.y(), g.width(), g.height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND m_hwnd;
    bool m_syncing = false;
};

namespace ui {

void SetDragHook(DragHook hook) { dragHook = hook; }

bool HaveDisplay() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

bool CanAskUser() { return HaveDisplay() && !UiTestScript::Scripted(); }

void SyncDesktopWithScreen()
{
    QScreen* screen = HaveDisplay() ? QGuiApplication::primaryScreen() : nullptr;
    if (!screen)
        return;
    QRect g = screen->geometry();
    Desktop()->rect = {0, 0, g.width(), g.height()};
    Desktop()->client = Desktop()->rect;
}

namespace {

// The smallest and largest sizes the window accepts from the display.
void applyTrackLimits(Window* w)
{
    MINMAXINFO mmi{};
    mmi.ptMinTrackSize = {GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN)};
    mmi.ptMaxTrackSize = {QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    SendMessage(w->hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    if (!w->host)
        return;
    w->host->setMinimumSize(std::max(1, static_cast<int>(mmi.ptMinTrackSize.x)), std::max(1, static_cast<int>(mmi.ptMinTrackSize.y)));
    w->host->setMaximumSize(std::clamp(static_cast<int>(mmi.ptMaxTrackSize.x), 1, QWIDGETSIZE_MAX),
                            std::clamp(static_cast<int>(mmi.ptMaxTrackSize.y), 1, QWIDGETSIZE_MAX));
}

} // namespace

void HostShow(Window* w, bool show)
{
    if (!HaveDisplay() || (w->style & WS_CHILD))
        return;
    if (!w->host) {
        if (!show)
            return;
        w->host = new HostWidget(w->hwnd);
        if (w->exStyle & WS_EX_NOACTIVATE) {
            // The display must not hand it the focus on a click or when it shows.
            w->host->setAttribute(Qt::WA_ShowWithoutActivating);
            w->host->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
            w->host->setFocusPolicy(Qt::NoFocus);
        }
        w->host->setWindowTitle(QString::fromLatin1(w->text.c_str()));
        w->host->place(w->rect);
    }
    if (show)
        applyTrackLimits(w);
    w->host->setVisible(show);
}

void HostGeometry(Window* w)
{
    if (w->host)
        w->host->place(w->rect);
}

void HostTitle(Window* w)
{
    if (w->host)
        w->host->setWindowTitle(QString::fromLatin1(w->text.c_str()));
}

void HostDestroy(Window* w)
{
    if (!w->host)
        return;
    HostWidget* host = w->host;
    w->host = nullptr;
    host->forget();
    host->hide();
    host->deleteLater();
}

void HostAlert(Window* w)
{
    Window* top = TopLevelOf(w);
    if (top && top->host)
        QApplication::alert(top->host);
}

void HostRaise(Window* w)
{
    Window* top = TopLevelOf(w);
    // A display without windows of its own has nothing to raise.
    if (!top || !top->host || QGuiApplication::platformName() == "offscreen")
        return;
    top->host->raise();
    top->host->activateWindow();
}

void HostCursor(HCURSOR cursor)
{
    for (HostWidget* h : hosts())
        h->setCursor(HostCursorFor(cursor));
}

void FlushWindowArea(Window* w, const QRect& rect)
{
    Window* top = TopLevelOf(w);
    if (top && top->host)
        top->host->update(rect);
}

void ProcessHostEvents(bool wait, int timeoutMs)
{
    if (!HaveDisplay())
        return;
    if (hostDepth == 0)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!wait) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return;
    }
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(timeoutMs < 0 ? 50 : timeoutMs);
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
}

void WakeHost()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        if (QAbstractEventDispatcher* d = QAbstractEventDispatcher::instance(app->thread()))
            d->wakeUp();
}

} // namespace ui
