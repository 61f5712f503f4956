#include "controls/DayStateCalendar.h"

#include "platform/core/OleDateTime.h"
#include "platform/gdi/GdiObject.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CDayStateCalendar, CMonthCalCtrl)

BEGIN_MESSAGE_MAP(CDayStateCalendar, CMonthCalCtrl)
    ON_NOTIFY_REFLECT(MCN_GETDAYSTATE, OnGetDayState)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

void AddOnce(std::vector<int>& list, int value)
{
    if (std::find(list.begin(), list.end(), value) == list.end())
        list.push_back(value);
}

// Monday-first 0..6 to 1 = Sunday .. 7 = Saturday.
int OleWeekday(int mondayFirst) { return (mondayFirst + 1) % 7 + 1; }

} // namespace

BOOL CDayStateCalendar::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, DWORD options)
{
    m_options = options;
    if (!CMonthCalCtrl::Create(style, rect, parent, id))
        return FALSE;
    SetUp();
    return TRUE;
}

void CDayStateCalendar::PreSubclassWindow()
{
    CMonthCalCtrl::PreSubclassWindow();
    SetUp();
}

void CDayStateCalendar::SetUp()
{
    if (m_options & CalendarToolTips)
        EnableToolTips(TRUE);
}

void CDayStateCalendar::EnableToolTips(BOOL enable)
{
    if (!enable) {
        if (m_tips.m_hWnd)
            m_tips.DestroyWindow();
        return;
    }
    if (m_tips.m_hWnd || !m_hWnd || !m_tips.Create(this))
        return;
    m_tips.SetDelayTime(TTDT_INITIAL, 300);
    m_tipHit = MCHT_NOWHERE;
    m_tips.AddTool(this, LPSTR_TEXTCALLBACK, nullptr, m_tipHit);
}

void CDayStateCalendar::OnDestroy()
{
    if (m_tips.m_hWnd)
        m_tips.DestroyWindow();
    CMonthCalCtrl::OnDestroy();
}

void CDayStateCalendar::CollectPatterns(int month, int year, std::vector<int>& weekdays, std::vector<int>& days) const
{
    for (const auto& [key, pattern] : m_patterns) {
        if ((pattern.month != -1 && pattern.month != month) || (pattern.year != -1 && pattern.year != year))
            continue;
        for (int weekday : pattern.weekdays)
            AddOnce(weekdays, weekday);
        for (int day : pattern.days)
            AddOnce(days, day);
    }
}

// The header starts the request record the parent receives.
void CDayStateCalendar::NotifyParent(NMHDR& header, UINT code)
{
    header.hwndFrom = m_hWnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    header.code = code;
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

MONTHDAYSTATE CDayStateCalendar::DayStateOf(int month, int year)
{
    std::vector<int> weekdays, days;
    CollectPatterns(month, year, weekdays, days);
    if (m_options & CalendarWeekdayPatterns)
        for (int day = 1; day <= 31; ++day) {
            COleDateTime date(year, month, day, 0, 0, 0);
            if (date.GetStatus() != COleDateTime::valid)
                break;
            for (int weekday : weekdays)
                if (OleWeekday(weekday) == date.GetDayOfWeek())
                    AddOnce(days, day);
        }
    CalendarDaysRequest request{};
    request.month = month;
    request.year = year;
    request.days = &days;
    NotifyParent(request.hdr, CalendarDaysNotification);
    MONTHDAYSTATE state = 0;
    // A day the parent made up outside 1..31 has no bit.
    for (int day : days)
        if (day >= 1 && day <= 31)
            state |= 1u << (day - 1);
    return state;
}

void CDayStateCalendar::OnGetDayState(NMHDR* header, LRESULT* result)
{
    *result = 0;
    auto* request = reinterpret_cast<NMDAYSTATE*>(header);
    if (!request->prgDayState || request->cDayState <= 0)
        return;
    int month = request->stStart.wMonth, year = request->stStart.wYear;
    for (int i = 0; i < request->cDayState; ++i) {
        request->prgDayState[i] = DayStateOf(month, year);
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
}

CString CDayStateCalendar::TipTextAt(CPoint point)
{
    MCHITTESTINFO hit{};
    hit.cbSize = sizeof hit;
    hit.pt = point;
    HitTest(&hit);
    CalendarTipRequest request{};
    request.hit = &hit;
    NotifyParent(request.hdr, CalendarTipNotification);
    if (request.text)
        return CString(request.text);
    request.buffer[sizeof request.buffer - 1] = '\0';
    return CString(request.buffer);
}

// The tool's id is the hit code under the mouse: a new part of the calendar is a new tool,
// so its tip is asked for afresh.
void CDayStateCalendar::RelayToTips(UINT message, LPARAM lParam)
{
    m_mouse = CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    MCHITTESTINFO hit{};
    hit.cbSize = sizeof hit;
    hit.pt = m_mouse;
    const UINT code = HitTest(&hit);
    if (code != m_tipHit) {
        m_tips.DelTool(this, m_tipHit);
        m_tipHit = code;
        m_tips.AddTool(this, LPSTR_TEXTCALLBACK, nullptr, m_tipHit);
    }
    MSG msg{m_hWnd, message, 0, lParam, 0, {}};
    m_tips.RelayEvent(&msg);
}

LRESULT CDayStateCalendar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_tips.m_hWnd && (message == WM_MOUSEMOVE || message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN))
        RelayToTips(message, lParam);
    return CMonthCalCtrl::WindowProc(message, wParam, lParam);
}

BOOL CDayStateCalendar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header || !m_tips.m_hWnd || header->hwndFrom != m_tips.m_hWnd || header->code != TTN_NEEDTEXT)
        return CMonthCalCtrl::OnNotify(wParam, lParam, result);
    auto* info = reinterpret_cast<NMTTDISPINFO*>(lParam);
    const CString text = TipTextAt(m_mouse);
    std::strncpy(info->szText, text, sizeof info->szText - 1);
    info->szText[sizeof info->szText - 1] = '\0';
    info->lpszText = info->szText;
    *result = 0;
    return TRUE;
}

CSize CDayStateCalendar::MonthsSize(int columns, int rows)
{
    CMonthCalCtrl probe;
    const DWORD style = (GetStyle() & ~(WS_POPUP | MCS_NOTODAY)) & ~WS_VISIBLE;
    CRect minimum(0, 0, 0, 0);
    if (probe.Create(style | WS_CHILD, CRect(0, 0, 0, 0), GetParent(), 100)) {
        HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
        probe.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        probe.GetMinReqRect(&minimum);
        probe.DestroyWindow();
    }
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    const int ncW = window.Width() - client.Width(), ncH = window.Height() - client.Height();
    LOGFONT lf{};
    if (HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)))
        CFont::FromHandle(font)->GetLogFont(&lf);
    const int fontHeight = std::abs(static_cast<int>(lf.lfHeight));
    return CSize((minimum.Width() - ncW + 6) * columns - 6 + 2 * ncW,
                 (minimum.Height() - ncH) * rows + 2 * ncH - fontHeight * (rows - 1));
}

BOOL CDayStateCalendar::SizeToMonths(int columns, int rows, CSize margin)
{
    if (columns < 1 || rows < 1 || columns * rows > 12)
        return FALSE;
    const CSize size = MonthsSize(columns, rows);
    return SetWindowPos(nullptr, 0, 0, size.cx + 2 * margin.cx, size.cy + 2 * margin.cy,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
