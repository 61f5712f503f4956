#include "shell/Settings.h"

#include "objects/DocFiles.h"
#include "platform/sys/Profile.h"
#include "platform/core/System.h"
#include "platform/ui/WinApp.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

using enum SettingKind;

constexpr LPCTSTR kSettings = "Settings";
constexpr LPCTSTR kFrame = "Frame";

// In the order of the Setting enumeration. The misspelt names are the stored ones.
constexpr SettingKey kKeys[] = {
    {"StartUpTime", kSettings, Int, 2000, nullptr, 0},
    {"OpenLastDoc", kSettings, Int, 1, nullptr, 0},
    {"Theme", kSettings, Int, 2, nullptr, 0},
    {"ShowLayerPane", kSettings, Flag, 0, nullptr, 0},
    {"ShowProperties", kSettings, Flag, 0, nullptr, 0},
    {"Dictionary.Directory", kSettings, String, 0, "/Dictionary", 0},
    {"Catalog.Directory", kSettings, String, 0, "/Catalog", 0},
    {"Web.Directory", kSettings, String, 0, "/Web", 0, true},
    {"Notes.Directory", kSettings, String, 0, "/Notes", 0},
    {"Dictionary.Language", kSettings, String, 0, nullptr, 0},
    {"Dictionary.CustomFileName", kSettings, String, 0, "/Custom.dic", 0},
    {"Dictionary.INS", kSettings, String, 0, nullptr, 148},
    {"DictionaryThemes.INS", kSettings, String, 0, nullptr, 164},
    {"Dictionary.CheckAfterUpdate", kSettings, Flag, 1, nullptr, 0},
    {"Dictionary.CheckBeforSave", kSettings, Flag, 0, nullptr, 0},
    {"Dictionary.IgnorNumbers", kSettings, Flag, 1, nullptr, 0},
    {"Dictionary.IgnorUppercase", kSettings, Flag, 1, nullptr, 0},
    {"Dictionary.AllwaysSuggest", kSettings, Flag, 1, nullptr, 0},
    {"Alarm.CheckDelay", kSettings, Int, 10, nullptr, 0},
    {"Alarm.Enabled", kSettings, Flag, 1, nullptr, 0},
    {"Alarm.Autodeactivate", kSettings, Flag, 1, nullptr, 0},
    {"Alarm.Autoactivate", kSettings, Flag, 1, nullptr, 0},
    {"Alarm.Flashwindow", kSettings, Flag, 1, nullptr, 0},
    {"Alarm.Flashcount", kSettings, Int, 3, nullptr, 0},
    {"Alarm.Playsound", kSettings, Flag, 1, nullptr, 0},
    {"Alarm.Showbitmap", kSettings, Flag, 1, nullptr, 0},
    {"Rectivo.CorrectTwoInitCaps", kSettings, Flag, 1, nullptr, 0},
    {"Rectivo.CapitalizeSentence", kSettings, Flag, 1, nullptr, 0},
    {"Rectivo.CorrectCapsLock", kSettings, Flag, 1, nullptr, 0},
    {"Rectivo.ReplaceText", kSettings, Flag, 1, nullptr, 0},
    {"AutoSave", kSettings, Int, 120, nullptr, 0},
    {"Calender.Left", kFrame, Int, 0, nullptr, 0},
    {"Calender.Width", kFrame, Int, 0, nullptr, 0},
    {"Calender.Top", kFrame, Int, 0, nullptr, 0},
    {"Calender.Height", kFrame, Int, 0, nullptr, 0},
    {"Properties.Modal", kSettings, Flag, 0, nullptr, 0},
};
static_assert(std::size(kKeys) == static_cast<size_t>(Setting::PropertiesModal) + 1);

constexpr LPCTSTR kDefaultLanguage = "English (USA)";

CString startFolder;
CString savedCurrentFolder;

CString DefaultString(const SettingKey& key)
{
    if (key.defaultFolder)
        return (key.shipped ? GetProgramFolder() : GetDataFolder()) + key.defaultFolder;
    CString text;
    if (key.defaultStringId)
        text.LoadString(key.defaultStringId);
    else if (&key == &kKeys[static_cast<int>(Setting::DictionaryLanguage)])
        text = kDefaultLanguage;
    return text;
}

BOOL IsSeparator(char c) { return c == '\\' || c == '/'; }

// A data folder: made when missing, but not entered: the current folder stays where the user's
// files are, and callers use the absolute path they get.
CString DataFolder(const CString& folder)
{
    MakeDirectory(folder, FALSE);
    return folder;
}

BOOL FileExists(const CString& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(static_cast<const char*>(path), error);
}

CString OwnLanguageFile(LPCTSTR extension) { return GetDictionaryFolder() + "/" + GetDictionaryLanguage() + extension; }

CString LanguageFileOf(LPCTSTR extension)
{
    const CString own = OwnLanguageFile(extension);
    const CString shipped = GetShippedDictionaryFolder() + "/" + GetDictionaryLanguage() + extension;
    return !FileExists(own) && FileExists(shipped) ? shipped : own;
}

} // namespace

std::span<const SettingKey> SettingKeys() { return kKeys; }

const SettingKey& KeyOf(Setting setting) { return kKeys[static_cast<int>(setting)]; }

BOOL FindSetting(LPCTSTR name, Setting* setting)
{
    const auto keys = SettingKeys();
    for (size_t i = 0; i < keys.size(); ++i)
        if (CString(keys[i].name) == name) {
            *setting = static_cast<Setting>(i);
            return TRUE;
        }
    return FALSE;
}

int GetSettingInt(Setting setting)
{
    const SettingKey& key = KeyOf(setting);
    return static_cast<int>(AfxGetApp()->GetProfileInt(key.section, key.name, key.defaultInt));
}

BOOL GetSettingFlag(Setting setting) { return GetSettingInt(setting) > 0; }

CString GetSettingString(Setting setting)
{
    const SettingKey& key = KeyOf(setting);
    CString value = AfxGetApp()->GetProfileString(key.section, key.name, "");
    return value.IsEmpty() ? DefaultString(key) : value;
}

BOOL SetSettingInt(Setting setting, int value)
{
    HoldSettingsFile(FALSE);
    const SettingKey& key = KeyOf(setting);
    return AfxGetApp()->WriteProfileInt(key.section, key.name, value);
}

BOOL SetSettingString(Setting setting, LPCTSTR value)
{
    HoldSettingsFile(FALSE);
    const SettingKey& key = KeyOf(setting);
    return AfxGetApp()->WriteProfileString(key.section, key.name, value);
}

void HoldSettingsFile(BOOL hold) { AfxGetApp()->GetProfile().HoldWrites(hold); }

BOOL IsSettingsFileHeld() { return AfxGetApp()->GetProfile().IsHeld(); }

#define VANTREL_FLAG_SETTING(Name, key)                                                                                \
    BOOL Get##Name() { return GetSettingFlag(Setting::key); }                                                         \
    void Set##Name(BOOL on) { SetSettingInt(Setting::key, on); }
#define VANTREL_INT_SETTING(Name, key)                                                                           \
    int Get##Name() { return GetSettingInt(Setting::key); }                                                           \
    void Set##Name(int value) { SetSettingInt(Setting::key, value); }
#define VANTREL_STRING_SETTING(Name, key)                                                                              \
    CString Get##Name() { return GetSettingString(Setting::key); }                                                    \
    void Set##Name(LPCTSTR value) { SetSettingString(Setting::key, value); }

VANTREL_STRING_SETTING(DictionaryLanguage, DictionaryLanguage)
VANTREL_STRING_SETTING(CustomDictionaryFile, DictionaryCustomFileName)
VANTREL_FLAG_SETTING(DictionaryCheckAfterUpdate, DictionaryCheckAfterUpdate)
VANTREL_FLAG_SETTING(DictionaryCheckBeforeSave, DictionaryCheckBeforeSave)
VANTREL_FLAG_SETTING(DictionaryIgnoreNumbers, DictionaryIgnoreNumbers)
VANTREL_FLAG_SETTING(DictionaryIgnoreUppercase, DictionaryIgnoreUppercase)
VANTREL_FLAG_SETTING(DictionaryAlwaysSuggest, DictionaryAlwaysSuggest)
VANTREL_INT_SETTING(AlarmCheckDelay, AlarmCheckDelay)
VANTREL_FLAG_SETTING(AlarmEnabled, AlarmEnabled)
VANTREL_FLAG_SETTING(AlarmAutodeactivate, AlarmAutodeactivate)
VANTREL_FLAG_SETTING(AlarmAutoactivate, AlarmAutoactivate)
VANTREL_FLAG_SETTING(AlarmFlashWindow, AlarmFlashWindow)
VANTREL_INT_SETTING(AlarmFlashCount, AlarmFlashCount)
VANTREL_FLAG_SETTING(AlarmPlaySound, AlarmPlaySound)
VANTREL_FLAG_SETTING(AlarmShowBitmap, AlarmShowBitmap)
VANTREL_FLAG_SETTING(RectivoCorrectTwoInitCaps, RectivoCorrectTwoInitCaps)
VANTREL_FLAG_SETTING(RectivoCapitalizeSentence, RectivoCapitalizeSentence)
VANTREL_FLAG_SETTING(RectivoCorrectCapsLock, RectivoCorrectCapsLock)
VANTREL_FLAG_SETTING(RectivoReplaceText, RectivoReplaceText)
VANTREL_INT_SETTING(AutoSaveInterval, AutoSave)
VANTREL_INT_SETTING(CalendarLeft, CalendarLeft)
VANTREL_INT_SETTING(CalendarWidth, CalendarWidth)
VANTREL_INT_SETTING(CalendarTop, CalendarTop)
VANTREL_INT_SETTING(CalendarHeight, CalendarHeight)
VANTREL_FLAG_SETTING(PropertiesModal, PropertiesModal)

CString GetDictionaryINS() { return GetSettingString(Setting::DictionaryIns); }

CString GetDictionaryThemesINS() { return GetSettingString(Setting::DictionaryThemesIns); }

CString GetProgramFolder()
{
    char path[1024] = {};
    GetModuleFileName(nullptr, path, sizeof path);
    CString module(path);
    int last = std::max(module.ReverseFind('/'), module.ReverseFind('\\'));
    return last < 0 ? CString() : module.Left(last);
}

CString GetDataFolder()
{
    const CWinApp* app = AfxGetApp();
    const std::string folder = CProfile::DataFolderFor(app->m_pszRegistryKey, app->m_pszProfileName);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder.c_str();
}

CString MakeAbsolutePath(CString base, CString path)
{
    const bool drive = path.GetLength() >= 3 && isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                       IsSeparator(path[2]);
    if (drive || path.Left(2) == "\\\\" || path.Left(1) == "/")
        return path;
    path.Replace('\\', '/');
    if (!base.IsEmpty() && IsSeparator(base[base.GetLength() - 1]))
        base = base.Left(base.GetLength() - 1);
    if (path.Left(1) == "/")
        path = path.Mid(1);
    while (path.Left(3) == "../") {
        path = path.Mid(3);
        int last = std::max(base.ReverseFind('/'), base.ReverseFind('\\'));
        base = last < 0 ? CString() : base.Left(last);
    }
    return base + "/" + path;
}

CString GetCurrentFolder(BOOL remember)
{
    char folder[260] = {};
    CString current = _getcwd(folder, sizeof folder) ? CString(folder) : CString();
    if (remember)
        savedCurrentFolder = current;
    return current;
}

void SetCurrentFolder(const CString& path) { _chdir(path.IsEmpty() ? savedCurrentFolder : path); }

void RememberStartFolder() { startFolder = GetCurrentFolder(FALSE); }

CString GetStartFolder() { return startFolder; }

CString GetDictionaryFolder() { return DataFolder(GetSettingString(Setting::DictionaryDirectory)); }

CString GetShippedDictionaryFolder() { return GetProgramFolder() + "/Dictionary"; }

CString GetBitmapFolder() { return DataFolder(GetDataFolder() + "/Bitmap"); }

CString GetAutoSaveFolder() { return DataFolder(GetDataFolder() + "/Autosave"); }

CString GetCatalogFolder() { return DataFolder(GetSettingString(Setting::CatalogDirectory)); }

CString GetWebFolder() { return DataFolder(GetSettingString(Setting::WebDirectory)); }

CString GetNotesFolder() { return DataFolder(GetSettingString(Setting::NotesDirectory)); }

CString GetShippedNotesFolder() { return GetProgramFolder() + "/Notes"; }

CString GetHelpFolder() { return GetProgramFolder() + "/Help"; }

CString GetHelpFile() { return GetHelpFolder() + "/index.html"; }

CString GetProjectFolder() { return GetDataFolder() + "/Project"; }

CString GetLanguageFile() { return GetProgramFolder() + "/Language/Current.lng"; }

CString GetLostAndFoundFile() { return DataFolder(GetDataFolder() + "/Language") + "/Lost & Found.lng"; }

CString GetDictionaryFile() { return LanguageFileOf(".lex"); }

CString GetRectivoListFile() { return LanguageFileOf(".acr"); }

CString GetEditableRectivoListFile()
{
    const CString own = OwnLanguageFile(".acr"), current = GetRectivoListFile();
    std::error_code error;
    if (current != own)
        std::filesystem::copy_file(current.GetString(), own.GetString(), error);
    return own;
}
