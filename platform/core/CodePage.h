// The Windows-1252 code page: letter case and the mapping to Unicode code points.
#pragma once

#include "platform/core/Types.h"

BYTE UpperCase1252(BYTE ch);
BYTE LowerCase1252(BYTE ch);
BOOL IsCharAlpha(char ch);
BOOL IsCharAlphaNumeric(char ch);
BOOL IsCharUpper(char ch);
BOOL IsCharLower(char ch);
inline BOOL IsCharAlphaA(char ch) { return IsCharAlpha(ch); }
inline BOOL IsCharAlphaNumericA(char ch) { return IsCharAlphaNumeric(ch); }
inline BOOL IsCharUpperA(char ch) { return IsCharUpper(ch); }
inline BOOL IsCharLowerA(char ch) { return IsCharLower(ch); }

// Case change in place. As on the platform, a "pointer" whose high bits are zero carries a
// single character in its low byte, and the changed character is returned the same way.
LPSTR CharUpperA(LPSTR text);
LPSTR CharLowerA(LPSTR text);
DWORD CharUpperBuffA(LPSTR text, DWORD length);
DWORD CharLowerBuffA(LPSTR text, DWORD length);
inline LPSTR CharUpper(LPSTR text) { return CharUpperA(text); }
inline LPSTR CharLower(LPSTR text) { return CharLowerA(text); }

// Byte order after folding case with the code page's letters; negative, 0 or positive.
int lstrcmpA(LPCSTR a, LPCSTR b);
int lstrcmpiA(LPCSTR a, LPCSTR b);
inline int lstrcmp(LPCSTR a, LPCSTR b) { return lstrcmpA(a, b); }
inline int lstrcmpi(LPCSTR a, LPCSTR b) { return lstrcmpiA(a, b); }

// Bytes 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined in the code page; they map to the
// C1 controls of the same value so that every byte survives a round trip.
char32_t UnicodeFrom1252(BYTE ch);
// Returns FALSE when the code point has no byte in the code page.
BOOL UnicodeTo1252(char32_t code, BYTE& ch);
