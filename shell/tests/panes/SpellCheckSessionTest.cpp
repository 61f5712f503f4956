// The interactive spelling check over the real English dictionary: the words it stops at, what
// each button of its dialog does to the text, the checker and the custom dictionary, and the
// options it reads and changes.
#include "controls/EditSpellSession.h"
#include "controls/SpellCheckDlg.h"
#include "controls/SpellOptionsDlg.h"
#include "platform/ui/Edit.h"

#include "DialogDriver.h"
#include "PaneFixture.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#ifdef LEXIGARD_ENGLISH

namespace {

constexpr const char* kSpelling = "Spelling";
using D = CSpellCheckDlg;

class SpellCheckSessionTest : public ProgramPaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        custom = home + "/custom.dic";
        ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 280, 150), &parent, 5));
        checker = LX_Init();
        ASSERT_TRUE(LX_OpenDictionary(checker, LEXIGARD_ENGLISH, custom.c_str()));
        SetOptions(TRUE, FALSE, FALSE);
    }
    void TearDown() override
    {
        LX_Destroy(checker);
        edit.DestroyWindow();
        parent.DestroyWindow();
        PaneTest::TearDown();
    }
    void SetOptions(BOOL alwaysSuggest, BOOL ignoreUppercase, BOOL ignoreNumbers)
    {
        LX_SetAlwaysSuggest(checker, alwaysSuggest);
        LX_SetIgnoreWordsInUppercase(checker, ignoreUppercase);
        LX_SetIgnoreWordsWithNumbers(checker, ignoreNumbers);
    }
    std::string Text() const
    {
        CString text;
        edit.GetWindowText(text);
        return std::string(text);
    }
    // Runs a session over [start, end) of the text, ignoring every word it stops at; the words
    // come back in order.
    std::vector<std::string> StopsIn(const char* text, int start, int end, BOOL* result = nullptr)
    {
        edit.SetWindowText(text);
        std::vector<std::string> shown;
        std::vector<DialogDriver::Step> steps(20, {kSpelling, [&shown](HWND dialog) {
                                                       shown.push_back(DialogDriver::Text(dialog, D::kWordId));
                                                       DialogDriver::Click(dialog, D::kIgnoreId);
                                                   }});
        DialogDriver driver(steps);
        const BOOL completed = CEditSpellSession(&edit, &checker).Run(start, end);
        if (result)
            *result = completed;
        EXPECT_EQ(driver.Cancelled(), 0) << text;
        return shown;
    }
    static std::string FileBytes(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    std::string custom;
    CWnd parent;
    CEdit edit;
    LXHANDLE checker = nullptr;
};

using Words = std::vector<std::string>;

TEST_F(SpellCheckSessionTest, EveryButtonActsOnTheTextTheCheckerAndTheCustomDictionary)
{
    edit.SetWindowText("The qick fox saw teh dog blorp. A qick cat met teh blorp. Zorbly!");
    std::vector<std::string> shown;
    auto word = [&shown](HWND dialog) { shown.push_back(DialogDriver::Text(dialog, D::kWordId)); };
    DialogDriver driver({{kSpelling, [&](HWND dialog) { word(dialog); DialogDriver::Click(dialog, D::kIgnoreId); }},
                         {kSpelling, [&](HWND dialog) {
                              word(dialog);
                              DialogDriver::SetText(dialog, D::kReplacementId, "the");
                              DialogDriver::Click(dialog, D::kChangeAllId);
                          }},
                         {kSpelling, [&](HWND dialog) { word(dialog); DialogDriver::Click(dialog, D::kIgnoreAllId); }},
                         {kSpelling, [&](HWND dialog) {
                              word(dialog);
                              DialogDriver::SetText(dialog, D::kReplacementId, "quick");
                              DialogDriver::Click(dialog, D::kChangeId);
                          }},
                         {kSpelling, [&](HWND dialog) { word(dialog); DialogDriver::Click(dialog, D::kAddId); }}});
    EXPECT_TRUE(CEditSpellSession(&edit, &checker).Run(0, edit.GetWindowTextLength()));
    EXPECT_EQ(driver.Cancelled(), 0);
    EXPECT_EQ(shown, (Words{"qick", "teh", "blorp", "qick", "Zorbly"})) << "the second teh and blorp are not asked";
    EXPECT_EQ(Text(), "The qick fox saw the dog blorp. A quick cat met the blorp. Zorbly!");
    EXPECT_EQ(FileBytes(custom), "zorbly\r\n") << "the custom dictionary keeps words in lower case";

    // The checker keeps what the buttons recorded for later checks.
    EXPECT_EQ(StopsIn("teh blorp Zorbly qick", 0, 21), Words{"qick"});
    EXPECT_EQ(Text(), "the blorp Zorbly qick");
}

TEST_F(SpellCheckSessionTest, TheWordRulesDecideWhereTheCheckStops)
{
    struct Case {
        const char* text;
        int start, end;
        BOOL ignoreUppercase, ignoreNumbers;
        Words stops;
    };
    const std::string longWord(64, 'q');
    const Case cases[] = {
        {"ZQX ZQx", 0, 7, TRUE, FALSE, {"ZQx"}},
        {"ZQX ZQx", 0, 7, FALSE, FALSE, {"ZQX", "ZQx"}},
        {"don't zorbs' dogs'", 0, 18, FALSE, FALSE, {"zorbs"}},
        {"\\blorp qick", 0, 11, FALSE, FALSE, {"qick"}},
        {"x\\blorp qick", 2, 12, FALSE, FALSE, {"qick"}},
        {"zq123 zq123", 0, 11, FALSE, FALSE, {"zq123", "zq"}},
        {"zq123 zq123", 0, 11, FALSE, TRUE, {"zq"}},
        {"2024 qick", 0, 9, FALSE, FALSE, {"qick"}},
        {"qick blorp", 0, 5, FALSE, FALSE, {"qick"}},
        {"qick blorp", 10, 0, FALSE, FALSE, {"qick", "blorp"}},
        {"xqick blorp", 2, 4, FALSE, FALSE, {"xqick"}},
        {"blorp", 3, 3, FALSE, FALSE, {}},
    };
    for (const Case& c : cases) {
        SetOptions(TRUE, c.ignoreUppercase, c.ignoreNumbers);
        EXPECT_EQ(StopsIn(c.text, c.start, c.end), c.stops) << c.text << " [" << c.start << ", " << c.end << ")";
    }
    const std::string text = longWord + " qick";
    EXPECT_EQ(StopsIn(text.c_str(), 0, static_cast<int>(text.size())), Words{"qick"}) << "a word over 63 letters";
}

TEST_F(SpellCheckSessionTest, ALongerChangeAllReplacementMovesTheRangeEnd)
{
    edit.SetWindowText("teh teh zq");
    std::vector<std::string> shown;
    DialogDriver driver({{kSpelling, [&](HWND dialog) {
                              DialogDriver::SetText(dialog, D::kReplacementId, "absolutely");
                              DialogDriver::Click(dialog, D::kChangeAllId);
                          }},
                         {kSpelling, [&](HWND dialog) {
                              shown.push_back(DialogDriver::Text(dialog, D::kWordId));
                              DialogDriver::Click(dialog, D::kIgnoreId);
                          }}});
    EXPECT_TRUE(CEditSpellSession(&edit, &checker).Run(0, 10));
    EXPECT_EQ(Text(), "absolutely absolutely zq");
    EXPECT_EQ(shown, Words{"zq"}) << "the last word of the range is still checked";
}

TEST_F(SpellCheckSessionTest, ClosingTheDialogKeepsTheCorrectionsMadeBefore)
{
    edit.SetWindowText("qick blorp zorb");
    DialogDriver driver({{kSpelling, [](HWND dialog) {
                              DialogDriver::SetText(dialog, D::kReplacementId, "quick");
                              DialogDriver::Click(dialog, D::kChangeId);
                          }},
                         {kSpelling, [](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }}});
    EXPECT_FALSE(CEditSpellSession(&edit, &checker).Run(0, 15));
    EXPECT_EQ(Text(), "quick blorp zorb");
}

TEST_F(SpellCheckSessionTest, SuggestionsFollowTheAlwaysSuggestOption)
{
    int count = 0;
    std::string first, typedShown;
    bool suggestAtStart = true, suggestAfterTyping = false, suggestAfterSuggesting = true;
    edit.SetWindowText("qick");
    DialogDriver listed({{kSpelling, [&](HWND dialog) {
                              count = static_cast<int>(::SendMessage(::GetDlgItem(dialog, D::kReplacementId), CB_GETCOUNT, 0, 0));
                              first = DialogDriver::Text(dialog, D::kReplacementId);
                              DialogDriver::Click(dialog, IDCANCEL);
                          }}});
    CEditSpellSession(&edit, &checker).Run(0, 4);
    EXPECT_EQ(count, 6) << "quick quack quirk quacks quirky quirks";
    EXPECT_EQ(first, "quick") << "the first suggestion stands ready";

    SetOptions(FALSE, FALSE, FALSE);
    edit.SetWindowText("qick");
    DialogDriver plain({{kSpelling, [&](HWND dialog) {
                             HWND combo = ::GetDlgItem(dialog, D::kReplacementId);
                             count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
                             typedShown = DialogDriver::Text(dialog, D::kReplacementId);
                             suggestAtStart = DialogDriver::Enabled(dialog, D::kSuggestId);
                             DialogDriver::SetText(dialog, D::kReplacementId, "quack");
                             ::SendMessage(dialog, WM_COMMAND, MAKEWPARAM(D::kReplacementId, CBN_EDITCHANGE),
                                           reinterpret_cast<LPARAM>(combo));
                             suggestAfterTyping = DialogDriver::Enabled(dialog, D::kSuggestId);
                             DialogDriver::Click(dialog, D::kSuggestId);
                         }},
                        {kSpelling, [&](HWND dialog) {
                             // Suggest lists the suggestions for the word, not for the typed text.
                             first = DialogDriver::Text(dialog, D::kReplacementId);
                             suggestAfterSuggesting = DialogDriver::Enabled(dialog, D::kSuggestId);
                             DialogDriver::Click(dialog, D::kChangeId);
                         }}});
    EXPECT_TRUE(CEditSpellSession(&edit, &checker).Run(0, 4));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(typedShown, "");
    EXPECT_FALSE(suggestAtStart);
    EXPECT_TRUE(suggestAfterTyping);
    EXPECT_FALSE(suggestAfterSuggesting);
    EXPECT_EQ(first, "quick");
    EXPECT_EQ(Text(), "quick");
}

TEST_F(SpellCheckSessionTest, AWordWithoutSuggestionsLeavesNoReplacementToApply)
{
    edit.SetWindowText("thr xqzvkjw");
    std::string none, field;
    DialogDriver driver({{kSpelling, [](HWND dialog) { DialogDriver::Click(dialog, D::kIgnoreId); }},
                         {kSpelling, [&](HWND dialog) {
                              char item[64] = "";
                              ::SendMessage(::GetDlgItem(dialog, D::kReplacementId), CB_GETLBTEXT, 0,
                                            reinterpret_cast<LPARAM>(item));
                              none = item;
                              field = DialogDriver::Text(dialog, D::kReplacementId);
                              DialogDriver::Click(dialog, D::kChangeId);
                              DialogDriver::Click(dialog, IDCANCEL);
                          }}});
    EXPECT_FALSE(CEditSpellSession(&edit, &checker).Run(0, 11));
    EXPECT_EQ(none, "(No Suggestions)");
    EXPECT_EQ(field, "") << "the previous word's suggestion is not offered for this one";
    EXPECT_EQ(Text(), "thr xqzvkjw");
}

TEST_F(SpellCheckSessionTest, TheOptionsDialogChangesTheCheckersOptionsForTheNextWord)
{
    edit.SetWindowText("qick NATO");
    std::vector<std::string> shown;
    DialogDriver driver({{kSpelling, [&](HWND dialog) {
                              shown.push_back(DialogDriver::Text(dialog, D::kWordId));
                              DialogDriver::Click(dialog, D::kOptionsId);
                          }},
                         {"Options", [](HWND dialog) {
                              ::SendMessage(::GetDlgItem(dialog, CSpellOptionsDlg::kIgnoreUppercaseId), BM_SETCHECK,
                                            BST_CHECKED, 0);
                              ::SendMessage(::GetDlgItem(dialog, CSpellOptionsDlg::kAlwaysSuggestId), BM_SETCHECK,
                                            BST_UNCHECKED, 0);
                              DialogDriver::Click(dialog, IDOK);
                          }},
                         {kSpelling, [](HWND dialog) { DialogDriver::Click(dialog, D::kIgnoreId); }}});
    EXPECT_TRUE(CEditSpellSession(&edit, &checker).Run(0, 9));
    EXPECT_EQ(shown, Words{"qick"});
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_TRUE(LX_GetIgnoreWordsInUppercase(checker));
    EXPECT_FALSE(LX_GetAlwaysSuggest(checker));
}

} // namespace

#endif
