#include "platform/ui/MonthCalCtrl.h"

#include "platform/gdi/Dc.h"
#include "platform/gdi/GdiObject.h"
#include "platform/ui/ControlKit.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CMonthCalCtrl, CWnd)

namespace {

struct CalendarState {
    SYSTEMTIME selected{};
    SYSTEMTIME today{};
    int year = 0;  // first month shown
    int month = 0; // 1..12
    int firstDay = 0; // 0 = Monday
    std::vector<MONTHDAYSTATE> dayStates; // from the month before the first shown
};
using States = ctl::StateMap<CalendarState>;

const char* const monthNames[] = {"January", "February", "March", "April", "May", "June", "July",
                                  "August", "September", "October", "November", "December"};

bool leap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }
int daysIn(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && leap(y) ? 29 : days[m - 1];
}
// 0 = Sunday.
int weekday(int y, int m, int d)
{
    static const int t[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3)
        --y;
    return (y + y / 4 - y / 100 + y / 400 + t[m - 1] + d) % 7;
}
void addMonths(int& y, int& m, int n)
{
    int index = y * 12 + (m - 1) + n;
    y = index / 12;
    m = index % 12 + 1;
}
SYSTEMTIME date(int y, int m, int d)
{
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(m);
    st.wDay = static_cast<WORD>(d);
    st.wDayOfWeek = static_cast<WORD>(weekday(y, m, d));
    return st;
}
bool validDate(const SYSTEMTIME& st)
{
    return st.wYear >= 1601 && st.wYear <= 9999 && st.wMonth >= 1 && st.wMonth <= 12 && st.wDay >= 1 &&
           st.wDay <= daysIn(st.wYear, st.wMonth);
}

struct Metrics {
    int cellW, cellH, title, blockW, blockH, todayH;
};

Metrics metrics(HWND hwnd)
{
    Metrics m{};
    m.cellW = ctl::TextWidth(hwnd, "30") + 8;
    m.cellH = ctl::LineHeight(hwnd) + 2;
    m.title = m.cellH + 6;
    m.blockW = 7 * m.cellW + 8;
    m.blockH = m.title + m.cellH + 6 * m.cellH + 6;
    m.todayH = (ctl::StyleOf(hwnd) & MCS_NOTODAY) ? 0 : m.cellH + 2;
    return m;
}

// Columns and rows of months that fit.
SIZE grid(HWND hwnd)
{
    Metrics m = metrics(hwnd);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return SIZE{std::max(1, static_cast<int>(client.right) / m.blockW),
                std::max(1, (static_cast<int>(client.bottom) - m.todayH) / m.blockH)};
}

int monthsShown(HWND hwnd)
{
    SIZE g = grid(hwnd);
    return std::min(12, static_cast<int>(g.cx * g.cy));
}

// Column of a day in a month's grid and the leading days of the month before.
int leadingDays(HWND hwnd, int y, int m)
{
    return (weekday(y, m, 1) + 6 - States::Of(hwnd).firstDay) % 7;
}

void requestDayStates(HWND hwnd)
{
    CalendarState& s = States::Of(hwnd);
    int months = monthsShown(hwnd) + 2;
    s.dayStates.assign(static_cast<size_t>(months), 0);
    if (!(ctl::StyleOf(hwnd) & MCS_DAYSTATE))
        return;
    int y = s.year, m = s.month;
    addMonths(y, m, -1);
    NMDAYSTATE nm{};
    nm.stStart = date(y, m, 1);
    nm.cDayState = months;
    nm.prgDayState = s.dayStates.data();
    ctl::SendNotify(hwnd, nm.nmhdr, MCN_GETDAYSTATE);
}

void scrollTo(HWND hwnd, int y, int m)
{
    CalendarState& s = States::Of(hwnd);
    s.year = std::clamp(y, 1601, 9998);
    s.month = m;
    requestDayStates(hwnd);
    ::InvalidateRect(hwnd, nullptr, TRUE);
}

bool isBold(HWND hwnd, int monthIndex, int day)
{
    const CalendarState& s = States::Of(hwnd);
    size_t slot = static_cast<size_t>(monthIndex + 1);
    return slot < s.dayStates.size() && (s.dayStates[slot] >> (day - 1)) & 1;
}

RECT blockRect(HWND hwnd, int index)
{
    Metrics m = metrics(hwnd);
    SIZE g = grid(hwnd);
    int col = index % g.cx, row = index / g.cx;
    return RECT{col * m.blockW, row * m.blockH, (col + 1) * m.blockW, (row + 1) * m.blockH};
}

UINT hitTest(HWND hwnd, POINT pt, SYSTEMTIME& st)
{
    CalendarState& s = States::Of(hwnd);
    Metrics m = metrics(hwnd);
    int count = monthsShown(hwnd);
    RECT client{};
    ::GetClientRect(hwnd, &client);
    if (m.todayH && pt.y >= client.bottom - m.todayH && pt.y < client.bottom) {
        st = s.today;
        return MCHT_TODAYLINK;
    }
    for (int i = 0; i < count; ++i) {
        RECT b = blockRect(hwnd, i);
        if (!::PtInRect(&b, pt))
            continue;
        int y = s.year, mo = s.month;
        addMonths(y, mo, i);
        st = date(y, mo, 1);
        int x = pt.x - b.left, top = pt.y - b.top;
        if (top < m.title) {
            if (i == 0 && x < m.cellW)
                return MCHT_TITLEBTNPREV;
            if (i == grid(hwnd).cx - 1 && x >= m.blockW - m.cellW)
                return MCHT_TITLEBTNNEXT;
            return x < m.blockW / 2 ? MCHT_TITLEMONTH : MCHT_TITLEYEAR;
        }
        if (top < m.title + m.cellH || x < 4 || x >= 4 + 7 * m.cellW)
            return top < m.title + m.cellH ? MCHT_CALENDARDAY : MCHT_CALENDARBK;
        int cell = ((top - m.title - m.cellH) / m.cellH) * 7 + (x - 4) / m.cellW;
        int day = cell - leadingDays(hwnd, y, mo) + 1;
        if (day < 1) {
            addMonths(y, mo, -1);
            st = date(y, mo, daysIn(y, mo) + day);
            return MCHT_CALENDARDATEPREV;
        }
        if (day > daysIn(y, mo)) {
            st = date(y, mo, day - daysIn(y, mo));
            addMonths(y, mo, 1);
            st = date(y, mo, st.wDay);
            return MCHT_CALENDARDATENEXT;
        }
        st = date(y, mo, day);
        return MCHT_CALENDARDATE;
    }
    return MCHT_NOWHERE;
}

void paintMonth(HWND hwnd, CDC& dc, int index, CFont& bold)
{
    CalendarState& s = States::Of(hwnd);
    Metrics m = metrics(hwnd);
    RECT b = blockRect(hwnd, index);
    int y = s.year, mo = s.month;
    addMonths(y, mo, index);
    RECT title{b.left + 2, b.top + 2, b.right - 2, b.top + m.title - 2};
    dc.FillSolidRect(&title, ::GetSysColor(COLOR_ACTIVECAPTION));
    dc.SetTextColor(::GetSysColor(COLOR_CAPTIONTEXT));
    std::string caption = std::string(monthNames[mo - 1]) + " " + std::to_string(y);
    dc.DrawText(caption.c_str(), -1, &title, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (index == 0)
        dc.DrawText("<", -1, &title, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (index == grid(hwnd).cx - 1)
        dc.DrawText(">", -1, &title, DT_RIGHT | DT_VCENTER | DT_SINGLELINE);
    static const char* const initials = "MTWTFSS";
    dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    for (int c = 0; c < 7; ++c) {
        RECT cell{b.left + 4 + c * m.cellW, b.top + m.title, b.left + 4 + (c + 1) * m.cellW, b.top + m.title + m.cellH};
        dc.DrawText(&initials[(c + s.firstDay) % 7], 1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    int lead = leadingDays(hwnd, y, mo);
    for (int day = 1; day <= daysIn(y, mo); ++day) {
        int cellIndex = lead + day - 1;
        int left = b.left + 4 + (cellIndex % 7) * m.cellW, top = b.top + m.title + m.cellH + (cellIndex / 7) * m.cellH;
        RECT cell{left, top, left + m.cellW, top + m.cellH};
        bool selected = s.selected.wYear == y && s.selected.wMonth == mo && s.selected.wDay == day;
        if (selected)
            dc.FillSolidRect(&cell, ::GetSysColor(COLOR_HIGHLIGHT));
        dc.SetTextColor(::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        CFont* old = isBold(hwnd, index, day) && bold.m_hObject ? dc.SelectObject(&bold) : nullptr;
        std::string text = std::to_string(day);
        dc.DrawText(text.c_str(), -1, &cell, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        if (old)
            dc.SelectObject(old);
        if (!(ctl::StyleOf(hwnd) & MCS_NOTODAYCIRCLE) && s.today.wYear == y && s.today.wMonth == mo && s.today.wDay == day)
            dc.Draw3dRect(&cell, RGB(255, 0, 0), RGB(255, 0, 0));
    }
}

void paint(HWND hwnd, CDC& dc, const RECT& client)
{
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_WINDOW));
    LOGFONT lf{};
    HFONT font = ctl::FontOf(hwnd);
    if (!font || !CFont::FromHandle(font)->GetLogFont(&lf)) {
        lf.lfHeight = -ctl::LineHeight(hwnd) + 2;
        strcpy(lf.lfFaceName, "Sans");
    }
    lf.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    for (int i = 0; i < monthsShown(hwnd); ++i)
        paintMonth(hwnd, dc, i, bold);
    Metrics m = metrics(hwnd);
    if (m.todayH) {
        const SYSTEMTIME& t = States::Of(hwnd).today;
        std::string text = "Today: " + std::to_string(t.wDay) + "/" + std::to_string(t.wMonth) + "/" + std::to_string(t.wYear);
        RECT line{client.left + 4, client.bottom - m.todayH, client.right, client.bottom};
        dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc.DrawText(text.c_str(), -1, &line, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    }
}

void select(HWND hwnd, const SYSTEMTIME& st, bool notify)
{
    CalendarState& s = States::Of(hwnd);
    s.selected = st;
    int shown = monthsShown(hwnd);
    int first = s.year * 12 + s.month - 1, at = st.wYear * 12 + st.wMonth - 1;
    if (at < first || at >= first + shown)
        scrollTo(hwnd, st.wYear, st.wMonth);
    ::InvalidateRect(hwnd, nullptr, TRUE);
    if (!notify)
        return;
    NMSELCHANGE nm{{}, st, st};
    ctl::SendNotify(hwnd, nm.nmhdr, MCN_SELCHANGE);
    NMSELCHANGE done{{}, st, st};
    ctl::SendNotify(hwnd, done.nmhdr, MCN_SELECT);
}

void click(HWND hwnd, LPARAM lParam)
{
    CalendarState& s = States::Of(hwnd);
    SYSTEMTIME st{};
    UINT hit = hitTest(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, st);
    int y = s.year, m = s.month;
    if (hit == MCHT_TITLEBTNPREV || hit == MCHT_TITLEBTNNEXT) {
        addMonths(y, m, hit == MCHT_TITLEBTNNEXT ? 1 : -1);
        scrollTo(hwnd, y, m);
    } else if ((hit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE || hit == MCHT_TODAYLINK) {
        select(hwnd, st, true);
    }
}

void start(HWND hwnd)
{
    CalendarState& s = States::Of(hwnd);
    GetLocalTime(&s.today);
    s.today = date(s.today.wYear, s.today.wMonth, s.today.wDay);
    s.selected = s.today;
    s.year = s.today.wYear;
    s.month = s.today.wMonth;
    requestDayStates(hwnd);
}

} // namespace

LRESULT AfxMonthCalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: start(hwnd); break;
    case WM_PAINT: ctl::Paint(hwnd, WM_CTLCOLOREDIT, [hwnd](CDC& dc, const RECT& r) { paint(hwnd, dc, r); }); return 0;
    case WM_ERASEBKGND: return TRUE;
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
        ::SetFocus(hwnd);
        click(hwnd, lParam);
        return 0;
    case WM_SIZE: requestDayStates(hwnd); break;
    case WM_NCDESTROY:
        States::Forget(hwnd);
        break;
    default: break;
    }
    return ctl::DefControlProc(hwnd, message, wParam, lParam);
}

BOOL CMonthCalCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    AfxRegisterControlClasses();
    return CWnd::Create(MONTHCAL_CLASS, "", style, rect, parent, id);
}

BOOL CMonthCalCtrl::GetCurSel(LPSYSTEMTIME time) const
{
    if (!time)
        return FALSE;
    *time = States::Of(m_hWnd).selected;
    return TRUE;
}

BOOL CMonthCalCtrl::SetCurSel(const SYSTEMTIME* time)
{
    if (!time || !validDate(*time))
        return FALSE;
    select(m_hWnd, date(time->wYear, time->wMonth, time->wDay), false);
    return TRUE;
}

BOOL CMonthCalCtrl::GetToday(LPSYSTEMTIME time) const
{
    if (!time)
        return FALSE;
    *time = States::Of(m_hWnd).today;
    return TRUE;
}

void CMonthCalCtrl::SetToday(const SYSTEMTIME* time)
{
    if (time && validDate(*time))
        States::Of(m_hWnd).today = date(time->wYear, time->wMonth, time->wDay);
    Invalidate();
}

int CMonthCalCtrl::GetMonthRange(LPSYSTEMTIME minTime, LPSYSTEMTIME maxTime, DWORD flags) const
{
    const CalendarState& s = States::Of(m_hWnd);
    int shown = monthsShown(m_hWnd);
    int y = s.year, m = s.month, ly = s.year, lm = s.month;
    addMonths(ly, lm, shown - 1);
    if (flags == GMR_DAYSTATE) {
        addMonths(y, m, -1);
        addMonths(ly, lm, 1);
    }
    if (minTime)
        *minTime = date(y, m, 1);
    if (maxTime)
        *maxTime = date(ly, lm, daysIn(ly, lm));
    return flags == GMR_DAYSTATE ? shown + 2 : shown;
}

BOOL CMonthCalCtrl::SetDayState(int months, const MONTHDAYSTATE* states)
{
    CalendarState& s = States::Of(m_hWnd);
    if (!states || months != static_cast<int>(s.dayStates.size()))
        return FALSE;
    s.dayStates.assign(states, states + months);
    Invalidate();
    return TRUE;
}

BOOL CMonthCalCtrl::GetMinReqRect(LPRECT rect) const
{
    if (!rect)
        return FALSE;
    Metrics m = metrics(m_hWnd);
    *rect = RECT{0, 0, m.blockW, m.blockH + m.todayH};
    return TRUE;
}

DWORD CMonthCalCtrl::HitTest(MCHITTESTINFO* info) const
{
    if (!info)
        return MCHT_NOWHERE;
    info->st = SYSTEMTIME{};
    info->uHit = hitTest(m_hWnd, info->pt, info->st);
    return info->uHit;
}

void CMonthCalCtrl::SetFirstDayOfWeek(int day)
{
    States::Of(m_hWnd).firstDay = std::clamp(day, 0, 6);
    Invalidate();
}

int CMonthCalCtrl::GetFirstDayOfWeek() const { return States::Of(m_hWnd).firstDay; }
