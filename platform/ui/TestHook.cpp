// Scripted answers and synthetic input for tests.
#include "platform/ui/TestHook.h"

#include "platform/ui/TestScript.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowTable.h"

#include <QPainter>

#include <algorithm>
#include <deque>

namespace {

struct Script {
    std::deque<int> boxAnswers;
    std::deque<UINT> menuPicks;
    std::deque<std::string> menuShots;
    std::deque<std::string> fileAnswers;
    std::string lastText;
    UINT lastStyle = 0;
    int boxes = 0;
    // While Alt is held the keys come as system keys, Alt itself included, as from the display.
    bool altHeld = false;
};

Script& script()
{
    static Script s;
    return s;
}

LPARAM keyData(bool down) { return down ? 1 : static_cast<LPARAM>(0xC0000001u); }

void routeKey(int vk, bool down)
{
    if (vk == VK_MENU)
        script().altHeld = down;
    bool system = script().altHeld || vk == VK_MENU;
    UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    ui::RouteKey(message, static_cast<WPARAM>(vk), keyData(down));
}

} // namespace

namespace UiTestHook {

void QueueMessageBoxAnswer(int answer) { script().boxAnswers.push_back(answer); }
int PendingMessageBoxAnswers() { return static_cast<int>(script().boxAnswers.size()); }
std::string LastMessageBoxText() { return script().lastText; }
UINT LastMessageBoxStyle() { return script().lastStyle; }
int MessageBoxCount() { return script().boxes; }
void QueueMenuPick(UINT command) { script().menuPicks.push_back(command); }

void QueueMenuSnapshot(const std::string& pngPath) { script().menuShots.push_back(pngPath); }
void QueueFileDialogAnswer(const std::string& path) { script().fileAnswers.push_back(path); }

bool TakeFileDialogAnswer(std::string& path)
{
    if (script().fileAnswers.empty())
        return false;
    path = script().fileAnswers.front();
    script().fileAnswers.pop_front();
    return true;
}

void MouseMove(POINT screenPt, UINT keys) { ui::RouteMouse(nullptr, WM_MOUSEMOVE, screenPt, keys); }
void MouseDown(UINT buttonMessage, POINT screenPt, UINT keys)
{
    if (HWND under = ui::DeepestWindowAt(ui::Desktop(), screenPt))
        ui::ActivateFromDisplay(GetAncestorTopLevel(under));
    ui::RouteMouse(nullptr, buttonMessage, screenPt, keys);
}
void MouseUp(UINT buttonMessage, POINT screenPt, UINT keys) { ui::RouteMouse(nullptr, buttonMessage, screenPt, keys); }
void KeyDown(int vk) { routeKey(vk, true); }
void KeyUp(int vk) { routeKey(vk, false); }

void PumpPending()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

COLORREF PixelAt(HWND hwnd, POINT clientPt)
{
    ui::Window* w = ui::Find(hwnd);
    ui::Window* top = w ? ui::TopLevelOf(w) : nullptr;
    if (!top || !ui::IsVisibleChain(w))
        return 0xFFFFFFFF;
    QImage screen(std::max(1, top->rect.right - top->rect.left), std::max(1, top->rect.bottom - top->rect.top),
                  QImage::Format_RGB32);
    QPainter painter(&screen);
    ui::Compose(painter, top);
    painter.end();
    QPoint p = ui::SurfaceOffset(w) + QPoint(clientPt.x, clientPt.y);
    if (!screen.rect().contains(p))
        return 0xFFFFFFFF;
    QRgb c = screen.pixel(p);
    return RGB(static_cast<BYTE>(qRed(c)), static_cast<BYTE>(qGreen(c)), static_cast<BYTE>(qBlue(c)));
}

HDROP MakeDrop(const std::vector<std::string>& files, POINT clientPt) { return ui::MakeDrop(files, clientPt); }

void Reset() { script() = Script{}; }

} // namespace UiTestHook

bool TakeScriptedMessageBoxAnswer(const char* text, UINT style, int& answer)
{
    Script& s = script();
    s.lastText = text ? text : "";
    s.lastStyle = style;
    ++s.boxes;
    UiTestScript::NoteMessageBox(s.lastText);
    if (s.boxAnswers.empty())
        return false;
    answer = s.boxAnswers.front();
    s.boxAnswers.pop_front();
    return true;
}

namespace {

template <class T>
bool TakeFirst(std::deque<T>& queue, T& first)
{
    if (queue.empty())
        return false;
    first = queue.front();
    queue.pop_front();
    return true;
}

} // namespace

bool TakeScriptedMenuSnapshot(std::string& pngPath) { return TakeFirst(script().menuShots, pngPath); }

bool TakeScriptedMenuPick(UINT& command) { return TakeFirst(script().menuPicks, command); }
