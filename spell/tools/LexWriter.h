// Writes main dictionary files in every layout the reader knows: 2.1 (mapped records,
// index built by the reader), 3.0 (front coding with an output map and expansions) and
// 3.5 (front coding of plain characters with an index of its own size).
#pragma once

#include "platform/core/Types.h"
#include "spell/LexFormat.h"

#include <array>
#include <string>
#include <vector>

struct LexTables {
    using Table = std::array<BYTE, LexFormat::kTableSize>;
    Table weights {};
    Table collate {};
    Table collateNoCase {};
    Table lowerDelta {};
    Table upperDelta {};
};

// Case pairs, collation (accented letters after their base letter, lower case before upper
// case) and letter weights of the Western 8-bit code page.
LexTables MakeWesternTables();

struct LexLayout {
    WORD version = LexFormat::kVersion35;
    std::string language = "English";
    // Version 3.5 only; 3.0 always has the full index and 2.1 none.
    int indexCount = LexFormat::kMaxIndexCount;
    LexTables tables = MakeWesternTables();
    // Versions 2.1 and 3.0: strings of up to five characters coded as one byte.
    std::vector<std::string> expansions;
};

// The words in dictionary order (case-insensitive collation, then case-sensitive), empty
// words and exact duplicates removed.
std::vector<std::string> SortForDictionary(std::vector<std::string> words, const LexTables& tables);

// The whole file. Throws std::invalid_argument for a word list or layout the version cannot
// hold (no words, a character the coding cannot reach, a 2.1 record over 63 bytes).
std::vector<BYTE> WriteLexDictionary(const std::vector<std::string>& words, const LexLayout& layout);

// Offset of the first word record.
size_t LexWordAreaOffset(const LexLayout& layout);
