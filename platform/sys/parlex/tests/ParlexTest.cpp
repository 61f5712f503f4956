#include "platform/sys/parlex/Parlex.h"

#include "platform/sys/parlex/LanguageFile.h"
#include "platform/sys/tests/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// The program's lookup: a buffer grown until the whole text fits, the key when there is none.
std::string LanguageText(const std::string& key)
{
    std::string buffer(key.size() * 10 + 1, '\0');
    int length = Parlex_GetText(buffer.data(), static_cast<int>(buffer.size()), key.c_str(), 0, 0);
    if (length >= static_cast<int>(buffer.size())) {
        buffer.assign(static_cast<size_t>(length) + 1, '\0');
        length = Parlex_GetText(buffer.data(), static_cast<int>(buffer.size()), key.c_str(), 0, 0);
    }
    return length > 0 ? buffer.substr(0, static_cast<size_t>(length)) : key;
}

class ParlexTest : public ::testing::Test {
protected:
    void TearDown() override { Parlex_Deinit(nullptr); }

    int Init(const std::string& text)
    {
        WriteText(m_file, text);
        return Parlex_Init(m_file.c_str(), "");
    }

    TempFolder m_folder;
    std::string m_file = m_folder.Path() + "/Current.lng";
};

TEST_F(ParlexTest, TranslatesFromTheFileAndFallsBackToEnglish)
{
    EXPECT_EQ(Init("# German\n<Save All>=Alles speichern\n<Play\\nPlay>=Abspielen\\nWiedergabe\n"
                   "IDB_KO_LARGE_LOGO_US=IDB_KO_LARGE_LOGO\nFor Revision=Zur \xC3\x9C"
                   "berarbeitung\n"),
        PARLEX_LOADED);
    const std::pair<const char*, const char*> cases[] = {
        { "<Save All>", "Alles speichern" },
        { "<Play\nPlay>", "Abspielen\nWiedergabe" },
        { "IDB_KO_LARGE_LOGO_US", "IDB_KO_LARGE_LOGO" },
        { "For Revision",
            "Zur \xDC"
            "berarbeitung" },
        { "<Open...>", "Open..." },
        { "Save as Website", "Save as Website" },
        { "<>", "<>" },
    };
    for (const auto& [key, text] : cases)
        EXPECT_EQ(LanguageText(key), text) << key;
    char buffer[8] = "x";
    EXPECT_EQ(Parlex_GetText(buffer, sizeof buffer, "Save as Website", 0, 0), 0)
        << "unknown keys give nothing";
    EXPECT_EQ(Parlex_GetText(buffer, sizeof buffer, "", 0, 0), 0);
}

// Texts built in code around keys show each key's text; brackets that hold no key stay.
TEST_F(ParlexTest, KeysInsideATextAreTranslatedInPlace)
{
    Init("<Layer>=Ebene\n<Layer>7=Sonderebene\n");
    const std::pair<const char*, const char*> cases[] = {
        { "<Layer>2", "Ebene2" },
        { "<Layer>7", "Sonderebene" },
        { "0 - <No>", "0 - No" },
        { "<Layer> and <No>", "Ebene and No" },
        { "<<OLE VERBS GO HERE>>", "<OLE VERBS GO HERE>" },
        { "Both (<<--->>)", "Both (<<--->>)" },
        { "a < b > c", "a < b > c" },
        { "<b", "<b" },
    };
    for (const auto& [key, text] : cases)
        EXPECT_EQ(LanguageText(key), text) << key;
    std::string lost = m_folder.Path() + "/Lost & Found.lng";
    EXPECT_EQ(Parlex_Deinit(lost.c_str()), 1);
    EXPECT_EQ(ParseLanguageFile(ReadText(lost)).texts.count("<No>"), 1u) << "the missed key, not the text around it";
}

TEST_F(ParlexTest, AShortBufferGetsTheStartAndTheWholeLength)
{
    Init("<Ok>=A long translation\n");
    char buffer[5];
    EXPECT_EQ(Parlex_GetText(buffer, sizeof buffer, "<Ok>", 0, 0), 18);
    EXPECT_STREQ(buffer, "A lo");
    EXPECT_EQ(LanguageText("<Ok>"), "A long translation");
}

TEST_F(ParlexTest, BrokenLinesAreSkippedAndTheRestIsUsed)
{
    EXPECT_EQ(Init("<Yes>=Ja\nno equals sign\n=no key\n<Bad>=escape \\q\n<Cut>=ends in \\\n"
                   "<Latin>=\xE4\xF6\n<No>=Nein\r\n"
                  + std::string("\0<Nul>=x\n", 9)),
        PARLEX_LINES_SKIPPED);
    EXPECT_EQ(LanguageText("<Yes>"), "Ja");
    EXPECT_EQ(LanguageText("<No>"), "Nein");
    EXPECT_EQ(LanguageText("<Bad>"), "Bad");
    EXPECT_EQ(LanguageText("<Latin>"), "Latin") << "a line that is not UTF-8 is broken";
    EXPECT_EQ(LanguageText("<Nul>"), "Nul") << "so is one with a NUL";
}

TEST_F(ParlexTest, MissingOrOversizedFilesLeaveEnglish)
{
    EXPECT_EQ(Parlex_Init((m_folder.Path() + "/none.lng").c_str(), ""), PARLEX_ENGLISH);
    EXPECT_EQ(LanguageText("<Save All>"), "Save All");
    EXPECT_EQ(Init(std::string(kMaxLanguageFileBytes + 1, '#')), PARLEX_REFUSED);
    EXPECT_EQ(LanguageText("<Save All>"), "Save All");
    EXPECT_EQ(Parlex_Init(nullptr, nullptr), PARLEX_ENGLISH);
}

TEST_F(ParlexTest, TheKeysTheFileLackedAreWrittenAtTheEnd)
{
    Init("<Yes>=Ja\n");
    LanguageText("<Yes>");
    LanguageText("<Play\nPlay>");
    LanguageText("a=b");
    std::string lost = m_folder.Path() + "/Lost & Found.lng";
    EXPECT_EQ(Parlex_Deinit(lost.c_str()), 1);
    EXPECT_EQ(ReadText(lost), "<Play\\nPlay>=Play\\nPlay\na\\=b=\n");
    LanguageTexts reread = ParseLanguageFile(ReadText(lost));
    EXPECT_EQ(reread.brokenLines, 0);
    EXPECT_EQ(reread.texts.at("<Play\nPlay>"), "Play\nPlay");
    EXPECT_EQ(reread.texts.at("a=b"), "");
}

TEST_F(ParlexTest, NothingMissedWritesNothing)
{
    Init("<Yes>=Ja\n");
    LanguageText("<Yes>");
    std::string lost = m_folder.Path() + "/Lost & Found.lng";
    EXPECT_EQ(Parlex_Deinit(lost.c_str()), 1);
    EXPECT_FALSE(std::filesystem::exists(lost));
    EXPECT_EQ(Parlex_Deinit(lost.c_str()), 0) << "not started";
}

TEST_F(ParlexTest, AnUnwritableLostAndFoundFileIsReported)
{
    Init("");
    LanguageText("<Yes>");
    EXPECT_EQ(Parlex_Deinit((m_folder.Path() + "/no/folder/Lost.lng").c_str()), -1);
}

TEST(LanguageFile, EscapesSurviveARoundTrip)
{
    std::map<std::string, std::string> texts = {
        { "<a\\b=c>", "line\none\ttab \\ = \xE9\r" },
        { "#not a comment", ";nor this" },
    };
    std::string written = FormatLanguageFile(texts);
    LanguageTexts read = ParseLanguageFile(written);
    EXPECT_EQ(read.brokenLines, 0);
    EXPECT_EQ(read.texts, texts);
}

} // namespace
