// Splitting and composing file names; both '/' and '\' separate folders.
#pragma once

#include "platform/core/Types.h"

constexpr int _MAX_DRIVE = 3;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

// Any output may be NULL; each is cut to its _MAX_ size. The drive is "X:" when the name
// starts with one, else empty; the folder keeps its trailing separator; the extension keeps
// its dot.
void _splitpath(LPCTSTR path, LPTSTR drive, LPTSTR dir, LPTSTR fname, LPTSTR ext);
// Writes at most _MAX_PATH bytes with the NUL. A separator is added after the folder and a
// dot before the extension when they are missing.
void _makepath(LPTSTR path, LPCTSTR drive, LPCTSTR dir, LPCTSTR fname, LPCTSTR ext);
