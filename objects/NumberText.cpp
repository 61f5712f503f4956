#include "objects/NumberText.h"

#include "platform/core/CLocale.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>

double ParseDoubleC(LPCTSTR text)
{
    if (!text)
        return 0.0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    // Plain decimal numbers only: no hexadecimal, infinity or NaN forms.
    if (!std::isdigit(static_cast<unsigned char>(*text)) && *text != '.')
        return 0.0;
    double value = 0.0;
    std::errc error = std::from_chars(text, text + std::strlen(text), value).ec;
    if (error == std::errc::result_out_of_range)
        value = std::clamp(strtod_l(text, nullptr, TheCLocale()), -DBL_MAX, DBL_MAX);
    else if (error != std::errc())
        value = 0.0;
    return negative ? -value : value;
}

LONG ParseLongC(LPCTSTR text)
{
    if (!text)
        return 0;
    long long value = strtoll_l(text, nullptr, 10, TheCLocale());
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<LONG>(value);
}

BOOL ScanInteger(LPCTSTR& text, int64_t& value)
{
    char* end = nullptr;
    long long parsed = strtoll_l(text, &end, 10, TheCLocale());
    if (end == text)
        return FALSE;
    value = parsed;
    text = end;
    return TRUE;
}
