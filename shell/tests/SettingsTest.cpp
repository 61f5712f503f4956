// The settings table against the stored profile: names, sections, defaults, flag reading,
// folders from the program folder, and stored paths completed onto native paths.
#include "shell/Settings.h"

#include "shell/SelectLanguageDlg.h"

#include "platform/sys/Profile.h"
#include "platform/ui/WinApp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/vantrel-settings-XXXXXX";
        m_home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", m_home.c_str(), 1);
        setenv("XDG_DATA_HOME", (m_home + "/share").c_str(), 1);
        m_app = std::make_unique<CWinApp>("Vantrel Q8");
        m_app->SetRegistryKey("Korvane");
        char cwd[512];
        m_cwd = getcwd(cwd, sizeof cwd);
    }
    void TearDown() override
    {
        m_app.reset();
        chdir(m_cwd.c_str());
        fs::remove_all(m_home);
        unsetenv("XDG_DATA_HOME");
    }
    // Where the user's data of the product lives in this test.
    CString Data(const char* name) const { return (m_home + "/share/Korvane/Vantrel Q8" + name).c_str(); }
    std::string ProfileText()
    {
        m_app->GetProfile().Flush();
        std::ifstream in(m_app->GetProfile().GetPath());
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::string m_home, m_cwd;
    std::unique_ptr<CWinApp> m_app;
};

struct KeyRow {
    Setting setting;
    const char* name;
    const char* section;
    int defaultValue;
};

// The stored names, misspellings included, and the defaults of every numeric key.
constexpr KeyRow kNumericKeys[] = {
    {Setting::StartUpTime, "StartUpTime", "Settings", 2000},
    {Setting::OpenLastDoc, "OpenLastDoc", "Settings", 1},
    {Setting::Theme, "Theme", "Settings", 2},
    {Setting::ShowLayerPane, "ShowLayerPane", "Settings", 0},
    {Setting::ShowProperties, "ShowProperties", "Settings", 0},
    {Setting::DictionaryCheckAfterUpdate, "Dictionary.CheckAfterUpdate", "Settings", 1},
    {Setting::DictionaryCheckBeforeSave, "Dictionary.CheckBeforSave", "Settings", 0},
    {Setting::DictionaryIgnoreNumbers, "Dictionary.IgnorNumbers", "Settings", 1},
    {Setting::DictionaryIgnoreUppercase, "Dictionary.IgnorUppercase", "Settings", 1},
    {Setting::DictionaryAlwaysSuggest, "Dictionary.AllwaysSuggest", "Settings", 1},
    {Setting::AlarmCheckDelay, "Alarm.CheckDelay", "Settings", 10},
    {Setting::AlarmEnabled, "Alarm.Enabled", "Settings", 1},
    {Setting::AlarmAutodeactivate, "Alarm.Autodeactivate", "Settings", 1},
    {Setting::AlarmAutoactivate, "Alarm.Autoactivate", "Settings", 1},
    {Setting::AlarmFlashWindow, "Alarm.Flashwindow", "Settings", 1},
    {Setting::AlarmFlashCount, "Alarm.Flashcount", "Settings", 3},
    {Setting::AlarmPlaySound, "Alarm.Playsound", "Settings", 1},
    {Setting::AlarmShowBitmap, "Alarm.Showbitmap", "Settings", 1},
    {Setting::RectivoCorrectTwoInitCaps, "Rectivo.CorrectTwoInitCaps", "Settings", 1},
    {Setting::RectivoCapitalizeSentence, "Rectivo.CapitalizeSentence", "Settings", 1},
    {Setting::RectivoCorrectCapsLock, "Rectivo.CorrectCapsLock", "Settings", 1},
    {Setting::RectivoReplaceText, "Rectivo.ReplaceText", "Settings", 1},
    {Setting::AutoSave, "AutoSave", "Settings", 120},
    {Setting::CalendarLeft, "Calender.Left", "Frame", 0},
    {Setting::CalendarWidth, "Calender.Width", "Frame", 0},
    {Setting::CalendarTop, "Calender.Top", "Frame", 0},
    {Setting::CalendarHeight, "Calender.Height", "Frame", 0},
    {Setting::PropertiesModal, "Properties.Modal", "Settings", 0},
};

TEST_F(SettingsTest, EveryNumericKeyHasItsNameSectionAndDefault)
{
    for (const KeyRow& row : kNumericKeys) {
        EXPECT_STREQ(KeyOf(row.setting).name, row.name);
        EXPECT_STREQ(KeyOf(row.setting).section, row.section) << row.name;
        EXPECT_EQ(GetSettingInt(row.setting), row.defaultValue) << row.name;
        SetSettingInt(row.setting, 77);
        EXPECT_EQ(static_cast<int>(m_app->GetProfileInt(row.section, row.name, -5)), 77) << row.name;
    }
}

TEST_F(SettingsTest, FlagsAreTrueOnlyAboveZeroAndIntegersHaveNoBounds)
{
    const std::pair<int, BOOL> cases[] = {{0, FALSE}, {-1, FALSE}, {1, TRUE}, {2, TRUE}};
    for (auto [stored, expected] : cases) {
        m_app->WriteProfileInt("Settings", "Alarm.Enabled", stored);
        EXPECT_EQ(GetAlarmEnabled(), expected) << stored;
    }
    SetAlarmFlashCount(-40);
    EXPECT_EQ(GetAlarmFlashCount(), -40);
    SetAlarmCheckDelay(100000);
    EXPECT_EQ(GetAlarmCheckDelay(), 100000);
}

TEST_F(SettingsTest, EmptyStringsFallBackWithoutBeingWrittenBack)
{
    const CString program = GetProgramFolder();
    EXPECT_EQ(GetCustomDictionaryFile(), Data("/Custom.dic"));
    EXPECT_EQ(GetDictionaryLanguage(), CString("English (USA)"));
    EXPECT_EQ(GetSettingString(Setting::WebDirectory), program + "/Web");
    EXPECT_EQ(ProfileText().find("Dictionary.CustomFileName"), std::string::npos);

    SetDictionaryLanguage("Deutsch");
    EXPECT_EQ(GetDictionaryLanguage(), CString("Deutsch"));
    EXPECT_NE(ProfileText().find("Dictionary.Language=Deutsch"), std::string::npos);
}

// Entering them would leave file dialogs and relative names in the program's own folders.
TEST_F(SettingsTest, DataFoldersAreMadeButNotEnteredAndFilesNamedAfterTheLanguage)
{
    const fs::path before = fs::current_path();
    const std::string web = m_home + "/web data";
    SetSettingString(Setting::WebDirectory, web.c_str());
    EXPECT_EQ(GetWebFolder(), CString(web.c_str()));
    EXPECT_TRUE(fs::is_directory(web));
    EXPECT_EQ(fs::current_path(), before);

    const std::string dictionary = m_home + "/dict";
    SetSettingString(Setting::DictionaryDirectory, dictionary.c_str());
    SetDictionaryLanguage("English (UK)");
    EXPECT_EQ(GetDictionaryFile(), CString((dictionary + "/English (UK).lex").c_str()));
    EXPECT_TRUE(fs::is_directory(dictionary));
    EXPECT_EQ(fs::current_path(), before);
    EXPECT_EQ(GetRectivoListFile(), CString((dictionary + "/English (UK).acr").c_str()));
}

// What the program writes goes below the user's data folder; what it ships is read beside it.
TEST_F(SettingsTest, WrittenDataLivesInTheDataFolderAndShippedDataBesideTheProgram)
{
    const CString program = GetProgramFolder();
    const std::pair<CString, CString> cases[] = {
        {GetDictionaryFolder(), Data("/Dictionary")}, {GetCatalogFolder(), Data("/Catalog")},
        {GetNotesFolder(), Data("/Notes")},           {GetBitmapFolder(), Data("/Bitmap")},
        {GetProjectFolder(), Data("/Project")},       {GetLostAndFoundFile(), Data("/Language/Lost & Found.lng")},
        {GetWebFolder(), program + "/Web"},           {GetLanguageFile(), program + "/Language/Current.lng"},
        {GetShippedDictionaryFolder(), program + "/Dictionary"},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(path, expected);
    EXPECT_TRUE(fs::is_directory(Data("/Dictionary").GetString()));
    EXPECT_TRUE(fs::is_directory(Data("/Language").GetString()));
}

TEST_F(SettingsTest, AnUnusableDataHomeFallsBackToTheHomeFolder)
{
    const char* saved = std::getenv("HOME");
    const std::string keep = saved ? saved : "";
    setenv("HOME", m_home.c_str(), 1);
    setenv("XDG_DATA_HOME", "relative/share", 1); // not absolute: ignored
    EXPECT_EQ(GetDataFolder(), CString((m_home + "/.local/share/Korvane/Vantrel Q8").c_str()));
    EXPECT_TRUE(fs::is_directory(m_home + "/.local/share/Korvane/Vantrel Q8"));
    setenv("HOME", keep.c_str(), 1);
}

// A dictionary the user downloaded wins over the shipped one of the same language; without
// either, the user's path is named, where a download would put it.
TEST_F(SettingsTest, TheLanguageFilesAreTheUsersElseTheShippedOnes)
{
    const CString shipped = GetShippedDictionaryFolder() + "/" + GetDictionaryLanguage() + ".lex";
    if (fs::exists(shipped.GetString())) {
        EXPECT_EQ(GetDictionaryFile(), shipped);
    }
    const CString own = Data("/Dictionary/") + GetDictionaryLanguage() + ".lex";
    std::ofstream(own.GetString()) << "x";
    EXPECT_EQ(GetDictionaryFile(), own);
    SetDictionaryLanguage("Klingon");
    EXPECT_EQ(GetDictionaryFile(), Data("/Dictionary/Klingon.lex"));
    EXPECT_EQ(GetRectivoListFile(), Data("/Dictionary/Klingon.acr"));
}

// The Select dialog lists the downloaded dictionaries and the shipped ones, each name once.
TEST_F(SettingsTest, TheDictionaryListHoldsTheUsersAndTheShippedDictionaries)
{
    const std::set<CString> shipped = [] {
        std::set<CString> names;
        for (const auto& entry : fs::directory_iterator(GetShippedDictionaryFolder().GetString()))
            if (entry.path().extension() == ".lex")
                names.insert(entry.path().stem().c_str());
        return names;
    }();
    std::set<CString> expected = shipped;
    for (const char* name : {"Klingon", "English (USA)"}) {
        std::ofstream((GetDictionaryFolder() + "/" + name + ".lex").GetString()) << "x";
        expected.insert(name);
    }
    std::ofstream((GetDictionaryFolder() + "/Notes.txt").GetString()) << "x";
    EXPECT_EQ(CSelectLanguageDlg::InstalledDictionaries(), expected);
}

TEST_F(SettingsTest, CurrentFolderIsRememberedAndRestored)
{
    const CString start = GetCurrentFolder(TRUE);
    SetCurrentFolder(m_home.c_str());
    EXPECT_EQ(GetCurrentFolder(FALSE), CString(m_home.c_str()));
    SetCurrentFolder("");
    EXPECT_EQ(GetCurrentFolder(FALSE), start);
}

TEST(MakeAbsolutePathTest, StoredPathsMapOntoNativePaths)
{
    struct Row {
        const char* base;
        const char* path;
        const char* expected;
    };
    const Row rows[] = {
        {"/data/Projects/", "..\\..\\Docs\\a.trn", "/Docs/a.trn"},
        {"/data", "\\sub\\b.trn", "/data/sub/b.trn"},
        {"/data/p", "sub\\c.trn", "/data/p/sub/c.trn"},
        {"/data/p", "../q/d.trn", "/data/q/d.trn"},
        {"/data/p", "/home/u/e.trn", "/home/u/e.trn"},
        {"/data/p", "D:\\x.trn", "D:\\x.trn"},
        {"/data/p", "\\\\server\\share\\x.trn", "\\\\server\\share\\x.trn"},
        {"C:\\Data\\Projects\\", "..\\..\\Docs\\a.trn", "C:/Docs/a.trn"},
        {"/data", "..\\..\\..\\f.trn", "/f.trn"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MakeAbsolutePath(row.base, row.path), CString(row.expected)) << row.base << " + " << row.path;
}

} // namespace
