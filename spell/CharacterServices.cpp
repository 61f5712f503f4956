#include "spell/CharacterServices.h"

#include "platform/core/CodePage.h"

#include <array>
#include <cstring>

namespace CharacterServices {
namespace {

    struct Tables {
        bool loaded = false;
        unsigned generation = 0;
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

    // Walks two words through a mapping: stops at the first difference, after `count`
    // characters, or at the end of either word (the table could map a zero onto a letter).
    template <typename Map> int compareMapped(const char* a, const char* b, int count, Map map)
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

    const BYTE* codePageLowerOrder()
    {
        static const auto order = [] {
            std::array<BYTE, kTableSize> table {};
            for (int c = 0; c < kTableSize; ++c)
                table[static_cast<size_t>(c)] = LowerCase1252(static_cast<BYTE>(c));
            return table;
        }();
        return order.data();
    }

    bool collateLoaded()
    {
        return tables().collate[64] != 0;
    }

} // namespace

void LoadTables(
    const BYTE* collate, const BYTE* collateNoCase, const BYTE* lowerDelta, const BYTE* upperDelta)
{
    Tables& t = tables();
    std::memcpy(t.collate, collate, kTableSize);
    std::memcpy(t.collateNoCase, collateNoCase, kTableSize);
    std::memcpy(t.lowerDelta, lowerDelta, kTableSize);
    std::memcpy(t.upperDelta, upperDelta, kTableSize);
    t.loaded = true;
    ++t.generation;
}

void UnloadTables()
{
    unsigned generation = tables().generation;
    tables() = Tables {};
    tables().generation = generation + 1;
}

bool TablesLoaded()
{
    return tables().loaded;
}

unsigned TablesGeneration()
{
    return tables().generation;
}

const BYTE* NoCaseOrder()
{
    return TablesLoaded() ? tables().collateNoCase : codePageLowerOrder();
}

std::string FoldCase(const char* word)
{
    const BYTE* order = NoCaseOrder();
    std::string folded(word);
    for (char& c : folded)
        c = static_cast<char>(order[static_cast<BYTE>(c)]);
    return folded;
}

int CompareThrough(const BYTE* order, const char* a, const char* b, int count)
{
    return compareMapped(a, b, count, [order](BYTE c) { return order[c]; });
}

int CompareNoCaseN(const char* a, const char* b, int count)
{
    return CompareThrough(NoCaseOrder(), a, b, count);
}

int CompareNoCase(const char* a, const char* b)
{
    return CompareWords(NoCaseOrder(), a, b);
}

int CompareCaseN(const char* a, const char* b, int count)
{
    if (TablesLoaded() && collateLoaded())
        return CompareThrough(tables().collate, a, b, count);
    return compareMapped(a, b, count, [](BYTE c) { return c; });
}

int CompareCase(const char* a, const char* b)
{
    return CompareCaseN(a, b, kWholeWord);
}

int CompareExact(const char* a, const char* b)
{
    return std::strcmp(a, b);
}

int CollateCase(BYTE a, BYTE b)
{
    if (TablesLoaded() && collateLoaded())
        return static_cast<int>(tables().collate[a]) - static_cast<int>(tables().collate[b]);
    return static_cast<int>(a) - static_cast<int>(b);
}

BYTE ToLower(BYTE c)
{
    return TablesLoaded() ? static_cast<BYTE>(c + tables().lowerDelta[c]) : LowerCase1252(c);
}

BYTE ToUpper(BYTE c)
{
    return TablesLoaded() && collateLoaded() ? static_cast<BYTE>(c - tables().upperDelta[c])
                                             : UpperCase1252(c);
}

void MakeLower(char* word)
{
    bool loaded = TablesLoaded();
    const BYTE* delta = tables().lowerDelta;
    for (; *word; ++word) {
        BYTE c = static_cast<BYTE>(*word);
        *word = static_cast<char>(loaded ? static_cast<BYTE>(c + delta[c]) : LowerCase1252(c));
    }
}

bool IsAllLower(const char* word)
{
    bool loaded = TablesLoaded();
    const BYTE* delta = tables().lowerDelta;
    for (; *word; ++word) {
        BYTE c = static_cast<BYTE>(*word);
        if ((loaded ? static_cast<BYTE>(c + delta[c]) : LowerCase1252(c)) != c)
            return false;
    }
    return true;
}

void MakeUpper(char* word)
{
    for (; *word; ++word)
        *word = static_cast<char>(ToUpper(static_cast<BYTE>(*word)));
}

bool IsLower(BYTE c)
{
    return TablesLoaded() ? tables().upperDelta[c] != 0 : IsCharLower(static_cast<char>(c));
}

bool IsUpper(BYTE c)
{
    return TablesLoaded() ? tables().lowerDelta[c] != 0 : IsCharUpper(static_cast<char>(c));
}

bool IsAlpha(BYTE c)
{
    return IsLower(c) || IsUpper(c);
}

} // namespace CharacterServices
