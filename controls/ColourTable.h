// The program's colour table: the colours of the colour combo boxes and of the property
// dialogs' colour popup.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <array>

inline constexpr std::array<COLORREF, 19> ProgramColours = {
    RGB(0, 0, 0),       RGB(255, 255, 255), RGB(128, 128, 128), RGB(192, 192, 192), RGB(128, 0, 0),
    RGB(255, 0, 0),     RGB(128, 128, 0),   RGB(255, 255, 0),   RGB(0, 128, 0),     RGB(0, 255, 0),
    RGB(0, 128, 128),   RGB(0, 255, 255),   RGB(0, 0, 128),     RGB(0, 0, 255),     RGB(128, 0, 128),
    RGB(255, 0, 255),   RGB(128, 255, 128), RGB(128, 255, 255), RGB(255, 255, 128),
};
