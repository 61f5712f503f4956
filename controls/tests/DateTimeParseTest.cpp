// The date and duration texts of the date and time entry: what is accepted, what it means,
// and that a refused text leaves the old value alone.
#include "objects/ShellServices.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DateCase {
    const char* text;
    bool ok;
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
};

const DateCase dateCases[] = {
    {"1.2.2005", true, 1, 2, 2005, 0, 0, 0},
    {"1.2.2005 13:5", true, 1, 2, 2005, 13, 5, 0},
    {"01.02.2005 10:00:00 7", true, 1, 2, 2005, 10, 0, 0},   // a seventh number is dropped
    {"1..2.2005", true, 1, 2, 2005, 0, 0, 0},                // two separators store nothing
    {"31.12.9999 23:59:59", true, 31, 12, 9999, 23, 59, 59},
    {"1.1.1800", true, 1, 1, 1800, 0, 0, 0},
    {"29.2.2004", true, 29, 2, 2004, 0, 0, 0},
    {"1.2.05", false},          // year below 1800
    {"1.1.1799", false},
    {"1.1.10000", false},
    {"31.2.2005", false},       // no such day
    {"29.2.2005", false},
    {"0.1.2005", false},
    {"1.13.2005", false},
    {"1.2.2005 24:00", false},
    {"1.2.2005 12:60", false},
    {"1.2.2005 12:00:60", false},
    {"1.2", false},             // no year
    {"", false},
    {"1/2/2005", false},        // any other character
    {"1.2.2005 1pm", false},
    {"+3d", false},
    {"1.2.99999999999999999999", false},
};

TEST(DateTimeText, ParsesDatesAndKeepsTheOldValueOnRefusal)
{
    for (const DateCase& c : dateCases) {
        COleDateTime value;
        value.SetDateTime(2000, 6, 15, 8, 30, 0);
        EXPECT_EQ(ParseDateTime(c.text, value) != FALSE, c.ok) << c.text;
        if (!c.ok) {
            EXPECT_EQ(value.GetYear(), 2000) << c.text;
            EXPECT_EQ(value.GetMinute(), 30) << c.text;
            continue;
        }
        EXPECT_EQ(value.GetDay(), c.day) << c.text;
        EXPECT_EQ(value.GetMonth(), c.month) << c.text;
        EXPECT_EQ(value.GetYear(), c.year) << c.text;
        EXPECT_EQ(value.GetHour(), c.hour) << c.text;
        EXPECT_EQ(value.GetMinute(), c.minute) << c.text;
        EXPECT_EQ(value.GetSecond(), c.second) << c.text;
    }
}

struct SpanCase {
    const char* text;
    bool ok;
    long days = 0;
    int hours = 0, minutes = 0, seconds = 0;
};

const SpanCase spanCases[] = {
    {"+3d 12h 02m 43s", true, 3, 12, 2, 43},
    {"1d2h3m4s9d", true, 1, 2, 3, 4},   // the fifth unit is not read
    {"2H 5M", true, 0, 2, 5, 0},         // case does not matter
    {"1d 1d 7h", true, 1, 7, 0, 0},      // the same unit again overwrites
    {"d", true, 0, 0, 0, 0},             // an empty number is 0
    {"4h 30", true, 0, 4, 0, 0},         // trailing digits without a unit are ignored
    {"3d+1h", false},                    // '+' only first
    {" +3d", false},
    {"5", false},                        // no unit
    {"", false},
    {"3x", false},
    {"3d;", false},
};

TEST(DateTimeText, ParsesDurationsAndKeepsTheOldValueOnRefusal)
{
    for (const SpanCase& c : spanCases) {
        COleDateTimeSpan value;
        value.SetDateTimeSpan(9, 9, 9, 9);
        EXPECT_EQ(ParseDateTimeSpan(c.text, value) != FALSE, c.ok) << c.text;
        COleDateTimeSpan expected;
        if (c.ok)
            expected.SetDateTimeSpan(c.days, c.hours, c.minutes, c.seconds);
        else
            expected.SetDateTimeSpan(9, 9, 9, 9);
        EXPECT_DOUBLE_EQ(value.GetTotalSeconds(), expected.GetTotalSeconds()) << c.text;
    }
}

TEST(DateTimeText, ShellServicesUseTheSameRules)
{
    const CShellServices& services = GetShellServices();
    EXPECT_TRUE(services.ParseDateTime("1.2.2005 13:5"));
    EXPECT_FALSE(services.ParseDateTime("1.2.05"));
    EXPECT_FALSE(services.ParseDateTime("31.2.2005"));
    EXPECT_TRUE(services.ParseDateTimeSpan("+3d 12h 02m 43s"));
    EXPECT_TRUE(services.ParseDateTimeSpan("1d2h3m4s9d"));
    EXPECT_FALSE(services.ParseDateTimeSpan("3d+1h"));
}

} // namespace
