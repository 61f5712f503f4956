#include "spell/LexigardDialogs.h"

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Resources.h"

namespace {

constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr DWORD kButton = WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kCheck = WS_TABSTOP | BS_AUTOCHECKBOX;

DialogItemTemplate item(
    const char* kind, const char* text, int id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate { kind, text, static_cast<UINT>(id), style | WS_VISIBLE, 0, x, y, cx, cy };
}

DialogTemplate dialog(const char* caption, short cx, short cy, std::vector<DialogItemTemplate> items)
{
    DialogTemplate t;
    t.style = kDialogStyle;
    t.cx = cx;
    t.cy = cy;
    t.caption = caption;
    t.fontName = "Sans";
    t.items = std::move(items);
    return t;
}

DialogTemplate spell()
{
    return dialog("Spelling", 250, 110,
        {
            item("static", "Not in Dictionar&y:", -1, SS_LEFT, 7, 7, 70, 8),
            item("edit", "", IDC_NOT_IN_DICTIONARY, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 80, 5, 100, 12),
            item("static", "Change To:", -1, SS_LEFT, 7, 24, 70, 8),
            item("combobox", "", IDC_CHANGE_TO, WS_TABSTOP | CBS_DROPDOWN | ES_AUTOHSCROLL, 80, 22, 100, 70),
            item("button", "&Ignore", IDC_IGNORE, kButton | BS_DEFPUSHBUTTON, 190, 5, 53, 14),
            item("button", "I&gnore All", IDC_IGNORE_ALL, kButton, 190, 22, 53, 14),
            item("button", "&Change", IDC_CHANGE, kButton, 190, 39, 53, 14),
            item("button", "Change A&ll", IDC_CHANGE_ALL, kButton, 190, 56, 53, 14),
            item("button", "&Add", IDC_ADD, kButton, 190, 73, 53, 14),
            item("button", "&Suggest", IDC_SUGGEST, kButton, 7, 90, 53, 14),
            item("button", "&Options...", IDC_OPTIONS, kButton, 67, 90, 53, 14),
            item("button", "Cancel", IDCANCEL, kButton, 190, 90, 53, 14),
        });
}

DialogTemplate spellOptionsDynamic()
{
    return dialog("Options", 160, 70,
        {
            item("button", "Always &Suggest", IDC_DYNAMIC_ALWAYS_SUGGEST, kCheck, 7, 7, 140, 10),
            item(
                "button", "Ignore Words in &UPPERCASE", IDC_DYNAMIC_IGNORE_UPPERCASE, kCheck, 7, 20, 140, 10),
            item("button", "Ignore Words with &Numbers", IDC_DYNAMIC_IGNORE_NUMBERS, kCheck, 7, 33, 140, 10),
            item("button", "OK", IDOK, kButton | BS_DEFPUSHBUTTON, 30, 50, 50, 14),
            item("button", "Cancel", IDCANCEL, kButton, 90, 50, 50, 14),
        });
}

DialogTemplate spellOptions(bool internet)
{
    std::vector<DialogItemTemplate> items {
        item("static", "Main dictionary file:", -1, SS_LEFT, 7, 7, 100, 8),
        item("combobox", "", IDC_MAIN_FILE, WS_TABSTOP | CBS_DROPDOWNLIST, 7, 17, 200, 80),
        item("static", "Custom dictionary file:", -1, SS_LEFT, 7, 35, 100, 8),
        item("edit", "", IDC_CUSTOM_FILE, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 7, 45, 180, 12),
        item("button", "...", IDC_BROWSE, kButton, 190, 45, 17, 12),
        item("button", "Always suggest", IDC_ALWAYS_SUGGEST, kCheck, 7, 65, 150, 10),
        item("button", "Words in &UPPERCASE", IDC_IGNORE_UPPERCASE, kCheck, 7, 78, 150, 10),
        item("button", "Word with num&bers", IDC_IGNORE_NUMBERS, kCheck, 7, 91, 150, 10),
        item("button", "OK", IDOK, kButton | BS_DEFPUSHBUTTON, 100, 130, 50, 14),
        item("button", "Cancel", IDCANCEL, kButton, 157, 130, 50, 14),
    };
    if (internet)
        items.push_back(item("button", "Download additional dictionaries from Internet...", IDC_DOWNLOAD_MORE,
            kButton, 7, 108, 200, 14));
    return dialog("Spell Checker Options", 214, 151, std::move(items));
}

DialogTemplate downloadDictionaries()
{
    return dialog("Download Dictionaries", 260, 170,
        {
            item(WC_LISTVIEW, "", IDC_DICTIONARY_LIST,
                WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS, 7, 7, 246, 120),
            item("static", "", IDC_WEB_LINK, SS_LEFT | SS_NOTIFY, 7, 132, 246, 10),
            item("button", "&Download", IDC_DOWNLOAD_START, kButton | BS_DEFPUSHBUTTON, 146, 149, 50, 14),
            item("button", "Close", IDCANCEL, kButton, 203, 149, 50, 14),
        });
}

DialogTemplate download()
{
    return dialog("Download", 220, 70,
        {
            item("static", "", IDC_PROGRESS_ADDRESS, SS_LEFT, 7, 7, 206, 8),
            item("static", "", IDC_PROGRESS_STATE, SS_LEFT, 7, 20, 206, 8),
            item(PROGRESS_CLASS, "", IDC_PROGRESS_BAR, WS_BORDER, 7, 33, 206, 10),
            item("button", "Cancel", IDCANCEL, kButton, 85, 50, 50, 14),
        });
}

DialogTemplate propPageGeneral()
{
    DialogTemplate page = dialog("General", 160, 50,
        {
            item("button", "Always &Suggest", IDC_PAGE_ALWAYS_SUGGEST, kCheck, 7, 7, 146, 10),
            item("button", "Ignore Words in &UPPERCASE", IDC_PAGE_IGNORE_UPPERCASE, kCheck, 7, 20, 146, 10),
            item("button", "Ignore Words with &Numbers", IDC_PAGE_IGNORE_NUMBERS, kCheck, 7, 33, 146, 10),
        });
    page.style = WS_CHILD | DS_CONTROL;
    return page;
}

} // namespace

void RegisterLexigardDialogs()
{
    static const bool registered = [] {
        RegisterDialogResource(IDD_SPELL, spell());
        RegisterDialogResource(IDD_SPELL_OPTIONS_DYNAMIC, spellOptionsDynamic());
        RegisterDialogResource(IDD_SPELL_OPTIONS, spellOptions(false));
        RegisterDialogResource(IDD_SPELL_OPTIONS_INTERNET, spellOptions(true));
        RegisterDialogResource(IDD_DOWNLOAD_DICTIONARIES, downloadDictionaries());
        RegisterDialogResource(IDD_DOWNLOAD, download());
        RegisterDialogResource(IDD_PROPPAGE_GENERAL, propPageGeneral());
        return true;
    }();
    (void)registered;
}
