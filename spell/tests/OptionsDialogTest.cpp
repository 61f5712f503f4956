// LX_OptionsDialog driven as a user would: the languages of the folder's dictionaries, the
// custom dictionary and the three options come back through the buffers on OK only.
#include "spell/Lexigard.h"
#include "spell/LexigardDialogs.h"
#include "spell/tests/DialogDriver.h"
#include "spell/tests/LexFixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

constexpr char kCaption[] = "Spell Checker Options";

LexLayout language(const char* name)
{
    LexLayout layout;
    layout.language = name;
    return layout;
}

class OptionsDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UiTestHook::Reset();
        m_checker = LX_Init();
        m_folder.Dictionary({ "house" }, language("English"), "English.lex");
        m_folder.Dictionary({ "haus" }, language("Deutsch"), "Deutsch.lex");
        m_folder.Dictionary({ "maison" }, language(""), "Nameless.lex");
        m_folder.WriteText("readme.txt", "not a dictionary");
        std::filesystem::create_directory(m_folder.Path("Folder.lex"));
        std::strcpy(m_custom, "old.dic");
        std::strcpy(m_main, "english.LEX");
    }
    void TearDown() override
    {
        for (auto set : { LX_SetAlwaysSuggest, LX_SetIgnoreWordsInUppercase, LX_SetIgnoreWordsWithNumbers })
            set(m_checker, TRUE);
        LX_Destroy(m_checker);
    }

    BOOL Run(int kind, std::vector<DialogDriver::Step> steps, const std::string& folder = std::string())
    {
        DialogDriver driver(std::move(steps));
        std::string path = folder.empty() ? m_folder.Path("") : folder;
        BOOL result = LX_OptionsDialog(
            m_checker, path.c_str(), m_custom, sizeof m_custom, m_main, sizeof m_main, nullptr, kind);
        EXPECT_EQ(driver.StepsLeft(), 0u);
        EXPECT_EQ(driver.Cancelled(), 0);
        return result;
    }

    TempFolder m_folder;
    LXHANDLE m_checker = nullptr;
    char m_custom[64];
    char m_main[16];
};

std::vector<std::string> languages(HWND dialog)
{
    HWND box = ::GetDlgItem(dialog, IDC_MAIN_FILE);
    std::vector<std::string> names;
    for (int i = 0; i < ::SendMessage(box, CB_GETCOUNT, 0, 0); ++i) {
        char name[64] = "";
        ::SendMessage(box, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
        names.emplace_back(name);
    }
    return names;
}

TEST_F(OptionsDialogTest, OkReturnsTheChosenDictionaryAndOptionsInBothKinds)
{
    for (int kind : { 0, 1 }) {
        std::strcpy(m_custom, "old.dic");
        std::strcpy(m_main, "english.LEX");
        LX_SetIgnoreWordsInUppercase(m_checker, TRUE);
        BOOL result
            = Run(kind, { { kCaption, [kind](HWND dialog) {
                               EXPECT_EQ(languages(dialog),
                                   (std::vector<std::string> { "Deutsch", "English", "Nameless.lex" }));
                               EXPECT_EQ(DialogDriver::Text(dialog, IDC_MAIN_FILE), "English");
                               EXPECT_EQ(DialogDriver::Text(dialog, IDC_CUSTOM_FILE), "old.dic");
                               EXPECT_EQ(::GetDlgItem(dialog, IDC_DOWNLOAD_MORE) != nullptr, kind != 0);
                               ::SendMessage(::GetDlgItem(dialog, IDC_MAIN_FILE), CB_SETCURSEL, 0, 0);
                               DialogDriver::SetText(dialog, IDC_CUSTOM_FILE, "/home/user/new.dic");
                               DialogDriver::Click(dialog, IDC_IGNORE_UPPERCASE);
                               DialogDriver::Click(dialog, IDOK);
                           } } });
        EXPECT_TRUE(result) << kind;
        EXPECT_STREQ(m_main, "Deutsch.lex") << kind;
        EXPECT_STREQ(m_custom, "/home/user/new.dic") << kind;
        EXPECT_FALSE(LX_GetIgnoreWordsInUppercase(m_checker)) << kind;
        EXPECT_TRUE(LX_GetAlwaysSuggest(m_checker)) << kind;
    }
}

TEST_F(OptionsDialogTest, CancelChangesNothing)
{
    BOOL result = Run(0, { { kCaption, [](HWND dialog) {
                                ::SendMessage(::GetDlgItem(dialog, IDC_MAIN_FILE), CB_SETCURSEL, 0, 0);
                                DialogDriver::SetText(dialog, IDC_CUSTOM_FILE, "new.dic");
                                DialogDriver::Click(dialog, IDC_ALWAYS_SUGGEST);
                                DialogDriver::Click(dialog, IDCANCEL);
                            } } });
    EXPECT_FALSE(result);
    EXPECT_STREQ(m_main, "english.LEX");
    EXPECT_STREQ(m_custom, "old.dic");
    EXPECT_TRUE(LX_GetAlwaysSuggest(m_checker));
}

TEST_F(OptionsDialogTest, OkWithoutAnyDictionaryStaysOpen)
{
    TempFolder empty;
    std::string shown;
    BOOL result = Run(0,
        { { kCaption, [](HWND dialog) { DialogDriver::Click(dialog, IDOK); } },
            { kCaption,
                [&shown](HWND dialog) {
                    shown = std::to_string(languages(dialog).size());
                    DialogDriver::Click(dialog, IDCANCEL);
                } } },
        empty.Path(""));
    EXPECT_FALSE(result);
    EXPECT_EQ(shown, "0");
    EXPECT_STREQ(m_main, "english.LEX");
}

TEST_F(OptionsDialogTest, BrowsePutsTheChosenFileIntoTheCustomName)
{
    UiTestHook::QueueFileDialogAnswer("/data/mine.dic");
    BOOL result = Run(0, { { kCaption, [](HWND dialog) {
                                DialogDriver::Click(dialog, IDC_BROWSE);
                                DialogDriver::Click(dialog, IDOK);
                            } } });
    EXPECT_TRUE(result);
    EXPECT_STREQ(m_custom, "/data/mine.dic");
    EXPECT_STREQ(m_main, "English.lex");
}

TEST_F(OptionsDialogTest, ResultsAreCutToTheBuffers)
{
    char custom[5] = "x";
    char main[4] = "y";
    DialogDriver driver({ { kCaption, [](HWND dialog) { DialogDriver::Click(dialog, IDOK); } } });
    std::string folder = m_folder.Path("");
    EXPECT_TRUE(LX_OptionsDialog(m_checker, folder.c_str(), custom, sizeof custom, main, sizeof main, "", 1));
    EXPECT_STREQ(custom, "x");
    EXPECT_STREQ(main, "Deu");
    EXPECT_FALSE(LX_OptionsDialog(m_checker, folder.c_str(), nullptr, 5, main, sizeof main, "", 1));
    EXPECT_FALSE(LX_OptionsDialog(m_checker, folder.c_str(), custom, 0, main, sizeof main, "", 1));
}

} // namespace
