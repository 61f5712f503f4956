#include "platform/gdi/TextCodec.h"

#include <cstring>

namespace gdi {

namespace {

// 0x80-0x9F differ from Latin-1; unassigned codes stay as their C1 control.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

QChar FromAnsi(unsigned char c)
{
    return c >= 0x80 && c < 0xA0 ? QChar(kHigh[c - 0x80]) : QChar(char16_t(c));
}

QString FromAnsi(const char* text, int count)
{
    QString s;
    if (!text)
        return s;
    if (count < 0)
        count = int(std::strlen(text));
    s.reserve(count);
    for (int i = 0; i < count; ++i)
        s.append(FromAnsi(static_cast<unsigned char>(text[i])));
    return s;
}

}  // namespace gdi
