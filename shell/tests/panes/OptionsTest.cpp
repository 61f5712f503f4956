// The Options sheet: what it shows of the stored settings, what OK and Cancel write, range
// checks, and the replacement list that its buttons change in the list file at once.
#include "shell/PropOptions.h"
#include "shell/Settings.h"

#include "PaneFixture.h"
#include "platform/sys/PrivateProfile.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

namespace {

class OptionsTest : public ProgramPaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        dictionaries = home + "/dic";
        SetSettingString(Setting::DictionaryDirectory, dictionaries.c_str());
        // An empty list of the user's own keeps the one that ships out of the way.
        std::filesystem::create_directories(home + "/dic");
        std::ofstream(GetEditableRectivoListFile().GetString(), std::ios::trunc);
    }
    std::string Stored(LPCTSTR key) { return std::string(app->GetProfileString("Settings", key, "(none)")); }
    std::string ListValue(LPCTSTR key)
    {
        char value[256] = {};
        ::GetPrivateProfileString("ReplaceWith", key, "(none)", value, sizeof value, GetRectivoListFile());
        return value;
    }
    void Press(CPropertyPage& page, UINT id) { page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    void Type(CPropertyPage& page, UINT id, LPCTSTR text)
    {
        page.SetDlgItemText(static_cast<int>(id), text);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), 0);
    }

    std::string dictionaries;
};

TEST_F(OptionsTest, TheCustomDictionaryShowsItsNameOnlyInsideTheDictionaryFolder)
{
    struct Case {
        std::string stored;
        std::string shown;
    };
    const Case cases[] = {
        {dictionaries + "/My.dic", "My.dic"},
        {home + "/DIC/My.dic", home + "/DIC/My.dic"},
        {"/elsewhere/My.dic", "/elsewhere/My.dic"},
    };
    for (const Case& c : cases) {
        SetCustomDictionaryFile(c.stored.c_str());
        CPropOptions sheet(CPropOptions::kCaption, nullptr, 0);
        EXPECT_EQ(std::string(sheet.m_spell.m_strCustomDictionary), c.shown);
        sheet.SaveSettings();
        EXPECT_EQ(std::string(GetCustomDictionaryFile()), c.stored);
    }
    CPropOptions sheet(CPropOptions::kCaption, nullptr, 0);
    sheet.m_spell.m_strCustomDictionary = "Other.dic";
    sheet.SaveSettings();
    EXPECT_EQ(std::string(GetCustomDictionaryFile()), dictionaries + "/Other.dic");
}

TEST_F(OptionsTest, AutoSaveShowsWholeMinutesAndKeepsItsSecondsUnlessEdited)
{
    SetAutoSaveInterval(150);
    CPropOptions sheet(CPropOptions::kCaption, nullptr, 0);
    EXPECT_EQ(sheet.m_extras.m_nAutoSaveMinutes, 2);
    sheet.SaveSettings();
    EXPECT_EQ(GetAutoSaveInterval(), 150);
    sheet.m_extras.m_nAutoSaveMinutes = 3;
    sheet.SaveSettings();
    EXPECT_EQ(GetAutoSaveInterval(), 180);
}

TEST_F(OptionsTest, OkWritesEverySettingAndCancelWritesNone)
{
    SetAlarmFlashCount(5);
    const BOOL sound = GetAlarmPlaySound();
    for (int key : {VK_ESCAPE, VK_RETURN}) {
        ScriptedDialog<CPropOptions> sheet(CPropOptions::kCaption, nullptr, 0);
        sheet.steps = {[&] {
                           sheet.SetActivePage(3);
                           sheet.m_alarm.SetDlgItemText(1069, "7");
                           sheet.m_alarm.CheckDlgButton(1064, sound ? BST_UNCHECKED : BST_CHECKED);
                       },
                       [&] { UiTestHook::KeyDown(key); }};
        EXPECT_EQ(sheet.DoModal(), key == VK_RETURN ? IDOK : IDCANCEL);
        EXPECT_EQ(GetAlarmFlashCount(), key == VK_RETURN ? 7 : 5);
        EXPECT_EQ(GetAlarmPlaySound(), key == VK_RETURN ? !sound : sound);
    }
    EXPECT_EQ(Stored("Dictionary.AllwaysSuggest"), std::to_string(GetDictionaryAlwaysSuggest()));
    EXPECT_EQ(Stored("Alarm.CheckDelay"), std::to_string(GetAlarmCheckDelay()));
}

// The Extras page's check box chooses the modal Properties form; only OK stores the choice.
TEST_F(OptionsTest, TheExtrasPageChoosesTheModalPropertiesForm)
{
    for (int key : {VK_ESCAPE, VK_RETURN}) {
        ScriptedDialog<CPropOptions> sheet(CPropOptions::kCaption, nullptr, 0);
        BOOL shown = TRUE;
        sheet.steps = {[&] {
                           sheet.SetActivePage(4);
                           shown = sheet.m_extras.IsDlgButtonChecked(CPropOptionExtras::IdModalProperties);
                           sheet.m_extras.CheckDlgButton(CPropOptionExtras::IdModalProperties, BST_CHECKED);
                       },
                       [&] { UiTestHook::KeyDown(key); }};
        sheet.DoModal();
        EXPECT_FALSE(shown) << "the pane is the default";
        EXPECT_EQ(GetPropertiesModal(), key == VK_RETURN);
    }
    EXPECT_EQ(Stored("Properties.Modal"), "1");
}

// The spelling library's page, the sixth tab, shows what the Spelling Check page holds, and
// what it unticks is unticked there and stored on OK.
TEST_F(OptionsTest, TheLibraryPageEditsTheSpellingChecksOptions)
{
    SetDictionaryAlwaysSuggest(TRUE);
    SetDictionaryIgnoreUppercase(TRUE);
    SetDictionaryIgnoreNumbers(FALSE);
    ScriptedDialog<CPropOptions> sheet(CPropOptions::kCaption, nullptr, 0);
    ASSERT_EQ(sheet.GetPageCount(), 6);
    CPropertyPage* library = sheet.GetPage(5);
    std::vector<UINT> shown, after;
    sheet.steps = {[&] {
                       sheet.SetActivePage(5);
                       for (int box : {201, 202, 203})
                           shown.push_back(library->IsDlgButtonChecked(box));
                       library->CheckDlgButton(202, BST_UNCHECKED);
                       library->CheckDlgButton(203, BST_CHECKED);
                       sheet.SetActivePage(0);
                       for (int box : {101, 102, 103})
                           after.push_back(sheet.m_spell.IsDlgButtonChecked(box));
                   },
                   [&] { UiTestHook::KeyDown(VK_RETURN); }};
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(library->m_strCaption, CString("General"));
    EXPECT_EQ(shown, (std::vector<UINT>{BST_CHECKED, BST_CHECKED, BST_UNCHECKED}));
    // 101 always suggest, 102 uppercase, 103 numbers.
    EXPECT_EQ(after, (std::vector<UINT>{BST_CHECKED, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_TRUE(GetDictionaryAlwaysSuggest());
    EXPECT_FALSE(GetDictionaryIgnoreUppercase());
    EXPECT_TRUE(GetDictionaryIgnoreNumbers());
}

// Six tabs are wider than the pages: the sheet grows until the last tab shows whole.
TEST_F(OptionsTest, EveryTabShows)
{
    ScriptedDialog<CPropOptions> sheet(CPropOptions::kCaption, nullptr, 0);
    CRect last, row;
    sheet.steps = {[&] {
                       CTabCtrl* tabs = sheet.GetTabControl();
                       tabs->GetItemRect(tabs->GetItemCount() - 1, &last);
                       tabs->GetClientRect(&row);
                   },
                   [&] { UiTestHook::KeyDown(VK_ESCAPE); }};
    sheet.DoModal();
    EXPECT_GT(last.right, 0);
    EXPECT_LE(last.right, row.right);
}

TEST_F(OptionsTest, AValueOutOfRangeKeepsTheSheetOpenAndStoresNothing)
{
    ScriptedDialog<CPropOptions> sheet(CPropOptions::kCaption, nullptr, 0);
    int boxes = 0;
    sheet.steps = {[&] {
                       sheet.SetActivePage(3);
                       sheet.m_alarm.SetDlgItemText(1069, "101");
                       boxes = UiTestHook::MessageBoxCount();
                       UiTestHook::QueueMessageBoxAnswer(IDOK);
                       sheet.PressButton(PSBTN_OK);
                   },
                   [&] {
                       EXPECT_EQ(UiTestHook::MessageBoxCount(), boxes + 1);
                       EXPECT_TRUE(sheet.m_hWnd != nullptr) << "still open";
                       sheet.PressButton(PSBTN_CANCEL);
                   }};
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(Stored("Alarm.Flashcount"), "(none)");
}

TEST_F(OptionsTest, ListButtonsWriteTheFileAtOnceAndKeepLongKeysWhole)
{
    const std::string longKey(40, 'k');
    ::WritePrivateProfileString("ReplaceWith", "teh", "the", GetRectivoListFile());
    ::WritePrivateProfileString("ReplaceWith", longKey.c_str(), "long", GetRectivoListFile());
    SetRectivoReplaceText(TRUE);
    ScriptedDialog<CPropOptions> sheet(CPropOptions::kCaption, nullptr, 0);
    CPropOptionRectivo& page = sheet.m_rectivo;
    sheet.steps = {[&] { sheet.SetActivePage(1); },
                   [&] {
                       CListCtrl& list = page.GetList();
                       ASSERT_EQ(list.GetItemCount(), 2);
                       EXPECT_EQ(list.GetItemText(1, 0).GetLength(), 31);
                       EXPECT_EQ(std::string(page.GetRowKey(1)), longKey);
                       Type(page, 1024, "adn");
                       Type(page, 1025, "and");
                       EXPECT_TRUE(page.GetDlgItem(1026)->IsWindowEnabled());
                       Press(page, 1026);
                       list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
                       Type(page, 1025, "longer");
                       Press(page, 1027);
                       list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
                       list.SetItemState(1, 0, LVIS_SELECTED);
                       Press(page, 1028);
                       EXPECT_EQ(list.GetItemCount(), 2);
                   },
                   [&] { sheet.PressButton(PSBTN_CANCEL); }};
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(ListValue("adn"), "and");
    EXPECT_EQ(ListValue(longKey.c_str()), "longer");
    EXPECT_EQ(ListValue("teh"), "(none)");
}

TEST_F(OptionsTest, UncheckingReplaceAsYouTypeDisablesTheListPart)
{
    SetRectivoReplaceText(TRUE);
    ScriptedDialog<CPropOptions> sheet(CPropOptions::kCaption, nullptr, 0);
    CPropOptionRectivo& page = sheet.m_rectivo;
    sheet.steps = {[&] { sheet.SetActivePage(1); },
                   [&] {
                       EXPECT_TRUE(page.GetDlgItem(1023)->IsWindowEnabled());
                       page.CheckDlgButton(204, BST_UNCHECKED);
                       Press(page, 204);
                       for (UINT id : {1023u, 1024u, 1025u, 1026u, 1027u, 1028u})
                           EXPECT_FALSE(page.GetDlgItem(static_cast<int>(id))->IsWindowEnabled()) << id;
                       sheet.PressButton(PSBTN_CANCEL);
                   }};
    sheet.DoModal();
}

} // namespace
