// Layout of a main dictionary file (".lex"), shared by the reader and the dictionary tool.
// All integers are little-endian.
#pragma once

#include "platform/core/Types.h"

namespace LexFormat {

constexpr WORD kVersion21 = 0x210;
constexpr WORD kVersion30 = 0x300;
constexpr WORD kVersion35 = 0x350;

constexpr int kMagicSize = 16;
constexpr char kMagic21[] = "NRT_SPELL VER2.1";
constexpr char kMagic30[] = "NRT_SPELL VER3.0";
constexpr char kMagic35[] = "NRT_SPELL VER3.5";

constexpr int kLabelOffset = 16;
constexpr char kLabel[] = "Lang:   ";
constexpr int kLabelSize = 8;
constexpr int kLanguageOffset = 24;
constexpr int kLanguageSize = 32;
constexpr int kIndexCountOffset = 56;
constexpr int kHeaderSize = 256;

constexpr int kMinIndexCount = 256;
constexpr int kMaxIndexCount = 5200;
constexpr int kKeySize = 8;
constexpr int kKeyLength = 7;
constexpr int kIndexEntrySize = 12;

constexpr int kTableSize = 256;
constexpr int kTableCount = 6; // W, C, I, L, U and one unused table
constexpr int kOutputMapSize = 128;
constexpr int kExpansionCount = 128;
constexpr int kExpansionSize = 6;
constexpr int kInputMapCount = 4;
constexpr BYTE kInputMapKey = 0x3C;

// Version 2.1: header, tables, output map, expansions and input maps, then the words.
constexpr int kWordArea21 = kHeaderSize + kTableCount * kTableSize + kOutputMapSize
    + kExpansionCount * kExpansionSize + kInputMapCount * kTableSize;
// A file must be longer than this to be a dictionary at all.
constexpr int kMinFileSize = kWordArea21 + 1;

// Version 2.1 word record header: length in the low six bits, input map above.
constexpr int kRecordLengthMask = 0x3F;
constexpr int kMaxRecordLength21 = 0x3F;
// Versions 3.x: a byte below this starts the next record (it is its prefix byte).
constexpr int kPrefixLimit = 16;
constexpr int kMaxSharedPrefix = kPrefixLimit - 2;

constexpr BYTE kExpansionFlag = 0x80;

// Third field of an index-cache file.
constexpr DWORD kIndexCacheMarker = 8;

} // namespace LexFormat
