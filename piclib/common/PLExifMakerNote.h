// Decodes the camera maker's note of an Exif block (Nikon, Olympus, Canon,
// Fujifilm, Casio) into maker entries of the reader.
#pragma once

#include "piclib/common/PLExifTables.h"

#include <cstdint>
#include <string>
#include <vector>

class PLExifData;
class PLExifEntry;

class PLExifMakerNote {
public:
    // Raises PLExifException for a malformed note; the entries read before stay.
    static void Read(PLExifData& exif);

private:
    static void readNikon(PLExifData& exif, int64_t offset);
    static void readCanon(PLExifData& exif, int64_t offset);
    static void readFujifilm(PLExifData& exif, int64_t offset);
    static void readCasio(PLExifData& exif, int64_t offset);
    static void readAt(PLExifData& exif, int64_t offset, PLExifTagTable table, const char* prefix);
    static void expandSettings(PLExifData& exif, const char* arrayKey, PLExifTagTable table);
    static void expandCustomFunctions(PLExifData& exif);
    static void addValue(PLExifData& exif, const PLExifTagRow* row, uint32_t tag, int format, std::string key,
        std::vector<uint8_t> bytes, uint32_t valueOffset);
};
