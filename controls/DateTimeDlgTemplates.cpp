#include "controls/DateTimeDlg.h"

#include "platform/ui/Resources.h"

namespace {

DialogItemTemplate item(const char* cls, const char* text, UINT id, DWORD style, short x, short y, short cx, short cy)
{
    return DialogItemTemplate{cls, text, id, style | WS_VISIBLE, 0, x, y, cx, cy};
}

DialogTemplate frame(short height)
{
    DialogTemplate t;
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    t.cx = 196;
    t.cy = height;
    t.caption = "Date and Time";
    t.fontName = "Sans";
    return t;
}

DialogTemplate full()
{
    DialogTemplate t = frame(255);
    t.items = {
        item("button", "Time", 0xFFFF, BS_GROUPBOX, 7, 7, 182, 150),
        item(DATETIMEPICK_CLASS, "", IDC_DT_PICKER, WS_TABSTOP | DTS_TIMEFORMAT, 14, 20, 80, 14),
        item(MONTHCAL_CLASS, "", IDC_DT_CALENDAR, WS_TABSTOP, 14, 38, 168, 112),
        item("button", "Text", 0xFFFF, BS_GROUPBOX, 7, 162, 182, 66),
        item("edit", "", IDC_DT_TEXT, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 14, 175, 168, 14),
        item("static", "+3d 12h 02m 43s", IDC_DT_EXAMPLE, SS_LEFT, 14, 196, 110, 10),
        item("button", "Example", IDC_DT_COPY_EXAMPLE, WS_TABSTOP, 130, 193, 52, 14),
        item("button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 84, 234, 50, 14),
        item("button", "Cancel", IDCANCEL, WS_TABSTOP, 139, 234, 50, 14),
    };
    return t;
}

DialogTemplate compact()
{
    DialogTemplate t = frame(143);
    t.items = {
        item(DATETIMEPICK_CLASS, "", IDC_DT_PICKER, WS_TABSTOP | DTS_TIMEFORMAT, 7, 7, 80, 14),
        item(MONTHCAL_CLASS, "", IDC_DT_CALENDAR, WS_TABSTOP, 7, 25, 120, 92),
        item("edit", "", IDC_DT_TEXT, WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, 7, 122, 120, 14),
        item("button", "OK", IDOK, WS_TABSTOP | BS_DEFPUSHBUTTON, 139, 7, 50, 14),
        item("button", "Cancel", IDCANCEL, WS_TABSTOP, 139, 25, 50, 14),
    };
    return t;
}

} // namespace

void RegisterDateTimeDialogTemplates()
{
    if (!FindDialogResource(IDD_DATETIME))
        RegisterDialogResource(IDD_DATETIME, full());
    if (!FindDialogResource(IDD_DATETIME_COMPACT))
        RegisterDialogResource(IDD_DATETIME_COMPACT, compact());
}
