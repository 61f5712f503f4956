#include "platform/sys/rectivo/Rectivo.h"

#include "platform/sys/Library.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kList = "[ReplaceWith]\n"
                              "teh=the\n"
                              "adn=and\n"
                              "(c)=\xA9\n"
                              "empty=\n"
                              "[FirstLetterExceptions]\n"
                              "etc.=1\n"
                              "approx=1\n"
                              "e.g.=1\n";

class RectivoTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteText(m_path, kList);
        m_list = Rectivo_Open(m_path.c_str(), 0);
    }
    void TearDown() override { Rectivo_Close(m_list); }

    std::string Replacement(const char* word)
    {
        char buffer[1048];
        Rectivo_GetReplacement(m_list, word, buffer, sizeof buffer);
        return buffer;
    }

    TempFolder m_folder;
    std::string m_path = m_folder.Path() + "/English.acr";
    RECTIVO_HANDLE m_list = nullptr;
};

TEST_F(RectivoTest, ListedWordsAreReplacedWithTheTypedCapitals)
{
    const std::pair<const char*, const char*> cases[] = {
        { "teh", "the" },
        { "Teh", "The" },
        { "TEH", "THE" },
        { "tEh", "the" },
        { "(c)", "\xA9" },
        { "the", "" },
        { "empty", "" },
        { "", "" },
    };
    for (const auto& [word, replacement] : cases)
        EXPECT_EQ(Replacement(word), replacement) << word;
}

TEST_F(RectivoTest, CapitalSlipsAreMendedWhileTheirSwitchesAreOn)
{
    const std::pair<const char*, const char*> cases[] = {
        { "TWo", "Two" },
        { "HEllo", "Hello" },
        { "hELLO", "Hello" },
        { "NASA", "" },
        { "OK", "" },
        { "McDonald", "" },
        { "iPhone", "" },
    };
    for (const auto& [word, replacement] : cases)
        EXPECT_EQ(Replacement(word), replacement) << word;
    EXPECT_EQ(Rectivo_SetCorrectTwoInitCaps(m_list, 0), 1);
    EXPECT_EQ(Rectivo_SetCorrectCapsLock(m_list, 0), 1);
    EXPECT_EQ(Replacement("TWo"), "");
    EXPECT_EQ(Replacement("hELLO"), "");
    EXPECT_EQ(Replacement("Teh"), "The") << "the list still applies";
    EXPECT_EQ(Rectivo_SetCorrectTwoInitCaps(m_list, 1), 0);
}

TEST_F(RectivoTest, ExceptionsMatchWithOrWithoutTheirFullStop)
{
    const std::pair<const char*, int> cases[] = {
        { "etc.", 1 },
        { "ETC.", 1 },
        { "approx.", 1 },
        { "g.", 1 },
        { "e.g.", 1 },
        { "left.", 0 },
        { "tc.", 0 },
        { "e.", 0 },
        { ".", 0 },
        { "", 0 },
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Rectivo_IsFirstLetterException(m_list, text), expected) << text;
}

TEST_F(RectivoTest, TheWholeLengthIsReturnedWhenTheBufferIsShort)
{
    char buffer[3] = "xx";
    EXPECT_EQ(Rectivo_GetReplacement(m_list, "adn", buffer, sizeof buffer), 3);
    EXPECT_STREQ(buffer, "an");
}

TEST(Rectivo, AMissingListCorrectsOnlyCapitals)
{
    RECTIVO_HANDLE list = Rectivo_Open("/no/such/folder/English.acr", 0);
    ASSERT_NE(list, nullptr);
    char buffer[64];
    EXPECT_EQ(Rectivo_GetReplacement(list, "teh", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(Rectivo_GetReplacement(list, "TWo", buffer, sizeof buffer), 3);
    Rectivo_Close(list);
}

TEST(Rectivo, NullAndClosedHandlesDoNothing)
{
    char buffer[8] = "keep";
    EXPECT_EQ(Rectivo_GetReplacement(nullptr, "TWo", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(Rectivo_SetCapitalizeSentence(nullptr, 1), 0);
    RECTIVO_HANDLE list = Rectivo_Open(nullptr, 0);
    Rectivo_Close(list);
    EXPECT_EQ(Rectivo_IsFirstLetterException(list, "etc."), 0);
    Rectivo_Close(list);
    Rectivo_Close(nullptr);
}

TEST(Rectivo, EveryOrdinalResolvesToItsExport)
{
    HMODULE library = LoadLibrary("RECTIVO.DLL");
    ASSERT_NE(library, nullptr);
    const std::pair<int, const char*> exports[] = {
        { 100, "Rectivo_Open" },
        { 101, "Rectivo_Close" },
        { 103, "Rectivo_SetCorrectTwoInitCaps" },
        { 105, "Rectivo_SetCapitalizeSentence" },
        { 107, "Rectivo_SetCorrectCapsLock" },
        { 110, "Rectivo_GetReplacement" },
        { 111, "Rectivo_IsFirstLetterException" },
    };
    for (const auto& [ordinal, name] : exports) {
        FARPROC byName = GetProcAddress(library, name);
        ASSERT_NE(byName, nullptr) << name;
        EXPECT_EQ(GetProcAddress(library, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(ordinal))), byName)
            << name;
    }
    for (int ordinal : { 99, 102, 104, 106, 108, 109, 112 })
        EXPECT_EQ(GetProcAddress(library, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(ordinal))), nullptr)
            << ordinal;
    FreeLibrary(library);
}

} // namespace
