// Process-wide character classes and comparisons. The tables come from the last main
// dictionary opened and stay in force after it is closed; before any is opened the
// Western 8-bit code page rules apply.
#pragma once

#include "platform/core/Types.h"

#include <cstdint>
#include <string>

namespace CharacterServices {

constexpr int kTableSize = 256;

// Installs the collation (case-sensitive C, case-insensitive I) and case-delta (L, U) tables.
void LoadTables(
    const BYTE* collate, const BYTE* collateNoCase, const BYTE* lowerDelta, const BYTE* upperDelta);
// Back to the code page rules, as in a process that has opened no dictionary.
void UnloadTables();
bool TablesLoaded();
// Changes whenever the tables are loaded or unloaded, so folded keys can be renewed.
unsigned TablesGeneration();
// The word mapped through the case-insensitive order: two words compare equal without case
// exactly when their folded forms are equal.
std::string FoldCase(const char* word);

// The order case-insensitive comparisons map characters through: table I of the last
// dictionary opened, or lower case of the code page before any. Valid until the tables change.
const BYTE* NoCaseOrder();

// The comparison walk through a 256-byte order table over whole words, for hot loops that
// fetch the order once.
inline int CompareWords(const BYTE* order, const char* a, const char* b)
{
    for (;; ++a, ++b) {
        BYTE ca = static_cast<BYTE>(*a);
        BYTE cb = static_cast<BYTE>(*b);
        int difference = static_cast<int>(order[ca]) - static_cast<int>(order[cb]);
        if (difference != 0 || ca == 0 || cb == 0)
            return difference;
    }
}

// A hash of the word as the order maps it, so words equal without case hash alike; all of
// its bits depend on every character.
inline uint64_t FoldedHash(const BYTE* order, const char* word)
{
    uint64_t hash = 14695981039346656037ull;
    for (; *word; ++word)
        hash = (hash ^ order[static_cast<BYTE>(*word)]) * 1099511628211ull;
    hash ^= hash >> 29;
    hash *= 0xBF58476D1CE4E5B9ull;
    return hash ^ (hash >> 32);
}

int CompareNoCase(const char* a, const char* b);
int CompareNoCaseN(const char* a, const char* b, int count);
int CompareCase(const char* a, const char* b);
int CompareCaseN(const char* a, const char* b, int count);
int CompareExact(const char* a, const char* b);
// The comparison walk through a given 256-byte order table, over at most `count` characters.
int CompareThrough(const BYTE* order, const char* a, const char* b, int count);
// Order of two single characters under the case-sensitive collation.
int CollateCase(BYTE a, BYTE b);

BYTE ToLower(BYTE c);
BYTE ToUpper(BYTE c);
void MakeLower(char* word);
// The word equals its lower-cased form.
bool IsAllLower(const char* word);
void MakeUpper(char* word);

bool IsLower(BYTE c);
bool IsUpper(BYTE c);
bool IsAlpha(BYTE c);

} // namespace CharacterServices
