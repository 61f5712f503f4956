// The dialog templates of the application shell: the splash, the Info box and the note text.
#include "res/ResourceParts.h"

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"

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
}
