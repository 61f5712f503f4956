// The script player: one step per tick of a thread timer, so steps keep coming while a
// tracker loop or a modal dialog runs its own message loop.
#include "platform/ui/TestScript.h"

#include "platform/core/OleDateTime.h"
#include "platform/ui/FrameWnd.h"
#include "platform/ui/Menu.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/DragImage.h"
#include "platform/ui/TestHook.h"
#include "platform/ui/UiApi.h"
#include "platform/ui/View.h"
#include "platform/ui/WinApp.h"
#include "platform/ui/WindowTable.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

constexpr UINT kTickMs = 40;
constexpr int kDragSteps = 8;

enum class Kind { Wait, Mouse, Wheel, Key, Type, Menu, Pick, File, Print, Answer, Screenshot, ClipText, ClipImage, ClipData, Clipboard, Drop, Clock, EndSession, Redraw, MenuShot, Quit, Size, Colour, Chooser, FontApply };

struct Step {
    Kind kind = Kind::Wait;
    std::string line;     // as written, for the log
    std::string target;   // view, frame or main
    UINT message = 0;     // mouse message
    POINT at{};
    UINT keys = 0;        // MK_SHIFT / MK_CONTROL
    int number = 0;       // wait time, command, answer, key code
    bool ctrl = false, shift = false, alt = false;
    std::string text;     // typed text, file name
    bool dragging = false; // a step of a drag: a drag and drop started now ends at `end`
    POINT end{};
};

struct Player {
    std::vector<Step> steps;
    size_t next = 0;
    DWORD resumeAt = 0;
    UINT_PTR timer = 0;
    std::string logPath;
    bool playing = false;
    bool scripted = false;
};

Player& player()
{
    static Player p;
    return p;
}

void logLine(const std::string& text)
{
    if (player().logPath.empty())
        return;
    if (FILE* f = std::fopen(player().logPath.c_str(), "a")) {
        std::fprintf(f, "%s\n", text.c_str());
        std::fclose(f);
    }
}

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

struct NamedKey {
    const char* name;
    int vk;
};

constexpr NamedKey kNamedKeys[] = {
    {"escape", VK_ESCAPE}, {"esc", VK_ESCAPE}, {"delete", VK_DELETE}, {"del", VK_DELETE}, {"return", VK_RETURN},
    {"enter", VK_RETURN},  {"tab", VK_TAB},    {"space", VK_SPACE},   {"back", VK_BACK},  {"backspace", VK_BACK},
    {"left", VK_LEFT},     {"right", VK_RIGHT}, {"up", VK_UP},        {"down", VK_DOWN},  {"home", VK_HOME},
    {"end", VK_END},       {"pageup", VK_PRIOR}, {"pagedown", VK_NEXT}, {"insert", VK_INSERT}, {"apps", VK_APPS},
};

int keyCode(const std::string& name)
{
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::toupper(static_cast<unsigned char>(name[0]));
    if (name.size() >= 2 && name[0] == 'f' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        int n = std::atoi(name.c_str() + 1);
        return n >= 1 && n <= 24 ? 0x70 + n - 1 : 0;
    }
    for (const NamedKey& k : kNamedKeys)
        if (name == k.name)
            return k.vk;
    return 0;
}

bool parseKey(const std::string& combo, Step& step)
{
    std::stringstream parts(lower(combo));
    std::string part;
    while (std::getline(parts, part, '+')) {
        if (part == "ctrl")
            step.ctrl = true;
        else if (part == "shift")
            step.shift = true;
        else if (part == "alt")
            step.alt = true;
        else if (!(step.number = keyCode(part)))
            return false;
    }
    // Alt alone is a key press of its own.
    if (!step.number && step.alt && !step.ctrl && !step.shift) {
        step.number = VK_MENU;
        step.alt = false;
    }
    return step.number != 0;
}

// Alt has no MK_* flag: it is held as a key around the step.
UINT modifierKeys(std::istream& in, bool& alt)
{
    UINT keys = 0;
    std::string word;
    while (in >> word) {
        if (word == "shift")
            keys |= MK_SHIFT;
        else if (word == "ctrl")
            keys |= MK_CONTROL;
        else if (word == "alt")
            alt = true;
        else
            return UINT(-1);
    }
    return keys;
}

Step mouseStep(const std::string& line, const std::string& target, UINT message, POINT at, UINT keys)
{
    Step s;
    s.kind = Kind::Mouse;
    s.line = line;
    s.target = target;
    s.message = message;
    s.at = at;
    s.keys = keys;
    return s;
}

UINT buttonFlag(UINT message)
{
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_MOUSEMOVE: return MK_LBUTTON;
    case WM_RBUTTONDOWN: return MK_RBUTTON;
    default: return 0;
    }
}

// A click is a press and a release; a drag adds moves with the button held between them.
bool parseMouse(const std::string& verb, std::istream& in, const std::string& line, std::vector<Step>& out, bool& held)
{
    std::string target;
    POINT a{}, b{};
    if (!(in >> target >> a.x >> a.y))
        return false;
    if (verb == "drag" && !(in >> b.x >> b.y))
        return false;
    bool alt = false;
    UINT keys = modifierKeys(in, alt);
    if (keys == UINT(-1))
        return false;
    const size_t first = out.size();
    if (verb == "click" || verb == "rclick" || verb == "dblclick") {
        UINT down = verb == "click" ? WM_LBUTTONDOWN : verb == "rclick" ? WM_RBUTTONDOWN : WM_LBUTTONDBLCLK;
        UINT up = verb == "rclick" ? WM_RBUTTONUP : WM_LBUTTONUP;
        if (verb == "dblclick") {
            out.push_back(mouseStep(line, target, WM_LBUTTONDOWN, a, keys | MK_LBUTTON));
            out.push_back(mouseStep(line, target, WM_LBUTTONUP, a, keys));
        }
        out.push_back(mouseStep(line, target, down, a, keys | buttonFlag(down)));
        out.push_back(mouseStep(line, target, up, a, keys));
    } else if (verb == "down" || verb == "up" || verb == "move") {
        UINT message = verb == "down" ? WM_LBUTTONDOWN : verb == "up" ? WM_LBUTTONUP : WM_MOUSEMOVE;
        held = verb == "down" || (verb == "move" && held);
        out.push_back(mouseStep(line, target, message, a, keys | (held ? MK_LBUTTON : 0)));
    } else {
        out.push_back(mouseStep(line, target, WM_LBUTTONDOWN, a, keys | MK_LBUTTON));
        for (int i = 1; i <= kDragSteps; ++i) {
            POINT p{a.x + (b.x - a.x) * i / kDragSteps, a.y + (b.y - a.y) * i / kDragSteps};
            out.push_back(mouseStep(line, target, WM_MOUSEMOVE, p, keys | MK_LBUTTON));
            out.back().dragging = true;
            out.back().end = b;
        }
        out.push_back(mouseStep(line, target, WM_LBUTTONUP, b, keys));
        // An Alt press drags at once: the drag and drop it starts ends at the drag's end.
        out[first].dragging = alt;
        out[first].end = b;
    }
    for (size_t i = first; i < out.size(); ++i)
        out[i].alt = alt;
    return true;
}

std::string restOf(std::istream& in)
{
    std::string rest;
    std::getline(in >> std::ws, rest);
    return rest;
}

// `held` carries the left button's state from a "down" line to the moves and the "up" after it.
bool parseLine(const std::string& line, std::vector<Step>& out, bool& held)
{
    std::istringstream in(line);
    std::string verb;
    if (!(in >> verb) || verb[0] == '#')
        return true;
    if (verb == "click" || verb == "rclick" || verb == "dblclick" || verb == "down" || verb == "up" ||
        verb == "move" || verb == "drag")
        return parseMouse(verb, in, line, out, held);
    Step s;
    s.line = line;
    // pick <command>: the item the next context menu is left with.
    if (verb == "wait" || verb == "menu" || verb == "answer" || verb == "pick") {
        s.kind = verb == "wait" ? Kind::Wait : verb == "menu" ? Kind::Menu : verb == "pick" ? Kind::Pick : Kind::Answer;
        if (!(in >> s.number))
            return false;
    } else if (verb == "key") {
        s.kind = Kind::Key;
        std::string combo;
        if (!(in >> combo) || !parseKey(combo, s))
            return false;
    } else if (verb == "type" || verb == "file" || verb == "screenshot") {
        s.kind = verb == "type" ? Kind::Type : verb == "file" ? Kind::File : Kind::Screenshot;
        s.text = restOf(in);
        if (s.kind == Kind::Screenshot && s.text.empty())
            return false;
    } else if (verb == "menushot") {
        // menushot <path>: the next context menu is pictured as it shows, and its texts logged,
        // before its pick.
        s.kind = Kind::MenuShot;
        s.text = restOf(in);
        if (s.text.empty())
            return false;
    } else if (verb == "cliptext" || verb == "clipimage") {
        // Content another program put on the desktop's clipboard.
        s.kind = verb == "cliptext" ? Kind::ClipText : Kind::ClipImage;
        s.text = restOf(in);
        if (s.kind == Kind::ClipImage && s.text.empty())
            return false;
    } else if (verb == "clipdata") {
        // clipdata <file> <format name>: the file's bytes offered under a registered format, as
        // another running copy of the program offers it.
        s.kind = Kind::ClipData;
        if (!(in >> s.target))
            return false;
        s.text = restOf(in);
        if (s.text.empty())
            return false;
    } else if (verb == "wheel") {
        // wheel <target> <x> <y> <delta>: the wheel turned over a point (120 a notch, negative
        // towards the user).
        s.kind = Kind::Wheel;
        if (!(in >> s.target >> s.at.x >> s.at.y >> s.number))
            return false;
    } else if (verb == "snapshot") {
        // snapshot <target> <path>: a picture of that window alone; "screen" pictures the whole
        // display with every window on it.
        s.kind = Kind::Screenshot;
        if (!(in >> s.target))
            return false;
        s.text = restOf(in);
        if (s.text.empty())
            return false;
    } else if (verb == "drop") {
        // Files let go over a window: "drop view 120 80 /path/a.trn".
        s.kind = Kind::Drop;
        if (!(in >> s.target >> s.at.x >> s.at.y))
            return false;
        s.text = restOf(in);
        if (s.text.empty())
            return false;
    } else if (verb == "printer") {
        // The next print dialog prints to a desktop queue: "printer Office 2 3 1" prints pages
        // 2 to 3 (0 0 all, -1 -1 the current page), one copy.
        s.kind = Kind::Print;
        if (!(in >> s.target >> s.at.x >> s.at.y >> s.number))
            return false;
    } else if (verb == "print" || verb == "clipboard") {
        // The next print dialog prints to this PDF file; the clipboard's text goes to this file.
        s.kind = verb == "print" ? Kind::Print : Kind::Clipboard;
        s.text = restOf(in);
        if (s.text.empty())
            return false;
    } else if (verb == "clock") {
        // The program's clock stands at these seconds since 1970; 0 lets it run again.
        s.kind = Kind::Clock;
        if (!(in >> s.number))
            return false;
    } else if (verb == "size") {
        // size <target> <width> <height>: the desktop resizes that window, as when the user drags
        // its frame; it stops at the smallest size the window allows.
        s.kind = Kind::Size;
        if (!(in >> s.target >> s.at.x >> s.at.y))
            return false;
    } else if (verb == "colour") {
        // colour <r> <g> <b>: the next colour dialog ends with OK on that colour.
        s.kind = Kind::Colour;
        int r = 0, g = 0, b = 0;
        if (!(in >> r >> g >> b))
            return false;
        s.number = static_cast<int>(RGB(static_cast<BYTE>(r), static_cast<BYTE>(g), static_cast<BYTE>(b)));
    } else if (verb == "fontapply") {
        // fontapply <pixel height> <face>: the next font dialog shows that font and presses Apply.
        s.kind = Kind::FontApply;
        if (!(in >> s.number))
            return false;
        s.text = restOf(in);
        if (s.text.empty())
            return false;
    } else if (verb == "chooser") {
        // chooser <id>: the next colour or font dialog ends by a press of its button id.
        s.kind = Kind::Chooser;
        if (!(in >> s.number))
            return false;
    } else if (verb == "quit") {
        s.kind = Kind::Quit;
    } else if (verb == "endsession") {
        // The desktop session ends as the user logs out.
        s.kind = Kind::EndSession;
    } else if (verb == "redraw") {
        // Everything on the screen painted anew, as when a covering window goes away.
        s.kind = Kind::Redraw;
    } else {
        return false;
    }
    out.push_back(s);
    return true;
}

// The pop-up window that takes input now, such as a modal dialog: a top-level window or one
// owned by the main window.
CWnd* openDialog(HWND main)
{
    for (HWND first : {::GetWindow(main, GW_HWNDFIRST), ::GetWindow(main, GW_CHILD)})
        for (HWND w = first; w; w = ::GetWindow(w, GW_HWNDNEXT))
            if (w != main && (::GetWindowLong(w, GWL_STYLE) & WS_POPUP) && ::IsWindowVisible(w) &&
                ::IsWindowEnabled(w))
                return CWnd::FromHandle(w);
    return nullptr;
}

CWnd* targetWindow(const std::string& name)
{
    CWnd* main = AfxGetMainWnd();
    if (!main || name == "main")
        return main;
    if (name == "dialog")
        return openDialog(main->m_hWnd);
    // The picture that follows the mouse while an item is dragged.
    if (name == "dragimage")
        return ImageList_GetDragWindow() ? CWnd::FromHandle(ImageList_GetDragWindow()) : nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(main);
    CFrameWnd* active = frame ? frame->GetActiveFrame() : nullptr;
    if (!active || active == frame)
        return nullptr;
    if (name == "frame")
        return active;
    return name == "view" ? active->GetActiveView() : nullptr;
}

// Where a drag and drop that a drag step starts is let go: the drag's end, on the screen.
struct ScriptedDrop {
    bool pending = false;
    POINT screen{};
    UINT keys = 0;
};

ScriptedDrop& scriptedDrop()
{
    static ScriptedDrop drop;
    return drop;
}

bool playSize(const Step& s, std::string& error)
{
    CWnd* target = targetWindow(s.target);
    if (!target || !target->m_hWnd) {
        error = "no window \"" + s.target + "\"";
        return false;
    }
    MINMAXINFO limits{};
    ::SendMessage(target->m_hWnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    CRect place;
    target->GetWindowRect(&place);
    target->MoveWindow(place.left, place.top, std::max(s.at.x, limits.ptMinTrackSize.x),
                       std::max(s.at.y, limits.ptMinTrackSize.y), TRUE);
    return true;
}

// A press opening a pop-up makes that the "dialog"; the moves and the release that follow under
// the same name stay where the press was, as a hand on the mouse does.
struct Press {
    HWND window = nullptr;
    std::string target;
};

CWnd* pressedWindow(const Step& s, Press& pressed)
{
    const bool release = s.message == WM_LBUTTONUP || s.message == WM_RBUTTONUP;
    const bool held = release || (s.message == WM_MOUSEMOVE && (s.keys & MK_LBUTTON));
    CWnd* window = held && s.target == pressed.target && ::IsWindow(pressed.window)
                       ? CWnd::FromHandle(pressed.window)
                       : nullptr;
    if (release)
        pressed = {};
    return window;
}

bool playMouse(const Step& s, std::string& error)
{
    static POINT lastScreen{};
    static Press pressed;
    CWnd* target = pressedWindow(s, pressed);
    if (!target)
        target = targetWindow(s.target);
    const bool release = s.message == WM_LBUTTONUP || s.message == WM_RBUTTONUP;
    if (!release && s.message != WM_MOUSEMOVE)
        pressed = {target ? target->m_hWnd : nullptr, s.target};
    // A press can close its window (a double click on a box); the release then happens where
    // the press was.
    if ((!target || !target->m_hWnd) && !release) {
        error = "no window \"" + s.target + "\"";
        return false;
    }
    POINT screen = s.at;
    if (target && target->m_hWnd)
        ::ClientToScreen(target->m_hWnd, &screen);
    else
        screen = lastScreen;
    POINT end = s.end;
    if (s.dragging && target && target->m_hWnd)
        ::ClientToScreen(target->m_hWnd, &end);
    scriptedDrop() = {s.dragging, end, s.keys & ~static_cast<UINT>(MK_LBUTTON)};
    lastScreen = screen;
    if (s.alt)
        UiTestHook::KeyDown(VK_MENU);
    if (s.message == WM_MOUSEMOVE)
        UiTestHook::MouseMove(screen, s.keys);
    else if (s.message == WM_LBUTTONUP || s.message == WM_RBUTTONUP)
        UiTestHook::MouseUp(s.message, screen, s.keys);
    else
        UiTestHook::MouseDown(s.message, screen, s.keys);
    if (s.alt)
        UiTestHook::KeyUp(VK_MENU);
    return true;
}

void playKey(const Step& s)
{
    const int mods[] = {s.ctrl ? VK_CONTROL : 0, s.shift ? VK_SHIFT : 0, s.alt ? VK_MENU : 0};
    for (int vk : mods)
        if (vk)
            UiTestHook::KeyDown(vk);
    UiTestHook::KeyDown(s.number);
    bool printable = s.number == VK_SPACE || (s.number >= '0' && s.number <= 'Z');
    if (printable && !s.ctrl && !s.alt) {
        int ch = s.shift || s.number < 'A' ? s.number : std::tolower(s.number);
        ui::RouteKey(WM_CHAR, static_cast<WPARAM>(ch), 1);
    }
    UiTestHook::KeyUp(s.number);
    for (int i = 2; i >= 0; --i)
        if (mods[i])
            UiTestHook::KeyUp(mods[i]);
}

void playType(const Step& s)
{
    for (unsigned char c : s.text)
        ui::RouteKey(WM_CHAR, c, 1);
}

bool menuHolds(HMENU menu, UINT command)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (HMENU sub = GetSubMenu(menu, i)) {
            if (menuHolds(sub, command))
                return true;
        } else if (GetMenuItemID(menu, i) == command) {
            return true;
        }
    }
    return false;
}

UiTestScript::MenuCommandPicker commandPicker = nullptr;

// Clicks the menu-bar item whose drop-down holds the command; the drop-down then takes the pick.
bool playMenu(const Step& s, std::string& error)
{
    if (commandPicker && commandPicker(static_cast<unsigned>(s.number)))
        return true;
    CWnd* main = AfxGetMainWnd();
    ui::Window* w = main ? ui::Find(main->m_hWnd) : nullptr;
    HMENU bar = main ? GetMenu(main->m_hWnd) : nullptr;
    std::vector<QRect> items = w ? ui::MenuBarItems(w) : std::vector<QRect>{};
    auto command = static_cast<UINT>(s.number);
    for (size_t i = 0; i < items.size(); ++i) {
        HMENU sub = GetSubMenu(bar, static_cast<int>(i));
        if (!sub || !menuHolds(sub, command))
            continue;
        POINT o = ui::WindowOrigin(w);
        POINT at{o.x + items[i].center().x(), o.y + items[i].center().y()};
        UiTestHook::QueueMenuPick(command);
        UiTestHook::MouseDown(WM_LBUTTONDOWN, at, MK_LBUTTON);
        UiTestHook::MouseUp(WM_LBUTTONUP, at, 0);
        return true;
    }
    error = "no menu holds command " + std::to_string(command);
    return false;
}

// What the display shows: every visible top-level window, drop-downs and pop-ups included.
QImage screenImage()
{
    QImage image(std::max(1, ::GetSystemMetrics(SM_CXSCREEN)), std::max(1, ::GetSystemMetrics(SM_CYSCREEN)),
                 QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const std::vector<HWND>& tops = ui::Desktop()->children;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        ui::Window* w = ui::Find(*it);
        if (!w || !(w->style & WS_VISIBLE))
            continue;
        painter.save();
        painter.translate(w->rect.left, w->rect.top);
        ui::Compose(painter, w);
        painter.restore();
    }
    painter.end();
    return image;
}

// The window the step names alone, or the main window.
QImage windowImage(const Step& s, std::string& error)
{
    CWnd* shown = s.target.empty() ? AfxGetMainWnd() : targetWindow(s.target);
    ui::Window* w = shown ? ui::Find(shown->m_hWnd) : nullptr;
    if (!w) {
        error = s.target.empty() ? "no main window" : "no window \"" + s.target + "\"";
        return QImage();
    }
    QImage image(std::max(1, w->rect.right - w->rect.left), std::max(1, w->rect.bottom - w->rect.top),
                 QImage::Format_RGB32);
    QPainter painter(&image);
    ui::Compose(painter, w);
    painter.end();
    return image;
}

bool playScreenshot(const Step& s, std::string& error)
{
    const QImage image = s.target == "screen" ? screenImage() : windowImage(s, error);
    if (image.isNull())
        return false;
    if (!image.save(QString::fromStdString(s.text), "PNG")) {
        error = "cannot write " + s.text;
        return false;
    }
    return true;
}

// Desktop content, as any other program offers it: text, a picture read from a file, or a
// file's bytes under a registered format.
bool playOfferToClipboard(const Step& s, std::string& error)
{
    auto* mime = new QMimeData;
    if (s.kind == Kind::ClipText) {
        mime->setText(QString::fromStdString(s.text));
    } else if (s.kind == Kind::ClipData) {
        std::ifstream in(s.target, std::ios::binary);
        if (!in) {
            delete mime;
            error = "cannot read " + s.target;
            return false;
        }
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        mime->setData("application/x-vantrel-clip;name=" + QByteArray::fromStdString(s.text).toPercentEncoding(),
                      QByteArray::fromStdString(bytes));
    } else {
        QImage image(QString::fromStdString(s.text));
        if (image.isNull()) {
            delete mime;
            error = "cannot read " + s.text;
            return false;
        }
        mime->setImageData(image);
    }
    QGuiApplication::clipboard()->setMimeData(mime);
    return true;
}

// The step's window and its point on the screen; null (and the error) when there is none.
CWnd* targetPoint(const Step& s, POINT& screen, std::string& error)
{
    CWnd* target = targetWindow(s.target);
    if (!target || !target->m_hWnd) {
        error = "no window \"" + s.target + "\"";
        return nullptr;
    }
    screen = s.at;
    ::ClientToScreen(target->m_hWnd, &screen);
    return target;
}

bool playWheel(const Step& s, std::string& error)
{
    POINT screen;
    CWnd* target = targetPoint(s, screen, error);
    if (!target)
        return false;
    target->PostMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(static_cast<short>(s.number))),
                        MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    return true;
}

// The clipboard's text, as the user would paste it elsewhere, written to a file.
bool playClipboardToFile(const Step& s, std::string& error)
{
    std::ofstream out(s.text, std::ios::binary);
    out << QGuiApplication::clipboard()->text().toStdString();
    if (!out) {
        error = "cannot write " + s.text;
        return false;
    }
    return true;
}

bool playDrop(const Step& s, std::string& error)
{
    POINT screen;
    CWnd* target = targetPoint(s, screen, error);
    if (!target)
        return false;
    ui::PostDroppedFiles(target->m_hWnd, screen, {s.text});
    return true;
}

CWnd* mainWindow(std::string& error)
{
    CWnd* main = AfxGetMainWnd();
    if (!main || !main->m_hWnd)
        error = "no main window";
    return main && main->m_hWnd ? main : nullptr;
}

// The answer goes to the log: the session may end, or the user cancelled it.
LOGFONT scriptedFont(const Step& s)
{
    LOGFONT font{};
    font.lfHeight = -s.number;
    font.lfWeight = FW_NORMAL;
    s.text.copy(font.lfFaceName, LF_FACESIZE - 1);
    return font;
}

bool playEndSession(std::string& error)
{
    CWnd* main = mainWindow(error);
    if (main)
        logLine(main->SendMessage(WM_QUERYENDSESSION, 0, 0) ? "session: ends" : "session: goes on");
    return main != nullptr;
}

bool playRedraw(std::string& error)
{
    CWnd* main = mainWindow(error);
    if (main)
        main->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return main != nullptr;
}

bool play(const Step& s, std::string& error)
{
    switch (s.kind) {
    case Kind::Wait: player().resumeAt = ui::Now() + static_cast<DWORD>(std::max(0, s.number)); return true;
    case Kind::Mouse: return playMouse(s, error);
    case Kind::Wheel: return playWheel(s, error);
    case Kind::Size: return playSize(s, error);
    case Kind::Key: playKey(s); return true;
    case Kind::Type: playType(s); return true;
    case Kind::Menu: return playMenu(s, error);
    case Kind::Pick: UiTestHook::QueueMenuPick(static_cast<UINT>(s.number)); return true;
    case Kind::MenuShot: UiTestHook::QueueMenuSnapshot(s.text); return true;
    case Kind::File: UiTestHook::QueueFileDialogAnswer(s.text); return true;
    case Kind::Print:
        if (s.target.empty())
            UiTestHook::QueuePrintDialogAnswer(true, 0, 0, 1, s.text);
        else
            UiTestHook::QueuePrintDialogAnswer(true, s.at.x, s.at.y, s.number, "", s.target);
        return true;
    case Kind::Clipboard: return playClipboardToFile(s, error);
    case Kind::Answer: UiTestHook::QueueMessageBoxAnswer(s.number); return true;
    case Kind::Colour: UiTestHook::QueueColorDialogAnswer(true, static_cast<COLORREF>(s.number)); return true;
    case Kind::Chooser: UiTestHook::QueueCommonDialogButton(static_cast<UINT>(s.number)); return true;
    case Kind::FontApply: UiTestHook::QueueFontDialogApply(scriptedFont(s)); return true;
    case Kind::Screenshot: return playScreenshot(s, error);
    case Kind::ClipText:
    case Kind::ClipImage:
    case Kind::ClipData: return playOfferToClipboard(s, error);
    case Kind::Drop: return playDrop(s, error);
    case Kind::Clock: COleDateTime::SetTestClock(static_cast<time_t>(s.number)); return true;
    case Kind::EndSession: return playEndSession(error);
    case Kind::Redraw: return playRedraw(error);
    case Kind::Quit:
        if (CWnd* main = AfxGetMainWnd())
            main->PostMessage(WM_CLOSE);
        return true;
    }
    return true;
}

void stop()
{
    Player& p = player();
    if (p.timer)
        KillTimer(nullptr, p.timer);
    p.timer = 0;
    p.playing = false;
}

// Steps run in order even when a step's own nested loop calls back into this tick.
void tick(HWND, UINT, UINT_PTR, DWORD)
{
    Player& p = player();
    if (!p.playing || ui::Now() < p.resumeAt)
        return;
    if (p.next >= p.steps.size()) {
        logLine("end");
        stop();
        return;
    }
    const Step step = p.steps[p.next++];
    logLine("step: " + step.line);
    std::string error;
    if (!play(step, error)) {
        logLine("error: " + error);
        std::_Exit(3);
    }
}

} // namespace

namespace UiTestScript {

bool Start(const std::vector<std::string>& lines, const std::string& logPath, std::string& error)
{
    std::vector<Step> steps;
    bool held = false;
    for (const std::string& line : lines) {
        if (!parseLine(line, steps, held)) {
            error = "not a step: " + line;
            return false;
        }
    }
    stop();
    Player& p = player();
    p.steps = std::move(steps);
    p.next = 0;
    p.resumeAt = 0;
    p.logPath = logPath;
    p.playing = true;
    p.scripted = true;
    p.timer = SetTimer(nullptr, 0, kTickMs, tick);
    return true;
}

void StartFromEnvironment()
{
    const char* path = std::getenv("VANTREL_TEST_SCRIPT");
    if (!path || !*path)
        return;
    const char* log = std::getenv("VANTREL_TEST_LOG");
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::string error;
    if (!in.eof() || !Start(lines, log ? log : "", error)) {
        std::fprintf(stderr, "test script %s: %s\n", path, error.empty() ? "cannot be read" : error.c_str());
        std::_Exit(3);
    }
}

void SetMenuCommandPicker(MenuCommandPicker picker) { commandPicker = picker; }

bool TakeDragDrop(POINT& screen, unsigned& keys)
{
    ScriptedDrop& drop = scriptedDrop();
    if (!drop.pending)
        return false;
    drop.pending = false;
    screen = drop.screen;
    keys = drop.keys;
    return true;
}

bool Scripted() { return player().scripted; }

bool Playing() { return player().playing; }

void NoteMessageBox(const std::string& text)
{
    if (player().scripted)
        logLine("box: " + text);
}

void NoteEvent(const std::string& text)
{
    if (player().scripted)
        logLine(text);
}

} // namespace UiTestScript
