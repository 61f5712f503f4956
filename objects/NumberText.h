// Numbers read from stored and typed texts, always in the C locale.
#pragma once

#include "platform/core/Types.h"

// The longest valid prefix of a decimal number as a double, as strtod reads it; 0 when
// there is none. Hexadecimal, infinity and NaN forms read as 0.
double ParseDoubleC(LPCTSTR text);
// The longest valid prefix as a 32-bit integer, clamped to its range; 0 when there is none.
LONG ParseLongC(LPCTSTR text);
// One integer as scanf's %d reads it: blanks, an optional sign, digits. Advances the text
// past it and returns TRUE, or leaves the text alone and returns FALSE when no digit follows.
// A value beyond 64 bits is clamped.
BOOL ScanInteger(LPCTSTR& text, int64_t& value);
