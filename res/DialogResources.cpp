// The dialog templates of the application shell: the splash, the Info box, the note text and
// the pages of the Options sheet.
#include "res/ResourceParts.h"

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Resources.h"

namespace {

constexpr DWORD kCheck = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE;

DialogTemplate Page(const char* caption, std::vector<DialogItemTemplate> items)
{
    DialogTemplate page;
    page.style = WS_CHILD | DS_CONTROL;
    page.cx = 250;
    page.cy = 170;
    page.caption = caption;
    page.items = std::move(items);
    return page;
}

void RegisterOptionPages()
{
    RegisterDialogResource(8081, Page("<Spelling Check>", {
        {"button", "<Always suggest>", 101, kCheck, 0, 10, 10, 200, 10},
        {"button", "<Ignore words with Numbers>", 103, kCheck, 0, 10, 24, 200, 10},
        {"button", "<Ignore words in &UPPERCASE>", 102, kCheck, 0, 10, 38, 200, 10},
        {"button", "<Check before saving>", 1019, kCheck, 0, 10, 52, 200, 10},
        {"button", "<Check after editing>", 1018, kCheck, 0, 10, 66, 200, 10},
        {"static", "<Custom Dictionary>:", 0xFFFF, kLabel, 0, 10, 84, 200, 9},
        {"edit", "", 1021, kEdit, 0, 10, 95, 230, 12}}));
    RegisterDialogResource(207, Page("<Auto-Correction>", {
        {"button", "<COrrect TWo INitial CAps>", 201, kCheck, 0, 6, 4, 240, 10},
        {"button", "<Capitalize First Letter Of Sentences>", 202, kCheck, 0, 6, 15, 240, 10},
        {"button", "<Ignore CAPS LOCK key>", 203, kCheck, 0, 6, 26, 240, 10},
        {"button", "<Replace text as you type>", 204, kCheck, 0, 6, 37, 240, 10},
        {"static", "<Replace>:", 0xFFFF, kLabel, 0, 6, 50, 70, 9},
        {"edit", "", 1024, kEdit, 0, 6, 60, 70, 12},
        {"static", "<With>:", 0xFFFF, kLabel, 0, 80, 50, 110, 9},
        {"edit", "", 1025, kEdit, 0, 80, 60, 110, 12},
        {"SysListView32", "", 1023, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL, 0,
         6, 76, 184, 88},
        {"button", "<Add>", 1026, kButton, 0, 196, 60, 50, 14},
        {"button", "<Replace>", 1027, kButton, 0, 196, 78, 50, 14},
        {"button", "<Delete>", 1028, kButton, 0, 196, 96, 50, 14},
        {"button", "<Exceptions...>", 1029, kButton, 0, 196, 150, 50, 14}}));
    RegisterDialogResource(8082, Page("<Update>", {
        {"button", "<Program>", 0xFFFF, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 6, 6, 238, 36},
        {"button", "<Download>", 1056, kButton, 0, 16, 20, 60, 14},
        {"button", "<Catalog>", 0xFFFF, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 0, 6, 50, 238, 36},
        {"button", "<Download>", 1057, kButton, 0, 16, 64, 60, 14}}));
    RegisterDialogResource(8083, Page("<Alarm>", {
        {"static", "<Accuracy 1/10 sec>", 0xFFFF, kLabel, 0, 10, 10, 120, 9},
        {"edit", "", 1067, kEdit | ES_NUMBER, 0, 140, 8, 50, 12},
        {"button", "<Edit Alarm>", 1068, kCheck, 0, 10, 26, 200, 10},
        {"button", "<After alarm deactivated>", 1066, kCheck, 0, 10, 40, 200, 10},
        {"button", "<Automatic active when time entered>", 1070, kCheck, 0, 10, 54, 220, 10},
        {"button", "<Bring window in front>", 1065, kCheck, 0, 10, 68, 200, 10},
        {"button", "<Play sound>", 1064, kCheck, 0, 10, 82, 200, 10},
        {"button", "<High lite symbol>", 1063, kCheck, 0, 10, 96, 200, 10},
        {"static", "<Blinking>", 0xFFFF, kLabel, 0, 10, 112, 120, 9},
        {"edit", "", 1069, kEdit | ES_NUMBER, 0, 140, 110, 50, 12}}));
    RegisterDialogResource(392, Page("<Extras>", {
        {"static", "<Save every>", 0xFFFF, kLabel, 0, 10, 12, 60, 9},
        {"edit", "", 1120, kEdit | ES_NUMBER, 0, 72, 10, 40, 12},
        {"static", "<minutes>", 0xFFFF, kLabel, 0, 118, 12, 60, 9},
        {"button", "<Edit properties in a dialog>", 1121, kCheck, 0, 10, 30, 200, 10}}));
}

void RegisterSmallDialogs()
{
    DialogTemplate exceptions;
    exceptions.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    exceptions.cx = 200;
    exceptions.cy = 150;
    exceptions.caption = "<Exceptions>";
    exceptions.items = {
        {"static", "<Don't capitalize>", 0xFFFF, kLabel, 0, 6, 6, 130, 9},
        {"edit", "", 1033, kEdit, 0, 6, 17, 130, 12},
        {"SysListView32", "", 1023,
         WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SORTASCENDING |
             LVS_NOCOLUMNHEADER,
         0, 6, 34, 130, 110},
        {"button", "<Add>", 1031, kButton, 0, 144, 17, 50, 14},
        {"button", "<Delete>", 1032, kButton, 0, 144, 35, 50, 14},
        {"button", "<Close>", IDOK, kButton, 0, 144, 130, 50, 14}};
    RegisterDialogResource(211, exceptions);

    DialogTemplate calendar;
    calendar.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    calendar.cx = 190;
    calendar.cy = 160;
    calendar.caption = "<Calender>";
    calendar.items = {{"SysMonthCal32", "", 1016, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 2, 2, 186, 156}};
    RegisterDialogResource(200, calendar);

    DialogTemplate select;
    select.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    select.cx = 180;
    select.cy = 140;
    select.caption = "<Select>";
    select.items = {{"static", "<Select language/theme>:", 0xFFFF, kLabel, 0, 6, 6, 160, 9},
                    {"SysListView32", "", 1020,
                     WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER,
                     0, 6, 17, 168, 96},
                    {"button", "<OK>", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 68, 120, 50, 14},
                    {"button", "<Close>", IDCANCEL, kButton, 0, 124, 120, 50, 14}};
    RegisterDialogResource(204, select);

    DialogTemplate notes;
    notes.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    notes.cx = 220;
    notes.cy = 140;
    notes.caption = "<Notes>";
    notes.items = {{"edit", "", 780, kEdit | ES_MULTILINE | ES_NOHIDESEL | WS_VSCROLL, 0, 6, 6, 208, 106},
                   {"button", "<OK>", IDOK, kButton | BS_DEFPUSHBUTTON, 0, 110, 120, 50, 14},
                   {"button", "<Cancel>", IDCANCEL, kButton, 0, 164, 120, 50, 14}};
    RegisterDialogResource(202, notes);

    DialogTemplate copyAsText;
    copyAsText.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    copyAsText.cx = 240;
    copyAsText.cy = 170;
    copyAsText.caption = "<CopyAsText>";
    copyAsText.items = {{"edit", "", 1083, kEdit | ES_MULTILINE | ES_NOHIDESEL | WS_VSCROLL, 0, 6, 6, 228, 40},
                        {"static", "<Alternates>:", 0xFFFF, kLabel, 0, 6, 50, 100, 9},
                        {"listbox", "", 1084, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 0, 6, 60,
                         100, 84},
                        {"static", "<Ink>:", 0xFFFF, kLabel, 0, 112, 50, 100, 9},
                        {"static", "", 1086, WS_CHILD | WS_VISIBLE | WS_BORDER, 0, 112, 60, 122, 84},
                        {"button", "<Copy>", 1085, kButton, 0, 130, 150, 50, 14},
                        {"button", "<Close>", IDCANCEL, kButton, 0, 184, 150, 50, 14}};
    RegisterDialogResource(283, copyAsText);
}

} // namespace

void RegisterDialogs()
{
    DialogTemplate splash;
    splash.style = WS_POPUP | DS_CENTER;
    splash.cx = 214;
    splash.cy = 130;
    splash.caption = "Vantrel Q8";
    splash.items = {{"static", "", 1118, WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 0, 214, 120},
                    {"static", "www.korvane.example", 1017, WS_CHILD | WS_VISIBLE, 0, 4, 120, 206, 9}};
    RegisterDialogResource(100, splash);

    DialogTemplate about;
    about.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;
    about.cx = 220;
    about.cy = 110;
    about.caption = "Info";
    about.items = {{"static", "", 1118, WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 8, 8, 60, 40},
                   {"static", "Vantrel Q8\nVersion 8.0", 0xFFFF, WS_CHILD | WS_VISIBLE, 0, 76, 8, 136, 20},
                   {"static", "Copyright \xA9 Korvane. All rights reserved.", 0xFFFF, WS_CHILD | WS_VISIBLE, 0, 76,
                    34, 136, 20},
                   {"static", "www.korvane.example", 1017, WS_CHILD | WS_VISIBLE, 0, 76, 58, 136, 9},
                   {"button", "&OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 160, 88, 50, 14}};
    RegisterDialogResource(99, about);

    DialogTemplate notes;
    notes.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME;
    notes.cx = 220;
    notes.cy = 140;
    notes.caption = "Notes";
    notes.items = {{"edit", "", 780,
                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN |
                        ES_AUTOVSCROLL,
                    0, 7, 7, 206, 106},
                   {"button", "OK", IDOK, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 110, 119, 50, 14},
                   {"button", "Cancel", IDCANCEL, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 163, 119, 50, 14}};
    RegisterDialogResource(772, notes);
    RegisterOptionPages();

    DialogTemplate layers;
    layers.style = WS_CHILD | DS_CONTROL;
    layers.fontName = "MS Sans Serif";
    layers.cx = 150;
    layers.cy = 200;
    layers.items = {{"listbox", "", 1087,
                     WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY |
                         LBS_NOINTEGRALHEIGHT,
                     0, 0, 18, 150, 182}};
    RegisterDialogResource(286, layers);
    RegisterSmallDialogs();
}
