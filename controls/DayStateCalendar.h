// A month calendar that shows chosen days in bold and gives a tip for the part under the
// mouse. The owner fills a table of day patterns and answers two notifications: one adds
// days of a month, the other gives the tip text.
#pragma once

#include "platform/ui/MonthCalCtrl.h"
#include "platform/ui/ToolTipCtrl.h"

#include <map>
#include <vector>

// Sent to the parent for each month whose bold days are asked for (wParam: the control id).
constexpr UINT CalendarDaysNotification = 0x8091;
struct CalendarDaysRequest {
    NMHDR hdr;
    int month;
    int year;
    std::vector<int>* days; // the parent may append day numbers
};

// Sent to the parent when the tip shows: the text pointer, when set, wins over the buffer.
constexpr UINT CalendarTipNotification = 0x8092;
struct CalendarTipRequest {
    NMHDR hdr;
    MCHITTESTINFO* hit;
    LPSTR text;
    char buffer[80];
    DWORD extra;
};

// Days made bold in every month that matches: -1 matches every month or year.
struct CalendarDayPattern {
    int month = -1;
    int year = -1;
    std::vector<int> weekdays; // 0 = Monday .. 6 = Sunday
    std::vector<int> days;     // 1..31
};

constexpr DWORD CalendarWeekdayPatterns = 0x1, CalendarToolTips = 0x2;

class CDayStateCalendar : public CMonthCalCtrl {
    DECLARE_DYNAMIC(CDayStateCalendar)
public:
    explicit CDayStateCalendar(DWORD options = 0) : m_options(options) {}

    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, DWORD options);
    // Resizes the control, top-left kept, to show columns x rows months plus the margin
    // on every side; FALSE for more than 12 months.
    BOOL SizeToMonths(int columns, int rows, CSize margin);
    CSize MonthsSize(int columns, int rows);
    void EnableToolTips(BOOL enable);
    BOOL ToolTipsEnabled() const { return m_tips.m_hWnd != nullptr; }
    CToolTipCtrl& GetToolTips() { return m_tips; }

    void SetPattern(DWORD key, const CalendarDayPattern& pattern) { m_patterns[key] = pattern; }
    void RemovePattern(DWORD key) { m_patterns.erase(key); }
    // The bold days of one month: patterns first, then what the parent adds.
    MONTHDAYSTATE DayStateOf(int month, int year);
    // Asks the parent for the tip of a point of the client area.
    CString TipTextAt(CPoint point);

protected:
    virtual void SetUp();
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnGetDayState(NMHDR* header, LRESULT* result);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void CollectPatterns(int month, int year, std::vector<int>& weekdays, std::vector<int>& days) const;
    void RelayToTips(UINT message, LPARAM lParam);
    void NotifyParent(NMHDR& header, UINT code);

    DWORD m_options;
    std::map<DWORD, CalendarDayPattern> m_patterns;
    CToolTipCtrl m_tips;
    UINT m_tipHit = 0;
    CPoint m_mouse{0, 0};
};
