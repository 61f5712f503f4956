// CTabCtrl: a row of tabs over a display area; choosing a tab notifies the parent.
#pragma once

#include "platform/ui/ControlTypes.h"
#include "platform/ui/Wnd.h"

#define WC_TABCONTROL "SysTabControl32"

constexpr UINT TCIF_TEXT = 0x1, TCIF_IMAGE = 0x2, TCIF_PARAM = 0x8;
constexpr UINT TCHT_NOWHERE = 0x1, TCHT_ONITEMICON = 0x2, TCHT_ONITEMLABEL = 0x4,
               TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;
constexpr UINT TCN_SELCHANGE = static_cast<UINT>(-551), TCN_SELCHANGING = static_cast<UINT>(-552);

struct TCITEM {
    UINT mask;
    DWORD dwState;
    DWORD dwStateMask;
    LPSTR pszText;
    int cchTextMax;
    int iImage;
    LPARAM lParam;
};

struct TCHITTESTINFO {
    POINT pt;
    UINT flags;
};

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    LONG InsertItem(int index, LPCTSTR text);
    LONG InsertItem(int index, const TCITEM* item);
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL GetItem(int index, TCITEM* item) const;
    BOOL SetItem(int index, const TCITEM* item);
    int GetCurSel() const;
    // Selects without notifying; returns the previous selection or -1.
    int SetCurSel(int index);
    BOOL GetItemRect(int index, LPRECT rect) const;
    // larger FALSE: the window rectangle to the display area; TRUE: the other way round.
    void AdjustRect(BOOL larger, LPRECT rect) const;
    int HitTest(TCHITTESTINFO* info) const;
};

LRESULT AfxTabProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
