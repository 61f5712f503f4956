// COleDateTime: days since 30 December 1899 as a double. Before that day the whole part
// counts days back and the fraction is still the time of day (-1.25 is 29 Dec 1899 06:00).
// COleDateTimeSpan: a signed number of days.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Time.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <ctime>

using DATE = double;

constexpr DWORD VAR_TIMEVALUEONLY = 0x0001;
constexpr DWORD VAR_DATEVALUEONLY = 0x0002;
constexpr int AFX_OLE_DATETIME_ERROR = -1;

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double days) : m_span(days) { }
    COleDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }
    void SetDateTimeSpan(LONG days, int hours, int minutes, int seconds);

    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    LONG GetDays() const { return static_cast<LONG>(m_span); }
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    // %D days, %H hours, %M minutes, %S seconds, %% a percent sign.
    CString Format(LPCTSTR format) const;

    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const;
    COleDateTimeSpan operator-() const;
    COleDateTimeSpan& operator+=(const COleDateTimeSpan& other) { return *this = *this + other; }
    COleDateTimeSpan& operator-=(const COleDateTimeSpan& other) { return *this = *this - other; }
    bool operator==(const COleDateTimeSpan& other) const;
    bool operator<(const COleDateTimeSpan& other) const { return m_span < other.m_span; }
    bool operator>(const COleDateTimeSpan& other) const { return other < *this; }
    bool operator<=(const COleDateTimeSpan& other) const { return !(other < *this); }
    bool operator>=(const COleDateTimeSpan& other) const { return !(*this < other); }

    double m_span = 0;
    DateTimeSpanStatus m_status = valid;

private:
    int64_t RoundedSeconds() const;
};

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    COleDateTime(DATE value);
    COleDateTime(time_t time);
    COleDateTime(const SYSTEMTIME& time);
    COleDateTime(int year, int month, int day, int hour, int minute, int second);

    static COleDateTime GetCurrentTime();
    // Tests stand the clock still at a moment of their choice; 0 gives the system clock back.
    static void SetTestClock(time_t now);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    // Return 0 on success; invalid fields (31 February included) leave the value invalid.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }
    int SetTime(int hour, int minute, int second) { return SetDateTime(1899, 12, 30, hour, minute, second); }
    BOOL GetAsSystemTime(SYSTEMTIME& time) const;

    // Each returns AFX_OLE_DATETIME_ERROR unless the value is valid.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday ... 7 = Saturday
    int GetDayOfYear() const; // 1 = 1 January

    // strftime codes in the C locale. Without a format: "MM/DD/YYYY HH:MM:SS", leaving out a
    // midnight time or the day 0 date.
    CString Format(LPCTSTR format) const;
    CString Format(DWORD flags = 0) const;
    // Accepts "YYYY-MM-DD", "MM/DD/YYYY" and "DD.MM.YYYY", each optionally followed by
    // "HH:MM[:SS]", or the time alone.
    bool ParseDateTime(LPCTSTR text, DWORD flags = 0);

    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTimeSpan operator-(const COleDateTime& other) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }
    bool operator==(const COleDateTime& other) const;
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }
    operator DATE() const { return m_dt; }

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;
};

// Stored as a 4-byte status followed by the 8-byte double. A loaded value whose status is
// unknown or whose date is out of range reads as invalid.
class CArchive;
CArchive& operator<<(CArchive& ar, const COleDateTime& value);
CArchive& operator>>(CArchive& ar, COleDateTime& value);
CArchive& operator<<(CArchive& ar, const COleDateTimeSpan& value);
CArchive& operator>>(CArchive& ar, COleDateTimeSpan& value);
