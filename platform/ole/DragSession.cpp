// The drag in progress over this process's windows, from the display or from a test, and
// the drags this process starts.
#include "platform/ole/DragSession.h"

#include "platform/ole/ClipMime.h"
#include "platform/ole/OleDataObject.h"
#include "platform/ole/OleDropTarget.h"
#include "platform/ole/OleTestHook.h"
#include "platform/ui/DropHook.h"
#include "platform/ui/TestScript.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/Wnd.h"

#include <QDrag>
#include <QGuiApplication>

#include <deque>

namespace ole {

namespace {

struct Session {
    bool active = false;
    std::shared_ptr<ClipSource> source;
    COleDataObject data;
    COleDropTarget* target = nullptr;
    HWND window = nullptr;
    DWORD allowed = 0;
    DWORD effect = DROPEFFECT_NONE;
};

Session& TheSession()
{
    static Session session;
    return session;
}

void Reset()
{
    Session& s = TheSession();
    s.active = false;
    s.source.reset();
    s.data.Release();
    s.target = nullptr;
    s.window = nullptr;
}

// The effect the source allows: the one asked for, else copy, move or link in that order.
DWORD Filter(DWORD wanted, DWORD allowed)
{
    DWORD scroll = wanted & DROPEFFECT_SCROLL;
    wanted &= ~DROPEFFECT_SCROLL;
    if (wanted == DROPEFFECT_NONE || (wanted & allowed) == wanted)
        return wanted | scroll;
    for (DWORD effect : {DROPEFFECT_COPY, DROPEFFECT_MOVE, DROPEFFECT_LINK})
        if (allowed & effect)
            return effect | scroll;
    return scroll;
}

std::pair<HWND, COleDropTarget*> TargetAt(POINT screen)
{
    for (HWND hwnd = WindowFromPoint(screen); hwnd; hwnd = GetParent(hwnd))
        if (COleDropTarget* target = COleDropTarget::FromHandle(hwnd))
            return {hwnd, target};
    return {nullptr, nullptr};
}

CPoint ClientPoint(HWND hwnd, POINT screen)
{
    ScreenToClient(hwnd, &screen);
    return CPoint(screen.x, screen.y);
}

int Move(POINT screen, DWORD keys)
{
    Session& s = TheSession();
    auto [hwnd, target] = TargetAt(screen);
    if (target != s.target && s.target)
        s.target->OnDragLeave(CWnd::FromHandle(s.window));
    if (!target) {
        s.target = nullptr;
        s.window = nullptr;
        return -1;
    }
    CWnd* wnd = CWnd::FromHandle(hwnd);
    DROPEFFECT wanted = target == s.target ? target->OnDragOver(wnd, &s.data, keys, ClientPoint(hwnd, screen))
                                           : target->OnDragEnter(wnd, &s.data, keys, ClientPoint(hwnd, screen));
    s.target = target;
    s.window = hwnd;
    s.effect = Filter(wanted, s.allowed);
    return static_cast<int>(s.effect & ~DROPEFFECT_SCROLL);
}

int FromDisplay(ui::DragStage stage, const QMimeData* mime, POINT screen, DWORD keys, DWORD allowed)
{
    bool active = TheSession().active;
    switch (stage) {
    case ui::DragStage::enter: return DragEnter(SourceOfMime(mime), screen, keys, allowed);
    case ui::DragStage::over: return active ? DragOver(screen, keys) : DragEnter(SourceOfMime(mime), screen, keys, allowed);
    case ui::DragStage::leave: DragLeave(); return -1;
    case ui::DragStage::drop:
        if (!active && DragEnter(SourceOfMime(mime), screen, keys, allowed) < 0)
            return -1;
        return Drop(screen, keys);
    }
    return -1;
}

struct QueuedDrop {
    POINT screen;
    DWORD keys;
};

std::deque<QueuedDrop>& QueuedDrops()
{
    static std::deque<QueuedDrop> drops;
    return drops;
}

bool OffscreenDisplay()
{
    return !qobject_cast<QGuiApplication*>(QCoreApplication::instance()) ||
           QGuiApplication::platformName() == QLatin1String("offscreen");
}

} // namespace

int DragEnter(std::shared_ptr<ClipSource> source, POINT screen, DWORD keys, DWORD allowed)
{
    DragLeave();
    Session& s = TheSession();
    s.active = true;
    s.source = source;
    s.data.AttachSource(std::move(source));
    s.allowed = allowed;
    s.effect = DROPEFFECT_NONE;
    return Move(screen, keys);
}

int DragOver(POINT screen, DWORD keys) { return TheSession().active ? Move(screen, keys) : -1; }

void DragLeave()
{
    Session& s = TheSession();
    if (s.target)
        s.target->OnDragLeave(CWnd::FromHandle(s.window));
    Reset();
}

int Drop(POINT screen, DWORD keys)
{
    Session& s = TheSession();
    if (!s.active)
        return -1;
    if (TargetAt(screen).second != s.target || !s.target)
        Move(screen, keys);
    if (!s.target) {
        Reset();
        return -1;
    }
    CWnd* wnd = CWnd::FromHandle(s.window);
    CPoint point = ClientPoint(s.window, screen);
    DROPEFFECT effect = s.effect & ~DROPEFFECT_SCROLL;
    if (effect == DROPEFFECT_NONE) {
        DragLeave();
        return DROPEFFECT_NONE;
    }
    DROPEFFECT result = s.target->OnDropEx(wnd, &s.data, effect, s.allowed, point);
    if (result == static_cast<DROPEFFECT>(-1))
        result = s.target->OnDrop(wnd, &s.data, effect, point) ? effect : DROPEFFECT_NONE;
    DWORD allowed = s.allowed;
    Reset();
    return static_cast<int>(Filter(result, allowed));
}

void InstallDragHook() { ui::SetDragHook(&FromDisplay); }

void ForgetDropTarget(COleDropTarget* target)
{
    Session& s = TheSession();
    if (s.target == target) {
        s.target = nullptr;
        s.window = nullptr;
    }
}

DWORD RunDrag(std::shared_ptr<ClipSource> source, DWORD allowed)
{
    if (!QueuedDrops().empty()) {
        QueuedDrop drop = QueuedDrops().front();
        QueuedDrops().pop_front();
        if (DragEnter(std::move(source), drop.screen, drop.keys, allowed) < 0)
            return DROPEFFECT_NONE;
        return static_cast<DWORD>(std::max(Drop(drop.screen, drop.keys), 0));
    }
    POINT screen{};
    unsigned keys = 0;
    if (UiTestScript::TakeDragDrop(screen, keys)) {
        if (DragEnter(std::move(source), screen, keys, allowed) < 0)
            return DROPEFFECT_NONE;
        return static_cast<DWORD>(std::max(Drop(screen, keys), 0));
    }
    if (OffscreenDisplay())
        return DROPEFFECT_NONE;
    auto* drag = new QDrag(QCoreApplication::instance());
    drag->setMimeData(MimeOfSource(std::move(source)));
    Qt::DropAction action = drag->exec(static_cast<Qt::DropActions>(static_cast<int>(allowed & Qt::ActionMask)));
    drag->deleteLater();
    return static_cast<DWORD>(action) & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
}

} // namespace ole

namespace OleTestHook {

void QueueDrop(POINT screen, DWORD keys) { ole::QueuedDrops().push_back({screen, keys}); }

int DragEnter(COleDataSource* source, POINT screen, DWORD keys, DWORD allowed)
{
    return ole::DragEnter(source->MakeClipSource(), screen, keys, allowed);
}

int DragOver(POINT screen, DWORD keys) { return ole::DragOver(screen, keys); }

void DragLeave() { ole::DragLeave(); }

int Drop(POINT screen, DWORD keys) { return ole::Drop(screen, keys); }

void Reset()
{
    ole::QueuedDrops().clear();
    ole::DragLeave();
}

} // namespace OleTestHook
