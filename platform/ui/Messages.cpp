// The one message queue: posted and input messages, generated paint and timer messages,
// quit, sending and dispatching, and the keyboard and cursor state seen by the program.
#include "platform/ui/UiApi.h"
#include "platform/ui/WindowTable.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <strings.h>

namespace ui {
namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
    HWND hwnd;
    UINT_PTR id;
    UINT period;
    Clock::time_point due;
    TIMERPROC proc;
};

struct Queue {
    std::mutex lock;
    std::condition_variable wake;
    std::deque<MSG> messages;
    bool quit = false;
    int quitCode = 0;
};

Queue& queue()
{
    static Queue q;
    return q;
}

struct State {
    std::vector<Timer> timers;
    UINT_PTR nextThreadTimer = 0x7F00;
    std::array<BYTE, 256> keys{};
    std::array<BYTE, 256> asyncKeys{};
    DWORD lastPos = 0;
    LONG lastTime = 0;
    int sendDepth = 0;
    std::vector<std::string> registered;
};

State& state()
{
    static State s;
    return s;
}

// The cursor position, read by PostMessage on any thread.
std::atomic<uint64_t> cursorPacked{0};

POINT cursorNow()
{
    uint64_t v = cursorPacked.load();
    return POINT{static_cast<LONG>(static_cast<uint32_t>(v >> 32)), static_cast<LONG>(static_cast<uint32_t>(v))};
}

void setCursorNow(POINT p)
{
    cursorPacked.store((static_cast<uint64_t>(static_cast<uint32_t>(p.x)) << 32) | static_cast<uint32_t>(p.y));
}

const Clock::time_point kStart = Clock::now();

bool inRange(UINT message, UINT lo, UINT hi) { return (lo == 0 && hi == 0) || (message >= lo && message <= hi); }

bool matchesWindow(HWND filter, HWND hwnd) { return !filter || filter == hwnd || IsChild(filter, hwnd); }

bool takePosted(MSG* msg, HWND hwnd, UINT lo, UINT hi, bool remove)
{
    Queue& q = queue();
    std::lock_guard<std::mutex> guard(q.lock);
    for (auto it = q.messages.begin(); it != q.messages.end(); ++it) {
        if (!inRange(it->message, lo, hi) || !matchesWindow(hwnd, it->hwnd))
            continue;
        *msg = *it;
        if (remove)
            q.messages.erase(it);
        return true;
    }
    if (q.quit && !hwnd && inRange(WM_QUIT, lo, hi)) {
        *msg = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(q.quitCode), 0, Now(), cursorNow()};
        if (remove)
            q.quit = false;
        return true;
    }
    return false;
}

bool takePaint(MSG* msg, HWND hwnd, UINT lo, UINT hi)
{
    if (!inRange(WM_PAINT, lo, hi))
        return false;
    HWND target = NextWindowToPaint();
    if (!target || !matchesWindow(hwnd, target))
        return false;
    *msg = MSG{target, WM_PAINT, 0, 0, Now(), cursorNow()};
    return true;
}

bool takeTimer(MSG* msg, HWND hwnd, UINT lo, UINT hi, bool remove)
{
    if (!inRange(WM_TIMER, lo, hi))
        return false;
    auto now = Clock::now();
    Timer* best = nullptr;
    for (Timer& t : state().timers)
        if (t.due <= now && matchesWindow(hwnd, t.hwnd) && (!best || t.due < best->due))
            best = &t;
    if (!best)
        return false;
    *msg = MSG{best->hwnd, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->proc), Now(), cursorNow()};
    if (remove)
        best->due = now + std::chrono::milliseconds(best->period);
    return true;
}

int msUntilNextTimer()
{
    auto& timers = state().timers;
    if (timers.empty())
        return -1;
    auto next = std::min_element(timers.begin(), timers.end(), [](const Timer& a, const Timer& b) { return a.due < b.due; });
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(next->due - Clock::now()).count();
    return static_cast<int>(std::max<long long>(0, ms + 1));
}

void setKey(std::array<BYTE, 256>& keys, int vk, bool down)
{
    BYTE& k = keys[static_cast<BYTE>(vk)];
    if (down && !(k & 0x80))
        k ^= 0x01;
    k = static_cast<BYTE>(down ? (k | 0x80) : (k & ~0x80));
}

void applyInput(std::array<BYTE, 256>& keys, const MSG& msg)
{
    switch (msg.message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: setKey(keys, static_cast<int>(msg.wParam), true); break;
    case WM_KEYUP: case WM_SYSKEYUP: setKey(keys, static_cast<int>(msg.wParam), false); break;
    case WM_MOUSEMOVE: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: {
        UINT mk = static_cast<UINT>(msg.wParam);
        setKey(keys, VK_LBUTTON, mk & MK_LBUTTON);
        setKey(keys, VK_RBUTTON, mk & MK_RBUTTON);
        setKey(keys, VK_MBUTTON, mk & MK_MBUTTON);
        setKey(keys, VK_SHIFT, mk & MK_SHIFT);
        setKey(keys, VK_CONTROL, mk & MK_CONTROL);
        break;
    }
    default: break;
    }
}

bool isMouseMessage(UINT m) { return m >= WM_MOUSEMOVE && m <= WM_MBUTTONDBLCLK; }

void sendSetCursor(const MSG& msg)
{
    if (!isMouseMessage(msg.message) || GetCapture() || !IsWindow(msg.hwnd))
        return;
    UINT mouseMsg = msg.message == WM_MOUSEMOVE ? WM_MOUSEMOVE : msg.message;
    SendMessage(msg.hwnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(msg.hwnd), MAKELPARAM(HTCLIENT, static_cast<WORD>(mouseMsg)));
}

bool peekOnce(MSG* msg, HWND hwnd, UINT lo, UINT hi, UINT flags)
{
    bool remove = (flags & PM_REMOVE) != 0;
    bool found = takePosted(msg, hwnd, lo, hi, remove) || takePaint(msg, hwnd, lo, hi) ||
                 takeTimer(msg, hwnd, lo, hi, remove);
    if (!found)
        return false;
    if (remove) {
        UpdateKeyStateFor(*msg);
        state().lastPos = static_cast<DWORD>(MAKELONG(static_cast<WORD>(msg->pt.x), static_cast<WORD>(msg->pt.y)));
        state().lastTime = static_cast<LONG>(msg->time);
        sendSetCursor(*msg);
    }
    return true;
}

} // namespace

DWORD Now()
{
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - kStart).count());
}

void UpdateKeyStateFor(const MSG& msg) { applyInput(state().keys, msg); }

void PostInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, POINT screenPt)
{
    MSG msg{hwnd, message, wParam, lParam, Now(), screenPt};
    applyInput(state().asyncKeys, msg);
    if (isMouseMessage(message) || (message >= WM_NCMOUSEMOVE && message <= WM_NCRBUTTONUP))
        setCursorNow(screenPt);
    Queue& q = queue();
    {
        std::lock_guard<std::mutex> guard(q.lock);
        if (message == WM_MOUSEMOVE && !q.messages.empty() && q.messages.back().message == WM_MOUSEMOVE &&
            q.messages.back().hwnd == hwnd) {
            q.messages.back() = msg;
            return;
        }
        q.messages.push_back(msg);
    }
    q.wake.notify_all();
}

void ForgetWindowMessages(HWND hwnd)
{
    Queue& q = queue();
    std::lock_guard<std::mutex> guard(q.lock);
    q.messages.erase(std::remove_if(q.messages.begin(), q.messages.end(), [hwnd](const MSG& m) { return m.hwnd == hwnd; }),
                     q.messages.end());
}

void ForgetWindowTimers(HWND hwnd)
{
    auto& timers = state().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [hwnd](const Timer& t) { return t.hwnd == hwnd; }),
                 timers.end());
}

} // namespace ui

using namespace ui;

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* w = Find(hwnd);
    if (!w || w == Desktop() || !w->proc)
        return 0;
    ++state().sendDepth;
    LRESULT r = w->proc(hwnd, message, wParam, lParam);
    --state().sendDepth;
    return r;
}

BOOL InSendMessage() { return FALSE; }

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Queue& q = queue();
    {
        std::lock_guard<std::mutex> guard(q.lock);
        q.messages.push_back(MSG{hwnd, message, wParam, lParam, Now(), cursorNow()});
    }
    q.wake.notify_all();
    WakeHost();
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    Queue& q = queue();
    {
        std::lock_guard<std::mutex> guard(q.lock);
        q.quit = true;
        q.quitCode = exitCode;
    }
    q.wake.notify_all();
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT remove)
{
    if (!msg)
        return FALSE;
    ProcessHostEvents(false, 0);
    return peekOnce(msg, hwnd, filterMin, filterMax, remove) ? TRUE : FALSE;
}

BOOL WaitMessage()
{
    int timeout = msUntilNextTimer();
    if (HaveDisplay()) {
        ProcessHostEvents(true, timeout);
        return TRUE;
    }
    Queue& q = queue();
    std::unique_lock<std::mutex> guard(q.lock);
    auto ready = [&q] { return !q.messages.empty() || q.quit; };
    if (ready() || AnyPaintPending())
        return TRUE;
    if (timeout < 0)
        q.wake.wait_for(guard, std::chrono::milliseconds(50), ready);
    else
        q.wake.wait_for(guard, std::chrono::milliseconds(timeout), ready);
    return TRUE;
}

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    if (!msg)
        return -1;
    for (;;) {
        if (PeekMessage(msg, hwnd, filterMin, filterMax, PM_REMOVE))
            return msg->message == WM_QUIT ? FALSE : TRUE;
        WaitMessage();
    }
}

namespace {

char shiftedDigit(int vk)
{
    static const char shifted[] = ")!@#$%^&*(";
    return shifted[vk - '0'];
}

int charFromKey(int vk, bool shift, bool caps, bool control)
{
    if (vk >= 'A' && vk <= 'Z') {
        if (control)
            return vk - 'A' + 1;
        return (shift != caps) ? vk : vk + ('a' - 'A');
    }
    if (control)
        return 0;
    if (vk >= '0' && vk <= '9')
        return shift ? shiftedDigit(vk) : vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9)
        return '0' + (vk - VK_NUMPAD0);
    struct Punct {
        int vk;
        char plain, shifted;
    };
    static const Punct punct[] = {{0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'},
                                  {0xBE, '.', '>'}, {0xBF, '/', '?'}, {0xC0, '`', '~'}, {0xDB, '[', '{'},
                                  {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'}, {VK_MULTIPLY, '*', '*'},
                                  {VK_ADD, '+', '+'}, {VK_SUBTRACT, '-', '-'}, {VK_DIVIDE, '/', '/'},
                                  {VK_DECIMAL, '.', '.'}};
    for (const Punct& p : punct)
        if (p.vk == vk)
            return shift ? p.shifted : p.plain;
    switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return '\b';
    case VK_TAB: return '\t';
    case VK_ESCAPE: return 0x1B;
    default: return 0;
    }
}

} // namespace

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN))
        return FALSE;
    bool shift = GetKeyState(VK_SHIFT) < 0, control = GetKeyState(VK_CONTROL) < 0;
    bool caps = (GetKeyState(VK_CAPITAL) & 1) != 0;
    int ch = charFromKey(static_cast<int>(msg->wParam), shift, caps, control);
    if (ch == 0)
        return FALSE;
    UINT charMsg = msg->message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    Queue& q = queue();
    std::lock_guard<std::mutex> guard(q.lock);
    q.messages.push_front(MSG{msg->hwnd, charMsg, static_cast<WPARAM>(ch), msg->lParam, msg->time, msg->pt});
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, static_cast<DWORD>(msg->time));
        return 0;
    }
    LRESULT r = SendMessage(msg->hwnd, msg->message, msg->wParam, msg->lParam);
    if (msg->message == WM_PAINT)
        ValidateRect(msg->hwnd, nullptr);
    return r;
}

UINT RegisterWindowMessage(LPCSTR name)
{
    if (!name || !*name)
        return 0;
    auto& names = state().registered;
    for (size_t i = 0; i < names.size(); ++i)
        if (strcasecmp(names[i].c_str(), name) == 0)
            return static_cast<UINT>(0xC000 + i);
    if (names.size() >= 0x3FFF)
        return 0;
    names.emplace_back(name);
    return static_cast<UINT>(0xC000 + names.size() - 1);
}

DWORD GetMessagePos() { return state().lastPos; }
LONG GetMessageTime() { return state().lastTime; }
DWORD GetTickCount() { return Now(); }

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    if (hwnd && !IsWindow(hwnd))
        return 0;
    elapse = std::max<UINT>(elapse, 1);
    auto& timers = state().timers;
    if (!hwnd)
        id = ++state().nextThreadTimer;
    auto due = Clock::now() + std::chrono::milliseconds(elapse);
    for (Timer& t : timers)
        if (t.hwnd == hwnd && t.id == id) {
            t = Timer{hwnd, id, elapse, due, proc};
            return hwnd ? 1 : id;
        }
    timers.push_back(Timer{hwnd, id, elapse, due, proc});
    return hwnd ? (id ? id : 1) : id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto& timers = state().timers;
    auto it = std::find_if(timers.begin(), timers.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers.end())
        return FALSE;
    timers.erase(it);
    Queue& q = queue();
    std::lock_guard<std::mutex> guard(q.lock);
    q.messages.erase(std::remove_if(q.messages.begin(), q.messages.end(),
                                    [&](const MSG& m) { return m.message == WM_TIMER && m.hwnd == hwnd && m.wParam == id; }),
                     q.messages.end());
    return TRUE;
}

SHORT GetKeyState(int key)
{
    BYTE k = state().keys[static_cast<BYTE>(key)];
    return static_cast<SHORT>(((k & 0x80) ? 0x8000 : 0) | (k & 0x01));
}

SHORT GetAsyncKeyState(int key)
{
    return (state().asyncKeys[static_cast<BYTE>(key)] & 0x80) ? static_cast<SHORT>(0x8000) : 0;
}

BOOL GetCursorPos(LPPOINT pt)
{
    if (!pt)
        return FALSE;
    *pt = cursorNow();
    return TRUE;
}

BOOL SetCursorPos(int x, int y)
{
    setCursorNow(POINT{x, y});
    return TRUE;
}
