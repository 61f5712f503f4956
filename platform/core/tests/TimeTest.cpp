#include "platform/core/Exception.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Time.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace {

// Local time in a fixed zone with summer time, so results do not depend on the machine.
class TimeZoneFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tz = std::getenv("TZ");
        m_saved = tz ? tz : "";
        m_had = tz != nullptr;
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_had)
            setenv("TZ", m_saved.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_saved;
    bool m_had = false;
};

using CTimeTest = TimeZoneFixture;

} // namespace

TEST_F(CTimeTest, ComponentsAndFormatInLocalTime)
{
    CTime winter(2005, 1, 15, 13, 45, 30);
    EXPECT_EQ(winter.GetTime(), 1105793130); // 12:45:30 UTC
    CTime summer(2005, 7, 1, 0, 30, 0);
    EXPECT_EQ(summer.GetTime(), 1120170600); // 22:30 UTC the day before
    EXPECT_EQ(summer.GetDay(), 1);
    EXPECT_EQ(summer.GetHour(), 0);
    EXPECT_EQ(summer.GetDayOfWeek(), 6); // a Friday
    EXPECT_EQ(winter.Format("%d.%m.%Y %H:%M:%S %A %B %j"), "15.01.2005 13:45:30 Saturday January 015");
    EXPECT_EQ(summer.FormatGmt("%Y-%m-%d %H:%M"), "2005-06-30 22:30");
    EXPECT_EQ(winter.Format(""), "");
    std::string longFormat(300, '%');
    for (size_t i = 1; i < longFormat.size(); i += 2)
        longFormat[i] = 'Y';
    EXPECT_EQ(winter.Format(longFormat.c_str()).GetLength(), 150 * 4);

    CTimeSpan span = summer - winter;
    EXPECT_EQ(span.GetDays(), 166);
    EXPECT_EQ(span.GetHours(), 9);
    EXPECT_EQ((winter + CTimeSpan(1, 2, 3, 4)).Format("%d %H:%M:%S"), "16 15:48:34");
    EXPECT_EQ(CTimeSpan(3, 4, 5, 6).Format("%D days %H:%M:%S %%"), "3 days 04:05:06 %");
    EXPECT_LT(winter, summer);
}

TEST_F(CTimeTest, InvalidFieldsThrow)
{
    const int bad[][6] = { { 2005, 13, 1, 0, 0, 0 }, { 2005, 1, 0, 0, 0, 0 }, { 2005, 1, 1, 24, 0, 0 },
                           { 1800, 1, 1, 0, 0, 0 }, { 2005, 1, 1, 0, 60, 0 } };
    for (const auto& f : bad) {
        bool thrown = false;
        try {
            CTime(f[0], f[1], f[2], f[3], f[4], f[5]);
        } catch (CInvalidArgException* e) {
            e->Delete();
            thrown = true;
        }
        EXPECT_TRUE(thrown) << f[0] << "-" << f[1] << "-" << f[2];
    }
}

TEST(OleDateTime, SetDateTimeValidation)
{
    struct Case { int y, mo, d, h, mi, s; bool valid; double value; };
    const Case cases[] = {
        { 1899, 12, 30, 0, 0, 0, true, 0.0 },
        { 1900, 1, 1, 0, 0, 0, true, 2.0 },
        { 1899, 12, 29, 6, 0, 0, true, -1.25 },
        { 2000, 1, 1, 12, 0, 0, true, 36526.5 },
        { 2004, 2, 29, 0, 0, 0, true, 38046.0 },
        { 100, 1, 1, 0, 0, 0, true, -657434.0 },
        { 9999, 12, 31, 0, 0, 0, true, 2958465.0 },
        { 2005, 2, 29, 0, 0, 0, false, 0 },  // not a leap year
        { 2005, 2, 31, 0, 0, 0, false, 0 },
        { 1900, 2, 29, 0, 0, 0, false, 0 },
        { 2005, 4, 31, 0, 0, 0, false, 0 },
        { 2005, 0, 1, 0, 0, 0, false, 0 },
        { 2005, 1, 1, 24, 0, 0, false, 0 },
        { 2005, 1, 1, 0, 0, 60, false, 0 },
        { 99, 12, 31, 0, 0, 0, false, 0 },
        { 10000, 1, 1, 0, 0, 0, false, 0 },
    };
    for (const Case& c : cases) {
        COleDateTime t;
        EXPECT_EQ(t.SetDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s) == 0, c.valid) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(t.GetStatus(), c.valid ? COleDateTime::valid : COleDateTime::invalid);
        if (!c.valid) {
            EXPECT_EQ(t.GetYear(), AFX_OLE_DATETIME_ERROR);
            continue;
        }
        EXPECT_DOUBLE_EQ(t.m_dt, c.value) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(t.GetYear(), c.y);
        EXPECT_EQ(t.GetMonth(), c.mo);
        EXPECT_EQ(t.GetDay(), c.d);
        EXPECT_EQ(t.GetHour(), c.h);
    }
    EXPECT_EQ(COleDateTime(1e7).GetStatus(), COleDateTime::invalid);
}

TEST(OleDateTime, DayOfWeekAndDayOfYear)
{
    struct Case { int y, mo, d, dayOfWeek, dayOfYear; };
    const Case cases[] = {
        { 1899, 12, 30, 7, 364 }, { 1900, 1, 1, 2, 1 }, { 1970, 1, 1, 5, 1 }, { 2000, 2, 29, 3, 60 },
        { 2000, 12, 31, 1, 366 }, { 2005, 3, 1, 3, 60 }, { 1800, 1, 1, 4, 1 }, { 2024, 12, 25, 4, 360 },
        { 100, 1, 1, 6, 1 },
    };
    for (const Case& c : cases) {
        COleDateTime t(c.y, c.mo, c.d, 0, 0, 0);
        EXPECT_EQ(t.GetDayOfWeek(), c.dayOfWeek) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(t.GetDayOfYear(), c.dayOfYear) << c.y << "-" << c.mo << "-" << c.d;
    }
}

TEST(OleDateTime, FormatTable)
{
    struct Case { COleDateTime t; const char* format; const char* expected; };
    const Case cases[] = {
        { COleDateTime(2005, 3, 7, 9, 5, 3), "%d.%m.%Y %H:%M:%S", "07.03.2005 09:05:03" },
        { COleDateTime(2005, 3, 7, 9, 5, 3), "%A, %B %d %Y %I %p", "Monday, March 07 2005 09 AM" },
        { COleDateTime(1850, 6, 1, 23, 59, 59), "%Y-%m-%d %H:%M:%S %a %j", "1850-06-01 23:59:59 Sat 152" },
        { COleDateTime(1899, 12, 29, 18, 0, 0), "%Y-%m-%d %H:%M", "1899-12-29 18:00" },
        { COleDateTime(-1.75), "%Y-%m-%d %H:%M", "1899-12-29 18:00" },
        { COleDateTime(0.999999999), "%Y-%m-%d %H:%M:%S", "1899-12-31 00:00:00" }, // rounds to the second
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.t.Format(c.format), c.expected) << c.format;

    EXPECT_EQ(COleDateTime(2005, 3, 7, 9, 5, 3).Format(), "03/07/2005 09:05:03");
    EXPECT_EQ(COleDateTime(2005, 3, 7, 0, 0, 0).Format(), "03/07/2005");
    EXPECT_EQ(COleDateTime(1899, 12, 30, 9, 5, 0).Format(), "09:05:00");
    EXPECT_EQ(COleDateTime(2005, 3, 7, 9, 5, 3).Format(VAR_DATEVALUEONLY), "03/07/2005");
    COleDateTime bad;
    bad.SetDate(2005, 2, 30);
    EXPECT_EQ(bad.Format("%Y"), "Invalid DateTime");
    bad.SetStatus(COleDateTime::null);
    EXPECT_EQ(bad.Format("%Y"), "");
}

TEST(OleDateTime, ArithmeticCrossesTheEpoch)
{
    COleDateTime start(1899, 12, 30, 3, 0, 0);
    COleDateTime earlier = start - COleDateTimeSpan(0, 9, 0, 0);
    EXPECT_EQ(earlier.Format("%Y-%m-%d %H:%M"), "1899-12-29 18:00");
    EXPECT_DOUBLE_EQ(earlier.m_dt, -1.75);
    COleDateTimeSpan back = start - earlier;
    EXPECT_NEAR(back.GetTotalHours(), 9.0, 1e-9);
    EXPECT_EQ(back.GetHours(), 9);
    COleDateTime leap = COleDateTime(2004, 2, 28, 12, 0, 0) + COleDateTimeSpan(1, 12, 30, 15);
    EXPECT_EQ(leap.Format("%Y-%m-%d %H:%M:%S"), "2004-03-01 00:30:15");
    EXPECT_LT(earlier, start);
    EXPECT_LT(COleDateTime(-1.0), COleDateTime(-1.5)); // 29 Dec 00:00 comes before 29 Dec 12:00
    COleDateTime invalid;
    invalid.SetDate(2005, 2, 30);
    EXPECT_EQ((invalid + COleDateTimeSpan(1.0)).GetStatus(), COleDateTime::invalid);
    EXPECT_EQ((COleDateTime(9999, 12, 31, 0, 0, 0) + COleDateTimeSpan(2.0)).GetStatus(), COleDateTime::invalid);

    COleDateTimeSpan span(2, 3, 4, 5);
    EXPECT_EQ(span.GetDays(), 2);
    EXPECT_EQ(span.GetMinutes(), 4);
    EXPECT_EQ(span.GetSeconds(), 5);
    EXPECT_EQ(span.Format("%D:%H:%M:%S"), "2:03:04:05");
    EXPECT_EQ((-span).GetHours(), -3);
}

TEST(OleDateTime, ParseDateTime)
{
    struct Case { const char* text; bool ok; const char* formatted; };
    const Case cases[] = {
        { "2005-03-07", true, "2005-03-07 00:00:00" },
        { "2005-03-07 14:30", true, "2005-03-07 14:30:00" },
        { "03/07/2005 14:30:15", true, "2005-03-07 14:30:15" },
        { " 7.3.2005  8:05 ", true, "2005-03-07 08:05:00" },
        { "14:30:15", true, "1899-12-30 14:30:15" },
        { "31.2.2005", false, "" },
        { "2005-03-07 25:00", false, "" },
        { "2005-03-07 14:30 x", false, "" },
        { "yesterday", false, "" },
        { "", false, "" },
        { "99999999-1-1", false, "" },
    };
    for (const Case& c : cases) {
        COleDateTime t;
        EXPECT_EQ(t.ParseDateTime(c.text), c.ok) << c.text;
        EXPECT_EQ(t.GetStatus(), c.ok ? COleDateTime::valid : COleDateTime::invalid) << c.text;
        if (c.ok) {
            EXPECT_EQ(t.Format("%Y-%m-%d %H:%M:%S"), c.formatted) << c.text;
        }
    }
    COleDateTime dateOnly;
    EXPECT_TRUE(dateOnly.ParseDateTime("2005-03-07 14:30", VAR_DATEVALUEONLY));
    EXPECT_EQ(dateOnly.GetHour(), 0);
}
