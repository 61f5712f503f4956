#include "platform/gdi/TextCodec.h"

#include "platform/core/CodePage.h"

#include <cstring>

namespace gdi {

QChar FromAnsi(unsigned char c)
{
    return QChar(char16_t(UnicodeFrom1252(c)));
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
