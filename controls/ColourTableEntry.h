// A colour of a picker's table as callers pass it in: the colour, then its name in a
// 64-byte field.
#pragma once

#include "platform/gdi/GdiTypes.h"

#include <array>

struct ColourTableEntry {
    COLORREF colour;
    char name[64];
};
static_assert(sizeof(ColourTableEntry) == 68);

// The pickers' own table: 8 columns by 5 rows.
extern const std::array<ColourTableEntry, 40> BuiltInColours;
