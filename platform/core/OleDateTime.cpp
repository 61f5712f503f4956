#include "platform/core/OleDateTime.h"

#include "platform/core/Archive.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

struct Parts {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    int dayOfWeek = 0; // 0 = Sunday
    int dayOfYear = 0; // 0 = 1 January
};

// Days since 1 January 1970 in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day)
{
    year -= month <= 2;
    int64_t era = (year >= 0 ? year : year - 399) / 400;
    int64_t yearOfEra = year - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

void CivilFromDays(int64_t days, Parts& parts)
{
    days += 719468;
    int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    int64_t dayOfEra = days - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t mp = (5 * dayOfYear + 2) / 153;
    parts.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    parts.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    parts.year = static_cast<int>(yearOfEra + era * 400 + (parts.month <= 2));
}

bool IsLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return kDays[month - 1] + (month == 2 && IsLeap(year));
}

constexpr int64_t kEpochDays = -25569; // 30 December 1899
constexpr double kMinDate = -657434.0;  // 1 January 100
constexpr double kMaxDate = 2958466.0;  // 1 January 10000, exclusive

bool InRange(DATE value) { return std::isfinite(value) && value >= kMinDate && value < kMaxDate; }

// Days on a straight line: -1.25 (29 Dec 06:00) becomes -0.75.
double Linear(DATE value)
{
    double day = std::trunc(value);
    return day + std::fabs(value - day);
}

DATE FromLinear(double linear)
{
    double day = std::floor(linear);
    double fraction = linear - day;
    return day >= 0 ? day + fraction : day - fraction;
}

bool Decompose(DATE value, Parts& parts)
{
    if (!InRange(value))
        return false;
    int64_t day = static_cast<int64_t>(std::trunc(value));
    int64_t seconds = std::llround(std::fabs(value - static_cast<double>(day)) * 86400.0);
    if (seconds >= 86400) {
        ++day;
        seconds -= 86400;
    }
    int64_t days = day + kEpochDays;
    CivilFromDays(days, parts);
    parts.hour = static_cast<int>(seconds / 3600);
    parts.minute = static_cast<int>(seconds / 60 % 60);
    parts.second = static_cast<int>(seconds % 60);
    parts.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7); // 1 January 1970 was a Thursday
    parts.dayOfYear = static_cast<int>(days - DaysFromCivil(parts.year, 1, 1));
    return true;
}

struct tm TmFrom(const Parts& parts)
{
    struct tm out {};
    out.tm_year = parts.year - 1900;
    out.tm_mon = parts.month - 1;
    out.tm_mday = parts.day;
    out.tm_hour = parts.hour;
    out.tm_min = parts.minute;
    out.tm_sec = parts.second;
    out.tm_wday = parts.dayOfWeek;
    out.tm_yday = parts.dayOfYear;
    return out;
}

bool ValidFields(int year, int month, int day, int hour, int minute, int second)
{
    return year >= 100 && year <= 9999 && month >= 1 && month <= 12 && day >= 1
        && day <= DaysInMonth(year, month) && hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59
        && second >= 0 && second <= 59;
}

// Reads "<int><sep><int><sep><int>" or with the time separator two or three fields,
// returning how many characters were used (0 when the shape does not match).
int ReadFields(const char* text, char separator, int (&fields)[3], int minimum)
{
    int used = 0;
    int count = 0;
    while (count < 3) {
        if (count > 0 && text[used] != separator)
            break;
        int start = used + (count > 0);
        int value = 0;
        int digits = 0;
        while (text[start + digits] >= '0' && text[start + digits] <= '9' && digits < 5)
            value = value * 10 + (text[start + digits++] - '0');
        if (digits == 0)
            break;
        fields[count++] = value;
        used = start + digits;
    }
    return count >= minimum ? used : 0;
}

bool ReadDate(const char* text, int& used, int& year, int& month, int& day)
{
    int fields[3] = {};
    if ((used = ReadFields(text, '-', fields, 3)) != 0) {
        year = fields[0], month = fields[1], day = fields[2];
        return true;
    }
    if ((used = ReadFields(text, '/', fields, 3)) != 0) {
        month = fields[0], day = fields[1], year = fields[2];
        return true;
    }
    if ((used = ReadFields(text, '.', fields, 3)) != 0) {
        day = fields[0], month = fields[1], year = fields[2];
        return true;
    }
    return false;
}

bool ReadTime(const char* text, int& hour, int& minute, int& second)
{
    int fields[3] = {};
    int used = ReadFields(text, ':', fields, 2);
    hour = fields[0], minute = fields[1], second = fields[2];
    return used != 0 && text[used] == '\0';
}

} // namespace

COleDateTimeSpan::COleDateTimeSpan(LONG days, int hours, int minutes, int seconds)
{
    SetDateTimeSpan(days, hours, minutes, seconds);
}

void COleDateTimeSpan::SetDateTimeSpan(LONG days, int hours, int minutes, int seconds)
{
    m_span = days + (hours + (minutes + seconds / 60.0) / 60.0) / 24.0;
    m_status = valid;
}

int64_t COleDateTimeSpan::RoundedSeconds() const { return std::llround(m_span * 86400.0); }

LONG COleDateTimeSpan::GetHours() const { return CTimeSpan(RoundedSeconds()).GetHours(); }
LONG COleDateTimeSpan::GetMinutes() const { return CTimeSpan(RoundedSeconds()).GetMinutes(); }
LONG COleDateTimeSpan::GetSeconds() const { return CTimeSpan(RoundedSeconds()).GetSeconds(); }

CString COleDateTimeSpan::Format(LPCTSTR format) const
{
    return m_status == valid ? CTimeSpan(RoundedSeconds()).Format(format) : CString();
}

COleDateTimeSpan COleDateTimeSpan::operator+(const COleDateTimeSpan& other) const
{
    COleDateTimeSpan result(m_span + other.m_span);
    if (m_status != valid || other.m_status != valid)
        result.m_status = m_status != valid ? m_status : other.m_status;
    return result;
}

COleDateTimeSpan COleDateTimeSpan::operator-(const COleDateTimeSpan& other) const { return *this + -other; }

COleDateTimeSpan COleDateTimeSpan::operator-() const
{
    COleDateTimeSpan result(-m_span);
    result.m_status = m_status;
    return result;
}

bool COleDateTimeSpan::operator==(const COleDateTimeSpan& other) const
{
    return m_status == other.m_status && m_span == other.m_span;
}

COleDateTime::COleDateTime(DATE value) : m_dt(value), m_status(InRange(value) ? valid : invalid) { }

COleDateTime::COleDateTime(time_t time)
{
    struct tm parts {};
    if (localtime_r(&time, &parts) == nullptr) {
        m_status = invalid;
        return;
    }
    SetDateTime(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min,
                parts.tm_sec);
}

COleDateTime::COleDateTime(const SYSTEMTIME& time)
{
    SetDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

namespace {

time_t g_testClock = 0;

} // namespace

COleDateTime COleDateTime::GetCurrentTime() { return COleDateTime(g_testClock ? g_testClock : time(nullptr)); }

void COleDateTime::SetTestClock(time_t now) { g_testClock = now; }

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (!ValidFields(year, month, day, hour, minute, second)) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    double days = static_cast<double>(DaysFromCivil(year, month, day) - kEpochDays);
    double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    m_dt = days >= 0 ? days + fraction : days - fraction;
    m_status = valid;
    return 0;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& time) const
{
    Parts parts;
    if (m_status != valid || !Decompose(m_dt, parts))
        return FALSE;
    time = SYSTEMTIME { static_cast<WORD>(parts.year), static_cast<WORD>(parts.month),
                        static_cast<WORD>(parts.dayOfWeek), static_cast<WORD>(parts.day),
                        static_cast<WORD>(parts.hour), static_cast<WORD>(parts.minute),
                        static_cast<WORD>(parts.second), 0 };
    return TRUE;
}

namespace {

int Field(const COleDateTime& value, int Parts::*field, int offset = 0)
{
    Parts parts;
    if (value.GetStatus() != COleDateTime::valid || !Decompose(value.m_dt, parts))
        return AFX_OLE_DATETIME_ERROR;
    return parts.*field + offset;
}

} // namespace

int COleDateTime::GetYear() const { return Field(*this, &Parts::year); }
int COleDateTime::GetMonth() const { return Field(*this, &Parts::month); }
int COleDateTime::GetDay() const { return Field(*this, &Parts::day); }
int COleDateTime::GetHour() const { return Field(*this, &Parts::hour); }
int COleDateTime::GetMinute() const { return Field(*this, &Parts::minute); }
int COleDateTime::GetSecond() const { return Field(*this, &Parts::second); }
int COleDateTime::GetDayOfWeek() const { return Field(*this, &Parts::dayOfWeek, 1); }
int COleDateTime::GetDayOfYear() const { return Field(*this, &Parts::dayOfYear, 1); }

CString COleDateTime::Format(LPCTSTR format) const
{
    Parts parts;
    if (m_status == null)
        return CString();
    if (m_status != valid || !Decompose(m_dt, parts))
        return CString("Invalid DateTime");
    return FormatTm(format, TmFrom(parts));
}

CString COleDateTime::Format(DWORD flags) const
{
    bool hasDate = std::trunc(m_dt) != 0 && !(flags & VAR_TIMEVALUEONLY);
    bool hasTime = std::trunc(m_dt) != m_dt && !(flags & VAR_DATEVALUEONLY);
    if (!hasDate && !hasTime)
        hasDate = !(flags & VAR_TIMEVALUEONLY);
    if (!hasDate && !hasTime)
        hasTime = true;
    const char* format = hasDate && hasTime ? "%m/%d/%Y %H:%M:%S" : hasDate ? "%m/%d/%Y" : "%H:%M:%S";
    return Format(format);
}

bool COleDateTime::ParseDateTime(LPCTSTR text, DWORD flags)
{
    CString trimmed(text);
    trimmed.Trim();
    const char* p = trimmed;
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    int used = 0;
    bool ok = true;
    if (ReadDate(p, used, year, month, day)) {
        p += used;
        if (*p != '\0')
            ok = (*p == ' ' || *p == 'T') && ReadTime(p + 1 + std::strspn(p + 1, " "), hour, minute, second);
    } else {
        ok = ReadTime(p, hour, minute, second);
    }
    if (flags & VAR_TIMEVALUEONLY)
        year = 1899, month = 12, day = 30;
    if (flags & VAR_DATEVALUEONLY)
        hour = minute = second = 0;
    if (!ok || SetDateTime(year, month, day, hour, minute, second) != 0) {
        m_dt = 0;
        m_status = invalid;
        return false;
    }
    return true;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result(FromLinear(Linear(m_dt) + span.m_span));
    if (m_status != valid || span.m_status != COleDateTimeSpan::valid)
        result.m_status = m_status == null || span.m_status == COleDateTimeSpan::null ? null : invalid;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const { return *this + -span; }

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan result(Linear(m_dt) - Linear(other.m_dt));
    if (m_status != valid || other.m_status != valid)
        result.m_status = m_status == null || other.m_status == null ? COleDateTimeSpan::null : COleDateTimeSpan::invalid;
    return result;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && m_dt == other.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& other) const { return Linear(m_dt) < Linear(other.m_dt); }

namespace {

template <typename Status>
Status LoadedStatus(LONG stored, bool inRange)
{
    if (stored == Status::null)
        return Status::null;
    if (stored == Status::valid && inRange)
        return Status::valid;
    return Status::invalid;
}

} // namespace

CArchive& operator<<(CArchive& ar, const COleDateTime& value)
{
    return ar << static_cast<LONG>(value.m_status) << value.m_dt;
}

CArchive& operator>>(CArchive& ar, COleDateTime& value)
{
    LONG status = 0;
    ar >> status >> value.m_dt;
    value.m_status = LoadedStatus<COleDateTime::DateTimeStatus>(status, InRange(value.m_dt));
    return ar;
}

CArchive& operator<<(CArchive& ar, const COleDateTimeSpan& value)
{
    return ar << static_cast<LONG>(value.m_status) << value.m_span;
}

CArchive& operator>>(CArchive& ar, COleDateTimeSpan& value)
{
    LONG status = 0;
    ar >> status >> value.m_span;
    value.m_status = LoadedStatus<COleDateTimeSpan::DateTimeSpanStatus>(status, std::isfinite(value.m_span));
    return ar;
}
