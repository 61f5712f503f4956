#include "objects/NumberText.h"

#include <climits>
#include <cstdlib>
#include <locale.h>

namespace {
locale_t CLocale()
{
    static locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}
}

double ParseDoubleC(LPCTSTR text)
{
    if (!text)
        return 0.0;
    return strtod_l(text, nullptr, CLocale());
}

LONG ParseLongC(LPCTSTR text)
{
    if (!text)
        return 0;
    long long value = strtoll_l(text, nullptr, 10, CLocale());
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<LONG>(value);
}

BOOL ScanInteger(LPCTSTR& text, int64_t& value)
{
    char* end = nullptr;
    long long parsed = strtoll_l(text, &end, 10, CLocale());
    if (end == text)
        return FALSE;
    value = parsed;
    text = end;
    return TRUE;
}
