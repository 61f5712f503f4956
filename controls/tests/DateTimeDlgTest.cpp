// The date and time dialog: how it starts from a text, how it composes the text from the
// calendar and the time, what the parent hears, where it opens; and the picker that
// reports a change once, when its calendar closes.
#include "PictureKit.h"

#include "controls/CoolComboNotify.h"
#include "controls/DateTimeDlg.h"

#include <utility>

namespace {

class Parent : public RecordingWindow {
public:
    std::vector<std::pair<UINT_PTR, UINT>> notes; // (identifier, code) that reached this window

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override
    {
        if (CWnd::OnNotify(wParam, lParam, result))
            return TRUE;
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        notes.emplace_back(header->idFrom, header->code);
        return TRUE;
    }
};

class DateTimeDlgTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_TRUE(parent.Open());
    }
    void TearDown() override
    {
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    static SYSTEMTIME Day(CMonthCalCtrl& calendar)
    {
        SYSTEMTIME st{};
        calendar.GetCurSel(&st);
        return st;
    }

    Parent parent;
};

TEST_F(DateTimeDlgTest, StartsFromADateTextAndKeepsAnyTextAsItStands)
{
    const COleDateTime today = COleDateTime::GetCurrentTime();
    struct Case {
        const char* text;
        int year, month, day, hour, minute;
    } cases[] = {{"1.2.2005 13:05:00", 2005, 2, 1, 13, 5},
                 {"+3d 12h", today.GetYear(), today.GetMonth(), today.GetDay(), -1, -1},
                 {"31.2.2005", today.GetYear(), today.GetMonth(), today.GetDay(), -1, -1}};
    for (const Case& c : cases) {
        CDateTimeDlg dialog(0, 0, 9990, c.text, &parent);
        ASSERT_TRUE(dialog.Create(IDD_DATETIME, &parent));
        CMonthCalCtrl* calendar = static_cast<CMonthCalCtrl*>(dialog.GetDlgItem(IDC_DT_CALENDAR));
        SYSTEMTIME day = Day(*calendar);
        EXPECT_EQ(day.wYear, c.year) << c.text;
        EXPECT_EQ(day.wMonth, c.month) << c.text;
        EXPECT_EQ(day.wDay, c.day) << c.text;
        CString shown;
        dialog.GetDlgItemText(IDC_DT_TEXT, shown);
        EXPECT_EQ(shown, c.text);
        if (c.hour >= 0) {
            SYSTEMTIME time{};
            dialog.GetDlgItem(IDC_DT_PICKER)->SendMessage(DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
            EXPECT_EQ(time.wHour, c.hour);
            EXPECT_EQ(time.wMinute, c.minute);
        }
        dialog.DestroyWindow();
    }
}

TEST_F(DateTimeDlgTest, CalendarAndTimeComposeTheTextAndOkTellsTheParentFirst)
{
    CDateTimeDlg dialog(0, 0, 9990, "1.2.2005 13:05:07", &parent);
    ASSERT_TRUE(dialog.Create(IDD_DATETIME, &parent));
    CMonthCalCtrl* calendar = static_cast<CMonthCalCtrl*>(dialog.GetDlgItem(IDC_DT_CALENDAR));
    SYSTEMTIME day{2006, 3, 0, 4, 0, 0, 0, 0};
    calendar->SetCurSel(&day);
    NMHDR change{calendar->GetSafeHwnd(), IDC_DT_CALENDAR, MCN_SELCHANGE};
    dialog.SendMessage(WM_NOTIFY, IDC_DT_CALENDAR, reinterpret_cast<LPARAM>(&change));
    CString shown;
    dialog.GetDlgItemText(IDC_DT_TEXT, shown);
    EXPECT_EQ(shown, "04.03.2006 13:05:07");
    dialog.OnOK();
    EXPECT_EQ(dialog.GetText(), "04.03.2006 13:05:07");
    ASSERT_FALSE(parent.notes.empty());
    EXPECT_EQ(parent.notes.back(), std::make_pair(UINT_PTR{9990}, CCN_SELECT));
    dialog.DestroyWindow();

    CDateTimeDlg cancelled(0, 0, 9990, "", &parent, TRUE);
    ASSERT_TRUE(cancelled.Create(IDD_DATETIME_COMPACT, &parent));
    cancelled.OnCancel();
    EXPECT_EQ(parent.notes.back(), std::make_pair(UINT_PTR{9990}, CCN_CANCEL));
    cancelled.DestroyWindow();
}

TEST_F(DateTimeDlgTest, TheExampleButtonCopiesTheDurationExample)
{
    CDateTimeDlg dialog(0, 0, 9990, "", &parent);
    ASSERT_TRUE(dialog.Create(IDD_DATETIME, &parent));
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_DT_COPY_EXAMPLE, BN_CLICKED),
                       reinterpret_cast<LPARAM>(dialog.GetDlgItem(IDC_DT_COPY_EXAMPLE)->GetSafeHwnd()));
    CString shown;
    dialog.GetDlgItemText(IDC_DT_TEXT, shown);
    EXPECT_EQ(shown, "+3d 12h 02m 43s");
    dialog.OnOK();
    EXPECT_EQ(dialog.GetText(), "+3d 12h 02m 43s");
    dialog.DestroyWindow();
}

TEST_F(DateTimeDlgTest, OpensAtTheWantedPlaceInsideTheScreen)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        int x, y;
    } cases[] = {{40, 30}, {width - 5, 30}, {-300, 30}, {40, height + 50}};
    for (const Case& c : cases) {
        CDateTimeDlg dialog(c.x, c.y, 9990, "", &parent);
        ASSERT_TRUE(dialog.Create(IDD_DATETIME, &parent));
        CRect r;
        dialog.GetWindowRect(&r);
        EXPECT_GE(r.left, 0) << c.x << "," << c.y;
        EXPECT_LE(r.right, width) << c.x << "," << c.y;
        EXPECT_LE(r.bottom, height) << c.x << "," << c.y;
        if (c.x == 40 && c.y == 30) {
            EXPECT_EQ(r.TopLeft(), CPoint(40, 30));
        }
        dialog.DestroyWindow();
    }
}

TEST_F(DateTimeDlgTest, APickerReportsOneChangeWhenItsCalendarCloses)
{
    CDateTimePicker picker;
    ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE, CRect(5, 5, 120, 25), &parent, 77));
    picker.SetTime(COleDateTime(2005, 2, 1, 10, 0, 0));
    auto send = [&](UINT code, int day) {
        NMDATETIMECHANGE change{{picker.GetSafeHwnd(), 77, code}, GDT_VALID, {}};
        if (day) {
            COleDateTime(2005, 2, day, 10, 0, 0).GetAsSystemTime(change.st);
            picker.SendMessage(DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&change.st));
        }
        parent.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&change));
    };
    send(DTN_DROPDOWN, 0);
    for (int day : {3, 4, 5})
        send(DTN_DATETIMECHANGE, day);
    send(DTN_CLOSEUP, 0);
    int changes = 0;
    for (const auto& note : parent.notes)
        changes += note.second == DTN_DATETIMECHANGE;
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(picker.GetTime(), COleDateTime(2005, 2, 5, 10, 0, 0));

    send(DTN_DATETIMECHANGE, 9); // closed: every change is reported
    changes = 0;
    for (const auto& note : parent.notes)
        changes += note.second == DTN_DATETIMECHANGE;
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(picker.GetTime(), COleDateTime(2005, 2, 9, 10, 0, 0));
    picker.DestroyWindow();
}

} // namespace
