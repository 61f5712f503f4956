// CToolTipCtrl: a small pop-up that shows a tool's text when the mouse rests over it. Tools
// are windows or rectangles of windows; their text is fixed or asked for each time
// (LPSTR_TEXTCALLBACK, answered through TTN_GETDISPINFO to the tool's window).
#pragma once

#include "platform/core/String.h"
#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

#define TOOLTIPS_CLASS "tooltips_class32"
#define LPSTR_TEXTCALLBACK (reinterpret_cast<LPSTR>(static_cast<intptr_t>(-1)))

constexpr DWORD TTS_ALWAYSTIP = 0x1, TTS_NOPREFIX = 0x2;
constexpr UINT TTF_IDISHWND = 0x1, TTF_CENTERTIP = 0x2, TTF_SUBCLASS = 0x10;
constexpr DWORD TTDT_AUTOMATIC = 0, TTDT_RESHOW = 1, TTDT_AUTOPOP = 2, TTDT_INITIAL = 3;
constexpr UINT TTN_GETDISPINFO = static_cast<UINT>(-520), TTN_NEEDTEXT = TTN_GETDISPINFO,
               TTN_GETDISPINFOA = TTN_GETDISPINFO, TTN_NEEDTEXTA = TTN_GETDISPINFO,
               TTN_GETDISPINFOW = static_cast<UINT>(-530), TTN_NEEDTEXTW = TTN_GETDISPINFOW,
               TTN_SHOW = static_cast<UINT>(-521), TTN_POP = static_cast<UINT>(-522);

struct TOOLINFO {
    UINT cbSize;
    UINT uFlags;
    HWND hwnd;
    UINT_PTR uId;
    RECT rect;
    HINSTANCE hinst;
    LPSTR lpszText;
    LPARAM lParam;
};

struct NMTTDISPINFO {
    NMHDR hdr;
    LPSTR lpszText;
    char szText[80];
    HINSTANCE hinst;
    UINT uFlags;
    LPARAM lParam;
};
using TOOLTIPTEXT = NMTTDISPINFO;

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    ~CToolTipCtrl() override;
    BOOL Create(CWnd* parent, DWORD style = 0);

    // A tool for a whole window (rect null, id 0) or for a rectangle of it.
    BOOL AddTool(CWnd* wnd, LPCTSTR text = LPSTR_TEXTCALLBACK, LPCRECT rect = nullptr, UINT_PTR id = 0);
    BOOL AddTool(CWnd* wnd, UINT textId, LPCRECT rect = nullptr, UINT_PTR id = 0);
    void DelTool(CWnd* wnd, UINT_PTR id = 0);
    void UpdateTipText(LPCTSTR text, CWnd* wnd, UINT_PTR id = 0);
    void SetToolRect(CWnd* wnd, UINT_PTR id, LPCRECT rect);
    // The text the tool shows now (asking its window for callback texts).
    void GetText(CString& text, CWnd* wnd, UINT_PTR id = 0) const;
    int GetToolCount() const;
    // Feeds mouse messages of the tools' windows; resting over a tool shows its tip after the
    // initial delay, moving off or pressing a button hides it.
    void RelayEvent(LPMSG msg);
    void Activate(BOOL active);
    void SetDelayTime(UINT delay);
    void SetDelayTime(DWORD which, int delay);
    int GetDelayTime(DWORD which) const;
    int SetMaxTipWidth(int width);
    void Pop();
    // The tool under a point of wnd's client area, filling info.
    BOOL HitTest(CWnd* wnd, CPoint pt, TOOLINFO* info) const;
};

LRESULT AfxToolTipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
