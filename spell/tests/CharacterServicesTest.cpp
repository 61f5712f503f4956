#include "spell/CharacterServices.h"
#include "spell/MainDictionary.h"
#include "spell/tests/LexFixture.h"

#include <gtest/gtest.h>

using namespace CharacterServices;

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Tables in which '#' is the capital of '$': only a dictionary could say so.
LexLayout oddLayout()
{
    LexLayout layout;
    layout.tables.lowerDelta['#'] = 1;
    layout.tables.upperDelta['$'] = 1;
    return layout;
}

} // namespace

TEST(CharacterServices, ComparisonsThroughTheDictionaryTables)
{
    TempFolder folder;
    CMainDictionary dictionary(folder.Dictionary({ "word" }).c_str());
    ASSERT_TRUE(TablesLoaded());
    struct Case {
        const char* a;
        const char* b;
        int noCase, noCase7, withCase, exact;
    };
    const Case cases[] = {
        { "house", "HOUSE", 0, 0, -1, 1 },
        { "cat", "cats", -1, -1, -1, -1 },
        { "caf\xE9", "cafe", 1, 1, 1, 1 },
        { "caf\xE9", "cafz", -1, -1, -1, 1 },
        { "\xC9tude", "\xE9TUDE", 0, 0, 1, -1 },
        { "internationalA", "internationalB", -1, 0, -1, -1 },
        { "don't", "dont", -1, -1, -1, -1 },
        { "", "", 0, 0, 0, 0 },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(CompareNoCase(c.a, c.b)), c.noCase) << c.a << "/" << c.b;
        EXPECT_EQ(sign(CompareNoCaseN(c.a, c.b, 7)), c.noCase7) << c.a << "/" << c.b;
        EXPECT_EQ(sign(CompareCase(c.a, c.b)), c.withCase) << c.a << "/" << c.b;
        EXPECT_EQ(sign(CompareExact(c.a, c.b)), c.exact) << c.a << "/" << c.b;
    }
}

TEST(CharacterServices, CaseFollowsTheLastDictionaryEvenAfterItIsClosed)
{
    TempFolder folder;
    UnloadTables();
    EXPECT_FALSE(IsUpper('#'));
    EXPECT_TRUE(IsUpper(0xC9)) << "the code page rules apply before any dictionary";
    EXPECT_EQ(ToLower('A'), 'a');
    {
        CMainDictionary odd(folder.Dictionary({ "word" }, oddLayout(), "odd.lex").c_str());
        ASSERT_TRUE(odd.IsUsable());
    }
    EXPECT_TRUE(IsUpper('#'));
    EXPECT_TRUE(IsLower('$'));
    EXPECT_EQ(ToLower('#'), '$');
    EXPECT_EQ(ToUpper('$'), '#');
    // A refused file leaves the tables alone; the next good one replaces them.
    std::vector<BYTE> bad = WriteLexDictionary({ "word" }, LexLayout {});
    bad[0] = 'X';
    EXPECT_FALSE(CMainDictionary(folder.Write("bad.lex", bad).c_str()).IsUsable());
    EXPECT_TRUE(IsUpper('#'));
    CMainDictionary western(folder.Dictionary({ "word" }).c_str());
    EXPECT_FALSE(IsUpper('#'));
    EXPECT_TRUE(IsUpper('A'));
}

TEST(CharacterServices, WesternTablesMatchTheCodePage)
{
    TempFolder folder;
    CMainDictionary dictionary(folder.Dictionary({ "word" }).c_str());
    struct Case {
        BYTE c;
        bool lower, upper;
        BYTE toLower, toUpper;
    };
    for (Case c : { Case { 'a', true, false, 'a', 'A' }, Case { 'Z', false, true, 'z', 'Z' },
             Case { 0xE9, true, false, 0xE9, 0xC9 }, Case { 0x8A, false, true, 0x9A, 0x8A },
             Case { 0xFF, true, false, 0xFF, 0x9F }, Case { 0xD7, false, false, 0xD7, 0xD7 },
             Case { '\'', false, false, '\'', '\'' }, Case { '7', false, false, '7', '7' } }) {
        EXPECT_EQ(IsLower(c.c), c.lower) << int(c.c);
        EXPECT_EQ(IsUpper(c.c), c.upper) << int(c.c);
        EXPECT_EQ(ToLower(c.c), c.toLower) << int(c.c);
        EXPECT_EQ(ToUpper(c.c), c.toUpper) << int(c.c);
    }
}
