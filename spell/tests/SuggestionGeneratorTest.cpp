#include "spell/SuggestionGenerator.h"
#include "spell/SpellSession.h"
#include "spell/tests/LexFixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

std::vector<std::string> splitBlock(const char* block, int count)
{
    std::vector<std::string> words;
    for (int i = 0; i < count; ++i) {
        words.emplace_back(block);
        block += words.back().size() + 1;
    }
    EXPECT_EQ(*block, 0) << "block must end with an extra zero";
    return words;
}

struct SuggestCase {
    const char* what;
    std::vector<std::string> dictionary;
    const char* word;
    std::vector<std::string> expected;
};

class SuggestionTable : public ::testing::TestWithParam<SuggestCase> { };

const std::vector<std::string> kBooks = { "book", "books", "boom", "brook", "zoo" };
const std::vector<std::string> kTea = { "tea", "ten", "the", "then" };

} // namespace

TEST_P(SuggestionTable, SuggestsInStepOrder)
{
    const SuggestCase& c = GetParam();
    TempFolder folder;
    for (WORD version : { LexFormat::kVersion21, LexFormat::kVersion30, LexFormat::kVersion35 }) {
        CSpellSession session(folder.Dictionary(c.dictionary, LayoutOf(version)).c_str(), nullptr, nullptr);
        ASSERT_TRUE(session.IsOpen());
        char block[512];
        int count = CSuggestionGenerator(session).Suggest(c.word, block, sizeof block);
        EXPECT_EQ(splitBlock(block, count), c.expected) << c.what << " in version " << std::hex << version;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, SuggestionTable,
    ::testing::Values(
        // Deleting either final k gives book; the scan adds the near words, books before brook.
        SuggestCase { "doubled letter", kBooks, "bookk", { "book", "book", "books", "brook" } },
        SuggestCase {
            "transposition, then the scan up to the exact anagram", kTea, "teh", { "the", "tea", "ten" } },
        SuggestCase { "vowel insertion, then the scan", { "hallo", "hello", "help" }, "hllo",
            { "hallo", "hello", "help" } },
        SuggestCase {
            "vowel inserted and appended counts once", { "tree", "trek" }, "tre", { "tree", "trek" } },
        SuggestCase { "two letters skip deletions and transpositions", { "a", "abe", "aub", "b", "ba" }, "ab",
            { "aub", "abe", "a" } },
        SuggestCase { "capitalised word", kBooks, "Bookk", { "Book", "Book", "Books", "Brook" } },
        SuggestCase { "word in capitals", kBooks, "BOOKK", { "BOOK", "BOOK", "BOOKS", "BROOK" } },
        SuggestCase {
            "mixed case keeps the stored form", kBooks, "bOOKK", { "book", "book", "books", "brook" } },
        SuggestCase {
            "stored capitals stay", { "Paris", "parish" }, "PARRIS", { "Paris", "Paris", "PARISH" } },
        SuggestCase { "letter pair swaps 0xE6 and 0xE8", { "ab\xE8" }, "ab\xE6", { "ab\xE8" } },
        // Four hits from the first steps: no scan, and the pair at a position holding the
        // first letter is passed over, so the 0xE8 form is never proposed.
        SuggestCase { "letter pair skips the first letter's value",
            { "b\xE6", "\xE6\x62", "\xE6\xE6\x62", "b\xE6\xE6", "\xE6\x62\xE8" }, "\xE6\x62\xE6",
            { "b\xE6", "\xE6\x62", "b\xE6\xE6", "\xE6\xE6\x62" } },
        SuggestCase { "nothing similar", kBooks, "xylophone", {} },
        SuggestCase { "words over 31 characters are cut", { "abcdefghijklmnopqrstuvwxyzabcde" },
            "abcdefghijklmnopqrstuvwxyzabcdeXYZ", { "abcdefghijklmnopqrstuvwxyzabcde" } }),
    [](const ::testing::TestParamInfo<SuggestCase>& info) { return "case" + std::to_string(info.index); });

TEST(SuggestionGenerator, BlockIsBoundedByTheCallersSize)
{
    TempFolder folder;
    CSpellSession session(folder.Dictionary(kBooks).c_str(), nullptr, nullptr);
    struct Case {
        int size;
        int count;
        std::vector<BYTE> start;
    };
    // "book" needs 5 bytes and must leave more than two behind it.
    const Case cases[] = {
        { 2, 0, { 0, 0, 'x' } },
        { 7, 0, { 0, 0, 'x' } },
        { 8, 1, { 'b', 'o', 'o', 'k', 0, 0, 'x' } },
        { 12, 1, { 'b', 'o', 'o', 'k', 0, 0, 'x' } },
        { 13, 2, { 'b', 'o', 'o', 'k', 0, 'b', 'o', 'o', 'k', 0, 0, 'x' } },
    };
    for (const Case& c : cases) {
        char block[32];
        std::memset(block, 'x', sizeof block);
        EXPECT_EQ(CSuggestionGenerator(session).Suggest("bookk", block, c.size), c.count) << c.size;
        EXPECT_EQ(std::vector<BYTE>(block, block + c.start.size()), c.start) << c.size;
    }
    char untouched[4] = "xyz";
    EXPECT_EQ(CSuggestionGenerator(session).Suggest("bookk", untouched, 1), 0);
    EXPECT_EQ(CSuggestionGenerator(session).Suggest("bookk", untouched, 0), 0);
    EXPECT_STREQ(untouched, "xyz");
}

TEST(SuggestionGenerator, NothingForAnEmptyWordOrAMissingDictionary)
{
    TempFolder folder;
    CSpellSession missing(folder.Path("none.lex").c_str(), nullptr, nullptr);
    CSpellSession open(folder.Dictionary(kBooks).c_str(), nullptr, nullptr);
    char block[8] = "xxxxxxx";
    EXPECT_EQ(CSuggestionGenerator(missing).Suggest("bookk", block, sizeof block), 0);
    EXPECT_EQ(std::string(block, 3), std::string("\0\0x", 3));
    std::memset(block, 'x', sizeof block);
    EXPECT_EQ(CSuggestionGenerator(open).Suggest("", block, sizeof block), 0);
    EXPECT_EQ(std::string(block, 3), std::string("\0\0x", 3));
}

TEST(SuggestionGenerator, DistanceWeighsMissingAndExtraLetters)
{
    LexTables tables = MakeWesternTables();
    struct Case {
        const char* s;
        const char* t;
        int distance;
    };
    // Weights: vowels 2, most consonants 3, j k q x z 4; an extra letter of t costs 2 more.
    for (Case c : { Case { "bkoo", "bkoo", 0 }, Case { "bkkoo", "bkoo", 4 }, Case { "bkoo", "bkkoo", 4 },
             Case { "bkoo", "bkoos", 5 }, Case { "eht", "aet", 5 }, Case { "", "ab", 9 },
             Case { "ab", "", 5 } })
        EXPECT_EQ(CSuggestionGenerator::Distance(c.s, c.t, tables.weights.data()), c.distance)
            << c.s << "/" << c.t;
}
