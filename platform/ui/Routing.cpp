// Turns raw pointer and key events into queued messages for the right window: capture or
// the window under the pointer, hit-tested into client or non-client messages.
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowTable.h"

#include <utility>

namespace ui {
namespace {

LPARAM packPoint(POINT p) { return MAKELPARAM(static_cast<WORD>(p.x), static_cast<WORD>(p.y)); }

bool usesDoubleClicks(HWND hwnd)
{
    Window* w = Find(hwnd);
    return w && w->cls && (w->cls->style & CS_DBLCLKS);
}

UINT singleClick(UINT message) { return message - (WM_LBUTTONDBLCLK - WM_LBUTTONDOWN); }

bool isButtonDown(UINT m) { return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN; }

bool isDoubleClick(UINT m) { return m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDBLCLK || m == WM_MBUTTONDBLCLK; }

// False when the click is to be eaten.
bool activateOnClick(HWND target, int hit, UINT message)
{
    HWND top = GetAncestorTopLevel(target);
    LRESULT r = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MAKELPARAM(static_cast<WORD>(hit), static_cast<WORD>(message)));
    if ((r == MA_ACTIVATE || r == MA_ACTIVATEANDEAT || r == 0) && top && GetActiveWindow() != top)
        SetActiveWindow(top);
    return r != MA_ACTIVATEANDEAT && r != MA_NOACTIVATEANDEAT;
}

bool topLevelEnabled(HWND hwnd)
{
    for (Window* w = Find(hwnd); w && w != Desktop(); w = Find(w->parent))
        if (w->style & WS_DISABLED)
            return false;
    return true;
}

bool isButtonUp(UINT m) { return m == WM_LBUTTONUP || m == WM_RBUTTONUP || m == WM_MBUTTONUP; }

// The desktop keeps a pointer press's top-level window until its release: a pop-up opened by
// the press doesn't get the release, as on a real display.
HWND& pressedTopLevel()
{
    static HWND pressed = nullptr;
    return pressed;
}

Window* searchRoot(HWND top, UINT message)
{
    if (!isButtonUp(message))
        return top ? Find(top) : Desktop();
    Window* pressed = Find(std::exchange(pressedTopLevel(), nullptr));
    return top ? Find(top) : pressed ? pressed : Desktop();
}

} // namespace

void ActivateFromDisplay(HWND top)
{
    Window* w = Find(top);
    if (w && !(w->exStyle & WS_EX_NOACTIVATE) && IsWindowEnabled(top) && GetActiveWindow() != top)
        SetActiveWindow(top);
}

void RouteMouse(HWND top, UINT message, POINT screenPt, UINT keys)
{
    HWND target = GetCapture();
    int hit = HTCLIENT;
    if (!target) {
        Window* root = searchRoot(top, message);
        target = root ? DeepestWindowAt(root, screenPt) : nullptr;
        if (!target || target == GetDesktopWindow() || !topLevelEnabled(target))
            return;
        hit = static_cast<int>(SendMessage(target, WM_NCHITTEST, 0, packPoint(screenPt)));
    }
    if (isDoubleClick(message) && !(hit == HTCLIENT ? usesDoubleClicks(target) : true))
        message = singleClick(message);
    if (isButtonDown(message) || isDoubleClick(message))
        pressedTopLevel() = GetAncestorTopLevel(target);
    if ((isButtonDown(message) || isDoubleClick(message)) && !GetCapture() && !activateOnClick(target, hit, message))
        return;
    if (hit == HTCLIENT) {
        POINT client = screenPt;
        ScreenToClient(target, &client);
        PostInput(target, message, keys, packPoint(client), screenPt);
    } else {
        UINT nc = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
        PostInput(target, nc, static_cast<WPARAM>(hit), packPoint(screenPt), screenPt);
        SetCursorPos(screenPt.x, screenPt.y);
        if (message == WM_MOUSEMOVE)
            SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
    }
}

void RouteKey(UINT message, WPARAM vk, LPARAM lParam)
{
    HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
    if (!target)
        return;
    POINT cursor{};
    GetCursorPos(&cursor);
    PostInput(target, message, vk, lParam, cursor);
}

void RouteWheel(int delta, POINT screenPt, UINT keys)
{
    HWND target = GetFocus() ? GetFocus() : GetActiveWindow();
    if (!target)
        return;
    PostInput(target, WM_MOUSEWHEEL, MAKEWPARAM(static_cast<WORD>(keys), static_cast<WORD>(static_cast<SHORT>(delta))),
              packPoint(screenPt), screenPt);
}

} // namespace ui
