// Date and duration texts typed or stored in documents: a text the readers take must give a
// valid date inside the accepted years, and a text they refuse must leave the value alone.
#include "objects/ShellServices.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const COleDateTime marker(2000, 6, 15, 8, 30, 0);
    COleDateTime date = marker;
    if (ParseDateTime(text.c_str(), date)) {
        if (date.GetStatus() != COleDateTime::valid || date.GetYear() < 1800 || date.GetYear() > 9999)
            std::abort();
    } else if (!(date == marker)) {
        std::abort();
    }
    COleDateTimeSpan span;
    span.SetDateTimeSpan(1, 2, 3, 4);
    const double before = span.GetTotalSeconds();
    if (!ParseDateTimeSpan(text.c_str(), span) && span.GetTotalSeconds() != before)
        std::abort();
    return 0;
}
