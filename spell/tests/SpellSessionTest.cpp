#include "spell/SpellSession.h"
#include "spell/CharacterServices.h"
#include "spell/tests/LexFixture.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

const std::vector<std::string> kWords
    = { "house", "Paris", "Bonn", "bonn", "caf\xE9", "NASA", "walk", "zoo", "Ac", "AC" };

class SpellSessionTest : public ::testing::TestWithParam<WORD> {
protected:
    std::string Dictionary() { return m_folder.Dictionary(kWords, LayoutOf(GetParam())); }

    TempFolder m_folder;
};

} // namespace

TEST_P(SpellSessionTest, CaseFormsOfStoredWords)
{
    CSpellSession session(Dictionary().c_str(), nullptr, nullptr);
    ASSERT_TRUE(session.IsOpen());
    struct Case {
        const char* word;
        BOOL accepted;
    };
    const Case cases[] = {
        { "house", TRUE },
        { "House", TRUE },
        { "HOUSE", TRUE },
        { "hOuSe", TRUE },
        { "Paris", TRUE },
        { "paris", FALSE },
        { "PARIS", FALSE },
        { "Bonn", TRUE },
        { "bonn", TRUE },
        { "BONN", TRUE },
        { "caf\xE9", TRUE },
        { "CAF\xC9", TRUE },
        { "cafe", FALSE },
        { "NASA", TRUE },
        { "Nasa", FALSE },
        { "Ac", TRUE },
        { "AC", TRUE },
        { "ac", FALSE },
        { "aC", FALSE },
        { "hous", FALSE },
        { "houses", FALSE },
        { "", FALSE },
        { "aardvark", FALSE },
        { "zzz", FALSE },
    };
    // Twice: the second round answers from the found-words cache and must agree.
    for (int round = 0; round < 2; ++round)
        for (const Case& c : cases)
            EXPECT_EQ(session.IsWordExist(c.word), c.accepted) << c.word << " round " << round;
}

TEST_P(SpellSessionTest, IgnoreAllAcceptsAnyCaseAndKeepsTwoHundredWords)
{
    CSpellSession session(Dictionary().c_str(), nullptr, nullptr);
    session.AddToIgnoreAll("Vantrel");
    EXPECT_TRUE(session.IsWordExist("vantrel"));
    EXPECT_TRUE(session.IsWordExist("VANTREL"));
    for (int i = 0; i < CSpellSession::kIgnoreAllCapacity - 1; ++i)
        session.AddToIgnoreAll(("word" + std::to_string(i)).c_str());
    // Matching "vantrel" made it the most recent, so word0 is now the oldest.
    EXPECT_TRUE(session.IsWordExist("vantrel"));
    session.AddToIgnoreAll("overflow");
    EXPECT_FALSE(session.IsWordExist("word0"));
    EXPECT_TRUE(session.IsWordExist("word1"));
    EXPECT_TRUE(session.IsWordExist("vantrel"));
    EXPECT_TRUE(session.IsWordExist("overflow"));
}

TEST_P(SpellSessionTest, ChangeAllGivesReplacementsButNeverAcceptsTheWord)
{
    CSpellSession session(Dictionary().c_str(), nullptr, nullptr);
    session.AddToChangeAll("teh", "the");
    char buffer[16];
    EXPECT_TRUE(session.FindChangeAll("teh", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "the");
    EXPECT_FALSE(session.FindChangeAll("Teh", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "Teh");
    EXPECT_FALSE(session.IsWordExist("teh"));
}

TEST_P(SpellSessionTest, MainDictionarySearchByComparator)
{
    CSpellSession session(Dictionary().c_str(), nullptr, nullptr);
    char buffer[8];
    EXPECT_TRUE(
        session.SearchMainDictionary("paris", CharacterServices::CompareNoCase, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "Paris");
    EXPECT_FALSE(
        session.SearchMainDictionary("paris", CharacterServices::CompareExact, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(session.SearchMainDictionary("ZOO", CharacterServices::CompareNoCase, buffer, 3));
    EXPECT_STREQ(buffer, "zo");
}

INSTANTIATE_TEST_SUITE_P(Layouts, SpellSessionTest,
    ::testing::Values(LexFormat::kVersion21, LexFormat::kVersion30, LexFormat::kVersion35));

TEST(SpellSession, CustomDictionaryIsCreatedSearchedAndAppended)
{
    TempFolder folder;
    std::string custom = folder.Path("user.dic");
    CSpellSession session(folder.Dictionary(kWords).c_str(), nullptr, custom.c_str());
    EXPECT_TRUE(std::filesystem::exists(custom));
    EXPECT_FALSE(session.IsWordExist("Lexigard"));
    EXPECT_TRUE(session.AppendToCustomDictionary("Lexigard"));
    EXPECT_TRUE(session.AppendToCustomDictionary("Pneumonoultramicroscopicsilicovolcanoconiosis"));
    const std::string expected = "lexigard\r\npneumonoultramicroscopicsilicov\r\n";
    EXPECT_EQ(ReadBytes(custom), std::vector<BYTE>(expected.begin(), expected.end()));
    EXPECT_TRUE(session.IsWordExist("LEXIGARD"));
    EXPECT_TRUE(session.IsWordExist("pneumonoultramicroscopicsilicov"));
    EXPECT_FALSE(session.AppendToCustomDictionary(""));
    EXPECT_FALSE(session.AppendToCustomDictionary("\r\n"));
}

TEST(SpellSession, AWordAddedAfterALastLineWithoutItsBreakGoesOnALineOfItsOwn)
{
    TempFolder folder;
    std::string custom = folder.Path("user.dic");
    std::ofstream(custom, std::ios::binary) << "vantrel";
    CSpellSession session(folder.Dictionary(kWords).c_str(), nullptr, custom.c_str());
    EXPECT_TRUE(session.AppendToCustomDictionary("Lexigard"));
    const std::string expected = "vantrel\r\nlexigard\r\n";
    EXPECT_EQ(ReadBytes(custom), std::vector<BYTE>(expected.begin(), expected.end()));
    EXPECT_TRUE(session.IsWordExist("vantrel"));
    EXPECT_TRUE(session.IsWordExist("lexigard"));
}

TEST(SpellSession, CustomDictionaryLinesEndInCrLfOrLf)
{
    TempFolder folder;
    std::string custom = folder.WriteText("user.dic", "alpha\r\nbeta\ngamma");
    CSpellSession session(folder.Dictionary(kWords).c_str(), nullptr, custom.c_str());
    for (const char* word : { "alpha", "Beta", "GAMMA" })
        EXPECT_TRUE(session.IsWordExist(word)) << word;
    EXPECT_FALSE(session.IsWordExist("alph"));
}

TEST(SpellSession, FullCustomDictionaryTakesNoMoreWords)
{
    TempFolder folder;
    struct Case {
        size_t size;
        bool appended;
    };
    for (Case c : { Case { 130999, true }, Case { 131000, false } }) {
        std::string custom = folder.WriteText("full.dic", std::string(c.size - 2, 'x') + "\r\n");
        CSpellSession session(folder.Dictionary(kWords).c_str(), nullptr, custom.c_str());
        EXPECT_EQ(session.AppendToCustomDictionary("word"), c.appended) << c.size;
        EXPECT_EQ(ReadBytes(custom).size(), c.appended ? c.size + 6 : c.size);
    }
}

TEST(SpellSession, WithoutMainDictionaryListsAndCustomWordsStillWork)
{
    TempFolder folder;
    std::string custom = folder.WriteText("user.dic", "custom\r\n");
    CSpellSession session(folder.Path("missing.lex").c_str(), nullptr, custom.c_str());
    EXPECT_FALSE(session.IsOpen());
    EXPECT_TRUE(session.IsWordExist("custom"));
    session.AddToIgnoreAll("ignored");
    EXPECT_TRUE(session.IsWordExist("ignored"));
    EXPECT_FALSE(session.IsWordExist("house"));
    EXPECT_TRUE(session.AppendToCustomDictionary("added"));
    EXPECT_TRUE(session.IsWordExist("added"));
}

TEST(SpellSession, UnopenableCustomDictionaryIsSkipped)
{
    TempFolder folder;
    CSpellSession session(
        folder.Dictionary(kWords).c_str(), nullptr, folder.Path("no/such/folder.dic").c_str());
    EXPECT_TRUE(session.IsOpen());
    EXPECT_FALSE(session.AppendToCustomDictionary("word"));
    EXPECT_TRUE(session.IsWordExist("house"));
}

TEST(WordList, KeepsMostRecentlyUsedWithinCapacity)
{
    CWordList list(3);
    for (const char* word : { "a", "b", "c" })
        list.Add(word);
    char buffer[4];
    EXPECT_TRUE(list.Find("A", WordMatch::NoCase, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "a");
    list.Add("d");
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_FALSE(list.Find("b", WordMatch::Exact));
    for (const char* word : { "a", "c", "d" })
        EXPECT_TRUE(list.Find(word, WordMatch::Exact)) << word;
    EXPECT_EQ(CWordList(0).GetCapacity(), 10);
    EXPECT_EQ(CWordList(-5).GetCapacity(), 10);
}

TEST(WordList, FindsTheMostRecentOfEqualWords)
{
    CWordList list(10);
    list.Add("Paris");
    list.Add("paris");
    char buffer[8];
    EXPECT_TRUE(list.Find("PARIS", WordMatch::NoCase, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "paris");
    EXPECT_TRUE(list.Find("Paris", WordMatch::Exact, buffer, sizeof buffer));
    EXPECT_TRUE(list.Find("PARIS", WordMatch::NoCase, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "Paris");
    EXPECT_FALSE(list.Find("PARIS", WordMatch::Exact));
    EXPECT_FALSE(list.Find("Pari", WordMatch::NoCase));
}

TEST(WordList, FollowsTheCharacterTablesOfTheLastDictionary)
{
    TempFolder folder;
    CMainDictionary western(folder.Dictionary({ "word" }).c_str());
    CWordList list(10);
    list.Add("$x");
    EXPECT_FALSE(list.Find("#X", WordMatch::NoCase));
    // Tables in which '#' is the capital of '$'.
    LexLayout odd;
    odd.tables.lowerDelta['#'] = 1;
    odd.tables.upperDelta['$'] = 1;
    odd.tables.collateNoCase['#'] = odd.tables.collateNoCase['$'];
    CMainDictionary oddDictionary(folder.Dictionary({ "word" }, odd, "odd.lex").c_str());
    ASSERT_TRUE(oddDictionary.IsUsable());
    EXPECT_TRUE(list.Find("#X", WordMatch::NoCase));
}
