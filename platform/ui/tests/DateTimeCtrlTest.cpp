// The date and time picker: pictures, the style's own formats, field stepping by keys with
// its notification, the drop-down state and rejected values.
#include "ControlFixture.h"

#include "platform/ui/DateTimeCtrl.h"

#include <string>
#include <vector>

namespace {

std::vector<UINT> codes;
SYSTEMTIME lastChange{};

LRESULT pickerParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return DefWindowProc(hwnd, message, wParam, lParam);
    const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
    codes.push_back(nm->code);
    if (nm->code == DTN_DATETIMECHANGE)
        lastChange = reinterpret_cast<const NMDATETIMECHANGE*>(lParam)->st;
    return 0;
}

SYSTEMTIME when(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    return t;
}

class DateTimeCtrlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        codes.clear();
        m_parent.Attach(MakeWatchingParent("PickerParent", pickerParentProc, m_windows, RECT{0, 0, 300, 200}));
    }
    void TearDown() override
    {
        picker.DestroyWindow();
        m_parent.Detach();
        UiTest::TearDown();
    }
    void Build(DWORD style, const SYSTEMTIME& t)
    {
        ASSERT_TRUE(picker.Create(style | WS_CHILD | WS_VISIBLE, RECT{0, 0, 160, 24}, &m_parent, 31));
        ASSERT_TRUE(picker.SetTime(&t));
        codes.clear();
    }
    std::string Shown()
    {
        CString text;
        picker.GetWindowText(text);
        return std::string(static_cast<LPCTSTR>(text));
    }

    CWnd m_parent;
    CDateTimeCtrl picker;
};

TEST(DateTimePicture, FieldsAndQuotedText)
{
    SYSTEMTIME t{};
    COleDateTime(2024, 3, 5, 14, 7, 9).GetAsSystemTime(t);
    const struct {
        const char* picture;
        const char* text;
    } cases[] = {{"dd/MM/yyyy", "05/03/2024"},  {"d MMM yy", "5 Mar 24"},   {"dddd, MMMM d", "Tuesday, March 5"},
                 {"ddd", "Tue"},                {"hh:mm:ss tt", "02:07:09 PM"}, {"H'h'mm", "14h07"},
                 {"h t", "2 P"},                {"'it''s' yyyy", "it's 2024"}, {"yy''MM", "24'03"}, {"'open", "open"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTimePicture(t, c.picture), c.text) << c.picture;
}

TEST_F(DateTimeCtrlTest, StyleAndFormatChooseTheShownText)
{
    const struct {
        DWORD style;
        const char* format;
        const char* text;
    } cases[] = {{DTS_SHORTDATEFORMAT, nullptr, "3/5/2024"},
                 {DTS_LONGDATEFORMAT, nullptr, "Tuesday, March 05, 2024"},
                 {DTS_TIMEFORMAT, nullptr, "2:07:09 PM"},
                 {DTS_UPDOWN, nullptr, "3/5/2024"},
                 {DTS_SHORTDATEFORMAT, "yyyy-MM-dd HH:mm", "2024-03-05 14:07"}};
    for (const auto& c : cases) {
        Build(c.style, when(2024, 3, 5, 14, 7, 9));
        if (c.format) {
            EXPECT_TRUE(picker.SetFormat(c.format));
        }
        EXPECT_EQ(Shown(), c.text) << c.style;
        picker.DestroyWindow();
    }
    Build(DTS_SHORTDATEFORMAT, when(2024, 3, 5));
    picker.SetFormat("yyyy");
    picker.SetFormat(nullptr);
    EXPECT_EQ(Shown(), "3/5/2024") << "null goes back to the style's format";
}

TEST_F(DateTimeCtrlTest, KeysStepTheCurrentFieldAndNotify)
{
    const struct {
        const char* picture;
        SYSTEMTIME start;
        std::vector<WPARAM> keys;
        SYSTEMTIME end;
    } cases[] = {
        {"M/d/yyyy", when(2024, 3, 5), {VK_UP}, when(2024, 4, 5)},
        {"M/d/yyyy", when(2024, 3, 5), {VK_RIGHT, VK_DOWN, VK_DOWN}, when(2024, 3, 3)},
        {"M/d/yyyy", when(2024, 1, 31), {VK_UP}, when(2024, 2, 29)},
        {"M/d/yyyy", when(2024, 12, 31), {VK_RIGHT, VK_UP}, when(2024, 12, 1)},
        {"d/M/yyyy", when(2024, 2, 29), {VK_RIGHT, VK_RIGHT, VK_UP}, when(2025, 2, 28)},
        {"HH:mm", when(2024, 3, 5, 23, 59), {VK_RIGHT, VK_UP}, when(2024, 3, 5, 23, 0)},
        {"h:mm tt", when(2024, 3, 5, 9, 30), {VK_RIGHT, VK_RIGHT, VK_UP}, when(2024, 3, 5, 21, 30)},
    };
    for (const auto& c : cases) {
        Build(0, c.start);
        picker.SetFormat(c.picture);
        for (WPARAM k : c.keys)
            picker.SendMessage(WM_KEYDOWN, k, 0);
        SYSTEMTIME now{};
        ASSERT_EQ(picker.GetTime(&now), GDT_VALID);
        EXPECT_EQ(now.wYear, c.end.wYear) << c.picture;
        EXPECT_EQ(now.wMonth, c.end.wMonth) << c.picture;
        EXPECT_EQ(now.wDay, c.end.wDay) << c.picture;
        EXPECT_EQ(now.wHour, c.end.wHour) << c.picture;
        EXPECT_EQ(now.wMinute, c.end.wMinute) << c.picture;
        EXPECT_FALSE(codes.empty());
        for (UINT code : codes)
            EXPECT_EQ(code, DTN_DATETIMECHANGE);
        EXPECT_EQ(lastChange.wDay, c.end.wDay);
        picker.DestroyWindow();
    }
}

TEST_F(DateTimeCtrlTest, DropDownOpensAndClosesOnce)
{
    Build(DTS_SHORTDATEFORMAT, when(2024, 3, 5));
    picker.SendMessage(WM_KEYDOWN, VK_F4, 0);
    picker.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    picker.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(155, 12));
    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(155, 12));
    EXPECT_EQ(codes, (std::vector<UINT>{DTN_DROPDOWN, DTN_CLOSEUP, DTN_DROPDOWN, DTN_CLOSEUP}));
}

TEST_F(DateTimeCtrlTest, SpinButtonStepsInsteadOfDropping)
{
    Build(DTS_UPDOWN, when(2024, 3, 5));
    picker.SendMessage(WM_KEYDOWN, VK_F4, 0);
    EXPECT_TRUE(codes.empty());
    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(155, 3));
    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(155, 3));
    picker.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(155, 20));
    EXPECT_EQ(codes, (std::vector<UINT>(3, DTN_DATETIMECHANGE)));
    EXPECT_EQ(Shown(), "4/5/2024");
}

TEST_F(DateTimeCtrlTest, TimesRoundTripAndBadDatesAreRefused)
{
    Build(0, when(2024, 3, 5, 8, 0, 0));
    EXPECT_TRUE(picker.SetTime(COleDateTime(2023, 12, 24, 18, 30, 15)));
    COleDateTime back;
    ASSERT_TRUE(picker.GetTime(back));
    EXPECT_EQ(back, COleDateTime(2023, 12, 24, 18, 30, 15));
    SYSTEMTIME bad = when(2024, 13, 40);
    EXPECT_FALSE(picker.SetTime(&bad));
    EXPECT_FALSE(picker.SetTime(nullptr)) << "no empty value without DTS_SHOWNONE";
    ASSERT_TRUE(picker.GetTime(back));
    EXPECT_EQ(back, COleDateTime(2023, 12, 24, 18, 30, 15));
    EXPECT_EQ(picker.SendMessage(DTM_GETSYSTEMTIME, 0, 0), static_cast<LRESULT>(GDT_ERROR));
}

TEST_F(DateTimeCtrlTest, ShowNoneHoldsAnEmptyValue)
{
    Build(DTS_SHOWNONE, when(2024, 3, 5));
    EXPECT_TRUE(picker.SetTime(nullptr));
    SYSTEMTIME t{};
    EXPECT_EQ(picker.GetTime(&t), GDT_NONE);
    COleDateTime value;
    EXPECT_FALSE(picker.GetTime(value));
    EXPECT_EQ(value.GetStatus(), COleDateTime::null);
    EXPECT_EQ(Shown(), "");
}

TEST(CommonControls, StartUpIsAccepted)
{
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES};
    EXPECT_TRUE(InitCommonControlsEx(&init));
    EXPECT_FALSE(InitCommonControlsEx(nullptr));
}

} // namespace
