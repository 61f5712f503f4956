// The text check driven through the spelling dialog as a user would: each step reads the word
// the dialog shows, may type into "Change To" and presses a button.
#include "platform/core/GlobalMemory.h"
#include "spell/Lexigard.h"
#include "spell/LexigardDialogs.h"
#include "spell/tests/DialogDriver.h"
#include "spell/tests/LexFixture.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const std::vector<std::string> kWords = { "and", "book", "books", "brook", "cat", "house", "Paris", "the" };

struct Press {
    int button;
    std::optional<std::string> changeTo; // typed into "Change To" first
};

struct Case {
    const char* name;
    const char* text;
    std::vector<Press> presses;
    std::vector<std::string> shown; // the word in "Not in Dictionary" at each press
    std::string returned;
    SHORT result;
    std::string custom;
};

class SpellDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UiTestHook::Reset();
        m_checker = LX_Init();
        ASSERT_TRUE(LX_OpenDictionary(m_checker, m_folder.Dictionary(kWords).c_str(), Custom().c_str()));
    }
    void TearDown() override
    {
        LX_SetAlwaysSuggest(m_checker, TRUE);
        LX_Destroy(m_checker);
    }

    std::string Custom() const { return m_folder.Path("user.dic"); }

    std::string Check(const char* text, SHORT& result)
    {
        HGLOBAL block = LX_CheckText(m_checker, text, &result);
        if (block == nullptr)
            return "<null>";
        std::string checked(static_cast<const char*>(GlobalLock(block)));
        GlobalUnlock(block);
        GlobalFree(block);
        return checked;
    }

    TempFolder m_folder;
    LXHANDLE m_checker = nullptr;
};

const Case kCases[] = {
    { "ChangeTakesTheFirstSuggestion", "the bookk", { { IDC_CHANGE, {} } }, { "bookk" }, "the book", 0, "" },
    { "ChangeTakesTheTypedWord", "the catt sat", { { IDC_CHANGE, "cat" }, { IDC_CHANGE, "on" } },
        { "catt", "sat" }, "the cat on", 0, "" },
    { "ChangeAllCorrectsLaterOnesSilently", "bookk, Bookk and bookk",
        { { IDC_CHANGE_ALL, "book" }, { IDC_IGNORE, {} } }, { "bookk", "Bookk" }, "book, Bookk and book", 0,
        "" },
    { "IgnoreStopsAtEveryOccurrence", "bookk bookk", { { IDC_IGNORE, {} }, { IDC_IGNORE, {} } },
        { "bookk", "bookk" }, "bookk bookk", 0, "" },
    { "IgnoreAllPassesTheOthers", "bookk BOOKK. Bookk", { { IDC_IGNORE_ALL, {} } }, { "bookk" },
        "bookk BOOKK. Bookk", 0, "" },
    { "AddWritesTheCustomDictionary", "Vantrel cat vantrel", { { IDC_ADD, {} } }, { "Vantrel" },
        "Vantrel cat vantrel", 0, "vantrel\r\n" },
    { "CancelReturnsTheTextSoFar", "catt bookk cat", { { IDC_CHANGE, "cat" }, { IDCANCEL, {} } },
        { "catt", "bookk" }, "cat bookk cat", 1, "" },
    { "ChangeWithoutAReplacementStays", "zqxv", { { IDC_CHANGE, {} }, { IDC_CHANGE, "" }, { IDCANCEL, {} } },
        { "zqxv", "zqxv", "zqxv" }, "zqxv", 1, "" },
    { "ChangeAllWithoutAReplacementStays", "bookk bookk",
        { { IDC_CHANGE_ALL, "" }, { IDC_IGNORE, {} }, { IDCANCEL, {} } }, { "bookk", "bookk", "bookk" },
        "bookk bookk", 1, "" },
};

class SpellDialogFlow : public SpellDialogTest, public ::testing::WithParamInterface<Case> { };

TEST_P(SpellDialogFlow, ReturnsTheTextTheResultAndTheCustomDictionary)
{
    const Case& c = GetParam();
    std::vector<std::string> shown;
    std::vector<DialogDriver::Step> steps;
    for (const Press& press : c.presses)
        steps.push_back({ "Spelling", [&shown, press](HWND dialog) {
                             shown.push_back(DialogDriver::Text(dialog, IDC_NOT_IN_DICTIONARY));
                             if (press.changeTo)
                                 DialogDriver::SetText(dialog, IDC_CHANGE_TO, *press.changeTo);
                             DialogDriver::Click(dialog, press.button);
                         } });
    DialogDriver driver(std::move(steps));
    SHORT result = 7;
    EXPECT_EQ(Check(c.text, result), c.returned);
    EXPECT_EQ(result, c.result);
    EXPECT_EQ(shown, c.shown);
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_EQ(driver.Cancelled(), 0);
    std::vector<BYTE> custom = ReadBytes(Custom());
    EXPECT_EQ(std::string(custom.begin(), custom.end()), c.custom);
}

INSTANTIATE_TEST_SUITE_P(Presses, SpellDialogFlow, ::testing::ValuesIn(kCases),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST_F(SpellDialogTest, ChangeAllRecordsTheReplacement)
{
    DialogDriver driver({ { "Spelling", [](HWND dialog) {
                               DialogDriver::SetText(dialog, IDC_CHANGE_TO, "book");
                               DialogDriver::Click(dialog, IDC_CHANGE_ALL);
                           } } });
    SHORT result = 7;
    EXPECT_EQ(Check("bookk", result), "book");
    char replacement[16];
    EXPECT_TRUE(LX_GetReplacement(m_checker, "bookk", replacement, sizeof replacement));
    EXPECT_STREQ(replacement, "book");
}

TEST_F(SpellDialogTest, ShowsSuggestionsOrTheirAbsence)
{
    std::vector<std::string> changeTo;
    auto read = [&changeTo](HWND dialog) {
        changeTo.push_back(DialogDriver::Text(dialog, IDC_CHANGE_TO));
        EXPECT_FALSE(DialogDriver::Enabled(dialog, IDC_SUGGEST));
        DialogDriver::Click(dialog, IDC_IGNORE);
    };
    DialogDriver driver({ { "Spelling", read }, { "Spelling", read } });
    SHORT result = 7;
    Check("Bookk zqxv", result);
    EXPECT_EQ(changeTo, (std::vector<std::string> { "Book", "(no suggestions)" }));
}

TEST_F(SpellDialogTest, SuggestListsWordsForTheTypedText)
{
    LX_SetAlwaysSuggest(m_checker, FALSE);
    std::vector<std::string> seen;
    DialogDriver driver({
        { "Spelling",
            [&seen](HWND dialog) {
                seen.push_back(DialogDriver::Text(dialog, IDC_CHANGE_TO));
                DialogDriver::SetText(dialog, IDC_CHANGE_TO, "hous");
                ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHANGE_TO, CBN_EDITCHANGE),
                    reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_CHANGE_TO)));
                seen.push_back(DialogDriver::Enabled(dialog, IDC_SUGGEST) ? "enabled" : "disabled");
                DialogDriver::Click(dialog, IDC_SUGGEST);
            } },
        { "Spelling",
            [&seen](HWND dialog) {
                seen.push_back(DialogDriver::Text(dialog, IDC_CHANGE_TO));
                seen.push_back(DialogDriver::Enabled(dialog, IDC_SUGGEST) ? "enabled" : "disabled");
                DialogDriver::Click(dialog, IDC_CHANGE);
            } },
    });
    SHORT result = 7;
    EXPECT_EQ(Check("hoose", result), "house");
    EXPECT_EQ(seen, (std::vector<std::string> { "", "enabled", "house", "disabled" }));
}

TEST_F(SpellDialogTest, OptionsDialogStoresTheThreeOptions)
{
    DialogDriver driver({
        { "Spelling", [](HWND dialog) { DialogDriver::Click(dialog, IDC_OPTIONS); } },
        { "Options",
            [](HWND dialog) {
                EXPECT_EQ(::SendMessage(::GetDlgItem(dialog, IDC_DYNAMIC_ALWAYS_SUGGEST), BM_GETCHECK, 0, 0),
                    BST_CHECKED);
                DialogDriver::Click(dialog, IDC_DYNAMIC_ALWAYS_SUGGEST);
                DialogDriver::Click(dialog, IDOK);
            } },
        { "Spelling", [](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); } },
    });
    SHORT result = 7;
    Check("bookk", result);
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_FALSE(LX_GetAlwaysSuggest(m_checker));
    EXPECT_TRUE(LX_GetIgnoreWordsInUppercase(m_checker));
    EXPECT_TRUE(LX_GetIgnoreWordsWithNumbers(m_checker));
}

} // namespace
