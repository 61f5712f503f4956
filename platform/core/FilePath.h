// File names inside the program are Windows-1252 and may use '\' as separator; the
// file system wants UTF-8 with '/'.
#pragma once

#include "platform/core/Types.h"

#include <string>

std::string SystemPathFromName(LPCTSTR lpszName);
