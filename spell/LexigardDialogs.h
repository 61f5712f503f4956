// The library's own dialog templates and the ids of their controls. The templates are
// registered with the window layer the first time a dialog of the library is run.
#pragma once

#include "platform/core/Types.h"

enum LexigardDialog : UINT {
    IDD_SPELL = 30901,
    IDD_SPELL_OPTIONS_DYNAMIC,
    IDD_SPELL_OPTIONS,
    IDD_SPELL_OPTIONS_INTERNET,
    IDD_DOWNLOAD_DICTIONARIES,
    IDD_DOWNLOAD,
    IDD_PROPPAGE_GENERAL,
};

// "Spell"
enum SpellControl : int {
    IDC_NOT_IN_DICTIONARY = 101,
    IDC_CHANGE_TO = 102,
    IDC_IGNORE = 103,
    IDC_IGNORE_ALL = 104,
    IDC_CHANGE = 105,
    IDC_CHANGE_ALL = 106,
    IDC_ADD = 107,
    IDC_SUGGEST = 108,
    IDC_OPTIONS = 109,
};

// "SpellOptions_Dynamic"
enum SpellOptionsControl : int {
    IDC_DYNAMIC_ALWAYS_SUGGEST = 101,
    IDC_DYNAMIC_IGNORE_UPPERCASE = 102,
    IDC_DYNAMIC_IGNORE_NUMBERS = 103,
};

// "SpellOptions" and "SpellOptionsInternet"
enum OptionsControl : int {
    IDC_CUSTOM_FILE = 101,
    IDC_BROWSE = 102,
    IDC_MAIN_FILE = 105,
    IDC_DOWNLOAD_MORE = 106,
    IDC_IGNORE_UPPERCASE = 110,
    IDC_IGNORE_NUMBERS = 111,
    IDC_ALWAYS_SUGGEST = 120,
};

// "General", the property page
enum PropPageControl : int {
    IDC_PAGE_ALWAYS_SUGGEST = 201,
    IDC_PAGE_IGNORE_UPPERCASE = 202,
    IDC_PAGE_IGNORE_NUMBERS = 203,
};

// "DownloadDictionaries" and "Download"
enum DownloadControl : int {
    IDC_DOWNLOAD_START = 101,
    IDC_DICTIONARY_LIST = 110,
    IDC_WEB_LINK = 206,
    IDC_PROGRESS_ADDRESS = 101,
    IDC_PROGRESS_STATE = 102,
    IDC_PROGRESS_BAR = 110,
};

void RegisterLexigardDialogs();
