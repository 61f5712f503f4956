// The tables that name and present Exif tags: field types, and one tag table per
// directory kind (main and sub here, the maker notes' in PLExifMakerTables.h).
#pragma once

#include <cstdint>
#include <span>

class PLExifEntry;

// A value and its name. A first pair of value -1 names a unit; a first pair of
// value -2 without a name marks a word shown capitalised.
struct PLExifValueName {
    int32_t value;
    const char* name;
};

constexpr int32_t PLExifUnitMarker = -1;
constexpr int32_t PLExifWordMarker = -2;

// Writes the display text of an entry whose value text and numbers are set.
using PLExifDisplayFormatter = void (*)(PLExifEntry&);

struct PLExifTagRow {
    uint32_t tag;
    const char* shortName;
    std::span<const PLExifValueName> valueNames;
    PLExifDisplayFormatter formatter;
    const char* description;
};

using PLExifTagTable = std::span<const PLExifTagRow>;

enum class PLExifValueFormatter { Unsigned, Signed, UnsignedFraction, SignedFraction, Text, Bytes };

struct PLExifFormatRow {
    int code;
    const char* type;
    int elementBytes;
    // Width of the units reversed for big-endian blocks; 0 = kept as they are.
    int swapBytes;
    PLExifValueFormatter formatter;
};

enum PLExifFormat {
    PLEXIF_BYTE = 1,
    PLEXIF_ASCII,
    PLEXIF_SHORT,
    PLEXIF_LONG,
    PLEXIF_RATIONAL,
    PLEXIF_SBYTE,
    PLEXIF_UNDEFINED,
    PLEXIF_SSHORT,
    PLEXIF_SLONG,
    PLEXIF_SRATIONAL,
    PLEXIF_FLOAT,
    PLEXIF_DOUBLE,
};

// The row of a format code, or null outside 1..12.
const PLExifFormatRow* PLExifFormatOf(int code);

// The first row of the table with this tag, or null.
const PLExifTagRow* PLExifFindRow(PLExifTagTable table, uint32_t tag);

PLExifTagTable PLExifMainTable();
PLExifTagTable PLExifSubTable();
