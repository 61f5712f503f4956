#include "platform/core/Time.h"

#include "platform/core/Archive.h"
#include "platform/core/CLocale.h"
#include "platform/core/Exception.h"

#include <string>
#include <sys/time.h>

namespace {

struct tm LocalTm(time_t time)
{
    struct tm out {};
    localtime_r(&time, &out);
    return out;
}

void FillSystemTime(const struct tm& time, WORD milliseconds, SYSTEMTIME& out)
{
    out.wYear = static_cast<WORD>(time.tm_year + 1900);
    out.wMonth = static_cast<WORD>(time.tm_mon + 1);
    out.wDayOfWeek = static_cast<WORD>(time.tm_wday);
    out.wDay = static_cast<WORD>(time.tm_mday);
    out.wHour = static_cast<WORD>(time.tm_hour);
    out.wMinute = static_cast<WORD>(time.tm_min);
    out.wSecond = static_cast<WORD>(time.tm_sec);
    out.wMilliseconds = milliseconds;
}

void FillNow(LPSYSTEMTIME out, struct tm* (*convert)(const time_t*, struct tm*))
{
    if (out == nullptr)
        return;
    struct timeval now {};
    gettimeofday(&now, nullptr);
    struct tm parts {};
    convert(&now.tv_sec, &parts);
    FillSystemTime(parts, static_cast<WORD>(now.tv_usec / 1000), *out);
}

bool InRange(int value, int low, int high) { return value >= low && value <= high; }

} // namespace

CString FormatTm(LPCTSTR format, const struct tm& time)
{
    if (format == nullptr || *format == '\0')
        return CString();
    // strftime returns 0 both for "too small" and for an empty result, so the buffer grows
    // up to a generous bound and then gives up.
    for (size_t size = 128; size <= 65536; size *= 4) {
        std::string buffer(size, '\0');
        size_t length = strftime_l(buffer.data(), size, format, &time, TheCLocale());
        if (length > 0)
            return CString(buffer.c_str(), static_cast<int>(length));
    }
    return CString();
}

void GetLocalTime(LPSYSTEMTIME time) { FillNow(time, localtime_r); }
void GetSystemTime(LPSYSTEMTIME time) { FillNow(time, gmtime_r); }

CTimeSpan::CTimeSpan(LONG days, int hours, int minutes, int seconds)
    : m_span(((static_cast<int64_t>(days) * 24 + hours) * 60 + minutes) * 60 + seconds)
{
}

CString CTimeSpan::Format(LPCTSTR format) const
{
    CString result;
    for (LPCTSTR p = format; p != nullptr && *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            result += *p;
            continue;
        }
        switch (*++p) {
        case 'D': result.AppendFormat("%lld", static_cast<long long>(GetDays())); break;
        case 'H': result.AppendFormat("%02ld", static_cast<long>(GetHours())); break;
        case 'M': result.AppendFormat("%02ld", static_cast<long>(GetMinutes())); break;
        case 'S': result.AppendFormat("%02ld", static_cast<long>(GetSeconds())); break;
        default: result += *p; break;
        }
    }
    return result;
}

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int dst)
{
    if (!InRange(year, 1900, 9999) || !InRange(month, 1, 12) || !InRange(day, 1, 31) || !InRange(hour, 0, 23)
        || !InRange(minute, 0, 59) || !InRange(second, 0, 59))
        AfxThrowInvalidArgException();
    struct tm parts {};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = dst < 0 ? -1 : dst > 0;
    m_time = mktime(&parts);
}

CTime::CTime(const SYSTEMTIME& time, int dst)
    : CTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, dst)
{
}

CTime CTime::GetCurrentTime() { return CTime(time(nullptr)); }

struct tm* CTime::GetLocalTm(struct tm* out) const
{
    return out ? localtime_r(&m_time, out) : nullptr;
}

struct tm* CTime::GetGmtTm(struct tm* out) const
{
    return out ? gmtime_r(&m_time, out) : nullptr;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& time) const
{
    FillSystemTime(LocalTm(m_time), 0, time);
    return TRUE;
}

int CTime::GetYear() const { return LocalTm(m_time).tm_year + 1900; }
int CTime::GetMonth() const { return LocalTm(m_time).tm_mon + 1; }
int CTime::GetDay() const { return LocalTm(m_time).tm_mday; }
int CTime::GetHour() const { return LocalTm(m_time).tm_hour; }
int CTime::GetMinute() const { return LocalTm(m_time).tm_min; }
int CTime::GetSecond() const { return LocalTm(m_time).tm_sec; }
int CTime::GetDayOfWeek() const { return LocalTm(m_time).tm_wday + 1; }

CString CTime::Format(LPCTSTR format) const { return FormatTm(format, LocalTm(m_time)); }

CString CTime::Format(UINT formatId) const
{
    CString format;
    format.LoadString(formatId);
    return Format(format);
}

CString CTime::FormatGmt(LPCTSTR format) const
{
    struct tm parts {};
    gmtime_r(&m_time, &parts);
    return FormatTm(format, parts);
}

CArchive& operator<<(CArchive& ar, CTime time) { return ar << static_cast<LONGLONG>(time.GetTime()); }
CArchive& operator<<(CArchive& ar, CTimeSpan span) { return ar << static_cast<LONGLONG>(span.GetTimeSpan()); }

CArchive& operator>>(CArchive& ar, CTime& time)
{
    LONGLONG value = 0;
    ar >> value;
    time = CTime(static_cast<time_t>(value));
    return ar;
}

CArchive& operator>>(CArchive& ar, CTimeSpan& span)
{
    LONGLONG value = 0;
    ar >> value;
    span = CTimeSpan(value);
    return ar;
}
