// CCmdUI: the state of one user-interface item (menu item, tool bar button, status pane,
// dialog control) that an update handler enables, checks or relabels.
#pragma once

#include "platform/ui/CmdTarget.h"

class CMenu;
class CWnd;

class CCmdUI {
public:
    UINT m_nID = 0;
    UINT m_nIndex = 0;
    CMenu* m_pMenu = nullptr;
    CMenu* m_pSubMenu = nullptr;
    CMenu* m_pParentMenu = nullptr;
    CWnd* m_pOther = nullptr;
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(LPCTSTR text);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Runs the update handler of target for m_nID; with disableIfNoHandler an item whose
    // command has no handler at all is disabled. TRUE when a handler ran.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};
