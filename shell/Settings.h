// The program's settings: one getter and one setter per profile key, over a table of the keys
// with their sections and defaults, and the folder helpers that find the data folders and
// complete stored relative paths. Every getter reads the profile afresh.
#pragma once

#include "platform/core/String.h"
#include "platform/core/Types.h"

#include <span>

enum class SettingKind { Int, Flag, String };

struct SettingKey {
    LPCTSTR name;
    LPCTSTR section;
    SettingKind kind;
    int defaultInt;
    // The folder or file below the user's data folder that an empty string setting stands for
    // (below the program folder when it is shipped with the program), or the string resource
    // id of its default address (0: none).
    LPCTSTR defaultFolder;
    UINT defaultStringId;
    bool shipped = false;
};

// Index into the key table.
enum class Setting {
    StartUpTime, OpenLastDoc, Theme, ShowLayerPane, ShowProperties,
    DictionaryDirectory, CatalogDirectory, WebDirectory, NotesDirectory, DictionaryLanguage,
    DictionaryCustomFileName, DictionaryIns, DictionaryThemesIns, DictionaryCheckAfterUpdate,
    DictionaryCheckBeforeSave, DictionaryIgnoreNumbers, DictionaryIgnoreUppercase, DictionaryAlwaysSuggest,
    AlarmCheckDelay, AlarmEnabled, AlarmAutodeactivate, AlarmAutoactivate, AlarmFlashWindow, AlarmFlashCount,
    AlarmPlaySound, AlarmShowBitmap, RectivoCorrectTwoInitCaps, RectivoCapitalizeSentence,
    RectivoCorrectCapsLock, RectivoReplaceText, AutoSave, CalendarLeft, CalendarWidth, CalendarTop,
    CalendarHeight, PropertiesModal,
};

std::span<const SettingKey> SettingKeys();
const SettingKey& KeyOf(Setting setting);
// The setting stored under a key name ("Alarm.Flashcount"); FALSE for a name not in the table.
BOOL FindSetting(LPCTSTR name, Setting* setting);

// Integers as stored (or the default); flags TRUE when the stored integer is above 0; strings
// as stored, or the default when empty (never written back).
int GetSettingInt(Setting setting);
BOOL GetSettingFlag(Setting setting);
CString GetSettingString(Setting setting);
// A change the user asked for: it is written even over a settings file that could not be
// read whole at start-up.
BOOL SetSettingInt(Setting setting, int value);
BOOL SetSettingString(Setting setting, LPCTSTR value);

// A settings file that held lines the store could not read is kept as it is until the user
// changes a setting: until then the program's own bookkeeping (bars, panes, theme, recent
// files) is not saved.
void HoldSettingsFile(BOOL hold);
BOOL IsSettingsFileHeld();

CString GetDictionaryLanguage();
void SetDictionaryLanguage(LPCTSTR language);
CString GetCustomDictionaryFile();
void SetCustomDictionaryFile(LPCTSTR path);
CString GetDictionaryINS();
CString GetDictionaryThemesINS();
BOOL GetDictionaryCheckAfterUpdate();
void SetDictionaryCheckAfterUpdate(BOOL on);
BOOL GetDictionaryCheckBeforeSave();
void SetDictionaryCheckBeforeSave(BOOL on);
BOOL GetDictionaryIgnoreNumbers();
void SetDictionaryIgnoreNumbers(BOOL on);
BOOL GetDictionaryIgnoreUppercase();
void SetDictionaryIgnoreUppercase(BOOL on);
BOOL GetDictionaryAlwaysSuggest();
void SetDictionaryAlwaysSuggest(BOOL on);
int GetAlarmCheckDelay();
void SetAlarmCheckDelay(int tenths);
BOOL GetAlarmEnabled();
void SetAlarmEnabled(BOOL on);
BOOL GetAlarmAutodeactivate();
void SetAlarmAutodeactivate(BOOL on);
BOOL GetAlarmAutoactivate();
void SetAlarmAutoactivate(BOOL on);
BOOL GetAlarmFlashWindow();
void SetAlarmFlashWindow(BOOL on);
int GetAlarmFlashCount();
void SetAlarmFlashCount(int count);
BOOL GetAlarmPlaySound();
void SetAlarmPlaySound(BOOL on);
BOOL GetAlarmShowBitmap();
void SetAlarmShowBitmap(BOOL on);
BOOL GetRectivoCorrectTwoInitCaps();
void SetRectivoCorrectTwoInitCaps(BOOL on);
BOOL GetRectivoCapitalizeSentence();
void SetRectivoCapitalizeSentence(BOOL on);
BOOL GetRectivoCorrectCapsLock();
void SetRectivoCorrectCapsLock(BOOL on);
BOOL GetRectivoReplaceText();
void SetRectivoReplaceText(BOOL on);
int GetAutoSaveInterval();
void SetAutoSaveInterval(int seconds);
int GetCalendarLeft();
void SetCalendarLeft(int value);
int GetCalendarWidth();
void SetCalendarWidth(int value);
int GetCalendarTop();
void SetCalendarTop(int value);
int GetCalendarHeight();
void SetCalendarHeight(int value);
// Properties are edited in a modal form instead of the Properties pane.
BOOL GetPropertiesModal();
void SetPropertiesModal(BOOL on);

// The folder of the program file: what the program ships, read only.
CString GetProgramFolder();
// The user's data folder ($XDG_DATA_HOME, else ~/.local/share, + "/<maker>/<product>"), made
// with its parents when missing: everything the program writes goes below it.
CString GetDataFolder();
// A stored path completed against `base`: drive and network paths and absolute native paths
// stay as they are; "\" and "/" both separate, each leading "..\" takes a folder off the base.
CString MakeAbsolutePath(CString base, CString path);
CString GetCurrentFolder(BOOL remember);
// An empty path goes back to the folder remembered by GetCurrentFolder (TRUE).
void SetCurrentFolder(const CString& path);
void RememberStartFolder();
CString GetStartFolder();

// Data folders: made when missing and entered (callers that rely on the current folder set it
// again afterwards). The dictionary folder receives downloads; the shipped dictionaries lie in
// the program's own folder, which is only read.
CString GetDictionaryFolder();
CString GetShippedDictionaryFolder();
CString GetBitmapFolder();
// The data folder's "Autosave" folder: copies of documents that were never saved.
CString GetAutoSaveFolder();
CString GetCatalogFolder();
CString GetWebFolder();
CString GetNotesFolder();
CString GetShippedNotesFolder();
CString GetProjectFolder();
// The help pages the program ships; the contents page opens first.
CString GetHelpFolder();
CString GetHelpFile();
// The language texts the program ships, and where the texts it missed are written.
CString GetLanguageFile();
CString GetLostAndFoundFile();
// The language's file of that extension: the user's (downloaded or edited) copy in the
// dictionary folder, else the shipped one, else the user's path, where it would be made.
CString GetDictionaryFile();
CString GetRectivoListFile();
// The user's own replacement list, a copy of the shipped one until the user edits it.
CString GetEditableRectivoListFile();
