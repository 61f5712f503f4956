// The month calendar: day states asked from the parent, hit-test codes, selection
// notifications, scrolling and its minimum size.
#include "ControlFixture.h"

#include "platform/ui/MonthCalCtrl.h"

#include <vector>

namespace {

struct CalendarRecorder {
    std::vector<UINT> codes;
    std::vector<SYSTEMTIME> dayStateStarts;
    std::vector<int> dayStateCounts;
    SYSTEMTIME lastSelected{};
};
CalendarRecorder cal;

LRESULT calendarParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return DefWindowProc(hwnd, message, wParam, lParam);
    auto* nm = reinterpret_cast<NMHDR*>(lParam);
    cal.codes.push_back(nm->code);
    if (nm->code == MCN_GETDAYSTATE) {
        auto* ds = reinterpret_cast<NMDAYSTATE*>(lParam);
        cal.dayStateStarts.push_back(ds->stStart);
        cal.dayStateCounts.push_back(ds->cDayState);
        for (int i = 0; i < ds->cDayState; ++i)
            ds->prgDayState[i] = 1u << 13; // the 14th
    }
    if (nm->code == MCN_SELECT)
        cal.lastSelected = reinterpret_cast<NMSELCHANGE*>(lParam)->stSelStart;
    return 0;
}

class MonthCalTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        cal = CalendarRecorder{};
        m_parent.Attach(MakeWatchingParent("CalendarParent", calendarParentProc, m_windows, RECT{0, 0, 600, 400}));
        ASSERT_TRUE(calendar.Create(WS_CHILD | WS_VISIBLE | MCS_DAYSTATE, RECT{0, 0, 10, 10}, &m_parent, 40));
        calendar.GetMinReqRect(&min);
        calendar.MoveWindow(0, 0, min.right, min.bottom);
        SYSTEMTIME feb{2026, 2, 0, 10, 0, 0, 0, 0};
        calendar.SetCurSel(&feb);
        calendar.SetToday(&feb);
        cal.codes.clear();
    }
    void TearDown() override
    {
        calendar.DestroyWindow();
        m_parent.Detach();
        UiTest::TearDown();
    }

    CWnd m_parent;
    CMonthCalCtrl calendar;
    RECT min{};
};

TEST_F(MonthCalTest, AsksTheParentForDayStatesOfEveryMonthInRange)
{
    ASSERT_FALSE(cal.dayStateCounts.empty());
    SYSTEMTIME first{}, last{};
    EXPECT_EQ(calendar.GetMonthRange(&first, &last, GMR_DAYSTATE), 3);
    EXPECT_EQ(first.wMonth, 1);
    EXPECT_EQ(last.wMonth, 3);
    EXPECT_EQ(last.wDay, 31);
    EXPECT_EQ(calendar.GetMonthRange(&first, &last, GMR_VISIBLE), 1);
    EXPECT_EQ(first.wMonth, 2);
    EXPECT_EQ(last.wDay, 28);
    MONTHDAYSTATE states[3] = {0, 1, 0};
    EXPECT_TRUE(calendar.SetDayState(3, states));
    EXPECT_FALSE(calendar.SetDayState(2, states)) << "the count must match the range";
}

TEST_F(MonthCalTest, HitTestCodes)
{
    struct Case {
        POINT pt;
        UINT hit;
        int day;
        int month;
    };
    const Case cases[] = {
        {{2, 4}, MCHT_TITLEBTNPREV, 1, 2},
        {{min.right - 3, 4}, MCHT_TITLEBTNNEXT, 1, 2},
        {{min.right / 2 - 10, 4}, MCHT_TITLEMONTH, 1, 2},
        {{min.right / 2 + 10, 4}, MCHT_TITLEYEAR, 1, 2},
        {{min.right + 50, 4}, MCHT_NOWHERE, 0, 0},
        {{10, min.bottom - 3}, MCHT_TODAYLINK, 10, 2},
    };
    for (const Case& c : cases) {
        MCHITTESTINFO info{sizeof info, c.pt, 0, {}};
        EXPECT_EQ(calendar.HitTest(&info), c.hit) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(info.st.wDay, c.day);
        EXPECT_EQ(info.st.wMonth, c.month);
    }
}

TEST_F(MonthCalTest, DayCellsAndNeighbouringMonths)
{
    // Monday first: 1 February 2026 (a Sunday) is the seventh cell; the cells before it are January's.
    MCHITTESTINFO info{sizeof info, {}, 0, {}};
    std::vector<std::pair<UINT, int>> seen;
    for (int y = 0; y < min.bottom && seen.size() < 2; ++y)
        for (int x = 0; x < min.right; ++x) {
            info.pt = POINT{x, y};
            UINT hit = calendar.HitTest(&info);
            if ((hit & MCHT_CALENDARDATE) == MCHT_CALENDARDATE) {
                seen.emplace_back(hit, info.st.wDay);
                break;
            }
        }
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].first, MCHT_CALENDARDATEPREV);
    EXPECT_EQ(seen[0].second, 26) << "the first cell is Monday 26 January";
}

TEST_F(MonthCalTest, ClickSelectsAndTitleButtonsScroll)
{
    MCHITTESTINFO info{sizeof info, {}, 0, {}};
    POINT target{-1, -1};
    for (int y = 0; y < min.bottom && target.x < 0; ++y)
        for (int x = 0; x < min.right; ++x) {
            info.pt = POINT{x, y};
            if (calendar.HitTest(&info) == MCHT_CALENDARDATE && info.st.wDay == 14) {
                target = info.pt;
                break;
            }
        }
    ASSERT_GE(target.x, 0);
    calendar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(static_cast<WORD>(target.x), static_cast<WORD>(target.y)));
    EXPECT_EQ(cal.codes, (std::vector<UINT>{MCN_SELCHANGE, MCN_SELECT}));
    EXPECT_EQ(cal.lastSelected.wDay, 14);
    EXPECT_EQ(cal.lastSelected.wDayOfWeek, 6) << "14 February 2026 is a Saturday";
    SYSTEMTIME sel{};
    calendar.GetCurSel(&sel);
    EXPECT_EQ(sel.wDay, 14);
    cal.codes.clear();
    calendar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 4));
    EXPECT_EQ(cal.codes, (std::vector<UINT>{MCN_GETDAYSTATE}));
    EXPECT_EQ(cal.dayStateStarts.back().wMonth, 12) << "the range starts a month before January";
    EXPECT_EQ(cal.dayStateStarts.back().wYear, 2025);
}

TEST_F(MonthCalTest, MoreRoomShowsMoreMonths)
{
    calendar.MoveWindow(0, 0, min.right * 2, min.bottom);
    EXPECT_EQ(calendar.GetMonthRange(nullptr, nullptr, GMR_VISIBLE), 2);
    EXPECT_EQ(cal.dayStateCounts.back(), 4);
    SYSTEMTIME bad{2026, 2, 0, 30, 0, 0, 0, 0};
    EXPECT_FALSE(calendar.SetCurSel(&bad));
}

} // namespace
