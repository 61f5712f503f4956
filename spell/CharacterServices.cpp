#include "spell/CharacterServices.h"

#include <cstring>

namespace CharacterServices {
namespace {

struct Tables {
    bool loaded = false;
    BYTE collate[kTableSize] {};
    BYTE collateNoCase[kTableSize] {};
    BYTE lowerDelta[kTableSize] {};
    BYTE upperDelta[kTableSize] {};
};

Tables& tables()
{
    static Tables instance;
    return instance;
}

// Windows-1252 letter pairs that are not a plain +0x20 apart.
struct CasePair {
    BYTE upper;
    BYTE lower;
};
constexpr CasePair kOddPairs[] = { { 0x8A, 0x9A }, { 0x8C, 0x9C }, { 0x8E, 0x9E }, { 0x9F, 0xFF } };

} // namespace

bool CodePage::IsUpper(BYTE c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return true;
    for (const CasePair& pair : kOddPairs)
        if (pair.upper == c)
            return true;
    return false;
}

bool CodePage::IsLower(BYTE c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xDF && c != 0xF7))
        return true;
    for (const CasePair& pair : kOddPairs)
        if (pair.lower == c)
            return true;
    return c == 0x83 || c == 0xAA || c == 0xB5 || c == 0xBA;
}

BYTE CodePage::ToLower(BYTE c)
{
    for (const CasePair& pair : kOddPairs)
        if (pair.upper == c)
            return pair.lower;
    return CodePage::IsUpper(c) ? static_cast<BYTE>(c + 0x20) : c;
}

BYTE CodePage::ToUpper(BYTE c)
{
    for (const CasePair& pair : kOddPairs)
        if (pair.lower == c)
            return pair.upper;
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
        return static_cast<BYTE>(c - 0x20);
    return c;
}

namespace {

// Walks two words through a mapping: stops at the first difference, after `count`
// characters, or at the end of either word (the table could map a zero onto a letter).
template <typename Map>
int compareMapped(const char* a, const char* b, int count, Map map)
{
    for (int i = 0; i < count; ++i) {
        BYTE ca = static_cast<BYTE>(a[i]);
        BYTE cb = static_cast<BYTE>(b[i]);
        int difference = static_cast<int>(map(ca)) - static_cast<int>(map(cb));
        if (difference != 0 || ca == 0 || cb == 0)
            return difference;
    }
    return 0;
}

constexpr int kWholeWord = 0x7FFFFFFF;

bool collateLoaded() { return tables().collate[64] != 0; }

} // namespace

void LoadTables(const BYTE* collate, const BYTE* collateNoCase, const BYTE* lowerDelta, const BYTE* upperDelta)
{
    Tables& t = tables();
    std::memcpy(t.collate, collate, kTableSize);
    std::memcpy(t.collateNoCase, collateNoCase, kTableSize);
    std::memcpy(t.lowerDelta, lowerDelta, kTableSize);
    std::memcpy(t.upperDelta, upperDelta, kTableSize);
    t.loaded = true;
}

void UnloadTables() { tables() = Tables {}; }

bool TablesLoaded() { return tables().loaded; }

int CompareThrough(const BYTE* order, const char* a, const char* b, int count)
{
    return compareMapped(a, b, count, [order](BYTE c) { return order[c]; });
}

int CompareNoCaseN(const char* a, const char* b, int count)
{
    if (TablesLoaded())
        return CompareThrough(tables().collateNoCase, a, b, count);
    return compareMapped(a, b, count, CodePage::ToLower);
}

int CompareNoCase(const char* a, const char* b) { return CompareNoCaseN(a, b, kWholeWord); }

int CompareCaseN(const char* a, const char* b, int count)
{
    if (TablesLoaded() && collateLoaded())
        return CompareThrough(tables().collate, a, b, count);
    return compareMapped(a, b, count, [](BYTE c) { return c; });
}

int CompareCase(const char* a, const char* b) { return CompareCaseN(a, b, kWholeWord); }

int CompareExact(const char* a, const char* b) { return std::strcmp(a, b); }

int CollateCase(BYTE a, BYTE b)
{
    if (TablesLoaded() && collateLoaded())
        return static_cast<int>(tables().collate[a]) - static_cast<int>(tables().collate[b]);
    return static_cast<int>(a) - static_cast<int>(b);
}

BYTE ToLower(BYTE c)
{
    return TablesLoaded() ? static_cast<BYTE>(c + tables().lowerDelta[c]) : CodePage::ToLower(c);
}

BYTE ToUpper(BYTE c)
{
    return TablesLoaded() && collateLoaded() ? static_cast<BYTE>(c - tables().upperDelta[c]) : CodePage::ToUpper(c);
}

void MakeLower(char* word)
{
    for (; *word; ++word)
        *word = static_cast<char>(ToLower(static_cast<BYTE>(*word)));
}

void MakeUpper(char* word)
{
    for (; *word; ++word)
        *word = static_cast<char>(ToUpper(static_cast<BYTE>(*word)));
}

bool IsLower(BYTE c) { return TablesLoaded() ? tables().upperDelta[c] != 0 : CodePage::IsLower(c); }

bool IsUpper(BYTE c) { return TablesLoaded() ? tables().lowerDelta[c] != 0 : CodePage::IsUpper(c); }

bool IsAlpha(BYTE c) { return IsLower(c) || IsUpper(c); }

} // namespace CharacterServices
