// CDateTimeCtrl: a date or time shown as text in a chosen format; arrow keys change the
// field under the caret, and a drop-down or spin button sits at the right.
#pragma once

#include "platform/core/OleDateTime.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

#define DATETIMEPICK_CLASS "SysDateTimePick32"

constexpr DWORD DTS_SHORTDATEFORMAT = 0x0, DTS_UPDOWN = 0x1, DTS_SHOWNONE = 0x2, DTS_LONGDATEFORMAT = 0x4,
                DTS_TIMEFORMAT = 0x9, DTS_APPCANPARSE = 0x10, DTS_RIGHTALIGN = 0x20;
constexpr UINT DTM_FIRST = 0x1000, DTM_GETSYSTEMTIME = DTM_FIRST + 1, DTM_SETSYSTEMTIME = DTM_FIRST + 2,
               DTM_SETFORMAT = DTM_FIRST + 5, DTM_GETMONTHCAL = DTM_FIRST + 8;
constexpr DWORD GDT_ERROR = static_cast<DWORD>(-1), GDT_VALID = 0, GDT_NONE = 1;
constexpr UINT DTN_CLOSEUP = static_cast<UINT>(-753), DTN_DROPDOWN = static_cast<UINT>(-754),
               DTN_DATETIMECHANGE = static_cast<UINT>(-759);

// Common controls start-up; every class here is registered on first use.
constexpr DWORD ICC_LISTVIEW_CLASSES = 0x1, ICC_TREEVIEW_CLASSES = 0x2, ICC_BAR_CLASSES = 0x4,
                ICC_TAB_CLASSES = 0x8, ICC_UPDOWN_CLASS = 0x10, ICC_PROGRESS_CLASS = 0x20,
                ICC_DATE_CLASSES = 0x100, ICC_WIN95_CLASSES = 0xFF;
struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);

struct NMDATETIMECHANGE {
    NMHDR nmhdr;
    DWORD dwFlags;
    SYSTEMTIME st;
};

class CDateTimeCtrl : public CWnd {
    DECLARE_DYNAMIC(CDateTimeCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    BOOL SetTime(const COleDateTime& time);
    BOOL SetTime(const SYSTEMTIME* time);
    BOOL GetTime(COleDateTime& time) const;
    DWORD GetTime(LPSYSTEMTIME time) const;
    // A picture of d dd ddd dddd M MM MMM MMMM yy yyyy h hh H HH m mm s ss t tt and 'quoted'
    // text; null goes back to the style's own format.
    BOOL SetFormat(LPCTSTR format);
};

// The text a picture makes of a time.
std::string FormatDateTimePicture(const SYSTEMTIME& time, const std::string& picture);

LRESULT AfxDateTimeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
