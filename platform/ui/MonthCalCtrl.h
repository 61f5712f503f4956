// CMonthCalCtrl: a calendar of one or more months with a selected day, bold days asked from
// the parent (day states), hit testing and its minimum size.
#pragma once

#include "platform/core/Time.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

#define MONTHCAL_CLASS "SysMonthCal32"

using MONTHDAYSTATE = DWORD; // bit n-1 set: day n is bold

constexpr DWORD MCS_DAYSTATE = 0x1, MCS_MULTISELECT = 0x2, MCS_WEEKNUMBERS = 0x4, MCS_NOTODAYCIRCLE = 0x8,
                MCS_NOTODAY = 0x10;
constexpr UINT MCHT_TITLE = 0x10000, MCHT_CALENDAR = 0x20000, MCHT_TODAYLINK = 0x30000, MCHT_NEXT = 0x1000000,
               MCHT_PREV = 0x2000000, MCHT_NOWHERE = 0x0, MCHT_TITLEBK = MCHT_TITLE, MCHT_TITLEMONTH = MCHT_TITLE | 1,
               MCHT_TITLEYEAR = MCHT_TITLE | 2, MCHT_TITLEBTNNEXT = MCHT_TITLE | MCHT_NEXT | 3,
               MCHT_TITLEBTNPREV = MCHT_TITLE | MCHT_PREV | 3, MCHT_CALENDARBK = MCHT_CALENDAR,
               MCHT_CALENDARDATE = MCHT_CALENDAR | 1, MCHT_CALENDARDATENEXT = MCHT_CALENDARDATE | MCHT_NEXT,
               MCHT_CALENDARDATEPREV = MCHT_CALENDARDATE | MCHT_PREV, MCHT_CALENDARDAY = MCHT_CALENDAR | 2;
constexpr DWORD GMR_VISIBLE = 0, GMR_DAYSTATE = 1;
constexpr UINT MCN_SELCHANGE = static_cast<UINT>(-749), MCN_GETDAYSTATE = static_cast<UINT>(-747),
               MCN_SELECT = static_cast<UINT>(-746);

struct MCHITTESTINFO {
    UINT cbSize;
    POINT pt;
    UINT uHit;
    SYSTEMTIME st;
};

struct NMDAYSTATE {
    NMHDR nmhdr;
    SYSTEMTIME stStart;
    int cDayState;
    MONTHDAYSTATE* prgDayState;
};

struct NMSELCHANGE {
    NMHDR nmhdr;
    SYSTEMTIME stSelStart;
    SYSTEMTIME stSelEnd;
};

class CMonthCalCtrl : public CWnd {
    DECLARE_DYNAMIC(CMonthCalCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL GetCurSel(LPSYSTEMTIME time) const;
    BOOL SetCurSel(const SYSTEMTIME* time);
    BOOL GetToday(LPSYSTEMTIME time) const;
    void SetToday(const SYSTEMTIME* time);
    // The first and last day shown; with GMR_DAYSTATE whole months at the edges count too.
    // Returns the number of months.
    int GetMonthRange(LPSYSTEMTIME minTime, LPSYSTEMTIME maxTime, DWORD flags) const;
    // Day states for the months from the start of the GMR_DAYSTATE range.
    BOOL SetDayState(int months, const MONTHDAYSTATE* states);
    BOOL GetMinReqRect(LPRECT rect) const;
    DWORD HitTest(MCHITTESTINFO* info) const;
    void SetFirstDayOfWeek(int day); // 0 = Monday
    int GetFirstDayOfWeek() const;
};

LRESULT AfxMonthCalProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
