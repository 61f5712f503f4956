// The notification record that picker buttons and their popups send with WM_NOTIFY, and
// its codes.
#pragma once

#include "platform/ui/Wnd.h"

struct NMCOOLCOMBO {
    NMHDR hdr;
    CWnd* sender;
    DWORD value; // an index or a colour
};

constexpr UINT CCN_HOTCHANGED = 1975, CCN_OPENED = 1976, CCN_CLOSED = 1977, CCN_SELECT = 1978, CCN_CANCEL = 1979,
               CCN_EXTRA = 1980, CCN_TEXTENTRY = 1981, CCN_TORNOFF = 1982, CCN_QUERYCUSTOMCOLOURS = 1985;

// Selection values shared by the button and its popup.
constexpr int CC_NONE = -1, CC_EXTRA = -2, CC_UNSET = -3, CC_TEXTENTRY = 1000;

// Sends the record from sender (as identifier id) to receiver; returns the answer.
LRESULT SendCoolComboNotify(CWnd* receiver, CWnd* sender, UINT id, UINT code, DWORD value);
