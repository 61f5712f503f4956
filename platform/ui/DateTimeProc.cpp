// The date and time picker's window procedure: the picture text, field stepping and the
// drop-down state.
#include "platform/gdi/Dc.h"
#include "platform/ui/ControlKit.h"
#include "platform/ui/DateTimeCtrl.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

struct Token {
    char letter = 0; // 0: literal text
    int count = 0;
    std::string literal;
};

struct PickerState {
    SYSTEMTIME time{};
    bool none = false;
    std::string picture; // empty: the style's own
    int field = 0;
    bool dropped = false;
};
using States = ctl::StateMap<PickerState>;

constexpr std::array<const char*, 12> kMonths = {"January", "February", "March",     "April",   "May",      "June",
                                                 "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDays = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::string_view kLetters = "dMyhHmst";

// Text from after an opening quote up to the closing one (end left on it); two quotes stand
// for one, and a pair with nothing between them is a quote of its own.
std::string quoted(const std::string& picture, size_t& end)
{
    std::string text;
    for (; end < picture.size(); ++end) {
        if (picture[end] != '\'')
            text += picture[end];
        else if (end + 1 < picture.size() && picture[end + 1] == '\'' && !text.empty())
            text += picture[++end];
        else
            break;
    }
    return text.empty() ? "'" : text;
}

std::vector<Token> tokenize(const std::string& picture)
{
    std::vector<Token> tokens;
    for (size_t i = 0; i < picture.size();) {
        char c = picture[i];
        if (c == '\'') {
            size_t end = i + 1;
            tokens.push_back(Token{0, 0, quoted(picture, end)});
            i = end + 1;
        } else if (kLetters.find(c) != std::string_view::npos) {
            size_t end = picture.find_first_not_of(c, i);
            end = end == std::string::npos ? picture.size() : end;
            tokens.push_back(Token{c, static_cast<int>(end - i), {}});
            i = end;
        } else {
            tokens.push_back(Token{0, 0, std::string(1, c)});
            ++i;
        }
    }
    return tokens;
}

std::string number(int value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", digits, value);
    return text;
}

std::string field(const SYSTEMTIME& t, const Token& token)
{
    int hour12 = t.wHour % 12 == 0 ? 12 : t.wHour % 12;
    switch (token.letter) {
    case 'd':
        if (token.count >= 3)
            return std::string(kDays[t.wDayOfWeek % 7]).substr(0, token.count == 3 ? 3 : std::string::npos);
        return number(t.wDay, token.count);
    case 'M':
        if (token.count >= 3)
            return std::string(kMonths[(t.wMonth + 11) % 12]).substr(0, token.count == 3 ? 3 : std::string::npos);
        return number(t.wMonth, token.count);
    case 'y': return token.count <= 2 ? number(t.wYear % 100, token.count) : number(t.wYear, 4);
    case 'h': return number(hour12, std::min(token.count, 2));
    case 'H': return number(t.wHour, std::min(token.count, 2));
    case 'm': return number(t.wMinute, std::min(token.count, 2));
    case 's': return number(t.wSecond, std::min(token.count, 2));
    case 't': return std::string(t.wHour < 12 ? "AM" : "PM").substr(0, token.count == 1 ? 1 : 2);
    default: return token.literal;
    }
}

std::string pictureOf(HWND hwnd)
{
    const PickerState& s = States::Of(hwnd);
    if (!s.picture.empty())
        return s.picture;
    DWORD style = ctl::StyleOf(hwnd);
    if ((style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT)
        return "h:mm:ss tt";
    return (style & DTS_LONGDATEFORMAT) ? "dddd, MMMM dd, yyyy" : "M/d/yyyy";
}

std::vector<Token> fieldsOf(HWND hwnd)
{
    std::vector<Token> fields = tokenize(pictureOf(hwnd));
    std::erase_if(fields, [](const Token& t) { return t.letter == 0; });
    return fields;
}

int daysIn(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[(month + 11) % 12];
}

int wrap(int value, int low, int high) { return value < low ? high : value > high ? low : value; }

// Steps one field by delta, keeping the others and the date valid.
SYSTEMTIME stepped(SYSTEMTIME t, char letter, int delta)
{
    switch (letter) {
    case 'd': t.wDay = static_cast<WORD>(wrap(t.wDay + delta, 1, daysIn(t.wYear, t.wMonth))); break;
    case 'M': t.wMonth = static_cast<WORD>(wrap(t.wMonth + delta, 1, 12)); break;
    case 'y': t.wYear = static_cast<WORD>(std::clamp(t.wYear + delta, 1601, 9999)); break;
    case 'h':
    case 'H': t.wHour = static_cast<WORD>(wrap(t.wHour + delta, 0, 23)); break;
    case 'm': t.wMinute = static_cast<WORD>(wrap(t.wMinute + delta, 0, 59)); break;
    case 's': t.wSecond = static_cast<WORD>(wrap(t.wSecond + delta, 0, 59)); break;
    case 't': t.wHour = static_cast<WORD>((t.wHour + 12) % 24); break;
    default: break;
    }
    t.wDay = static_cast<WORD>(std::min<int>(t.wDay, daysIn(t.wYear, t.wMonth)));
    COleDateTime(t).GetAsSystemTime(t);
    return t;
}

void step(HWND hwnd, int delta)
{
    PickerState& s = States::Of(hwnd);
    std::vector<Token> fields = fieldsOf(hwnd);
    if (fields.empty())
        return;
    s.field = std::clamp(s.field, 0, static_cast<int>(fields.size()) - 1);
    s.time = stepped(s.time, fields[static_cast<size_t>(s.field)].letter, delta);
    s.none = false;
    ::InvalidateRect(hwnd, nullptr, TRUE);
    NMDATETIMECHANGE nm{};
    nm.dwFlags = GDT_VALID;
    nm.st = s.time;
    ctl::SendNotify(hwnd, nm.nmhdr, DTN_DATETIMECHANGE);
}

void drop(HWND hwnd, bool open)
{
    PickerState& s = States::Of(hwnd);
    if (s.dropped == open || (ctl::StyleOf(hwnd) & DTS_UPDOWN))
        return;
    s.dropped = open;
    NMHDR nm{};
    ctl::SendNotify(hwnd, nm, open ? DTN_DROPDOWN : DTN_CLOSEUP);
}

RECT buttonRect(HWND hwnd)
{
    RECT r{};
    ::GetClientRect(hwnd, &r);
    r.left = std::max(r.left, r.right - (ctl::LineHeight(hwnd) + 4));
    return r;
}

std::string shownText(HWND hwnd)
{
    const PickerState& s = States::Of(hwnd);
    return s.none ? std::string() : FormatDateTimePicture(s.time, pictureOf(hwnd));
}

void paint(HWND hwnd, CDC& dc, const RECT& client)
{
    const PickerState& s = States::Of(hwnd);
    RECT text{client.left + 2, client.top, buttonRect(hwnd).left - 2, client.bottom};
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(::GetSysColor(::IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    dc.DrawText(shownText(hwnd).c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    RECT button = buttonRect(hwnd);
    dc.FillSolidRect(&button, ::GetSysColor(COLOR_BTNFACE));
    if (ctl::StyleOf(hwnd) & DTS_UPDOWN) {
        RECT upper = button, lower = button;
        upper.bottom = lower.top = (button.top + button.bottom) / 2;
        dc.DrawEdge(&upper, EDGE_RAISED, BF_RECT);
        dc.DrawEdge(&lower, EDGE_RAISED, BF_RECT);
    } else {
        dc.DrawEdge(&button, s.dropped ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    RECT frame = client;
    dc.DrawEdge(&frame, EDGE_SUNKEN, BF_RECT);
}

void click(HWND hwnd, POINT pt)
{
    ::SetFocus(hwnd);
    RECT button = buttonRect(hwnd);
    if (!::PtInRect(&button, pt))
        return;
    if (ctl::StyleOf(hwnd) & DTS_UPDOWN)
        step(hwnd, pt.y < (button.top + button.bottom) / 2 ? 1 : -1);
    else
        drop(hwnd, !States::Of(hwnd).dropped);
}

void key(HWND hwnd, WPARAM vk)
{
    PickerState& s = States::Of(hwnd);
    int last = static_cast<int>(fieldsOf(hwnd).size()) - 1;
    switch (vk) {
    case VK_LEFT: s.field = std::max(0, s.field - 1); break;
    case VK_RIGHT: s.field = std::clamp(s.field + 1, 0, std::max(0, last)); break;
    case VK_UP: step(hwnd, 1); break;
    case VK_DOWN: step(hwnd, -1); break;
    case VK_F4: drop(hwnd, !s.dropped); break;
    case VK_ESCAPE:
    case VK_RETURN: drop(hwnd, false); break;
    default: break;
    }
}

LRESULT setTime(HWND hwnd, WPARAM flags, LPARAM lParam)
{
    PickerState& s = States::Of(hwnd);
    const auto* time = reinterpret_cast<const SYSTEMTIME*>(lParam);
    if (flags == GDT_NONE) {
        if (!(ctl::StyleOf(hwnd) & DTS_SHOWNONE))
            return FALSE;
        s.none = true;
    } else {
        // Only a real date is taken; the day of the week is worked out here.
        COleDateTime value = time ? COleDateTime(*time) : COleDateTime();
        if (!time || value.GetStatus() != COleDateTime::valid || !value.GetAsSystemTime(s.time))
            return FALSE;
        s.none = false;
    }
    ::InvalidateRect(hwnd, nullptr, TRUE);
    return TRUE;
}

LRESULT getTime(HWND hwnd, LPARAM lParam)
{
    const PickerState& s = States::Of(hwnd);
    auto* time = reinterpret_cast<SYSTEMTIME*>(lParam);
    if (!time)
        return static_cast<LRESULT>(GDT_ERROR);
    if (s.none)
        return GDT_NONE;
    *time = s.time;
    return GDT_VALID;
}

void create(HWND hwnd)
{
    COleDateTime::GetCurrentTime().GetAsSystemTime(States::Of(hwnd).time);
}

} // namespace

std::string FormatDateTimePicture(const SYSTEMTIME& time, const std::string& picture)
{
    std::string text;
    for (const Token& token : tokenize(picture))
        text += field(time, token);
    return text;
}

LRESULT AfxDateTimeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: create(hwnd); break;
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLOREDIT, [hwnd](CDC& dc, const RECT& r) { paint(hwnd, dc, r); }); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: click(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_KEYDOWN: key(hwnd, wParam); return 0;
    case WM_KILLFOCUS: drop(hwnd, false); break;
    case WM_GETTEXT: return wParam ? ctl::CopyOut(shownText(hwnd), lParam, wParam) : 0;
    case WM_GETTEXTLENGTH: return static_cast<LRESULT>(shownText(hwnd).size());
    case DTM_SETSYSTEMTIME: return setTime(hwnd, wParam, lParam);
    case DTM_GETSYSTEMTIME: return getTime(hwnd, lParam);
    case DTM_SETFORMAT:
        States::Of(hwnd).picture = lParam ? reinterpret_cast<LPCSTR>(lParam) : "";
        ::InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    case DTM_GETMONTHCAL: return 0;
    case WM_NCDESTROY: States::Forget(hwnd); break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}
