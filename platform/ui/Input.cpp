// Capture, focus, activation, cursors, carets, scroll bars and dropped files.
#include "platform/core/BinaryResources.h"
#include "platform/core/GlobalMemory.h"
#include "platform/gdi/Icon.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/TestScript.h"
#include "platform/ui/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace ui {
namespace {

struct InputState {
    HWND capture = nullptr;
    HWND focus = nullptr;
    HWND active = nullptr;
    HCURSOR cursor = nullptr;
    int cursorCount = 0;
    HWND caretWindow = nullptr;
    RECT caret{};
    int caretHidden = 1;
};

InputState& input()
{
    static InputState s;
    return s;
}

// A dropped-files handle is a global block: a 20-byte header whose first dword is the
// offset of the names, then NUL-terminated names and an empty one. Drag and drop hands the
// same block over as CF_HDROP.
constexpr DWORD kDropHeader = 20;
// The header's point (client coordinates of the receiving window) follows the offset.
constexpr size_t kDropPoint = 4;

// The names of a drop block, each checked against the block's size.
std::vector<std::string> DroppedNames(HDROP drop)
{
    std::vector<std::string> names;
    auto* block = static_cast<const char*>(GlobalLock(drop));
    if (!block)
        return names;
    size_t size = GlobalSize(drop);
    DWORD offset = 0;
    if (size >= kDropHeader)
        std::memcpy(&offset, block, sizeof offset);
    for (size_t at = offset; offset >= kDropHeader && at < size && block[at];) {
        const char* end = static_cast<const char*>(std::memchr(block + at, 0, size - at));
        if (!end)
            break;
        names.emplace_back(block + at, end);
        at = static_cast<size_t>(end - block) + 1;
    }
    GlobalUnlock(drop);
    return names;
}

} // namespace

void ForgetInputState(HWND hwnd)
{
    InputState& s = input();
    if (s.capture == hwnd)
        s.capture = nullptr;
    if (s.focus == hwnd)
        s.focus = nullptr;
    if (s.active == hwnd)
        s.active = nullptr;
    if (s.caretWindow == hwnd)
        s.caretWindow = nullptr;
}

bool CaretVisible(HWND* hwnd, RECT* rect)
{
    InputState& s = input();
    if (!s.caretWindow || s.caretHidden > 0)
        return false;
    *hwnd = s.caretWindow;
    *rect = s.caret;
    return true;
}

HDROP MakeDrop(const std::vector<std::string>& files, POINT clientPt)
{
    size_t size = kDropHeader + 1;
    for (const std::string& f : files)
        size += f.size() + 1;
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_SHARE, size);
    auto* bytes = static_cast<char*>(GlobalLock(block));
    if (!bytes)
        return nullptr;
    std::memcpy(bytes, &kDropHeader, sizeof kDropHeader);
    std::memcpy(bytes + kDropPoint, &clientPt, sizeof clientPt);
    char* at = bytes + kDropHeader;
    for (const std::string& f : files) {
        std::memcpy(at, f.c_str(), f.size() + 1);
        at += f.size() + 1;
    }
    GlobalUnlock(block);
    return reinterpret_cast<HDROP>(block);
}

void PostDroppedFiles(HWND fallback, POINT screenPt, const std::vector<std::string>& files)
{
    HWND target = WindowFromPoint(screenPt);
    while (target && !(Find(target) && Find(target)->acceptFiles))
        target = GetParent(target);
    if (!target)
        target = fallback;
    POINT client = screenPt;
    ScreenToClient(target, &client);
    if (target)
        PostMessage(target, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files, client)), 0);
}

} // namespace ui

using namespace ui;

HWND SetCapture(HWND hwnd)
{
    InputState& s = input();
    HWND old = s.capture;
    s.capture = IsWindow(hwnd) ? hwnd : nullptr;
    if (old && old != s.capture)
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(s.capture));
    return old;
}

BOOL ReleaseCapture()
{
    InputState& s = input();
    HWND old = s.capture;
    s.capture = nullptr;
    if (old)
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() { return input().capture; }

HWND SetFocus(HWND hwnd)
{
    InputState& s = input();
    HWND old = s.focus;
    if (hwnd && (!IsWindow(hwnd) || !IsWindowEnabled(hwnd)))
        return old;
    if (hwnd == old)
        return old;
    if (hwnd) {
        HWND top = GetAncestorTopLevel(hwnd);
        if (top && top != s.active)
            SetActiveWindow(top);
    }
    if (old && IsWindow(old))
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    s.focus = (hwnd && IsWindow(hwnd)) ? hwnd : nullptr;
    if (s.focus)
        SendMessage(s.focus, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() { return input().focus; }

HWND SetActiveWindow(HWND hwnd)
{
    InputState& s = input();
    HWND old = s.active;
    HWND top = GetAncestorTopLevel(hwnd);
    if (!top || top == old)
        return old;
    s.active = top;
    if (old && IsWindow(old)) {
        SendMessage(old, WM_NCACTIVATE, FALSE, 0);
        SendMessage(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(top));
    }
    if (IsWindow(top)) {
        SendMessage(top, WM_NCACTIVATE, TRUE, 0);
        SendMessage(top, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
    }
    return old;
}

HWND GetActiveWindow() { return input().active; }
BOOL SetForegroundWindow(HWND hwnd)
{
    HostRaise(Find(GetAncestorTopLevel(hwnd)));
    return SetActiveWindow(hwnd) != hwnd || GetActiveWindow() == hwnd;
}
HWND GetForegroundWindow() { return input().active; }

BOOL FlashWindow(HWND hwnd, BOOL invert)
{
    Window* w = Find(hwnd);
    if (!w)
        return FALSE;
    UiTestScript::NoteEvent(invert ? "flash: on" : "flash: off");
    if (invert)
        HostAlert(w);
    return GetActiveWindow() == GetAncestorTopLevel(hwnd);
}

HCURSOR SetCursor(HCURSOR cursor)
{
    InputState& s = input();
    HCURSOR old = s.cursor;
    s.cursor = cursor;
    if (old != cursor) {
        HostCursor(cursor);
        UiTestScript::NoteEvent("cursor: " + std::to_string(reinterpret_cast<uintptr_t>(cursor)));
    }
    return old;
}

HCURSOR GetCursor() { return input().cursor; }

HCURSOR LoadCursor(HINSTANCE, LPCSTR name)
{
    if (!name || !IS_INTRESOURCE(name))
        return nullptr;
    return MakeIntCursor(reinterpret_cast<uintptr_t>(name));
}

// A program icon resource is made once and shared; other ids stand for themselves.
HICON LoadIcon(HINSTANCE, LPCSTR name)
{
    if (!name || !IS_INTRESOURCE(name))
        return nullptr;
    const auto id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    static std::map<UINT, HICON> shared;
    if (auto it = shared.find(id); it != shared.end())
        return it->second;
    const std::vector<BYTE>* file = FindBinaryResource(ResourceKind::Icon, id);
    HICON icon = file ? CreateIconFromFileData(file->data(), file->size(), 0, 0) : nullptr;
    if (!icon)
        return reinterpret_cast<HICON>(reinterpret_cast<uintptr_t>(name));
    MarkIconShared(icon);
    return shared.emplace(id, icon).first->second;
}

int ShowCursor(BOOL show) { return input().cursorCount += show ? 1 : -1; }

namespace {

void invalidateCaret()
{
    InputState& s = input();
    if (Window* w = Find(s.caretWindow))
        FlushClient(w, QRect(s.caret.left, s.caret.top, s.caret.right - s.caret.left, s.caret.bottom - s.caret.top));
}

} // namespace

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height)
{
    if (!IsWindow(hwnd))
        return FALSE;
    DestroyCaret();
    InputState& s = input();
    s.caretWindow = hwnd;
    s.caret = {0, 0, std::max(1, width), std::max(1, height)};
    s.caretHidden = 1;
    return TRUE;
}

BOOL DestroyCaret()
{
    InputState& s = input();
    if (!s.caretWindow)
        return FALSE;
    invalidateCaret();
    s.caretWindow = nullptr;
    return TRUE;
}

BOOL SetCaretPos(int x, int y)
{
    InputState& s = input();
    if (!s.caretWindow)
        return FALSE;
    invalidateCaret();
    int w = s.caret.right - s.caret.left, h = s.caret.bottom - s.caret.top;
    s.caret = {x, y, x + w, y + h};
    invalidateCaret();
    return TRUE;
}

BOOL GetCaretPos(LPPOINT pt)
{
    InputState& s = input();
    if (!pt || !s.caretWindow)
        return FALSE;
    *pt = {s.caret.left, s.caret.top};
    return TRUE;
}

BOOL ShowCaret(HWND hwnd)
{
    InputState& s = input();
    if (!s.caretWindow || (hwnd && hwnd != s.caretWindow) || s.caretHidden == 0)
        return FALSE;
    --s.caretHidden;
    invalidateCaret();
    return TRUE;
}

BOOL HideCaret(HWND hwnd)
{
    InputState& s = input();
    if (!s.caretWindow || (hwnd && hwnd != s.caretWindow))
        return FALSE;
    ++s.caretHidden;
    invalidateCaret();
    return TRUE;
}

namespace {

ScrollBar* barOf(HWND hwnd, int bar)
{
    Window* w = Find(hwnd);
    if (!w || (bar != SB_HORZ && bar != SB_VERT))
        return nullptr;
    return &w->bars[bar];
}

int maxPos(const ScrollBar& b) { return b.max - std::max<int>(static_cast<int>(b.page) - 1, 0); }

bool wantsBar(const ScrollBar& b) { return b.page == 0 ? b.max > b.min : static_cast<int>(b.page) <= b.max - b.min; }

} // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw)
{
    ScrollBar* b = barOf(hwnd, bar);
    if (!b || !info)
        return 0;
    if (info->fMask & SIF_RANGE) {
        b->min = info->nMin;
        b->max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE)
        b->page = std::min<UINT>(info->nPage, static_cast<UINT>(b->max - b->min + 1));
    if (info->fMask & SIF_POS)
        b->pos = info->nPos;
    b->pos = std::clamp(b->pos, b->min, std::max(b->min, maxPos(*b)));
    int pos = b->pos;
    if (info->fMask & (SIF_RANGE | SIF_PAGE)) {
        bool show = wantsBar(*b) || (info->fMask & SIF_DISABLENOSCROLL);
        DWORD bit = bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
        if (show != ((Find(hwnd)->style & bit) != 0))
            ShowScrollBar(hwnd, bar, show);
    }
    if (redraw)
        if (Window* w = Find(hwnd); w && IsVisibleChain(w))
            w->frameNeeded = true;
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, LPSCROLLINFO info)
{
    ScrollBar* b = barOf(hwnd, bar);
    if (!b || !info)
        return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = b->min;
        info->nMax = b->max;
    }
    if (info->fMask & SIF_PAGE)
        info->nPage = b->page;
    if (info->fMask & SIF_POS)
        info->nPos = b->pos;
    if (info->fMask & SIF_TRACKPOS)
        info->nTrackPos = b->trackPos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw)
{
    ScrollBar* b = barOf(hwnd, bar);
    if (!b)
        return 0;
    int old = b->pos;
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &si, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar)
{
    ScrollBar* b = barOf(hwnd, bar);
    return b ? b->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw)
{
    SCROLLINFO si{sizeof(SCROLLINFO), SIF_RANGE, minPos, maxPos, 0, 0, 0};
    return barOf(hwnd, bar) ? (SetScrollInfo(hwnd, bar, &si, redraw), TRUE) : FALSE;
}

BOOL GetScrollRange(HWND hwnd, int bar, LPINT minPos, LPINT maxPos)
{
    ScrollBar* b = barOf(hwnd, bar);
    if (!b || !minPos || !maxPos)
        return FALSE;
    *minPos = b->min;
    *maxPos = b->max;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show)
{
    Window* w = Find(hwnd);
    if (!w)
        return FALSE;
    DWORD bits = bar == SB_BOTH ? (WS_HSCROLL | WS_VSCROLL) : bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style == w->style)
        return TRUE;
    w->style = style;
    return SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                        SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void DragAcceptFiles(HWND hwnd, BOOL accept)
{
    if (Window* w = Find(hwnd))
        w->acceptFiles = accept != FALSE;
}

UINT DragQueryFile(HDROP drop, UINT index, LPSTR buffer, UINT size)
{
    std::vector<std::string> names = DroppedNames(drop);
    if (index == 0xFFFFFFFF)
        return static_cast<UINT>(names.size());
    if (index >= names.size())
        return 0;
    const std::string& f = names[index];
    if (!buffer || size == 0)
        return static_cast<UINT>(f.size());
    UINT n = std::min<UINT>(static_cast<UINT>(f.size()), size - 1);
    memcpy(buffer, f.data(), n);
    buffer[n] = 0;
    return n;
}

BOOL DragQueryPoint(HDROP drop, LPPOINT point)
{
    auto* block = static_cast<const char*>(GlobalLock(drop));
    const BOOL whole = block && GlobalSize(drop) >= kDropHeader;
    if (whole)
        std::memcpy(point, block + kDropPoint, sizeof *point);
    if (block)
        GlobalUnlock(drop);
    return whole;
}

void DragFinish(HDROP drop) { GlobalFree(drop); }
