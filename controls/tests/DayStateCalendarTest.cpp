// The month calendar with bold days and tips: which days of a month turn bold for a table of
// patterns and the days its parent adds, the tip of each part of the calendar as its parent
// gives it, and sizing to a grid of months.
#include "PictureKit.h"

#include "controls/DayStateCalendar.h"

#include <map>
#include <set>
#include <string>

namespace {

constexpr UINT IDC_CALENDAR = 1016;

// Answers the calendar: adds day 15 (and days no month has) to every December, and names
// the hit code of a tip request; the next-month button's tip comes as a pointer.
class CalendarOwner : public RecordingWindow {
public:
    std::vector<std::pair<int, int>> monthsAsked;
    std::vector<UINT> hitsAsked;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->code == CalendarDaysNotification) {
            auto* request = reinterpret_cast<CalendarDaysRequest*>(lParam);
            monthsAsked.emplace_back(request->month, request->year);
            if (request->month == 12)
                request->days->insert(request->days->end(), {15, 0, 40, -3});
            return TRUE;
        }
        if (header->code == CalendarTipNotification) {
            auto* request = reinterpret_cast<CalendarTipRequest*>(lParam);
            hitsAsked.push_back(request->hit->uHit);
            if (request->hit->uHit == MCHT_TITLEBTNNEXT)
                request->text = const_cast<LPSTR>("pointer: next");
            else
                snprintf(request->buffer, sizeof request->buffer, "hit %#x", request->hit->uHit);
            return TRUE;
        }
        return RecordingWindow::OnNotify(wParam, lParam, result);
    }
};

std::set<int> Days(MONTHDAYSTATE state)
{
    std::set<int> days;
    for (int day = 1; day <= 31; ++day)
        if (state & (1u << (day - 1)))
            days.insert(day);
    return days;
}

class DayStateCalendarTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(owner.Open(RECT{0, 0, 600, 500}));
    }
    void TearDown() override
    {
        calendar.DestroyWindow();
        owner.DestroyWindow();
        UiTest::TearDown();
    }
    void Make(DWORD options, RECT rect = {10, 20, 210, 220})
    {
        ASSERT_TRUE(calendar.Create(WS_CHILD | WS_VISIBLE | MCS_DAYSTATE, rect, &owner, IDC_CALENDAR, options));
    }
    // The first point of the client area with each hit code.
    std::map<UINT, CPoint> HitPoints()
    {
        std::map<UINT, CPoint> points;
        CRect client;
        calendar.GetClientRect(&client);
        for (int y = 0; y < client.bottom; y += 2)
            for (int x = 0; x < client.right; x += 2) {
                MCHITTESTINFO hit{sizeof(MCHITTESTINFO), {x, y}, 0, {}};
                points.emplace(calendar.HitTest(&hit), CPoint(x, y));
            }
        return points;
    }

    CalendarOwner owner;
    CDayStateCalendar calendar;
};

// Patterns of every kind; the 1999 one names a year that is not shown.
void AddPatterns(CDayStateCalendar& calendar)
{
    calendar.SetPattern(1, {-1, -1, {}, {1}});
    calendar.SetPattern(2, {12, -1, {}, {24, 25}});
    calendar.SetPattern(3, {1, 2027, {}, {10}});
    calendar.SetPattern(4, {11, 1999, {}, {5}});
    calendar.SetPattern(5, {-1, -1, {6}, {}}); // Sundays
    calendar.SetPattern(6, {-1, 2026, {}, {1, 2}});
}

TEST_F(DayStateCalendarTest, BoldDaysComeFromThePatternsAndTheParent)
{
    struct Case {
        DWORD options;
        int month;
        std::set<int> days;
    };
    const Case cases[] = {
        {CalendarWeekdayPatterns, 0, {1, 2, 8, 15, 22, 29}},           // November 2026
        {CalendarWeekdayPatterns, 1, {1, 2, 6, 13, 15, 20, 24, 25, 27}}, // December 2026
        {CalendarWeekdayPatterns, 2, {1, 3, 10, 17, 24, 31}},          // January 2027
        {0, 0, {1, 2}},
        {0, 1, {1, 2, 15, 24, 25}},
        {0, 2, {1, 10}},
    };
    for (const Case& c : cases) {
        calendar.DestroyWindow();
        Make(c.options);
        AddPatterns(calendar);
        MONTHDAYSTATE states[3] = {};
        NMDAYSTATE request{};
        request.nmhdr = {calendar.m_hWnd, IDC_CALENDAR, MCN_GETDAYSTATE};
        request.stStart.wYear = 2026;
        request.stStart.wMonth = 11;
        request.stStart.wDay = 1;
        request.cDayState = 3;
        request.prgDayState = states;
        owner.monthsAsked.clear();
        owner.SendMessage(WM_NOTIFY, IDC_CALENDAR, reinterpret_cast<LPARAM>(&request));
        EXPECT_EQ(Days(states[c.month]), c.days) << "options " << c.options << ", month " << c.month;
        const std::vector<std::pair<int, int>> asked = {{11, 2026}, {12, 2026}, {1, 2027}};
        EXPECT_EQ(owner.monthsAsked, asked) << "the parent is asked for each month, across the new year";
    }
}

TEST_F(DayStateCalendarTest, APatternForEveryMonthAppliesToEveryMonthShown)
{
    Make(0);
    calendar.SetPattern(7, {-1, -1, {}, {31, 3}});
    for (int month = 1; month <= 12; ++month) {
        const std::set<int> bold = month == 12 ? std::set<int>{3, 15, 31} : std::set<int>{3, 31}; // 15: the parent's
        EXPECT_EQ(Days(calendar.DayStateOf(month, 2030)), bold) << month;
    }
    calendar.RemovePattern(7);
    EXPECT_EQ(calendar.DayStateOf(6, 2030), 0u);
}

TEST_F(DayStateCalendarTest, EachPartOfTheCalendarAsksItsParentForItsTip)
{
    Make(CalendarToolTips, RECT{10, 20, 400, 260});
    const std::map<UINT, CPoint> points = HitPoints();
    struct Case {
        UINT hit;
        const char* tip;
    };
    const Case cases[] = {
        {MCHT_TITLEBTNNEXT, "pointer: next"},
        {MCHT_TITLEBTNPREV, "hit 0x2010003"},
        {MCHT_TITLEMONTH, "hit 0x10001"},
        {MCHT_TITLEYEAR, "hit 0x10002"},
        {MCHT_CALENDARDAY, "hit 0x20002"},
        {MCHT_CALENDARDATE, "hit 0x20001"},
        {MCHT_NOWHERE, "hit 0"}, // outside every month: the parent still hears of it
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(points.count(c.hit)) << std::hex << c.hit;
        owner.hitsAsked.clear();
        EXPECT_EQ(std::string(calendar.TipTextAt(points.at(c.hit))), c.tip);
        EXPECT_EQ(owner.hitsAsked, std::vector<UINT>{c.hit});
    }
}

TEST_F(DayStateCalendarTest, TheTipShownOverAPartIsTheParentsText)
{
    Make(CalendarToolTips);
    ASSERT_TRUE(calendar.ToolTipsEnabled());
    const std::map<UINT, CPoint> points = HitPoints();
    for (UINT hit : {MCHT_TITLEMONTH, MCHT_TITLEBTNNEXT}) {
        const CPoint at = points.at(hit);
        calendar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
        CString text;
        calendar.GetToolTips().GetText(text, &calendar, hit);
        EXPECT_EQ(std::string(text), hit == MCHT_TITLEMONTH ? "hit 0x10001" : "pointer: next");
    }
    calendar.DestroyWindow();
    EXPECT_FALSE(calendar.ToolTipsEnabled()) << "the tip window goes with the calendar";
}

TEST_F(DayStateCalendarTest, WithoutTheOptionThereAreNoTips)
{
    Make(0);
    EXPECT_FALSE(calendar.ToolTipsEnabled());
}

TEST_F(DayStateCalendarTest, SizesItselfToAGridOfMonths)
{
    struct Case {
        int columns, rows;
        BOOL fits;
        int months;
    };
    const Case cases[] = {{1, 1, TRUE, 1}, {2, 2, TRUE, 4}, {3, 1, TRUE, 3}, {4, 4, FALSE, 0}, {13, 1, FALSE, 0}};
    Make(0, RECT{30, 40, 80, 90});
    for (const Case& c : cases) {
        CRect before, after;
        calendar.GetWindowRect(&before);
        EXPECT_EQ(calendar.SizeToMonths(c.columns, c.rows, CSize(4, 4)), c.fits) << c.columns << "x" << c.rows;
        calendar.GetWindowRect(&after);
        EXPECT_EQ(after.TopLeft(), before.TopLeft());
        if (!c.fits) {
            EXPECT_EQ(after, before) << "a grid of more than 12 months leaves the size alone";
            continue;
        }
        EXPECT_EQ(after.Size(), calendar.MonthsSize(c.columns, c.rows) + CSize(8, 8));
        EXPECT_EQ(calendar.GetMonthRange(nullptr, nullptr, GMR_VISIBLE), c.months);
    }
}

} // namespace
