// Private to platform/gdi: the 8-bit text of the system (Windows-1252) as Unicode.
#pragma once

#include <QString>

namespace gdi {

QString FromAnsi(const char* text, int count);
QChar FromAnsi(unsigned char c);

}  // namespace gdi
