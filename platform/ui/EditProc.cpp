// The edit window class: single- and multi-line text with a selection, a length limit, the
// modified flag, read-only and password modes, line access and one level of undo.
#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

struct EditState {
    int anchor = 0;
    int caret = 0;
    size_t limit = 30000;
    bool modified = false;
    bool focus = false;
    char password = 0;
    int firstLine = 0;
    std::string undoText;
    bool canUndo = false;
    int leftMargin = 2;
    int rightMargin = 0;
};
using States = ctl::StateMap<EditState>;

bool multiLine(HWND hwnd) { return (ctl::StyleOf(hwnd) & ES_MULTILINE) != 0; }

// Start offsets of the lines; lines end at "\r\n".
std::vector<int> lineStarts(const std::string& text)
{
    std::vector<int> starts{0};
    for (size_t i = 0; i + 1 < text.size(); ++i)
        if (text[i] == '\r' && text[i + 1] == '\n')
            starts.push_back(static_cast<int>(i + 2));
    return starts;
}

int lineOf(const std::vector<int>& starts, int index)
{
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), index) - starts.begin()) - 1;
}

int lineLength(const std::string& text, const std::vector<int>& starts, int line)
{
    size_t next = static_cast<size_t>(line) + 1 < starts.size() ? static_cast<size_t>(starts[line + 1]) - 2 : text.size();
    return static_cast<int>(next) - starts[line];
}

void notifyChange(HWND hwnd)
{
    ctl::NotifyParent(hwnd, EN_UPDATE);
    ctl::NotifyParent(hwnd, EN_CHANGE);
}

void setSel(HWND hwnd, int start, int end)
{
    int length = static_cast<int>(ctl::TextOf(hwnd).size());
    EditState& s = States::Of(hwnd);
    if (start < 0) {
        s.anchor = s.caret;
    } else {
        s.anchor = std::clamp(start, 0, length);
        s.caret = end < 0 ? length : std::clamp(end, 0, length);
    }
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

std::string filtered(HWND hwnd, std::string text, bool typed)
{
    DWORD style = ctl::StyleOf(hwnd);
    if (typed && (style & ES_NUMBER))
        text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return !isdigit(static_cast<unsigned char>(c)); }),
                   text.end());
    if (style & ES_UPPERCASE)
        std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(toupper(static_cast<unsigned char>(c))); });
    if (style & ES_LOWERCASE)
        std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(tolower(static_cast<unsigned char>(c))); });
    if (!multiLine(hwnd)) {
        size_t end = text.find_first_of("\r\n");
        if (end != std::string::npos)
            text.resize(end);
    }
    return text;
}

// Replaces the selection; text past the limit is refused with EN_MAXTEXT.
void replaceSel(HWND hwnd, const std::string& insert, bool typed)
{
    EditState& s = States::Of(hwnd);
    std::string text = ctl::TextOf(hwnd);
    int from = std::min(s.anchor, s.caret), to = std::max(s.anchor, s.caret);
    std::string piece = filtered(hwnd, insert, typed);
    size_t room = s.limit - std::min(s.limit, text.size() - static_cast<size_t>(to - from));
    bool overflow = piece.size() > room;
    if (overflow)
        piece.resize(room);
    if (!piece.empty() || from != to) {
        s.undoText = text;
        s.canUndo = true;
        text.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), piece);
        ctl::StoreText(hwnd, text);
        s.anchor = s.caret = from + static_cast<int>(piece.size());
        s.modified = true;
        notifyChange(hwnd);
    }
    if (overflow)
        ctl::NotifyParent(hwnd, EN_MAXTEXT);
}

void setText(HWND hwnd, LPCSTR value)
{
    EditState& s = States::Of(hwnd);
    std::string text = filtered(hwnd, value ? value : "", false);
    ctl::StoreText(hwnd, text);
    s.anchor = s.caret = 0;
    s.firstLine = 0;
    s.modified = false;
    s.canUndo = false;
    notifyChange(hwnd);
}

void scrollCaret(HWND hwnd)
{
    EditState& s = States::Of(hwnd);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    int visible = std::max(1, static_cast<int>(client.bottom - client.top) / ctl::LineHeight(hwnd));
    int line = lineOf(lineStarts(ctl::TextOf(hwnd)), s.caret);
    if (line < s.firstLine)
        s.firstLine = line;
    else if (line >= s.firstLine + visible)
        s.firstLine = line - visible + 1;
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

void moveCaret(HWND hwnd, int to, bool extend)
{
    EditState& s = States::Of(hwnd);
    s.caret = std::clamp(to, 0, static_cast<int>(ctl::TextOf(hwnd).size()));
    if (!extend)
        s.anchor = s.caret;
    scrollCaret(hwnd);
}

LRESULT undo(HWND hwnd);

void keyDown(HWND hwnd, WPARAM vk)
{
    EditState& s = States::Of(hwnd);
    bool shift = ::GetKeyState(VK_SHIFT) < 0;
    std::string text = ctl::TextOf(hwnd);
    std::vector<int> starts = lineStarts(text);
    int line = lineOf(starts, s.caret);
    int column = s.caret - starts[line];
    switch (vk) {
    case VK_LEFT: moveCaret(hwnd, s.caret - ((s.caret >= 2 && text.compare(s.caret - 2, 2, "\r\n") == 0) ? 2 : 1), shift); break;
    case VK_RIGHT: moveCaret(hwnd, s.caret + (text.compare(s.caret, 2, "\r\n") == 0 ? 2 : 1), shift); break;
    case VK_HOME: moveCaret(hwnd, starts[line], shift); break;
    case VK_END: moveCaret(hwnd, starts[line] + lineLength(text, starts, line), shift); break;
    case VK_UP:
    case VK_DOWN: {
        int target = line + (vk == VK_UP ? -1 : 1);
        if (target >= 0 && target < static_cast<int>(starts.size()))
            moveCaret(hwnd, starts[target] + std::min(column, lineLength(text, starts, target)), shift);
        break;
    }
    case VK_DELETE:
        if (ctl::StyleOf(hwnd) & ES_READONLY)
            break;
        if (s.anchor == s.caret)
            s.caret = std::min(static_cast<int>(text.size()), s.caret + (text.compare(s.caret, 2, "\r\n") == 0 ? 2 : 1));
        replaceSel(hwnd, "", false);
        break;
    case 'A':
        if (::GetKeyState(VK_CONTROL) < 0)
            setSel(hwnd, 0, -1);
        break;
    case 'Z':
        if (::GetKeyState(VK_CONTROL) < 0)
            undo(hwnd);
        break;
    default: break;
    }
}

void typed(HWND hwnd, WPARAM ch)
{
    EditState& s = States::Of(hwnd);
    if (ctl::StyleOf(hwnd) & ES_READONLY)
        return;
    if (ch == VK_BACK) {
        if (s.anchor == s.caret && s.caret > 0) {
            std::string text = ctl::TextOf(hwnd);
            s.anchor = s.caret - ((s.caret >= 2 && text.compare(s.caret - 2, 2, "\r\n") == 0) ? 2 : 1);
        }
        replaceSel(hwnd, "", false);
    } else if (ch == '\r' && multiLine(hwnd)) {
        replaceSel(hwnd, "\r\n", true);
    } else if (ch >= 0x20) {
        replaceSel(hwnd, std::string(1, static_cast<char>(ch)), true);
    }
    scrollCaret(hwnd);
}

int indexFromPoint(HWND hwnd, POINT pt)
{
    EditState& s = States::Of(hwnd);
    std::string text = ctl::TextOf(hwnd);
    std::vector<int> starts = lineStarts(text);
    int line = std::clamp(s.firstLine + pt.y / ctl::LineHeight(hwnd), 0, static_cast<int>(starts.size()) - 1);
    int length = lineLength(text, starts, line);
    for (int i = 0; i < length; ++i) {
        int width = ctl::TextWidth(hwnd, text.substr(static_cast<size_t>(starts[line]), static_cast<size_t>(i) + 1));
        if (width > pt.x - s.leftMargin)
            return starts[line] + i;
    }
    return starts[line] + length;
}

void paint(HWND hwnd, CDC& dc, RECT client)
{
    const EditState& s = States::Of(hwnd);
    std::string text = ctl::TextOf(hwnd);
    if (s.password && !multiLine(hwnd))
        text.assign(text.size(), s.password);
    std::vector<int> starts = lineStarts(text);
    int height = ctl::LineHeight(hwnd);
    int from = std::min(s.anchor, s.caret), to = std::max(s.anchor, s.caret);
    dc.SetBkMode(OPAQUE);
    for (int line = s.firstLine; line < static_cast<int>(starts.size()); ++line) {
        int y = client.top + 1 + (line - s.firstLine) * height;
        if (y > client.bottom)
            break;
        int start = starts[line], length = lineLength(text, starts, line);
        int x = client.left + s.leftMargin;
        for (int i = start; i < start + length; ++i) {
            bool selected = i >= from && i < to && (s.focus || (ctl::StyleOf(hwnd) & ES_NOHIDESEL));
            dc.SetBkColor(::GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
            dc.SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            dc.TextOut(x, y, &text[static_cast<size_t>(i)], 1);
            x += ctl::TextWidth(hwnd, text.substr(static_cast<size_t>(i), 1));
            if (i + 1 == s.caret && s.focus)
                dc.FillSolidRect(x, y, 1, height, ::GetSysColor(COLOR_WINDOWTEXT));
        }
        if (s.caret == start && s.focus)
            dc.FillSolidRect(client.left + s.leftMargin, y, 1, height, ::GetSysColor(COLOR_WINDOWTEXT));
    }
}

// Margins in pixels; the font's own margins are none here.
void setMargins(HWND hwnd, WPARAM which, LPARAM widths)
{
    EditState& s = States::Of(hwnd);
    const bool fromFont = LOWORD(widths) == EC_USEFONTINFO;
    if (which & EC_LEFTMARGIN)
        s.leftMargin = fromFont ? 0 : LOWORD(widths);
    if (which & EC_RIGHTMARGIN)
        s.rightMargin = fromFont ? 0 : HIWORD(widths);
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

LRESULT getLine(HWND hwnd, WPARAM line, LPARAM buffer)
{
    std::string text = ctl::TextOf(hwnd);
    std::vector<int> starts = lineStarts(text);
    auto* out = reinterpret_cast<char*>(buffer);
    if (!out || line >= starts.size())
        return 0;
    WORD size = *reinterpret_cast<WORD*>(out);
    size_t n = std::min<size_t>(size, static_cast<size_t>(lineLength(text, starts, static_cast<int>(line))));
    std::copy_n(text.begin() + starts[line], n, out);
    return static_cast<LRESULT>(n);
}

LRESULT lineMessage(HWND hwnd, UINT message, WPARAM wParam)
{
    const EditState& s = States::Of(hwnd);
    std::string text = ctl::TextOf(hwnd);
    std::vector<int> starts = lineStarts(text);
    auto arg = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (message) {
    case EM_GETLINECOUNT: return static_cast<LRESULT>(starts.size());
    case EM_LINEINDEX: {
        int line = arg < 0 ? lineOf(starts, s.caret) : arg;
        return line < static_cast<int>(starts.size()) ? starts[line] : -1;
    }
    case EM_LINEFROMCHAR: return lineOf(starts, arg < 0 ? s.caret : std::min(arg, static_cast<int>(text.size())));
    case EM_LINELENGTH:
        if (arg < 0)
            return 0;
        return lineLength(text, starts, lineOf(starts, std::min(arg, static_cast<int>(text.size()))));
    default: return 0;
    }
}

void focus(HWND hwnd, bool on)
{
    States::Of(hwnd).focus = on;
    ::InvalidateRect(hwnd, nullptr, TRUE);
    ctl::NotifyParent(hwnd, on ? EN_SETFOCUS : EN_KILLFOCUS);
}

LRESULT undo(HWND hwnd)
{
    EditState& s = States::Of(hwnd);
    if (!s.canUndo)
        return FALSE;
    std::string previous = s.undoText;
    s.undoText = ctl::TextOf(hwnd);
    ctl::StoreText(hwnd, previous);
    s.anchor = s.caret = std::min(s.caret, static_cast<int>(previous.size()));
    notifyChange(hwnd);
    return TRUE;
}

} // namespace

LRESULT AfxEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    EditState& s = States::Of(hwnd);
    switch (message) {
    case WM_CREATE:
        if (ctl::StyleOf(hwnd) & ES_PASSWORD)
            s.password = '*';
        break;
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLOREDIT, [hwnd](CDC& dc, const RECT& r) { paint(hwnd, dc, r); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE:
        return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS |
               ((ctl::StyleOf(hwnd) & (ES_MULTILINE | ES_WANTRETURN)) == (ES_MULTILINE | ES_WANTRETURN) ? DLGC_WANTALLKEYS : 0);
    case WM_SETTEXT: setText(hwnd, reinterpret_cast<LPCSTR>(lParam)); return TRUE;
    case WM_CHAR: typed(hwnd, wParam); return 0;
    case WM_KEYDOWN: keyDown(hwnd, wParam); return 0;
    case WM_LBUTTONDOWN:
        ::SetFocus(hwnd);
        moveCaret(hwnd, indexFromPoint(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}), (wParam & MK_SHIFT) != 0);
        return 0;
    case WM_SETFOCUS: focus(hwnd, true); return 0;
    case WM_KILLFOCUS: focus(hwnd, false); return 0;
    case EM_GETSEL: {
        auto from = static_cast<DWORD>(std::min(s.anchor, s.caret)), to = static_cast<DWORD>(std::max(s.anchor, s.caret));
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = from;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = to;
        return MAKELONG(static_cast<WORD>(from), static_cast<WORD>(to));
    }
    case EM_SETSEL: setSel(hwnd, static_cast<int>(static_cast<INT_PTR>(wParam)), static_cast<int>(lParam)); return 0;
    case EM_REPLACESEL: replaceSel(hwnd, lParam ? reinterpret_cast<LPCSTR>(lParam) : "", false); return 0;
    case EM_SETLIMITTEXT: s.limit = wParam ? static_cast<size_t>(wParam) : 0x7FFFFFFE; return 0;
    case EM_GETLIMITTEXT: return static_cast<LRESULT>(s.limit);
    case EM_GETMODIFY: return s.modified;
    case EM_SETMODIFY: s.modified = wParam != 0; return 0;
    case EM_SETREADONLY:
        ::SetWindowLongPtr(hwnd, GWL_STYLE, wParam ? ctl::StyleOf(hwnd) | ES_READONLY : ctl::StyleOf(hwnd) & ~ES_READONLY);
        return TRUE;
    case EM_SETPASSWORDCHAR: s.password = static_cast<char>(wParam); ::InvalidateRect(hwnd, nullptr, TRUE); return 0;
    case EM_GETPASSWORDCHAR: return static_cast<unsigned char>(s.password);
    case EM_GETLINE: return getLine(hwnd, wParam, lParam);
    case EM_GETLINECOUNT:
    case EM_LINEINDEX:
    case EM_LINEFROMCHAR:
    case EM_LINELENGTH: return lineMessage(hwnd, message, wParam);
    case EM_SCROLLCARET: scrollCaret(hwnd); return TRUE;
    case EM_GETFIRSTVISIBLELINE: return s.firstLine;
    case EM_SETMARGINS: setMargins(hwnd, wParam, lParam); return 0;
    case EM_GETMARGINS: return MAKELONG(static_cast<WORD>(s.leftMargin), static_cast<WORD>(s.rightMargin));
    case EM_CANUNDO: return s.canUndo;
    case EM_UNDO:
    case WM_UNDO: return undo(hwnd);
    case EM_EMPTYUNDOBUFFER: s.canUndo = false; return 0;
    case WM_CLEAR:
        if (!(ctl::StyleOf(hwnd) & ES_READONLY))
            replaceSel(hwnd, "", false);
        return 0;
    case WM_NCDESTROY:
        States::Forget(hwnd);
        break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}
