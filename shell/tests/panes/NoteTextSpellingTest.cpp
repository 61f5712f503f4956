// The note text dialog with the program's text services: words are corrected as they are
// typed from the language's replacement list, the text is checked on OK after an edit, and the
// spelling options changed on the way are stored whichever way the dialog closes.
#include "controls/NoteTextDlg.h"
#include "controls/SpellCheckDlg.h"
#include "controls/SpellOptionsDlg.h"
#include "shell/Settings.h"
#include "shell/ShellTextServices.h"

#include "DialogDriver.h"
#include "PaneFixture.h"

#include <filesystem>
#include <fstream>

#ifdef LEXIGARD_ENGLISH

namespace {

constexpr const char* kNotes = "Notes";
constexpr const char* kSpelling = "Spelling";

class NoteTextSpellingTest : public ProgramPaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        const std::string folder = home + "/dictionaries";
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(LEXIGARD_ENGLISH, folder + "/English.lex");
        std::ofstream(folder + "/English.acr") << "[ReplaceWith]\nteh=the\n[FirstLetterExceptions]\netc.=1\n";
        SetSettingString(Setting::DictionaryDirectory, folder.c_str());
        SetDictionaryLanguage("English");
        SetCustomDictionaryFile((home + "/custom.dic").c_str());
        SetDictionaryAlwaysSuggest(TRUE);
        SetDictionaryIgnoreUppercase(FALSE);
        SetDictionaryIgnoreNumbers(FALSE);
        InstallTextServices();
    }
    void TearDown() override
    {
        SetTextServices(nullptr);
        PaneTest::TearDown();
    }
    static void Type(HWND dialog, const std::string& text)
    {
        HWND edit = ::GetDlgItem(dialog, CNotesEditDlg::EditId);
        ::SetFocus(edit);
        const int end = ::GetWindowTextLength(edit);
        ::SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
        for (char c : text)
            ::SendMessage(edit, WM_CHAR, static_cast<BYTE>(c), 1);
    }
};

TEST_F(NoteTextSpellingTest, TypedWordsAreCorrectedFromTheListAndAfterExceptionsStayLowerCase)
{
    SetDictionaryCheckAfterUpdate(FALSE);
    CString text;
    std::string shown;
    DialogDriver driver({{kNotes, [&](HWND dialog) {
                              Type(dialog, "i saw teh cat. the dog, etc. the end ");
                              shown = DialogDriver::Text(dialog, CNotesEditDlg::EditId);
                              DialogDriver::Click(dialog, IDOK);
                          }}});
    EXPECT_EQ(CNotesEditDlg(text, FALSE).DoModal(), IDOK);
    EXPECT_EQ(shown, "I saw the cat. The dog, etc. the end ");
    EXPECT_EQ(std::string(text), shown);
}

TEST_F(NoteTextSpellingTest, OkChecksTheTextOnlyWhenItWasEdited)
{
    SetDictionaryCheckAfterUpdate(TRUE);
    CString text = "A qick fox";
    DialogDriver untouched({{kNotes, [](HWND dialog) { DialogDriver::Click(dialog, IDOK); }}});
    EXPECT_EQ(CNotesEditDlg(text, FALSE).DoModal(), IDOK);
    EXPECT_EQ(untouched.StepsLeft(), 0u);
    EXPECT_EQ(untouched.Cancelled(), 0) << "no spelling dialog for an unedited text";

    DialogDriver edited({{kNotes, [](HWND dialog) {
                              Type(dialog, "!");
                              DialogDriver::Click(dialog, IDOK);
                          }},
                         {kSpelling, [](HWND dialog) {
                              DialogDriver::SetText(dialog, CSpellCheckDlg::kReplacementId, "quick");
                              DialogDriver::Click(dialog, CSpellCheckDlg::kChangeId);
                          }}});
    EXPECT_EQ(CNotesEditDlg(text, FALSE).DoModal(), IDOK);
    EXPECT_EQ(edited.Cancelled(), 0);
    EXPECT_EQ(std::string(text), "A quick fox!");
}

TEST_F(NoteTextSpellingTest, OptionsChangedInTheCheckAreStoredAfterCancel)
{
    CString text = "qick";
    DialogDriver driver({{kNotes, [](HWND dialog) {
                              HWND edit = ::GetDlgItem(dialog, CNotesEditDlg::EditId);
                              ::SetFocus(edit);
                              ::SendMessage(edit, WM_KEYDOWN, VK_F7, 0);
                          }},
                         {kSpelling, [](HWND dialog) { DialogDriver::Click(dialog, CSpellCheckDlg::kOptionsId); }},
                         {"Options", [](HWND dialog) {
                              ::SendMessage(::GetDlgItem(dialog, CSpellOptionsDlg::kIgnoreNumbersId), BM_SETCHECK,
                                            BST_CHECKED, 0);
                              DialogDriver::Click(dialog, IDOK);
                          }},
                         {kSpelling, [](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }},
                         {kNotes, [](HWND dialog) { DialogDriver::Click(dialog, IDCANCEL); }}});
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(CNotesEditDlg(text, FALSE).DoModal(), IDCANCEL);
    EXPECT_EQ(driver.StepsLeft(), 0u);
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("Spelling check is complete."), std::string::npos);
    EXPECT_TRUE(GetDictionaryIgnoreNumbers());
    EXPECT_EQ(std::string(text), "qick");
}

TEST_F(NoteTextSpellingTest, MissingDictionariesAreNamedAndTheDialogStillEdits)
{
    SetDictionaryLanguage("Klingon");
    SetDictionaryCheckAfterUpdate(TRUE);
    CString text = "qick";
    DialogDriver driver({{kNotes, [](HWND dialog) {
                              Type(dialog, " zz ");
                              DialogDriver::Click(dialog, IDOK);
                          }}});
    UiTestHook::QueueMessageBoxAnswer(IDOK);
    EXPECT_EQ(CNotesEditDlg(text, FALSE).DoModal(), IDOK);
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("Klingon.lex"), std::string::npos) << UiTestHook::LastMessageBoxText();
    EXPECT_NE(UiTestHook::LastMessageBoxText().find("custom.dic"), std::string::npos);
    EXPECT_EQ(driver.Cancelled(), 0) << "no check without dictionaries";
    EXPECT_EQ(std::string(text), "Qick zz ") << "corrected as typed, not checked";
}

} // namespace

#endif
