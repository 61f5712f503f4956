#include "platform/core/GlobalMemory.h"
#include "spell/LexFormat.h"
#include "spell/Lexigard.h"
#include "spell/LexigardDialogs.h"
#include "spell/LibraryPaths.h"
#include "spell/tests/DialogDriver.h"
#include "spell/tests/LexFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <dlfcn.h>
#include <functional>

namespace {

const std::vector<std::string> kWords
    = { "book", "books", "brook", "house", "Paris", "the", "cat", "caf\xE9" };

class LexigardApi : public ::testing::Test {
protected:
    void SetUp() override
    {
        UiTestHook::Reset();
        m_checker = LX_Init();
        ASSERT_NE(m_checker, nullptr);
    }
    void TearDown() override
    {
        LX_Destroy(m_checker);
        UiTestHook::Reset();
    }

    std::string Main() { return m_folder.Dictionary(kWords); }
    std::string Custom() { return m_folder.Path("user.dic"); }
    bool Open() { return LX_OpenDictionary(m_checker, Main().c_str(), Custom().c_str()) == TRUE; }

    TempFolder m_folder;
    LXHANDLE m_checker = nullptr;
};

std::string takeBlock(HGLOBAL block)
{
    if (block == nullptr)
        return "<null>";
    std::string text(static_cast<const char*>(GlobalLock(block)));
    GlobalUnlock(block);
    EXPECT_EQ(GlobalFree(block), nullptr);
    return text;
}

// Every export, called with the given handle; the result as an int.
struct ExportCall {
    const char* name;
    std::function<long(LXHANDLE)> call;
    bool needsSession;
};

std::vector<ExportCall> everyExport(char* buffer, int size)
{
    return {
        { "OpenDictionary", [](LXHANDLE h) { return long(LX_OpenDictionary(h, "none.lex", "")); }, false },
        { "CloseDictionary", [](LXHANDLE h) { return long(LX_CloseDictionary(h)); }, false },
        { "Reset", [](LXHANDLE h) { return long(LX_Reset(h)); }, false },
        { "GetLanguageName",
            [=](LXHANDLE h) { return long(LX_GetLanguageName(h, "none.lex", buffer, size)); }, false },
        { "IsWordExist", [](LXHANDLE h) { return long(LX_IsWordExist(h, "book")); }, true },
        { "AddToChangeAll", [](LXHANDLE h) { return long(LX_AddToChangeAll(h, "teh", "the")); }, true },
        { "AddToIgnoreAll", [](LXHANDLE h) { return long(LX_AddToIgnoreAll(h, "word")); }, true },
        { "IsCharAlpha", [](LXHANDLE h) { return long(LX_IsCharAlpha(h, 'a')); }, true },
        { "IsCharLower", [](LXHANDLE h) { return long(LX_IsCharLower(h, 'a')); }, true },
        { "IsCharUpper", [](LXHANDLE h) { return long(LX_IsCharUpper(h, 'A')); }, true },
        { "GetReplacement", [=](LXHANDLE h) { return long(LX_GetReplacement(h, "teh", buffer, size)); },
            true },
        { "GetSuggestion", [=](LXHANDLE h) { return long(LX_GetSuggestion(h, "bookk", 0, buffer, size)); },
            true },
        { "AddWord", [](LXHANDLE h) { return long(LX_AddWord(h, "word")); }, true },
        { "CheckText",
            [](LXHANDLE h) {
                SHORT result = 7;
                HGLOBAL block = LX_CheckText(h, "some text", &result);
                GlobalFree(block);
                return block == nullptr ? long(result == 7 ? 0 : 100 + result) : long(200 + result);
            },
            true },
        { "SetAlwaysSuggest", [](LXHANDLE h) { return long(LX_SetAlwaysSuggest(h, TRUE)); }, false },
        { "SetIgnoreWordsInUppercase", [](LXHANDLE h) { return long(LX_SetIgnoreWordsInUppercase(h, TRUE)); },
            false },
        { "SetIgnoreWordsWithNumbers", [](LXHANDLE h) { return long(LX_SetIgnoreWordsWithNumbers(h, TRUE)); },
            false },
        { "GetAlwaysSuggest", [](LXHANDLE h) { return long(LX_GetAlwaysSuggest(h)); }, false },
        { "GetIgnoreWordsInUppercase", [](LXHANDLE h) { return long(LX_GetIgnoreWordsInUppercase(h)); },
            false },
        { "GetIgnoreWordsWithNumbers", [](LXHANDLE h) { return long(LX_GetIgnoreWordsWithNumbers(h)); },
            false },
        { "DownloadDictionaries", [](LXHANDLE h) { return long(LX_DownloadDictionaries(h, nullptr, "")); },
            false },
        { "OptionsDialog",
            [=](LXHANDLE h) { return long(LX_OptionsDialog(h, "", buffer, size, buffer, size, nullptr, 1)); },
            false },
        { "Destroy", [](LXHANDLE h) { return long(LX_Destroy(h)); }, false },
    };
}

} // namespace

TEST_F(LexigardApi, NullHandleDoesNothingAndReturnsZero)
{
    char buffer[16] = "untouched";
    for (const ExportCall& c : everyExport(buffer, sizeof buffer))
        EXPECT_EQ(c.call(nullptr), 0) << c.name;
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(LexigardApi, WordOperationsWithoutSessionAskToOpenADictionary)
{
    char buffer[16];
    for (const ExportCall& c : everyExport(buffer, sizeof buffer)) {
        if (!c.needsSession)
            continue;
        UiTestHook::Reset();
        std::strcpy(buffer, "untouched");
        long result = c.call(m_checker);
        EXPECT_EQ(UiTestHook::MessageBoxCount(), 1) << c.name;
        EXPECT_EQ(UiTestHook::LastMessageBoxText(), "You must open dictionary first!") << c.name;
        EXPECT_EQ(UiTestHook::LastMessageBoxStyle(), UINT(MB_OK)) << c.name;
        if (std::strcmp(c.name, "CheckText") == 0) {
            EXPECT_EQ(result, 200 - 1) << "the text comes back unchanged with result -1";
        } else {
            EXPECT_EQ(result, 0) << c.name;
        }
        if (std::strcmp(c.name, "GetReplacement") == 0 || std::strcmp(c.name, "GetSuggestion") == 0) {
            EXPECT_STREQ(buffer, "") << c.name;
        }
    }
}

TEST_F(LexigardApi, CheckTextWithoutSessionReturnsTheTextUnchanged)
{
    SHORT result = 7;
    EXPECT_EQ(takeBlock(LX_CheckText(m_checker, "Teh cat", &result)), "Teh cat");
    EXPECT_EQ(result, -1);
}

TEST_F(LexigardApi, OperationsThatNeedNoSession)
{
    EXPECT_TRUE(LX_CloseDictionary(m_checker));
    EXPECT_FALSE(LX_Reset(m_checker));
    char name[40];
    EXPECT_TRUE(LX_GetLanguageName(m_checker, Main().c_str(), name, sizeof name));
    EXPECT_STREQ(name, "English");
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(LexigardApi, OpenCheckCloseAndReset)
{
    ASSERT_TRUE(Open());
    EXPECT_TRUE(LX_IsWordExist(m_checker, "House"));
    EXPECT_FALSE(LX_IsWordExist(m_checker, "paris"));
    EXPECT_FALSE(LX_IsWordExist(m_checker, nullptr));
    EXPECT_TRUE(LX_AddToIgnoreAll(m_checker, "Vantrel"));
    EXPECT_TRUE(LX_IsWordExist(m_checker, "vantrel"));
    EXPECT_TRUE(LX_Reset(m_checker));
    EXPECT_FALSE(LX_IsWordExist(m_checker, "vantrel")) << "reset starts the lists empty";
    EXPECT_TRUE(LX_CloseDictionary(m_checker));
    EXPECT_FALSE(LX_IsWordExist(m_checker, "house"));
    EXPECT_FALSE(LX_Reset(m_checker));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 1);
    EXPECT_FALSE(LX_OpenDictionary(m_checker, nullptr, nullptr));
    EXPECT_FALSE(LX_IsWordExist(m_checker, "house")) << "a null main file leaves no session";
}

TEST_F(LexigardApi, MissingMainDictionaryStillTakesCustomWords)
{
    EXPECT_FALSE(LX_OpenDictionary(m_checker, m_folder.Path("missing.lex").c_str(), Custom().c_str()));
    EXPECT_TRUE(LX_AddWord(m_checker, "Lexigard"));
    EXPECT_TRUE(LX_IsWordExist(m_checker, "lexigard"));
    EXPECT_EQ(
        ReadBytes(Custom()), (std::vector<BYTE> { 'l', 'e', 'x', 'i', 'g', 'a', 'r', 'd', '\r', '\n' }));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), 0);
}

TEST_F(LexigardApi, AddWordReportsAFullOrMissingCustomDictionary)
{
    m_folder.WriteText("user.dic", std::string(131000, 'x'));
    ASSERT_TRUE(Open());
    EXPECT_FALSE(LX_AddWord(m_checker, "word"));
    EXPECT_FALSE(LX_AddWord(m_checker, nullptr));
    ASSERT_TRUE(LX_OpenDictionary(m_checker, Main().c_str(), ""));
    EXPECT_FALSE(LX_AddWord(m_checker, "word"));
}

TEST_F(LexigardApi, CharacterClassesFollowTheDictionaryTables)
{
    ASSERT_TRUE(Open());
    struct Case {
        WORD character;
        BOOL alpha, lower, upper;
    };
    for (Case c :
        { Case { 'a', TRUE, TRUE, FALSE }, Case { 'Q', TRUE, FALSE, TRUE }, Case { 0xE9, TRUE, TRUE, FALSE },
            Case { 0xC9, TRUE, FALSE, TRUE }, Case { '1', FALSE, FALSE, FALSE },
            Case { '\'', FALSE, FALSE, FALSE }, Case { 0xFFE9, TRUE, TRUE, FALSE },
            Case { 0xFFC9, TRUE, FALSE, TRUE }, Case { 0x141, TRUE, FALSE, TRUE } }) {
        EXPECT_EQ(LX_IsCharAlpha(m_checker, c.character), c.alpha) << c.character;
        EXPECT_EQ(LX_IsCharLower(m_checker, c.character), c.lower) << c.character;
        EXPECT_EQ(LX_IsCharUpper(m_checker, c.character), c.upper) << c.character;
    }
}

TEST_F(LexigardApi, ReplacementsFromTheChangeAllList)
{
    ASSERT_TRUE(Open());
    char buffer[200];
    EXPECT_FALSE(LX_GetReplacement(m_checker, "teh", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "");
    EXPECT_TRUE(LX_AddToChangeAll(m_checker, "teh", "the"));
    EXPECT_TRUE(LX_GetReplacement(m_checker, "teh", buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "the");
    EXPECT_FALSE(LX_IsWordExist(m_checker, "teh"));
    struct Case {
        int size;
        const char* expected;
        BOOL result;
    };
    for (Case c : { Case { 1, "", FALSE }, Case { 2, "t", TRUE }, Case { 0, "zz", FALSE } }) {
        std::strcpy(buffer, "zz");
        EXPECT_EQ(LX_GetReplacement(m_checker, "teh", buffer, c.size), c.result) << c.size;
        EXPECT_STREQ(buffer, c.expected) << c.size;
    }
    const std::string longer(200, 'r');
    LX_AddToChangeAll(m_checker, "long", longer.c_str());
    EXPECT_TRUE(LX_GetReplacement(m_checker, "long", buffer, sizeof buffer));
    EXPECT_EQ(std::strlen(buffer), 127u);
}

TEST_F(LexigardApi, SuggestionsByIndex)
{
    ASSERT_TRUE(Open());
    char buffer[32];
    const char* expected[] = { "Book", "Book", "Books", "Brook" };
    for (SHORT i = 0; i < 4; ++i) {
        EXPECT_TRUE(LX_GetSuggestion(m_checker, "Bookk", i, buffer, sizeof buffer)) << i;
        EXPECT_STREQ(buffer, expected[i]);
    }
    for (SHORT index : { SHORT(-1), SHORT(4), SHORT(32767) }) {
        std::strcpy(buffer, "zz");
        EXPECT_FALSE(LX_GetSuggestion(m_checker, "Bookk", index, buffer, sizeof buffer)) << index;
        EXPECT_STREQ(buffer, "") << index;
    }
    EXPECT_TRUE(LX_GetSuggestion(m_checker, "Bookk", 2, buffer, 3));
    EXPECT_STREQ(buffer, "Bo");
    EXPECT_FALSE(LX_GetSuggestion(m_checker, "Bookk", 2, buffer, 1));
    EXPECT_STREQ(buffer, "");
}

TEST_F(LexigardApi, SuggestionCacheBelongsToTheOpenDictionary)
{
    ASSERT_TRUE(Open());
    char buffer[32];
    ASSERT_TRUE(LX_GetSuggestion(m_checker, "catt", 0, buffer, sizeof buffer));
    EXPECT_STREQ(buffer, "cat");
    std::string other = m_folder.Dictionary({ "cart" }, LexLayout {}, "other.lex");
    struct Step {
        const char* what;
        std::function<void()> act;
        const char* first;
    };
    const Step steps[] = {
        { "reopen", [&] { LX_OpenDictionary(m_checker, other.c_str(), nullptr); }, "cart" },
        { "reset",
            [&] {
                LX_OpenDictionary(m_checker, Main().c_str(), nullptr);
                LX_GetSuggestion(m_checker, "catt", 0, buffer, 1);
                m_folder.Dictionary({ "cart" });
                LX_Reset(m_checker);
            },
            "cart" },
        { "close",
            [&] {
                LX_CloseDictionary(m_checker);
                LX_OpenDictionary(m_checker, Main().c_str(), nullptr);
            },
            "cat" },
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_TRUE(LX_GetSuggestion(m_checker, "catt", 0, buffer, sizeof buffer)) << step.what;
        EXPECT_STREQ(buffer, step.first) << step.what;
    }
}

TEST_F(LexigardApi, OptionsAreSharedByEveryHandle)
{
    LXHANDLE other = LX_Init();
    struct Option {
        BOOL (*set)(LXHANDLE, BOOL);
        BOOL (*get)(LXHANDLE);
    };
    for (Option o : { Option { LX_SetAlwaysSuggest, LX_GetAlwaysSuggest },
             Option { LX_SetIgnoreWordsInUppercase, LX_GetIgnoreWordsInUppercase },
             Option { LX_SetIgnoreWordsWithNumbers, LX_GetIgnoreWordsWithNumbers } }) {
        EXPECT_TRUE(o.get(m_checker)) << "options start set";
        EXPECT_TRUE(o.set(m_checker, FALSE));
        EXPECT_FALSE(o.get(other));
        EXPECT_TRUE(o.set(other, TRUE));
        EXPECT_TRUE(o.get(m_checker));
    }
    EXPECT_TRUE(LX_Destroy(other));
}

TEST_F(LexigardApi, LanguageNameFromTheFileHeader)
{
    LexLayout layout;
    layout.language = std::string(32, 'L');
    std::string full = m_folder.Dictionary(kWords, layout, "full.lex");
    std::vector<BYTE> bytes = ReadBytes(Main());
    bytes[LexFormat::kLabelOffset] = 'l';
    std::string relabelled = m_folder.Write("label.lex", bytes);
    std::string tiny = m_folder.WriteText("tiny.lex", "NRT_SPELL VER3.5Lang:   Eng");
    struct Case {
        std::string file;
        int size;
        BOOL result;
        std::string name;
    };
    const Case cases[] = {
        { Main(), 64, TRUE, "English" },
        { Main(), 4, TRUE, "Eng" },
        { Main(), 1, FALSE, "" },
        { full, 64, TRUE, std::string(32, 'L') },
        { relabelled, 64, FALSE, "" },
        { tiny, 64, FALSE, "" },
        { m_folder.Path("missing.lex"), 64, FALSE, "" },
    };
    for (const Case& c : cases) {
        char name[64];
        std::strcpy(name, "zz");
        EXPECT_EQ(LX_GetLanguageName(m_checker, c.file.c_str(), name, c.size), c.result)
            << c.file << " " << c.size;
        EXPECT_EQ(std::string(name), c.name) << c.file;
    }
}

// The dialog is cancelled at the first refused word, which the table names ("" for none).
TEST_F(LexigardApi, CheckTextWalksTheWords)
{
    ASSERT_TRUE(Open());
    LX_AddToChangeAll(m_checker, "teh", "the");
    struct Case {
        std::string text;
        const char* firstRefused;
        std::string returned;
    };
    const Case cases[] = {
        { "", "", "<null>" },
        { "the cat", "", "the cat" },
        { "teh cat, teh book", "", "the cat, the book" },
        { "{\\rtf1\\ansi The cat}", "", "{\\rtf1\\ansi The cat}" },
        { "the cat's book'", "cat's", "the cat's book'" },
        { "BOOKK and 42 and b00k", "", "BOOKK and 42 and b00k" },
        { "and " + std::string(64, 'x'), "", "and " + std::string(64, 'x') },
        { "the bookk", "bookk", "the bookk" },
        { "teh bookk teh", "bookk", "the bookk teh" },
    };
    LX_AddToIgnoreAll(m_checker, "and");
    for (const Case& c : cases) {
        std::string shown;
        DialogDriver driver({ { "Spelling", [&shown](HWND dialog) {
                                   shown = DialogDriver::Text(dialog, IDC_NOT_IN_DICTIONARY);
                                   DialogDriver::Click(dialog, IDCANCEL);
                               } } });
        SHORT result = 7;
        EXPECT_EQ(takeBlock(LX_CheckText(m_checker, c.text.c_str(), &result)), c.returned) << c.text;
        EXPECT_EQ(shown, c.firstRefused) << c.text;
        EXPECT_EQ(result, *c.firstRefused ? 1 : 0) << c.text;
        EXPECT_EQ(driver.Cancelled(), 0) << c.text;
    }
}

TEST(LibraryPaths, RelativeNamesJoinTheLibraryFolder)
{
    struct Case {
        const char* name;
        const char* folder;
        const char* expected;
    };
    const Case cases[] = {
        { "English.lex", "/opt/vantrel/lib", "/opt/vantrel/lib/English.lex" },
        { "English.lex", "/opt/vantrel/lib/", "/opt/vantrel/lib/English.lex" },
        { "\\Dictionary\\English.lex", "/lib", "/lib/Dictionary\\English.lex" },
        { "/usr/share/English.lex", "/lib", "/usr/share/English.lex" },
        { "C:\\English.lex", "/lib", "C:\\English.lex" },
        { "\\\\server\\English.lex", "/lib", "\\\\server\\English.lex" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeDictionaryPath(c.name, c.folder), c.expected) << c.name;
    EXPECT_EQ(MakeDictionaryPath(std::string(250, 'n').c_str(), "/opt/vantrel/lib"), "");
    EXPECT_EQ(GetLibraryFolder(), std::filesystem::path(LEXIGARD_LIBRARY).parent_path().string());
}

TEST(LexigardOrdinals, EveryOrdinalResolvesToItsExport)
{
    void* library = dlopen(LEXIGARD_LIBRARY, RTLD_NOW);
    ASSERT_NE(library, nullptr) << dlerror();
    auto table = static_cast<const LX_PROC*>(dlsym(library, "LX_OrdinalTable"));
    ASSERT_NE(table, nullptr);
    const std::pair<int, const char*> exports[] = {
        { 100, "LX_Init" },
        { 101, "LX_Destroy" },
        { 102, "LX_OpenDictionary" },
        { 103, "LX_CloseDictionary" },
        { 105, "LX_Reset" },
        { 108, "LX_GetLanguageName" },
        { 109, "LX_IsWordExist" },
        { 110, "LX_AddToChangeAll" },
        { 120, "LX_AddToIgnoreAll" },
        { 121, "LX_IsCharAlpha" },
        { 122, "LX_IsCharLower" },
        { 130, "LX_IsCharUpper" },
        { 131, "LX_GetReplacement" },
        { 132, "LX_GetSuggestion" },
        { 133, "LX_AddWord" },
        { 135, "LX_CheckText" },
        { 140, "LX_GetAlwaysSuggest" },
        { 141, "LX_SetAlwaysSuggest" },
        { 142, "LX_GetIgnoreWordsInUppercase" },
        { 143, "LX_SetIgnoreWordsInUppercase" },
        { 144, "LX_GetIgnoreWordsWithNumbers" },
        { 145, "LX_SetIgnoreWordsWithNumbers" },
        { 150, "LX_DownloadDictionaries" },
        { 155, "LX_OptionsDialog" },
    };
    std::vector<bool> used(LX_ORDINAL_COUNT);
    for (const auto& [ordinal, name] : exports) {
        void* byName = dlsym(library, name);
        ASSERT_NE(byName, nullptr) << name;
        EXPECT_EQ(reinterpret_cast<void*>(table[ordinal - LX_ORDINAL_BASE]), byName) << name;
        used[static_cast<size_t>(ordinal - LX_ORDINAL_BASE)] = true;
    }
    for (int k = 0; k < LX_ORDINAL_COUNT; ++k) {
        if (!used[static_cast<size_t>(k)]) {
            EXPECT_EQ(table[k], nullptr) << "ordinal " << LX_ORDINAL_BASE + k;
        }
    }
    // Bound by ordinal, the library works.
    auto init = reinterpret_cast<LXHANDLE (*)()>(table[LX_ORD_Init - LX_ORDINAL_BASE]);
    auto destroy = reinterpret_cast<void (*)(LXHANDLE)>(table[LX_ORD_Destroy - LX_ORDINAL_BASE]);
    auto getAlways = reinterpret_cast<BOOL (*)(LXHANDLE)>(table[LX_ORD_GetAlwaysSuggest - LX_ORDINAL_BASE]);
    LXHANDLE checker = init();
    EXPECT_EQ(getAlways(checker), LX_GetAlwaysSuggest(checker));
    destroy(checker);
    dlclose(library);
}
