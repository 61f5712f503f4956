// The Windows-1252 code page: letter case and the mapping to Unicode code points.
#pragma once

#include "platform/core/Types.h"

BYTE UpperCase1252(BYTE ch);
BYTE LowerCase1252(BYTE ch);
BOOL IsCharAlpha(char ch);
BOOL IsCharAlphaNumeric(char ch);
BOOL IsCharUpper(char ch);
BOOL IsCharLower(char ch);

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined in the code page; they map to the
// C1 controls of the same value so that every byte survives a round trip.
char32_t UnicodeFrom1252(BYTE ch);
// Returns FALSE when the code point has no byte in the code page.
BOOL UnicodeTo1252(char32_t code, BYTE& ch);
