// Searches over the decoded words give what reading the file from the word's index entry
// gives, word for word, without case and exactly.
#include "spell/CharacterServices.h"
#include "spell/SpellSession.h"
#include "spell/tests/LexFixture.h"
#include "spell/tools/WordListFile.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// The search as a walk over the file from the index entry.
std::string readFromIndex(CMainDictionary& dictionary, const std::string& word, WordComparator compare)
{
    if (!dictionary.SeekToIndexEntry(dictionary.FindIndexEntry(word.c_str(), false)))
        return "<none>";
    char candidate[CMainDictionary::kMaxWordLength + 1];
    while (dictionary.ReadNextWord(candidate, sizeof candidate)) {
        if (compare(candidate, word.c_str()) == 0)
            return candidate;
        if (CharacterServices::CompareNoCase(candidate, word.c_str()) > 0)
            return "<none>";
    }
    return "<none>";
}

std::vector<std::string> variants(const std::string& word)
{
    std::string upper = word;
    CharacterServices::MakeUpper(upper.data());
    std::string lower = word;
    CharacterServices::MakeLower(lower.data());
    return { word, upper, lower, word.substr(0, word.size() / 2), word + "s", word.substr(1) };
}

void expectSameSearches(CSpellSession& session, const std::vector<std::string>& words, size_t step)
{
    CMainDictionary& dictionary = session.GetMainDictionary();
    for (size_t i = 0; i < words.size(); i += step) {
        for (const std::string& word : variants(words[i])) {
            for (WordComparator compare :
                { CharacterServices::CompareNoCase, CharacterServices::CompareExact }) {
                char found[CMainDictionary::kMaxWordLength + 1];
                std::string table = session.SearchMainDictionary(word.c_str(), compare, found, sizeof found)
                    ? found
                    : "<none>";
                ASSERT_EQ(table, readFromIndex(dictionary, word, compare)) << word;
            }
        }
    }
}

TEST(MainDictionarySearch, DecodedWordsAnswerAsTheFileDoes)
{
    const std::vector<std::string> words = { "a", "A", "ab", "Ab", "AB", "abc", "book", "Book", "BOOK",
        "books", "caf\xE9", "Caf\xE9", "paris", "Paris", "the", "The", "them", "zoo" };
    for (WORD version : { LexFormat::kVersion21, LexFormat::kVersion30, LexFormat::kVersion35 }) {
        TempFolder folder;
        CSpellSession session(folder.Dictionary(words, LayoutOf(version)).c_str(), nullptr, nullptr);
        ASSERT_TRUE(session.IsOpen()) << version;
        expectSameSearches(session, words, 1);
    }
}

#ifdef LEXIGARD_ENGLISH
TEST(MainDictionarySearch, TheEnglishDictionaryAnswersAsTheFileDoes)
{
    CSpellSession session(LEXIGARD_ENGLISH, nullptr, nullptr);
    ASSERT_TRUE(session.IsOpen());
    expectSameSearches(session, ReadWordListFile("/usr/share/dict/american-english").words, 97);
}
#endif

} // namespace
