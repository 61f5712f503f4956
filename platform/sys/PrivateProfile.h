// Named INI files read and written key by key; every write replaces the file atomically.
#pragma once

#include "platform/core/Types.h"

// A NULL section lists the section names and a NULL key the keys of the section, each
// followed by a NUL and the list by a second NUL (size - 2 is returned when cut short).
// Otherwise the value (quotes around it removed) or the default is copied, cut to size - 1.
DWORD GetPrivateProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR defaultValue, LPTSTR buffer, DWORD size,
                              LPCTSTR fileName);
// The default when the key is missing; a value that is not a number reads as 0.
UINT GetPrivateProfileInt(LPCTSTR section, LPCTSTR key, int defaultValue, LPCTSTR fileName);
// A NULL key removes the section, a NULL value the key. Line breaks in a value become blanks.
BOOL WritePrivateProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR value, LPCTSTR fileName);
