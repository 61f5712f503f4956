#include "spell/Lexigard.h"
#include "spell/tools/WordListFile.h"

#include <gtest/gtest.h>

#include <cstring>

#ifdef LEXIGARD_ENGLISH

namespace {

class EnglishDictionary : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_checker = LX_Init();
        ASSERT_TRUE(LX_OpenDictionary(m_checker, LEXIGARD_ENGLISH, nullptr));
    }
    void TearDown() override { LX_Destroy(m_checker); }

    LXHANDLE m_checker = nullptr;
};

} // namespace

TEST_F(EnglishDictionary, AcceptsTheWordListItWasMadeFrom)
{
    WordListContents list = ReadWordListFile("/usr/share/dict/american-english");
    ASSERT_GT(list.words.size(), 90000u);
    size_t refused = 0;
    for (size_t i = 0; i < list.words.size(); i += 5)
        if (!LX_IsWordExist(m_checker, list.words[i].c_str()))
            ++refused;
    EXPECT_EQ(refused, 0u);
}

TEST_F(EnglishDictionary, ChecksAndSuggests)
{
    char name[32];
    EXPECT_TRUE(LX_GetLanguageName(m_checker, LEXIGARD_ENGLISH, name, sizeof name));
    EXPECT_STREQ(name, "English");
    for (const char* word : { "hello", "Hello", "HELLO", "Paris", "caf\xE9", "doesn't" })
        EXPECT_TRUE(LX_IsWordExist(m_checker, word)) << word;
    for (const char* word : { "helo", "recieve", "teh", "Pariss" })
        EXPECT_FALSE(LX_IsWordExist(m_checker, word)) << word;
    struct Case {
        const char* word;
        const char* wanted;
    };
    for (Case c : { Case { "helo", "hello" }, Case { "recieve", "receive" }, Case { "teh", "the" },
             Case { "Pariss", "Paris" }, Case { "wrld", "world" } }) {
        bool found = false;
        char suggestion[32];
        for (SHORT i = 0; LX_GetSuggestion(m_checker, c.word, i, suggestion, sizeof suggestion); ++i)
            found = found || std::strcmp(suggestion, c.wanted) == 0;
        EXPECT_TRUE(found) << c.word;
    }
}

#endif
