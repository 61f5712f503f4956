// Private: the process-wide window table behind the handle-level functions.
#pragma once

#include "platform/ui/UiTypes.h"

#include <QImage>
#include <QRegion>

class QPainter;

#include <map>
#include <memory>
#include <string>
#include <vector>

class HostWidget;

namespace ui {

struct WindowClass {
    std::string name;
    UINT style = 0;
    WNDPROC proc = nullptr;
    HCURSOR cursor = nullptr;
    HBRUSH background = nullptr;
    HICON icon = nullptr;
};

struct ScrollBar {
    int min = 0;
    int max = 100;
    UINT page = 0;
    int pos = 0;
    int trackPos = 0;
};


struct Window {
    HWND hwnd = nullptr;
    WindowClass* cls = nullptr;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect{};   // window rectangle in the parent's client coordinates (screen for top-levels)
    RECT client{}; // client rectangle relative to the window rectangle's top-left corner
    HWND parent = nullptr;
    HWND owner = nullptr;
    std::vector<HWND> children; // front of the z-order first
    std::string text;
    UINT_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    QRegion update;          // client coordinates
    QRegion painting;        // the area of the paint in progress
    bool eraseNeeded = false;
    bool frameNeeded = false;
    bool redraw = true;
    bool destroying = false;
    bool acceptFiles = false;
    RECT normalRect{};
    ScrollBar bars[2];
    QImage clientImage;        // the client area as last painted
    QImage frameImage;         // the whole window, of which the non-client part is shown
    HostWidget* host = nullptr; // a shown top-level window's widget on the display
};

Window* Find(HWND hwnd);
Window* Desktop();
std::vector<HWND>& SiblingsOf(Window* w);
std::map<std::string, WindowClass>& Classes();
WindowClass* FindClass(const std::string& name);

// Geometry helpers in screen coordinates.
POINT ClientOrigin(Window* w); // screen position of the client area's top-left
POINT WindowOrigin(Window* w);
bool IsVisibleChain(Window* w);
Window* TopLevelOf(Window* w);
RECT DefaultClientRect(Window* w, const RECT& windowRect);
// The menu bar of a top-level window with a menu: its height and its items (window coordinates).
constexpr int kMenuBarHeight = 19;
bool HasMenuBar(Window* w);
std::vector<QRect> MenuBarItems(Window* w);
int DefaultHitTest(Window* w, POINT screenPt);

// Where the thumb of a scroll bar of the given length (arrows included) lies, and the
// position a thumb start corresponds to.
struct Thumb {
    int at;     // offset of the thumb from the start of the bar
    int length; // of the thumb
    int track;  // length between the two arrows
};
constexpr int kScrollArrow = 16;
Thumb ThumbOf(const ScrollBar& bar, int length);
int PositionAt(const ScrollBar& bar, int length, int thumbAt);

// Painting bookkeeping.
void InvalidateClient(Window* w, const QRegion& region, bool erase);
void InvalidateAll(Window* w, bool erase, bool frame);
void InvalidateParentArea(Window* w);
bool AnyPaintPending();
HWND NextWindowToPaint();
void PaintNonClient(Window* w);
QPoint SurfaceOffset(Window* w); // client origin in the top-level's window coordinates
void EnsureImages(Window* w);
// Shows rect (client coordinates of w) on the display.
void FlushClient(Window* w, const QRect& rect);
void FlushWindow(Window* w);
// Shows rect (coordinates of the top-level window of w) on the display.
void FlushWindowArea(Window* w, const QRect& rect);
// Draws a top-level window and its visible children, as the display shows them.
void Compose(QPainter& painter, Window* top);

// Host bridge.
void HostShow(Window* w, bool show);
void HostGeometry(Window* w);
void HostTitle(Window* w);
void HostDestroy(Window* w);
void HostCursor(HCURSOR cursor);
void HostAlert(Window* w);
// Asks the desktop to put the window's top-level window above the others and give it the keyboard.
void HostRaise(Window* w);
bool HaveDisplay();
// False when nobody can answer: no display, or a test script is in charge of the session.
bool CanAskUser();
void SyncDesktopWithScreen();
void ProcessHostEvents(bool wait, int timeoutMs);
void WakeHost();

// Called for every new window before its first message (binds window objects).
using CreateHook = void (*)(HWND);
void SetCreateHook(CreateHook hook);

// Message bookkeeping used across files.
void ForgetWindowMessages(HWND hwnd);
void ForgetWindowTimers(HWND hwnd);
void ForgetInputState(HWND hwnd);
void UpdateKeyStateFor(const MSG& msg);
void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, POINT screenPt);
DWORD Now();
HWND DeepestWindowAt(Window* root, POINT screenPt);
void RouteMouse(HWND top, UINT message, POINT screenPt, UINT keys);
// What the display does when it hands a top-level window the focus (a press on it): the
// window becomes the active one, unless it is disabled or takes no activation.
void ActivateFromDisplay(HWND top);
void RouteKey(UINT message, WPARAM vk, LPARAM lParam);
void RouteWheel(int delta, POINT screenPt, UINT keys);
bool CaretVisible(HWND* hwnd, RECT* rect);
// The drop block of the files, dropped at a point of the receiving window's client area.
HDROP MakeDrop(const std::vector<std::string>& files, POINT clientPt = {0, 0});
// Files let go at a screen point go to the nearest window under it that accepts them, or to
// `fallback` when none does.
void PostDroppedFiles(HWND fallback, POINT screenPt, const std::vector<std::string>& files);

} // namespace ui
