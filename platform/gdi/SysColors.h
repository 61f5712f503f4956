// The fixed classic colour scheme and the system metrics of the stand-in desktop.
#pragma once

#include "platform/gdi/GdiTypes.h"

COLORREF GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);
int GetSystemMetrics(int index);
