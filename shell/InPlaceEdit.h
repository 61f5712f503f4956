// An edit laid over a row of a list for editing it in place. It tells its owner through the
// registered message "ipc_CtrlMsg" when a key ends the edit (1), when its text changed (2)
// and when it lost the focus (3); a nonzero answer hides it.
#pragma once

#include "platform/ui/Edit.h"

struct InPlaceEditNotify {
    HWND edit;
    UINT code;
    WPARAM value; // the key for code 1, the window getting the focus for code 3
    DWORD time;
    POINT point;
};

class CInPlaceEdit : public CEdit {
public:
    static constexpr UINT CodeKey = 1, CodeChanged = 2, CodeFocusLost = 3;
    static UINT NotifyMessage();

    void OnKeyDown(UINT key, UINT repeat, UINT flags);
    void OnChar(UINT key, UINT repeat, UINT flags);
    UINT OnGetDlgCode();
    void OnKillFocus(CWnd* next);
    BOOL OnChange();

private:
    void Notify(UINT code, WPARAM value);

    DECLARE_MESSAGE_MAP()
};
