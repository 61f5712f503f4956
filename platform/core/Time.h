// CTime (seconds since 1970, shown in local time) and CTimeSpan; SYSTEMTIME and the clock calls.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

#include <cstdint>
#include <ctime>

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek; // 0 = Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(int64_t seconds) : m_span(seconds) { }
    CTimeSpan(LONG days, int hours, int minutes, int seconds);

    int64_t GetDays() const { return m_span / 86400; }
    int64_t GetTotalHours() const { return m_span / 3600; }
    int64_t GetTotalMinutes() const { return m_span / 60; }
    int64_t GetTotalSeconds() const { return m_span; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() % 24); }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() % 60); }
    LONG GetSeconds() const { return static_cast<LONG>(m_span % 60); }
    int64_t GetTimeSpan() const { return m_span; }

    // %D days, %H hours, %M minutes, %S seconds, %% a percent sign.
    CString Format(LPCTSTR format) const;

    CTimeSpan operator+(CTimeSpan other) const { return m_span + other.m_span; }
    CTimeSpan operator-(CTimeSpan other) const { return m_span - other.m_span; }
    CTimeSpan& operator+=(CTimeSpan other) { m_span += other.m_span; return *this; }
    CTimeSpan& operator-=(CTimeSpan other) { m_span -= other.m_span; return *this; }
    auto operator<=>(const CTimeSpan&) const = default;

private:
    int64_t m_span = 0;
};

class CTime {
public:
    CTime() = default;
    CTime(time_t time) : m_time(time) { }
    // Local time; dst < 0 lets the zone rules decide. Invalid fields throw CInvalidArgException.
    CTime(int year, int month, int day, int hour, int minute, int second, int dst = -1);
    CTime(const SYSTEMTIME& time, int dst = -1);

    static CTime GetCurrentTime();

    time_t GetTime() const { return m_time; }
    struct tm* GetLocalTm(struct tm* out) const;
    struct tm* GetGmtTm(struct tm* out) const;
    BOOL GetAsSystemTime(SYSTEMTIME& time) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const; // 1 = Sunday

    // strftime codes, C locale.
    CString Format(LPCTSTR format) const;
    CString Format(UINT formatId) const;
    CString FormatGmt(LPCTSTR format) const;

    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan span) { m_time += span.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan span) { m_time -= span.GetTimeSpan(); return *this; }
    auto operator<=>(const CTime&) const = default;

private:
    time_t m_time = 0;
};

// Stored as 8-byte seconds.
class CArchive;
CArchive& operator<<(CArchive& ar, CTime time);
CArchive& operator>>(CArchive& ar, CTime& time);
CArchive& operator<<(CArchive& ar, CTimeSpan span);
CArchive& operator>>(CArchive& ar, CTimeSpan& span);

// strftime in the C locale into a CString of any length.
CString FormatTm(LPCTSTR format, const struct tm& time);
