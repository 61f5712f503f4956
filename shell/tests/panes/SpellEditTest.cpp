// The spell-checking edit over the real English dictionary: unknown words are offered with
// the library's suggestions and the user's choice lands in the text; the Notes dialog takes
// its dictionaries and options from the settings and writes the options back.
#include "shell/NotesDlg.h"
#include "shell/Settings.h"
#include "shell/SpellEdit.h"

#include "DialogDriver.h"
#include "PaneFixture.h"
#include "spell/LexigardDialogs.h"

#include <filesystem>

#ifdef LEXIGARD_ENGLISH

namespace {

class SpellEditTest : public ProgramPaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        const std::filesystem::path english(LEXIGARD_ENGLISH);
        SetSettingString(Setting::DictionaryDirectory, english.parent_path().c_str());
        SetDictionaryLanguage(english.stem().c_str());
        SetCustomDictionaryFile((home + "/custom.dic").c_str());
        ASSERT_TRUE(parent.CreateEx(0, PlainClass(), "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 280, 150), &parent, 5));
        ASSERT_TRUE(edit.OpenDictionary(LEXIGARD_ENGLISH, nullptr));
        edit.SetAlwaysSuggest(TRUE);
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        parent.DestroyWindow();
        PaneTest::TearDown();
    }
    std::string Text() const
    {
        CString text;
        edit.GetWindowText(text);
        return std::string(text);
    }

    CWnd parent;
    CSpellEdit edit;
};

TEST_F(SpellEditTest, AnUnknownWordIsOfferedWithSuggestionsAndTheChoiceReplacesIt)
{
    edit.SetWindowText("The qick brown fox");
    std::string shown, suggested;
    DialogDriver driver({{"Spelling", [&](HWND dialog) {
                              shown = DialogDriver::Text(dialog, IDC_NOT_IN_DICTIONARY);
                              suggested = DialogDriver::Text(dialog, IDC_CHANGE_TO);
                              DialogDriver::SetText(dialog, IDC_CHANGE_TO, "quick");
                              DialogDriver::Click(dialog, IDC_CHANGE);
                          }}});
    EXPECT_TRUE(edit.CheckSpelling(FALSE));
    EXPECT_EQ(shown, "qick");
    EXPECT_FALSE(suggested.empty()) << "the library's first suggestion stands ready";
    EXPECT_EQ(Text(), "The quick brown fox");
    EXPECT_EQ(driver.Cancelled(), 0);
}

TEST_F(SpellEditTest, OnlyTheSelectionIsCheckedAndACancelledCheckStillReportsCompletion)
{
    edit.SetWindowText("teh cat teh");
    edit.SetSel(8, 11);
    std::string shown;
    DialogDriver driver({{"Spelling", [&](HWND dialog) {
                              shown = DialogDriver::Text(dialog, IDC_NOT_IN_DICTIONARY);
                              DialogDriver::Click(dialog, IDCANCEL);
                          }}});
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    const int boxes = UiTestHook::MessageBoxCount();
    EXPECT_FALSE(edit.CheckSpelling(TRUE));
    EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1);
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("Spelling check is complete."), std::string::npos);
    EXPECT_EQ(shown, "teh");
    EXPECT_EQ(Text(), "teh cat teh");
}

TEST_F(SpellEditTest, AKnownTextNeedsNoDialog)
{
    edit.SetWindowText("The cat sat on the mat.");
    DialogDriver driver({});
    EXPECT_TRUE(edit.CheckSpelling(FALSE));
    EXPECT_EQ(driver.Cancelled(), 0);
    EXPECT_EQ(Text(), "The cat sat on the mat.");
}

TEST_F(SpellEditTest, TheNotesDialogChecksItsTextAndKeepsTheOptionsChangedOnTheWay)
{
    SetDictionaryAlwaysSuggest(TRUE);
    SetDictionaryIgnoreUppercase(FALSE);
    CNotesDlg notes;
    ASSERT_TRUE(notes.Create(CNotesDlg::IDD, nullptr));
    notes.SetText("Meet at noon tmorrow");
    DialogDriver driver({{"Spelling", [](HWND dialog) { DialogDriver::Click(dialog, IDC_OPTIONS); }},
                         {"Options", [](HWND dialog) {
                              ::SendMessage(::GetDlgItem(dialog, IDC_DYNAMIC_IGNORE_UPPERCASE), BM_SETCHECK, BST_CHECKED, 0);
                              DialogDriver::Click(dialog, IDOK);
                          }},
                         {"Spelling", [](HWND dialog) {
                              DialogDriver::SetText(dialog, IDC_CHANGE_TO, "tomorrow");
                              DialogDriver::Click(dialog, IDC_CHANGE);
                          }}});
    notes.CheckSpelling();
    EXPECT_EQ(std::string(notes.GetText()), "Meet at noon tomorrow");
    EXPECT_TRUE(GetDictionaryIgnoreUppercase()) << "the option changed in the library's dialog is stored";
    EXPECT_TRUE(notes.GetEdit().GetIgnoreUppercase());
    notes.DestroyWindow();
}

TEST_F(SpellEditTest, DictionariesThatCannotBeOpenedAreNamedAndTheTextStays)
{
    SetDictionaryLanguage("Klingon");
    CNotesDlg notes;
    ASSERT_TRUE(notes.Create(CNotesDlg::IDD, nullptr));
    notes.SetText("qick");
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    notes.CheckSpelling();
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("Klingon.lex"), std::string::npos) << UiTestHook::LastMessageBoxText();
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("custom.dic"), std::string::npos);
    EXPECT_EQ(std::string(notes.GetText()), "qick");
    notes.SendMessage(WM_COMMAND, IDCANCEL);
    EXPECT_EQ(notes.m_hWnd, nullptr) << "Cancel closes the modeless dialog";
}

} // namespace

#endif
