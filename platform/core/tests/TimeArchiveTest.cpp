#include "ArchiveBytes.h"

#include "platform/core/ArchiveException.h"
#include "platform/core/OleDateTime.h"
#include "platform/core/Time.h"

#include <gtest/gtest.h>

#include <limits>

TEST(TimeArchive, StoredBytes)
{
    COleDateTime date(2000, 1, 1, 12, 0, 0); // 36526.5
    COleDateTime nullDate;
    nullDate.SetStatus(COleDateTime::null);
    const Bytes bytes = StoreBytes([&](CArchive& ar) {
        ar << CTime(static_cast<time_t>(0x0102030405LL)) << CTimeSpan(-2) << date << nullDate
           << COleDateTimeSpan(1.5);
    });
    const Bytes expected = Cat({
        { 0x05, 0x04, 0x03, 0x02, 0x01, 0, 0, 0 },                 // CTime
        { 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF },         // CTimeSpan -2
        { 0, 0, 0, 0 }, { 0, 0, 0, 0, 0xD0, 0xD5, 0xE1, 0x40 },    // valid, 36526.5
        { 2, 0, 0, 0 }, { 0, 0, 0, 0, 0, 0, 0, 0 },                 // null, 0.0
        { 0, 0, 0, 0 }, { 0, 0, 0, 0, 0, 0, 0xF8, 0x3F },          // valid span 1.5
    });
    EXPECT_EQ(bytes, expected);

    LoadBytes(expected, [&](CArchive& ar) {
        CTime time;
        CTimeSpan span;
        COleDateTime loaded, loadedNull;
        COleDateTimeSpan days;
        ar >> time >> span >> loaded >> loadedNull >> days;
        EXPECT_EQ(time.GetTime(), 0x0102030405LL);
        EXPECT_EQ(span.GetTotalSeconds(), -2);
        EXPECT_EQ(loaded, date);
        EXPECT_EQ(loadedNull.GetStatus(), COleDateTime::null);
        EXPECT_EQ(days, COleDateTimeSpan(1.5));
    });
}

TEST(TimeArchive, DamagedValuesLoadAsInvalid)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case { LONG status; double value; COleDateTime::DateTimeStatus expected; };
    const Case cases[] = {
        { 0, 1e9, COleDateTime::invalid }, { 0, nan, COleDateTime::invalid }, { 7, 100.0, COleDateTime::invalid },
        { -1, 100.0, COleDateTime::invalid }, { 1, 100.0, COleDateTime::invalid }, { 0, -100.5, COleDateTime::valid },
    };
    for (const Case& c : cases) {
        const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << c.status << c.value; });
        LoadBytes(bytes, [&](CArchive& ar) {
            COleDateTime loaded;
            ar >> loaded;
            EXPECT_EQ(loaded.GetStatus(), c.expected) << c.status << " " << c.value;
        });
    }
}

TEST(TimeArchive, TruncatedInputThrows)
{
    const Bytes whole = StoreBytes([](CArchive& ar) { ar << COleDateTime(2000, 1, 1, 0, 0, 0); });
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        Bytes part(whole.begin(), whole.begin() + static_cast<long>(cut));
        int cause = CauseOf<CArchiveException>([&] {
            LoadBytes(part, [](CArchive& ar) {
                COleDateTime loaded;
                ar >> loaded;
            });
        });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << cut;
    }
    int cause = CauseOf<CArchiveException>([] {
        LoadBytes(Bytes { 1, 2, 3 }, [](CArchive& ar) {
            CTime time;
            ar >> time;
        });
    });
    EXPECT_EQ(cause, CArchiveException::endOfFile);
}
